#pragma once
// The bright-star catalogue read from yale.dat, brightest first.
#include <cstdint>
#include <string>
#include <vector>

#include "sky/read_failure.h"

namespace orvanta {

// Parallel arrays; element i is the i-th record of the file. Never empty.
struct StarCatalog {
    std::vector<int32_t> StarRa{0};      // thousandths of an hour
    std::vector<int32_t> StarDec{0};     // hundredths of a degree
    std::vector<float> StarMag{0.0f};    // magnitude
    std::vector<int32_t> StarColour{0};  // red + 256 green + 65536 blue

    int32_t UpperBound() const { return static_cast<int32_t>(StarRa.size()) - 1; }
};

// RGB value of a B-V colour index in hundredths of a magnitude.
int32_t StarColourOf(int32_t colourIndex);

// Replaces the catalogue by the records of the file down to limitTenths / 10.
// On failure the catalogue is left as it was and the failure says why.
ReadFailure LoadCatalogue(StarCatalog& catalog, const std::string& path, uint8_t limitTenths);
// The same, from the text of the file.
ReadFailure ParseCatalogue(StarCatalog& catalog, const std::string& text, uint8_t limitTenths);

// Cuts the catalogue after the first star not brighter than limitTenths / 10,
// or after the last star if every star is brighter.
void ShortenCatalogue(StarCatalog& catalog, uint8_t limitTenths);

}  // namespace orvanta
