// GeoJSON lines, as web sky maps read them.
#include "documents/exchange/geojson_lines.h"

#include "documents/exchange/constellation_names.h"
#include "documents/exchange/exchange_fields.h"

namespace orvanta {

namespace {

// Reads one list of [longitude, latitude] positions into consecutive lines.
ReadFailure ReadLineString(const nlohmann::json& coordinates, const std::string& where,
                           std::vector<ExchangeLine>& lines) {
    if (!coordinates.is_array()) return {true, 0, where + " is not a list of positions"};
    std::vector<ExchangePoint> points;
    for (size_t k = 0; k < coordinates.size(); ++k) {
        std::string reason;
        const auto position = PositionOf(coordinates[k], true, reason);
        if (!position) return {true, 0, where + ", position " + std::to_string(k + 1) + ": " + reason};
        points.push_back({PointKind::Position, 0, *position});
    }
    for (size_t k = 1; k < points.size(); ++k) lines.push_back({points[k - 1], points[k]});
    return {};
}

}  // namespace

std::string FormatGeoJsonLines(const std::vector<ConstellationFigure>& figures, const std::string& englishNames) {
    nlohmann::ordered_json features = nlohmann::ordered_json::array();
    for (const ConstellationFigure& figure : figures) {
        nlohmann::ordered_json multi = nlohmann::ordered_json::array();
        for (const auto& polyline : figure.polylines) {
            nlohmann::ordered_json line = nlohmann::ordered_json::array();
            for (const ExchangePoint& point : polyline) {
                double longitude = point.position.raHours * 15;
                if (longitude > 180) longitude -= 360;
                line.push_back({JsonDecimal(longitude, 4), JsonDecimal(point.position.decDegrees, 4)});
            }
            multi.push_back(std::move(line));
        }
        features.push_back({{"type", "Feature"},
                            {"id", figure.abbreviation},
                            {"properties", {{"name", figure.name.empty() ? EnglishNameOf(englishNames, figure.abbreviation)
                                                                         : figure.name},
                                            {"rank", "1"}}},
                            {"geometry", {{"type", "MultiLineString"}, {"coordinates", std::move(multi)}}}});
    }
    const nlohmann::ordered_json collection = {{"type", "FeatureCollection"}, {"features", std::move(features)}};
    return collection.dump() + "\n";
}

ReadFailure ReadGeoJsonLines(const std::string& text, std::vector<ExchangeLine>& lines) {
    nlohmann::json root;
    if (auto failure = ParseJson(text, root); failure.failed) return failure;
    if (!root.is_object() || root.value("type", nlohmann::json()) != "FeatureCollection")
        return {true, 0, "the file is not a GeoJSON FeatureCollection"};
    const auto features = root.find("features");
    if (features == root.end() || !features->is_array()) return {true, 0, "there is no list \"features\""};
    std::vector<ExchangeLine> read;
    for (size_t f = 0; f < features->size(); ++f) {
        const nlohmann::json& feature = (*features)[f];
        const std::string entry = EntryName("feature", f + 1, feature);
        if (!feature.is_object()) return {true, 0, entry + " is not an object"};
        const auto geometry = feature.find("geometry");
        if (geometry == feature.end() || !geometry->is_object()) return {true, 0, entry + " has no geometry"};
        const auto type = geometry->find("type");
        const auto coordinates = geometry->find("coordinates");
        if (type == geometry->end() || coordinates == geometry->end())
            return {true, 0, entry + ": the geometry has no type or no coordinates"};
        if (*type == "LineString") {
            if (auto failure = ReadLineString(*coordinates, entry, read); failure.failed) return failure;
        } else if (*type == "MultiLineString") {
            if (!coordinates->is_array()) return {true, 0, entry + ": the coordinates are not a list"};
            for (size_t p = 0; p < coordinates->size(); ++p) {
                const std::string where = entry + ", line string " + std::to_string(p + 1);
                if (auto failure = ReadLineString((*coordinates)[p], where, read); failure.failed) return failure;
            }
        } else {
            return {true, 0, entry + ": a " + QuoteJson(*type) + " geometry holds no lines"};
        }
    }
    lines = std::move(read);
    return {};
}

}  // namespace orvanta
