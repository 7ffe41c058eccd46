// The map's colours on paper.
#include "map/print_colours.h"

namespace orvanta {

Colour PrintColourOf(Colour screen) {
    // A third of the brightness keeps a star's tint but puts it well below the paper's.
    return Colour{static_cast<uint8_t>(screen.red * 3 / 10), static_cast<uint8_t>(screen.green * 3 / 10),
                  static_cast<uint8_t>(screen.blue * 3 / 10)};
}

}  // namespace orvanta
