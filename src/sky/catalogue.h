#pragma once
// The bright-star catalogue read from yale.dat, brightest first.
#include <cstdint>
#include <string>
#include <vector>

#include "files/read_failure.h"
#include "sky/star.h"

namespace orvanta {

// How faint the map's stars go, in tenths of a magnitude: 3.0 to 5.5 in steps
// of 0.5, from 4.0; to 8.0 with the faint stars.
struct StarLimit {
    static constexpr uint8_t kBrightest = 30, kFaintest = 55, kFaintestDeep = 80, kStep = 5, kStart = 40;
    uint8_t tenths = kStart;
};

// Star i is the i-th record of the file. Never empty: before anything is read
// it holds one star with every value 0.
struct StarCatalog {
    std::vector<Star> stars{Star{}};
};

// The colour of a B-V colour index in hundredths of a magnitude.
Colour StarColourOf(int32_t colourIndex);

// Replaces the catalogue by the records of the file down to limitTenths / 10;
// the first star fainter than the limit is the last one kept.
// On failure the catalogue is left as it was and the failure says why.
ReadFailure LoadCatalogue(StarCatalog& catalog, const std::string& path, uint8_t limitTenths);
// The same, from the text of the file.
ReadFailure ParseCatalogue(StarCatalog& catalog, const std::string& text, uint8_t limitTenths);

// Cuts the catalogue after the first star not brighter than limitTenths / 10,
// or after the last star if every star is brighter.
void ShortenCatalogue(StarCatalog& catalog, uint8_t limitTenths);

}  // namespace orvanta
