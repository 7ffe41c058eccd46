#pragma once
// One star of the catalogue, in the units of yale.dat.
#include <cstdint>

namespace orvanta {

struct Star {
    int32_t ra, dec;
    float magnitude;
    int32_t colour;
};

}  // namespace orvanta
