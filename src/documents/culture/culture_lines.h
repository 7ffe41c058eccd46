#pragma once
// A culture's constellations as a figure of lines on the map: each segment
// of each polyline becomes a line between its stars' places, and remembers
// which constellation, polyline and segment it is.
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "documents/culture/culture.h"
#include "figure/line_record.h"

namespace orvanta {

struct LineOwner {
    uint64_t uid = 0;      // the constellation
    size_t polyline = 0;   // which of its polylines
    size_t segment = 0;    // the segment's first point, counting the polyline's points (markers apart)
};

struct CultureLines {
    std::vector<LineRecord> records;
    std::vector<LineOwner> owners;  // owners[i] drew records[i]
    int unplaced = 0;               // segments with a point no catalogue places (a DSO, an unknown star)
};

// Where a star lies, in catalogue units; nullopt when no catalogue holds it.
using StarPlacer = std::function<std::optional<std::pair<int16_t, int16_t>>(int32_t hip)>;

CultureLines LinesOfCulture(const Culture& culture, const StarPlacer& placeOf);
// The asterisms' lines likewise, owned by no constellation.
CultureLines LinesOfAsterisms(const Culture& culture, const StarPlacer& placeOf);

// The place of a point of the sky in catalogue units: RA wrapped into the day.
std::pair<int16_t, int16_t> CatalogueUnitsOf(double raHours, double decDegrees);

}  // namespace orvanta
