#pragma once
// One star of the catalogue, in the units the files keep.
#include <cstdint>

namespace orvanta {

struct Star {
    int32_t ra = 0;         // thousandths of an hour
    int32_t dec = 0;        // hundredths of a degree
    float magnitude = 0;    // magnitude
    int32_t colour = 0;     // red + 256 green + 65536 blue
};

}  // namespace orvanta
