#pragma once
// What the exchange formats speak of: constellations of lines between points
// named by Hipparcos number or given by position, and the sky data that ties
// those to Orvanta's catalogue.
#include <cstdint>
#include <string>
#include <vector>

#include "sky/constellation_bands.h"
#include "sky/hipparcos_catalogue.h"
#include "sky/sky_vector.h"
#include "sky/star.h"
#include "sky/star_identities.h"

namespace orvanta {

// The catalogue (yale.dat order), its cross-index and membership table, and
// the English constellation names (the comma-separated GUI string 200).
struct SkyReference {
    const std::vector<Star>& stars;
    const StarIdentities& identities;
    const ConstellationBands& bands;
    std::string englishNames;
    const HipparcosCatalogue* hipparcos = nullptr;  // every Hipparcos star, for those beyond yale.dat
    const std::vector<std::string>* iauEdges = nullptr;  // the IAU boundaries as Stellarium's edges, B1875
};

enum class PointKind {
    Hipparcos,  // a star by its Hipparcos number
    Position,   // a star by its position: the nearest catalogue star within kImportMatchDegrees
    FreePoint,  // a point of the sky that is no star
};

struct ExchangePoint {
    PointKind kind = PointKind::Hipparcos;
    int32_t hip = 0;
    SkyDirection position;  // J2000; for Position and FreePoint, and of the star once resolved
    bool operator==(const ExchangePoint& other) const {
        return kind == other.kind && (kind == PointKind::Hipparcos ? hip == other.hip
                                                                   : position.raHours == other.position.raHours &&
                                                                         position.decDegrees == other.position.decDegrees);
    }
};

struct ExchangeLine {
    ExchangePoint from, to;
};

// One constellation's part of a figure: its lines, and the same lines joined
// into polylines where they meet.
struct ConstellationFigure {
    std::string abbreviation;
    std::string name;  // its English name; empty: the IAU constellation's
    std::vector<ExchangeLine> lines;
    std::vector<std::vector<ExchangePoint>> polylines;
};

}  // namespace orvanta
