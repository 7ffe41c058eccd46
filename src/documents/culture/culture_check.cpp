// Checking a culture as Stellarium would read it.
#include "documents/culture/culture_check.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <set>

#include "documents/culture/culture_edit.h"
#include "documents/culture/culture_folder.h"
#include "documents/culture/image_size.h"
#include "files/file_reading.h"
#include "files/quoted_field.h"
#include "sky/art_placement.h"

namespace orvanta {

namespace {

const char* const kSections[] = {"Introduction", "Description", "Constellations", "Extras", "References", "Authors",
                                 "License"};

std::vector<std::string> IdParts(const std::string& id) {
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= id.size()) {
        const size_t space = id.find(' ', at);
        parts.push_back(id.substr(at, space == std::string::npos ? std::string::npos : space - at));
        if (space == std::string::npos) break;
        at = space + 1;
    }
    return parts;
}

struct Checker {
    const Culture& culture;
    const std::function<bool(int32_t)>& hipExists;
    const StarDirections& starAt;
    const GuiStrings& strings;
    std::vector<CheckFinding> findings;

    void Add(bool error, std::string where, TextKey key, std::vector<std::string> values = {}) {
        findings.push_back({error, std::move(where), FillIn(Text(strings, key), values)});
    }

    void Constellation(size_t index, const CultureConstellation& c) {
        const std::string where = "constellation " + std::to_string(index + 1) + " (" + QuoteField(c.id) + ")";
        const bool current = culture.form == CultureForm::Current;
        if (current) {
            const std::vector<std::string> parts = IdParts(c.id);
            if (c.id.rfind("CON ", 0) != 0) Add(true, where, TextKey::CheckIdPrefix, {QuoteField(c.id)});
            else if (parts.size() != 3) Add(true, where, TextKey::CheckIdParts, {QuoteField(c.id)});
            else if (parts[1] != culture.id)
                Add(false, where, TextKey::CheckIdMiddle, {QuoteField(parts[1]), QuoteField(culture.id)});
        }
        std::set<int32_t> drawn;
        for (const CulturePolyline& polyline : c.lines) {
            size_t points = 0;
            for (const CulturePoint& point : polyline) {
                if (point.kind == CulturePoint::Kind::Other) Add(true, where, TextKey::CheckBadPoint, {QuoteField(point.text)});
                if (point.kind == CulturePoint::Kind::Star) {
                    drawn.insert(point.hip);
                    if (!hipExists(point.hip)) Add(true, where, TextKey::CheckUnknownHip, {std::to_string(point.hip)});
                }
                points += point.kind != CulturePoint::Kind::Marker;
            }
            if (points < 2) Add(false, where, TextKey::CheckSingleStar);
        }
        if (c.lines.empty()) Add(current, where, TextKey::CheckNoLines);
        if (!c.name || c.name->english.empty()) Add(false, where, TextKey::CheckNoEnglish);
        if (IsProvisional(c)) Add(false, where, TextKey::CheckProvisional, {QuoteField(c.name ? c.name->Shown() : c.id)});
        if (c.art) {
            for (size_t k = 0; k < c.art->anchors.size() && k < 3; ++k)
                if (!drawn.count(c.art->anchors[k].hip))
                    Add(false, where, TextKey::CheckAnchorNotDrawn, {std::to_string(c.art->anchors[k].hip)});
            Art(where, *c.art);
        }
    }

    // The picture itself and how its anchors place it.
    void Art(const std::string& where, const CultureArt& art) {
        std::string bytes;
        const ReadFailure read = ReadWholeFile(culture.PicturePath(art.file), bytes, kCultureFileLimit);
        const auto size = read.failed ? std::nullopt : PictureSize(bytes);
        if (!size) Add(false, where, TextKey::CheckArtUnreadable, {QuoteField(art.file)});
        const auto shownSize = [](int w, int h) { return std::to_string(w) + " x " + std::to_string(h); };
        // A pixel as the file gives it, which may be any number: not through an int.
        const auto Whole = [](double v) {
            char text[32];
            std::snprintf(text, sizeof text, "%.0f", v);
            return std::string(text);
        };
        if (size && art.width > 0 && (art.width != size->first || art.height != size->second))
            Add(false, where, TextKey::CheckArtSize,
                {QuoteField(art.file), shownSize(art.width, art.height), shownSize(size->first, size->second)});
        const int width = art.width > 0 ? art.width : size ? size->first : 0;
        const int height = art.width > 0 ? art.height : size ? size->second : 0;
        if (art.anchors.size() < 3) return;
        std::array<AnchorPoint, 3> points;
        bool placed = true;
        for (size_t k = 0; k < 3; ++k) {
            const ArtAnchor& a = art.anchors[k];
            if (width > 0 && (a.x < 0 || a.y < 0 || a.x > width || a.y > height))
                Add(false, where, TextKey::CheckArtOutside,
                    {QuoteField(Whole(a.x) + ", " + Whole(a.y)),
                     shownSize(width, height)});
            const auto star = starAt ? starAt(a.hip) : std::nullopt;
            if (!hipExists(a.hip)) Add(false, where, TextKey::CheckArtUnknownStar, {std::to_string(a.hip)});
            if (!star) placed = false;
            else points[k] = {a.x, a.y, *star};
        }
        if (!placed) return;
        WarpTrouble trouble;
        const auto warp = WarpOf(points, trouble);
        if (trouble == WarpTrouble::CollinearAnchors) Add(false, where, TextKey::CheckArtCollinear);
        if (trouble == WarpTrouble::StarsOnOneCircle) Add(false, where, TextKey::CheckArtOneCircle);
        if (warp && warp->mirrored) Add(false, where, TextKey::CheckArtMirrored);
    }

