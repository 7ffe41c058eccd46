// Changing a culture, one undoable step at a time.
#include "documents/culture/culture_edit.h"

#include <algorithm>

namespace orvanta {

namespace {

constexpr const char* kProvisionalPrefix = "New";

bool IsPoint(const CulturePoint& point) { return point.kind != CulturePoint::Kind::Marker; }

}  // namespace

void ApplyCultureEdit(Culture& culture, const CultureEdit& edit, bool forwards) {
    auto& list = culture.constellations;
    const auto applyOne = [&](const CultureEdit::ConstellationChange& change, bool ahead) {
        const auto& from = ahead ? change.before : change.after;
        const auto& to = ahead ? change.after : change.before;
        const uint64_t uid = from ? from->uid : to->uid;
        const auto at = std::find_if(list.begin(), list.end(), [&](const CultureConstellation& c) { return c.uid == uid; });
        if (!to) {
            if (at != list.end()) list.erase(at);
        } else if (at != list.end()) {
            *at = *to;
        } else {
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(change.index, list.size())), *to);
        }
    };
    auto& named = culture.namedObjects;
    const auto applyNamed = [&](const CultureEdit::NamedChange& change, bool ahead) {
        const auto& from = ahead ? change.before : change.after;
        const auto& to = ahead ? change.after : change.before;
        const std::string& key = from ? from->key : to->key;
        const auto at = std::find_if(named.begin(), named.end(), [&](const NamedObject& o) { return o.key == key; });
        if (!to) {
            if (at != named.end()) named.erase(at);
        } else if (at != named.end()) {
            *at = *to;
        } else {
            named.insert(named.begin() + static_cast<std::ptrdiff_t>(std::min(change.index, named.size())), *to);
        }
    };
    if (forwards) {
        for (const auto& change : edit.constellations) applyOne(change, true);
        for (const auto& change : edit.named) applyNamed(change, true);
    } else {
        for (auto c = edit.constellations.rbegin(); c != edit.constellations.rend(); ++c) applyOne(*c, false);
        for (auto n = edit.named.rbegin(); n != edit.named.rend(); ++n) applyNamed(*n, false);
    }
}

CultureEdit AddConstellation(Culture& culture, CultureConstellation constellation) {
    constellation.uid = culture.nextUid++;
    CultureEdit edit;
    edit.constellations.push_back({culture.constellations.size(), std::nullopt, std::move(constellation)});
    return edit;
}

CultureEdit RemoveConstellation(const Culture& culture, uint64_t uid) {
    CultureEdit edit;
    for (size_t i = 0; i < culture.constellations.size(); ++i)
        if (culture.constellations[i].uid == uid) edit.constellations.push_back({i, culture.constellations[i], std::nullopt});
    return edit;
}

CultureEdit SetNames(const Culture& culture, const std::string& key, std::vector<CultureName> names) {
    CultureEdit edit;
    const auto& list = culture.namedObjects;
    const auto at = std::find_if(list.begin(), list.end(), [&](const NamedObject& o) { return o.key == key; });
    const size_t index = static_cast<size_t>(at - list.begin());
    std::optional<NamedObject> before = at == list.end() ? std::nullopt : std::optional(*at);
    std::optional<NamedObject> after = names.empty() ? std::nullopt : std::optional(NamedObject{key, std::move(names)});
    if (before != after) edit.named.push_back({index, std::move(before), std::move(after)});
    return edit;
}

