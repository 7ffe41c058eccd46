#pragma once
// One line of a figure: the catalogue positions of its two stars.
#include <cstdint>

namespace orvanta {

// RA in thousandths of an hour, Dec in hundredths of a degree: the units of
// the catalogue and of the figure file, 16 bits each as the file allows.
struct LineRecord {
    int16_t ra1 = 0, dec1 = 0, ra2 = 0, dec2 = 0;
    bool operator==(const LineRecord&) const = default;
};

}  // namespace orvanta