    void Description() {
        const auto found = culture.source.files.find("description.md");
        if (found == culture.source.files.end()) return Add(true, "description.md", TextKey::CheckNoDescription);
        int titles = 0, sections = 0;
        std::string section;
        bool sectionHasText = true;
        const auto endSection = [&] {
            if (!section.empty() && !sectionHasText) Add(false, "description.md", TextKey::CheckEmptySection, {QuoteField(section)});
        };
        const std::string& text = found->second;
        for (size_t at = 0; at < text.size();) {
            const size_t end = std::min(text.find('\n', at), text.size());
            std::string line = text.substr(at, end - at);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            at = end + 1;
            if (line.rfind("# ", 0) == 0) {
                ++titles;
            } else if (line.rfind("## ", 0) == 0) {
                endSection();
                section = line.substr(3);
                sectionHasText = false;
                ++sections;
                if (std::find(std::begin(kSections), std::end(kSections), section) == std::end(kSections))
                    Add(true, "description.md", TextKey::CheckSectionName, {QuoteField(section)});
            } else if (line.find_first_not_of(" \t") != std::string::npos) {
                sectionHasText = true;
            }
        }
        endSection();
        if (titles != 1) Add(true, "description.md", TextKey::CheckTitleCount, {std::to_string(titles)});
        if (sections == 0) Add(true, "description.md", TextKey::CheckNoSections);
    }
};

}  // namespace

std::vector<CheckFinding> CheckCulture(const Culture& culture, const std::function<bool(int32_t)>& hipExists,
                                       const GuiStrings& strings, const StarDirections& starAt) {
    Checker checker{culture, hipExists, starAt, strings, {}};
    if (culture.form == CultureForm::Current) {
        const std::string folderName = culture.folder.substr(culture.folder.find_last_of('/') + 1);
        if (culture.id != folderName)
            checker.Add(true, "index.json", TextKey::CheckCultureId, {QuoteField(culture.id), QuoteField(folderName)});
        checker.Description();
    }
    std::map<std::string, int> ids;
    for (const CultureConstellation& c : culture.constellations) ++ids[c.id];
    for (const auto& [id, count] : ids)
        if (count > 1) checker.Add(false, "constellations", TextKey::CheckDuplicateId, {QuoteField(id), std::to_string(count)});
    for (size_t i = 0; i < culture.constellations.size(); ++i) checker.Constellation(i, culture.constellations[i]);
    for (const ReadNote& note : culture.notes)
        checker.findings.push_back({false, note.file + (note.line > 0 ? ":" + std::to_string(note.line) : ""), note.what});
    std::stable_sort(checker.findings.begin(), checker.findings.end(),
                     [](const CheckFinding& a, const CheckFinding& b) { return a.error && !b.error; });
    return checker.findings;
}

std::string CheckReport(const std::vector<CheckFinding>& findings, const GuiStrings& strings) {
    if (findings.empty()) return Text(strings, TextKey::CheckNothing);
    std::string report;
    size_t errors = 0;
    for (const CheckFinding& f : findings) {
        errors += f.error;
        report += Text(strings, f.error ? TextKey::CheckErrorLabel : TextKey::CheckWarningLabel) + ": " + f.where + ": " +
                  f.what + "\n";
    }
    return report + FillIn(Text(strings, TextKey::CheckSummary),
                           {std::to_string(errors), std::to_string(findings.size() - errors)});
}

}  // namespace orvanta
