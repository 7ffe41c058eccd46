#pragma once
// A colour of the map: red, green and blue, 0 to 255 each.
#include <cstdint>

namespace orvanta {

struct Colour {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Colour&) const = default;
};

}  // namespace orvanta
