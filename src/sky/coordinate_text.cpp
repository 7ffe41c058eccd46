// Right ascension and declination as the read-out writes them.
#include "sky/coordinate_text.h"

#include <cmath>
#include <cstdio>

namespace orvanta {

std::string FormatRightAscension(double raUnits) {
    // Whole seconds of time; 3600 of them to the hour, 24 hours to the turn.
    long seconds = std::lround(raUnits * 3.6) % 86400;
    if (seconds < 0) seconds += 86400;
    char text[32];
    std::snprintf(text, sizeof text, "%ldh %02ldm %02lds", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

std::string FormatDeclination(double decUnits) {
    const long arcseconds = std::lround(std::fabs(decUnits) * 36);
    char text[48];
    std::snprintf(text, sizeof text, "%c%ld\u00b0 %02ld\u2032 %02ld\u2033", decUnits < 0 ? '-' : '+', arcseconds / 3600,
                  arcseconds / 60 % 60, arcseconds % 60);
    return text;
}

}  // namespace orvanta
