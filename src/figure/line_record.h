#pragma once
// One line of a figure: its two ends in catalogue units (RA in thousandths of
// an hour, Dec in hundredths of a degree, J2000).
#include <cstdint>

namespace orvanta {

struct LineRecord { int16_t ra1 = 0, dec1 = 0, ra2 = 0, dec2 = 0; bool operator==(const LineRecord&) const = default; };

}  // namespace orvanta
