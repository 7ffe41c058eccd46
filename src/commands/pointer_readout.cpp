#include "commands/pointer_readout.h"

#include <cmath>
#include <cstdio>

#include "sky/horizon.h"
#include "sky/star_pick.h"

namespace orvanta {

namespace {

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

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

std::string DescribePointer(const ProgramState& state, float x, float y) {
    const CataloguePoint sky = PointerToSky(state.view, x, y);
    const HorizonPosition horizon = ToHorizon(state.view, sky.ra / 1000, sky.dec / 100);
    std::string text = FillIn(Text(state.strings, TextKey::PointerPosition),
                              {FormatRightAscension(sky.ra), FormatDeclination(sky.dec),
                               Fixed(horizon.altitude, 1) + "\u00b0", Fixed(horizon.azimuth, 1) + "\u00b0"});
    // The star a click here would pick, so that the user knows which one it is.
    if (const auto index = StarHitBox(state.catalog, sky)) {
        const Star& star = state.catalog.stars[*index];
        text += "   " + FillIn(Text(state.strings, TextKey::PointerStar), {Fixed(star.magnitude, 2)});
    }
    return text;
}

void ShowPointerReadout(const ProgramState& state, Window& window, float x, float y) {
    if (!state.document.open) return;
    window.SetPointerReadout(DescribePointer(state, x, y));
}

}  // namespace orvanta
