// Stellarium's sky-culture files, written and read for figures.
#include "documents/exchange/stellarium_culture.h"

#include <cctype>
#include <charconv>
#include <set>
#include <nlohmann/json.hpp>

#include "documents/exchange/constellation_names.h"
#include "documents/culture/fab_records.h"
#include "documents/culture/text_rows.h"
#include "documents/exchange/exchange_fields.h"
#include "files/quoted_field.h"
#include "sky/record_lines.h"
#include "sky/star_identities.h"

namespace orvanta {

namespace {

std::string OrDefault(const std::string& text, const char* fallback) { return text.empty() ? fallback : text; }

nlohmann::ordered_json PointJson(const ExchangePoint& point) {
    if (point.kind == PointKind::Hipparcos) return point.hip;
    return nlohmann::ordered_json::array({JsonDecimal(point.position.raHours, 3), JsonDecimal(point.position.decDegrees, 2)});
}

// A name inside the double quotes of a .fab file.
std::string FabQuoted(std::string text) {
    std::erase(text, '"');
    return "\"" + text + "\"";
}

}  // namespace

std::string FormatIndexJson(const std::vector<ConstellationFigure>& figures, const std::string& id,
                            const std::string& englishNames, const std::vector<std::string>& edges) {
    // One constellation a line: readable, and a diff shows which figures changed.
    // Stellarium calls a culture without a classification incomplete; English
    // readers see the Latin names, as in the western cultures it ships.
    std::string text = "{\n \"id\": " + nlohmann::ordered_json(id).dump() +
                       ",\n \"region\": \"World\",\n \"classification\": [\"personal\"],"
                       "\n \"fallback_to_international_names\": true,\n \"langs_use_native_names\": [\"en\"],"
                       "\n \"constellations\": [";
    for (size_t c = 0; c < figures.size(); ++c) {
        const ConstellationFigure& figure = figures[c];
        nlohmann::ordered_json polylines = nlohmann::ordered_json::array();
        for (const auto& polyline : figure.polylines) {
            nlohmann::ordered_json points = nlohmann::ordered_json::array();
            for (const ExchangePoint& point : polyline) points.push_back(PointJson(point));
            polylines.push_back(std::move(points));
        }
        const std::string latin = LatinNameOf(figure.abbreviation);
        // Serpens is one constellation with one name, whichever part a line lies in.
        const std::string english = figure.abbreviation == "Ser" ? latin : EnglishNameOf(englishNames, figure.abbreviation);
        nlohmann::ordered_json name = {{"english", english.empty() ? latin : english}};
        if (!latin.empty()) name["native"] = latin;
        const nlohmann::ordered_json constellation = {{"id", "CON " + id + " " + figure.abbreviation},
                                                      {"lines", std::move(polylines)},
                                                      {"common_name", std::move(name)},
                                                      {"iau", figure.abbreviation}};
        text += (c == 0 ? "\n  " : ",\n  ") + constellation.dump();
    }
    text += "\n ]";
    if (!edges.empty()) {
        text += ",\n \"edges_type\": \"iau\",\n \"edges_epoch\": \"B1875\",\n \"edges\": [";
        for (size_t e = 0; e < edges.size(); ++e) text += (e == 0 ? "\n  " : ",\n  ") + nlohmann::ordered_json(edges[e]).dump();
        text += "\n ]";
    }
    return text + "\n}\n";
}

std::string FormatDescriptionMarkdown(const std::vector<ConstellationFigure>& figures, const CultureDetails& details,
                                      const std::string& englishNames) {
    std::string text = "# " + details.name + "\n\n## Introduction\n\nConstellation figures drawn with Orvanta.\n\n";
    text += "## Description\n\nStick figures over the IAU constellations; each line belongs to the constellation "
            "its stars are named in, or else the one that holds it.\n\n## Constellations\n\n";
    for (const ConstellationFigure& figure : figures)
        text += "##### " + EnglishNameOf(englishNames, figure.abbreviation) + "\n\n" +
                std::to_string(figure.lines.size()) + (figure.lines.size() == 1 ? " line" : " lines") +
                " in the IAU constellation " + figure.abbreviation + ".\n\n";
    text += "## References\n\n - [#1]: Star positions and Hipparcos numbers: the Hipparcos catalogue (ESA 1997).\n\n";
    text += "## Authors\n\n" + OrDefault(details.author, "Not stated.") + "\n\n";
    text += "## License\n\n" + OrDefault(details.licence, "Not stated.") + "\n";
    return text;
}

std::string FormatConstellationship(const std::vector<ConstellationFigure>& figures, int& linesLeftOut) {
    std::string text;
    linesLeftOut = 0;
    for (const ConstellationFigure& figure : figures) {
        std::string pairs;
        int count = 0;
        for (const ExchangeLine& line : figure.lines) {
            if (line.from.kind != PointKind::Hipparcos || line.to.kind != PointKind::Hipparcos) {
                ++linesLeftOut;
                continue;
            }
            pairs += " " + std::to_string(line.from.hip) + " " + std::to_string(line.to.hip);
            ++count;
        }
        if (count > 0) text += figure.abbreviation + " " + std::to_string(count) + pairs + "\n";
    }
    return text;
}

std::string FormatConstellationNames(const std::vector<ConstellationFigure>& figures, const std::string& englishNames) {
    std::string text;
    for (const ConstellationFigure& figure : figures) {
        const std::string name = EnglishNameOf(englishNames, figure.abbreviation);
        text += figure.abbreviation + "\t" + FabQuoted(name) + "\t_(" + FabQuoted(name) + ")\n";
    }
    return text;
}

std::string FormatStarNames(const std::vector<ConstellationFigure>& figures, const StarIdentities& identities) {
    std::set<int32_t> used;
    for (const ConstellationFigure& figure : figures)
        for (const ExchangeLine& line : figure.lines)
            for (const ExchangePoint* end : {&line.from, &line.to})
                if (end->kind == PointKind::Hipparcos) used.insert(end->hip);
    std::string text;
    for (const int32_t hip : used) {
        const auto index = identities.IndexOfHip(hip);
        const StarIdentity* identity = index ? identities.Of(*index) : nullptr;
        if (identity && !identity->name.empty()) text += std::to_string(hip) + "|_(" + FabQuoted(identity->name) + ")\n";
    }
    return text;
}

std::string FormatInfoIni(const CultureDetails& details) {
    return "[info]\nname = " + details.name + "\nauthor = " + OrDefault(details.author, "Not stated") +
           "\nclassification = personal\nlicense = " + OrDefault(details.licence, "Not stated") +
           "\nboundaries = iau\n";
}

std::string FormatDescriptionHtml(const CultureDetails& details) {
    return "<h2>" + details.name + "</h2>\n<p>Constellation figures drawn with Orvanta.</p>\n<p>Author: " +
           OrDefault(details.author, "not stated") + ". License: " + OrDefault(details.licence, "not stated") +
           ".</p>\n";
}

ReadFailure ReadConstellationship(const std::string& text, std::vector<ExchangeLine>& lines,
                                  std::vector<ReadNote>* notes) {
    std::vector<ExchangeLine> read;
    const TextRows rows = SplitRows(text);
    for (size_t r = 0; r < rows.rows.size(); ++r) {
        const std::string& line = rows.rows[r].text;
        if (IsCommentOrBlank(line)) continue;
        RecordTrouble trouble;
        const auto record = ParseLinesRecord(line, trouble);
        if (trouble.kind == RecordTrouble::Kind::Malformed) return {true, static_cast<int>(r + 1), trouble.what};
        if (trouble.kind != RecordTrouble::Kind::None && notes)
            notes->push_back({"constellationship.fab", static_cast<int>(r + 1), trouble.what});
        if (!record) continue;
        for (const auto& [a, b] : record->pairs)
            read.push_back({{PointKind::Hipparcos, a, {}}, {PointKind::Hipparcos, b, {}}});
    }
    lines = std::move(read);
    return {};
}

ReadFailure ReadIndexJson(const std::string& text, std::vector<ExchangeLine>& lines) {
    nlohmann::json root;
    if (auto failure = ParseJson(text, root); failure.failed) return failure;
    if (!root.is_object()) return {true, 0, "the file is not a JSON object"};
    const auto constellations = root.find("constellations");
    if (constellations == root.end() || !constellations->is_array())
        return {true, 0, "there is no list \"constellations\""};
    std::vector<ExchangeLine> read;
    for (size_t c = 0; c < constellations->size(); ++c) {
        const nlohmann::json& constellation = (*constellations)[c];
        const std::string entry = EntryName("constellation", c + 1, constellation);
        if (!constellation.is_object()) return {true, 0, entry + " is not an object"};
        const auto polylines = constellation.find("lines");
        if (polylines == constellation.end()) continue;
        if (!polylines->is_array()) return {true, 0, entry + ": \"lines\" is not a list"};
        for (size_t p = 0; p < polylines->size(); ++p) {
            const nlohmann::json& polyline = (*polylines)[p];
            const std::string where = entry + ", polyline " + std::to_string(p + 1);
            if (!polyline.is_array()) return {true, 0, where + " is not a list"};
            std::vector<ExchangePoint> points;
            for (size_t k = 0; k < polyline.size(); ++k) {
                const nlohmann::json& value = polyline[k];
                const std::string at = where + ", point " + std::to_string(k + 1) + ": ";
                if (value.is_string()) {
                    // A leading "thin" or "bold" sets the line weight; other names are stars we cannot look up.
                    if (k == 0 && (value == "thin" || value == "bold")) continue;
                    points.push_back({PointKind::Hipparcos, 0, {}});
                } else if (value.is_array()) {
                    std::string reason;
                    const auto position = PositionOf(value, false, reason);
                    if (!position) return {true, 0, at + reason};
                    points.push_back({PointKind::FreePoint, 0, *position});
                } else if (value.is_number()) {
                    std::string reason;
                    const auto hip = HipparcosNumber(value, reason);
                    if (!hip) return {true, 0, at + reason};
                    points.push_back({PointKind::Hipparcos, *hip, {}});
                } else {
                    return {true, 0, at + "expected a Hipparcos number or [RA, Dec]"};
                }
            }
            for (size_t k = 1; k < points.size(); ++k) read.push_back({points[k - 1], points[k]});
        }
    }
    lines = std::move(read);
    return {};
}

}  // namespace orvanta
