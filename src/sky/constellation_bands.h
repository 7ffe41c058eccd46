#pragma once
// Which IAU constellation holds a position: the band table cons_bands.txt
// (Roman 1987), in the B1875 equinox in which the boundaries were drawn.
#include <cstdint>
#include <string>
#include <vector>

#include "files/read_failure.h"
#include "sky/sky_vector.h"

namespace orvanta {

struct ConstellationBand {
    int32_t raLow = 0, raHigh = 0;  // B1875 seconds of time, raLow <= RA < raHigh
    int32_t decLow = 0;             // B1875 arcseconds, Dec >= decLow
    std::string abbreviation;
};

struct ConstellationBands {
    std::vector<ConstellationBand> rows;  // highest decLow first
};

ReadFailure ParseConstellationBands(const std::string& text, ConstellationBands& bands);
ReadFailure LoadConstellationBands(const std::string& path, ConstellationBands& bands);

// IAU 1976 precession of a J2000 mean position to the mean equator of B1875.0.
SkyDirection PrecessJ2000ToB1875(SkyDirection j2000);

// The abbreviation of the constellation holding a J2000 position; empty when
// no row holds it (a table without its polar cap).
std::string ConstellationAt(const ConstellationBands& bands, SkyDirection j2000);

}  // namespace orvanta
