// Writing index.json of the current form: the model as JSON, and the file
// put together again record by record with what did not change kept as it stood.
#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <unordered_map>

#include "documents/culture/current_form.h"
#include "documents/culture/json_spans.h"

namespace orvanta {

namespace {

constexpr const char* kIndexFile = "index.json";

// Spaces of one step of indentation inside an element that spans lines.
std::string IndentStep(std::string_view text, const JsonSpan& element) {
    const std::vector<JsonMember> members = JsonObjectMembers(text, element.begin);
    const std::string outer = IndentationAt(text, element.begin);
    if (!members.empty()) {
        const std::string inner = IndentationAt(text, members[0].keySpan.begin);
        if (inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0) return inner.substr(outer.size());
    }
    return "  ";
}

// An object written as the file writes its records: on one line, or a key a line.
std::string RecordText(const OrderedJson& value, bool spansLines, const std::string& indentation, const std::string& step) {
    if (!spansLines || !value.is_object() || value.empty()) return InlineJson(value);
    std::string text = "{\n";
    size_t i = 0;
    for (const auto& [key, member] : value.items())
        text += indentation + step + OrderedJson(key).dump() + ": " + InlineJson(member) + (++i < value.size() ? ",\n" : "\n");
    return text + indentation + "}";
}

// The records of an array or object put together again: each one that did
// not change as it stood, the separators between them as the file has them.
struct Splice {
    JsonSpan span;
    std::string text;
};

std::string JoinRecords(std::string_view text, const JsonSpan& whole, const std::vector<JsonSpan>& old,
                        const std::vector<std::string>& records, char open, char close) {
    std::string lead = "\n" + IndentationAt(text, whole.begin) + "  ", between = "," + lead, tail = "\n" + IndentationAt(text, whole.begin);
    if (!old.empty()) {
        lead = std::string(text.substr(whole.begin + 1, old[0].begin - whole.begin - 1));
        tail = std::string(text.substr(old.back().end, whole.end - 1 - old.back().end));
        if (old.size() >= 2) between = std::string(text.substr(old[0].end, old[1].begin - old[0].end));
    }
    std::string out(1, open);
    for (size_t k = 0; k < records.size(); ++k) {
        if (k == 0) out += lead;
        else if (k < old.size()) out += std::string(text.substr(old[k - 1].end, old[k].begin - old[k - 1].end));
        else out += between;
        out += records[k];
    }
    if (!records.empty()) out += tail;
    return out + close;
}

}  // namespace

OrderedJson PointJson(const CulturePoint& point) {
    switch (point.kind) {
        case CulturePoint::Kind::Star: return point.hip;
        case CulturePoint::Kind::Position: return OrderedJson::array({point.ra, point.dec});
        case CulturePoint::Kind::Other: return OrderedJson::parse(point.text);
        default: return point.text;
    }
}

OrderedJson NameJson(const CultureName& name) {
    OrderedJson o = OrderedJson::object();
    const auto put = [&](const std::string& key) {
        if (o.contains(key)) return;
        if (key == "english") { if (!name.english.empty()) o[key] = name.english; }
        else if (key == "native") { if (!name.native.empty()) o[key] = name.native; }
        else if (key == "pronounce") { if (!name.pronounce.empty()) o[key] = name.pronounce; }
        else if (name.other.contains(key)) o[key] = name.other[key];
    };
    for (const std::string& key : name.keyOrder) put(key);
    for (const char* key : {"english", "native", "pronounce"}) put(key);
    for (const auto& [key, _] : name.other.items()) put(key);
    return o;
}

OrderedJson ConstellationJson(const CultureConstellation& c) {
    OrderedJson o = OrderedJson::object();
    const auto put = [&](const std::string& key) {
        if (o.contains(key)) return;
        if (key == "id") {
            o[key] = c.id;
        } else if (key == "lines") {
            OrderedJson lines = OrderedJson::array();
            for (const CulturePolyline& polyline : c.lines) {
                OrderedJson points = OrderedJson::array();
                for (const CulturePoint& point : polyline) points.push_back(PointJson(point));
                lines.push_back(std::move(points));
            }
            o[key] = std::move(lines);
        } else if (key == "common_name") {
            if (c.name) o[key] = NameJson(*c.name);
        } else if (key == "image" && c.art) {
            OrderedJson image = {{"file", c.art->file}};
            if (c.art->width > 0) image["size"] = {c.art->width, c.art->height};
            OrderedJson anchors = OrderedJson::array();
            for (const ArtAnchor& a : c.art->anchors) {
                // Whole pixels as whole numbers, where a 64-bit integer holds them exactly.
                const auto number = [](double v) {
                    return v == std::floor(v) && std::fabs(v) < 9.0e15 ? OrderedJson(static_cast<int64_t>(v)) : OrderedJson(v);
                };
                anchors.push_back({{"pos", {number(a.x), number(a.y)}}, {"hip", a.hip}});
            }
            image["anchors"] = std::move(anchors);
            o[key] = std::move(image);
        } else if (c.other.contains(key)) {
            o[key] = c.other[key];
        }
    };
    for (const std::string& key : c.keyOrder) put(key);
    for (const char* key : {"id", "lines", "image", "common_name"}) put(key);
    for (const auto& [key, _] : c.other.items()) put(key);
    return o;
}

std::vector<FolderFile> CurrentCultureChanges(const Culture& culture) {
    const CultureSource& source = culture.source;
    if (culture.constellations == source.constellations && culture.namedObjects == source.namedObjects &&
        culture.fields == source.fields)
        return {};
    const auto found = source.files.find(kIndexFile);
    if (found == source.files.end()) return {{kIndexFile, FormatCultureIndexJson(culture)}};
    const std::string_view text = found->second;
    std::vector<Splice> splices;
    // A byte-order mark, which the parser passes over, stays in front of the object.
    const std::vector<JsonMember> members = JsonObjectMembers(text, text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0);
    const auto member = [&](const std::string& key) -> const JsonMember* {
        for (const JsonMember& m : members)
            if (m.key == key) return &m;
        return nullptr;
    };
    // The culture's own fields: a value that changed is written anew where it stands.
    for (const auto& [key, value] : culture.fields.items()) {
        const JsonMember* m = member(key);
        if (m && source.fields.contains(key) && source.fields[key] == value) continue;
        if (m) splices.push_back({m->valueSpan, InlineJson(value)});
    }
    // The constellations, record by record.
    if (culture.constellations != source.constellations) {
        if (const JsonMember* m = member("constellations")) {
            const std::vector<JsonSpan> old = JsonArrayElements(text, m->valueSpan.begin);
            const JsonSpan style = old.empty() ? m->valueSpan : old[0];
            const bool spansLines = text.substr(style.begin, style.end - style.begin).find('\n') != std::string_view::npos;
            const std::string indentation = IndentationAt(text, style.begin), step = IndentStep(text, style);
            std::vector<std::string> records;
            std::unordered_map<uint64_t, size_t> sourceIndex;
            for (size_t i = 0; i < source.constellations.size(); ++i) sourceIndex.emplace(source.constellations[i].uid, i);
            for (const CultureConstellation& c : culture.constellations) {
                const auto then = sourceIndex.find(c.uid);
                const size_t index = then == sourceIndex.end() ? old.size() : then->second;
                if (index < old.size() && source.constellations[index] == c)
                    records.emplace_back(text.substr(old[index].begin, old[index].end - old[index].begin));
                else
                    records.push_back(RecordText(ConstellationJson(c), spansLines, indentation, step));
            }
            splices.push_back({m->valueSpan, JoinRecords(text, m->valueSpan, old, records, '[', ']')});
        }
    }
    // The names of stars and other objects, one member each.
    if (culture.namedObjects != source.namedObjects) {
        if (const JsonMember* m = member("common_names")) {
            const std::vector<JsonMember> old = JsonObjectMembers(text, m->valueSpan.begin);
            std::vector<JsonSpan> oldSpans;
            for (const JsonMember& o : old) oldSpans.push_back({o.keySpan.begin, o.valueSpan.end});
            std::vector<std::string> records;
            // The first of each key, as a search from the start would find it.
            std::unordered_map<std::string_view, const NamedObject*> sourceByKey;
            std::unordered_map<std::string_view, const JsonMember*> oldByKey;
            for (const NamedObject& s : source.namedObjects) sourceByKey.emplace(s.key, &s);
            for (const JsonMember& o : old) oldByKey.emplace(o.key, &o);
            for (const NamedObject& named : culture.namedObjects) {
                const auto then = sourceByKey.find(named.key);
                const auto found = oldByKey.find(named.key);
                const JsonMember* at = found == oldByKey.end() ? nullptr : found->second;
                if (then != sourceByKey.end() && *then->second == named && at) {
                    records.emplace_back(text.substr(at->keySpan.begin, at->valueSpan.end - at->keySpan.begin));
                } else {
                    OrderedJson names = OrderedJson::array();
                    for (const CultureName& name : named.names) names.push_back(NameJson(name));
                    records.push_back(OrderedJson(named.key).dump() + ": " + InlineJson(names));
                }
            }
            splices.push_back({m->valueSpan, JoinRecords(text, m->valueSpan, oldSpans, records, '{', '}')});
        }
    }
    // What the file had no member for at all is written afresh: nothing of it can be kept.
    // A field the user added or took away changes the file's shape: so too.
    bool missingMember = (!member("constellations") && !culture.constellations.empty()) ||
                         (!member("common_names") && !culture.namedObjects.empty());
    for (const auto& [key, value] : culture.fields.items()) missingMember = missingMember || !member(key);
    for (const auto& [key, value] : source.fields.items()) missingMember = missingMember || !culture.fields.contains(key);
    if (missingMember) return {{kIndexFile, FormatCultureIndexJson(culture)}};
    std::sort(splices.begin(), splices.end(), [](const Splice& a, const Splice& b) { return a.span.begin > b.span.begin; });
    std::string out(text);
    for (const Splice& splice : splices) out.replace(splice.span.begin, splice.span.end - splice.span.begin, splice.text);
    if (out == text) return {};
    return {{kIndexFile, std::move(out)}};
}

std::string FormatCultureIndexJson(const Culture& culture) {
    std::string text = "{";
    bool first = true;
    const auto put = [&](const std::string& key, const std::string& value) {
        text += (first ? "\n  " : ",\n  ") + OrderedJson(key).dump() + ": " + value;
        first = false;
    };
    for (const auto& [key, value] : culture.fields.items()) {
        // A long list of strings (the edges of the boundaries) a line each.
        if (value.is_array() && value.size() > 8 && value[0].is_string()) {
            std::string list = "[";
            for (size_t i = 0; i < value.size(); ++i) list += (i ? ",\n    " : "\n    ") + value[i].dump();
            put(key, list + "\n  ]");
        } else {
            put(key, InlineJson(value));
        }
    }
    std::string constellations = "[";
    for (size_t i = 0; i < culture.constellations.size(); ++i)
        constellations += (i ? ",\n    " : "\n    ") + InlineJson(ConstellationJson(culture.constellations[i]));
    put("constellations", constellations + (culture.constellations.empty() ? "]" : "\n  ]"));
    if (!culture.namedObjects.empty()) {
        std::string names = "{";
        for (size_t i = 0; i < culture.namedObjects.size(); ++i) {
            OrderedJson list = OrderedJson::array();
            for (const CultureName& name : culture.namedObjects[i].names) list.push_back(NameJson(name));
            names += (i ? ",\n    " : "\n    ") + OrderedJson(culture.namedObjects[i].key).dump() + ": " + InlineJson(list);
        }
        put("common_names", names + "\n  }");
    }
    return text + "\n}\n";
}

}  // namespace orvanta