CultureEdit DifferenceOf(Culture& from, Culture to) {
    CultureEdit edit;
    auto& before = from.constellations;
    auto& after = to.constellations;
    bool paired = before.size() == after.size();
    for (size_t i = 0; paired && i < before.size(); ++i) paired = before[i].id == after[i].id;
    if (paired) {
        for (size_t i = 0; i < before.size(); ++i) {
            after[i].uid = before[i].uid;
            if (!(after[i] == before[i])) edit.constellations.push_back({i, before[i], after[i]});
        }
    } else {
        for (size_t i = before.size(); i-- > 0;) edit.constellations.push_back({i, before[i], std::nullopt});
        for (size_t i = 0; i < after.size(); ++i) {
            after[i].uid = from.nextUid++;
            edit.constellations.push_back({i, std::nullopt, after[i]});
        }
    }
    const auto find = [](const std::vector<NamedObject>& list, const std::string& key) {
        return std::find_if(list.begin(), list.end(), [&](const NamedObject& o) { return o.key == key; });
    };
    for (size_t i = from.namedObjects.size(); i-- > 0;)
        if (find(to.namedObjects, from.namedObjects[i].key) == to.namedObjects.end())
            edit.named.push_back({i, from.namedObjects[i], std::nullopt});
    for (size_t i = 0; i < to.namedObjects.size(); ++i) {
        const auto old = find(from.namedObjects, to.namedObjects[i].key);
        if (old == from.namedObjects.end()) edit.named.push_back({i, std::nullopt, to.namedObjects[i]});
        else if (!(*old == to.namedObjects[i])) edit.named.push_back({i, *old, to.namedObjects[i]});
    }
    return edit;
}

void AddSegment(CultureConstellation& constellation, int32_t fromHip, int32_t toHip) {
    for (CulturePolyline& polyline : constellation.lines) {
        const auto last = std::find_if(polyline.rbegin(), polyline.rend(), IsPoint);
        if (last != polyline.rend() && last->kind == CulturePoint::Kind::Star && last->hip == fromHip) {
            polyline.push_back(CulturePoint::Star(toHip));
            return;
        }
    }
    constellation.lines.push_back({CulturePoint::Star(fromHip), CulturePoint::Star(toHip)});
}

void RemoveSegment(CultureConstellation& constellation, size_t polyline, size_t segment) {
    if (polyline >= constellation.lines.size()) return;
    const CulturePolyline line = constellation.lines[polyline];
    // The points of the polyline, markers apart: segment k joins points k and k + 1.
    std::vector<size_t> points;
    for (size_t i = 0; i < line.size(); ++i)
        if (IsPoint(line[i])) points.push_back(i);
    if (segment + 1 >= points.size()) return;
    CulturePolyline head(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(points[segment] + 1));
    CulturePolyline tail(line.begin() + static_cast<std::ptrdiff_t>(points[segment + 1]), line.end());
    // A marker that opens the polyline ("thin", "bold") goes with each part.
    if (!line.empty() && line.front().kind == CulturePoint::Kind::Marker) tail.insert(tail.begin(), line.front());
    auto& lines = constellation.lines;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(polyline));
    const auto keep = [](const CulturePolyline& part) { return std::count_if(part.begin(), part.end(), IsPoint) >= 2; };
    if (keep(tail)) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(polyline), std::move(tail));
    if (keep(head)) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(polyline), std::move(head));
}

CultureConstellation ProvisionalConstellation(const Culture& culture) {
    for (int n = 1;; ++n) {
        const std::string abbreviation = kProvisionalPrefix + std::to_string(n);
        const bool taken = std::any_of(culture.constellations.begin(), culture.constellations.end(),
                                       [&](const CultureConstellation& c) { return c.Abbreviation() == abbreviation; });
        if (taken) continue;
        CultureConstellation c;
        c.id = culture.form == CultureForm::Current ? "CON " + culture.id + " " + abbreviation : abbreviation;
        c.name = CultureName{std::string(kProvisionalPrefix) + " " + std::to_string(n), {}, {}, OrderedJson::object(), {}};
        return c;
    }
}

bool IsProvisional(const CultureConstellation& c) {
    const std::string abbreviation = c.Abbreviation();
    return abbreviation.rfind(kProvisionalPrefix, 0) == 0 && abbreviation.size() > 3 &&
           abbreviation.find_first_not_of("0123456789", 3) == std::string::npos;
}

}  // namespace orvanta
