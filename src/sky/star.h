#pragma once
// One star of the catalogue, in the units the files keep.
#include <cstdint>

#include "sky/colour.h"

namespace orvanta {

struct Star {
    int32_t ra = 0;         // thousandths of an hour
    int32_t dec = 0;        // hundredths of a degree
    float magnitude = 0;    // magnitude
    Colour colour;          // from the B-V colour index
};

}  // namespace orvanta
