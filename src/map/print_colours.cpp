#include "map/print_colours.h"

namespace orvanta {

int32_t PrintColourOf(int32_t screenColour) {
    const int red = screenColour & 0xFF, green = (screenColour >> 8) & 0xFF, blue = (screenColour >> 16) & 0xFF;
    // A third of the brightness keeps a star's tint but puts it well below the paper's.
    return Rgb(red * 3 / 10, green * 3 / 10, blue * 3 / 10);
}

}  // namespace orvanta
