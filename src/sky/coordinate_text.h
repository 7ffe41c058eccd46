#pragma once
// Positions on the sky as the read-out writes them.
#include <string>

namespace orvanta {

// "5h 55m 10s": right ascension in thousandths of an hour.
std::string FormatRightAscension(double raUnits);
// "+7° 24′ 30″": declination in hundredths of a degree.
std::string FormatDeclination(double decUnits);

}  // namespace orvanta
