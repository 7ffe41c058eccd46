// A culture's constellations as lines on the map.
#include "documents/culture/culture_lines.h"

#include <algorithm>
#include <cmath>

namespace orvanta {

std::pair<int16_t, int16_t> CatalogueUnitsOf(double raHours, double decDegrees) {
    long ra = std::lround(raHours * 1000) % 24000;
    if (ra < 0) ra += 24000;
    return {static_cast<int16_t>(ra), static_cast<int16_t>(std::lround(std::clamp(decDegrees, -90.0, 90.0) * 100))};
}

namespace {

// Each segment of a polyline between two placed points; markers apart.
void AddSegments(const CulturePolyline& polyline, uint64_t uid, size_t p, const StarPlacer& placeOf, CultureLines& lines) {
    const auto place = [&](const CulturePoint& point) -> std::optional<std::pair<int16_t, int16_t>> {
        if (point.kind == CulturePoint::Kind::Star) return placeOf(point.hip);
        if (point.kind == CulturePoint::Kind::Position) return CatalogueUnitsOf(point.ra, point.dec);
        return std::nullopt;
    };
    std::optional<std::pair<int16_t, int16_t>> previous;
    bool first = true;
    size_t segment = 0;
    for (const CulturePoint& point : polyline) {
        if (point.kind == CulturePoint::Kind::Marker) continue;
        const auto here = place(point);
        if (!first) {
            if (previous && here)
                lines.records.push_back({previous->first, previous->second, here->first, here->second}),
                    lines.owners.push_back({uid, p, segment});
            else
                ++lines.unplaced;
            ++segment;
        }
        previous = here;
        first = false;
    }
}

}  // namespace

CultureLines LinesOfCulture(const Culture& culture, const StarPlacer& placeOf) {
    CultureLines lines;
    for (const CultureConstellation& c : culture.constellations)
        for (size_t p = 0; p < c.lines.size(); ++p) AddSegments(c.lines[p], c.uid, p, placeOf, lines);
    return lines;
}

CultureLines LinesOfAsterisms(const Culture& culture, const StarPlacer& placeOf) {
    CultureLines lines;
    for (size_t p = 0; p < culture.asterisms.size(); ++p) AddSegments(culture.asterisms[p], 0, p, placeOf, lines);
    return lines;
}

}  // namespace orvanta
