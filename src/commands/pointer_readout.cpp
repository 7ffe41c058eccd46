// The status bar's read-out of what lies under the pointer.
#include "commands/pointer_readout.h"

#include <cstdio>

#include "commands/culture_commands.h"
#include "commands/exchange_commands.h"
#include "map/pointer.h"
#include "sky/coordinate_text.h"
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

std::string DescribePointer(const ProgramState& state, PixelPoint at) {
    const CataloguePoint sky = SkyUnderPointer(state.view, at);
    const HorizonPosition horizon = ToHorizon(state.view, sky.ra / 1000, sky.dec / 100);
    std::string text = FillIn(Text(state.strings, TextKey::PointerPosition),
                              {FormatRightAscension(sky.ra), FormatDeclination(sky.dec),
                               Fixed(horizon.altitude, 1) + "\u00b0", Fixed(horizon.azimuth, 1) + "\u00b0"});
    // The star a click here would pick, so that the user knows which one it is.
    if (const auto index = StarHitBox(state.catalog, sky)) {
        const Star& star = state.catalog.stars[*index];
        // The map's catalogue is the start of yale.dat, so its order is the cross-index's.
        const StarIdentity* identity = state.exchangeSky ? state.exchangeSky->identities.Of(*index) : nullptr;
        std::string name = identity ? IdentityText(*identity) : std::string();
        // The open culture's own names of the star come first.
        if (const std::string own = identity ? CultureStarNames(state, identity->hip) : std::string(); !own.empty())
            name = own + "  " + name;
        text += "   " + (name.empty() ? "" : name + "  ") +
                FillIn(Text(state.strings, TextKey::PointerStar), {Fixed(star.magnitude, 2)});
    } else if (const size_t count = state.DeepStarCount(); count > 0) {
        // A faint star: its Hipparcos number, and any name the culture gives it.
        if (const auto deep = state.deepStars->InBox(sky, count)) {
            const int32_t hip = state.deepStars->HipAt(*deep);
            std::string name = FillIn(Text(state.strings, TextKey::PointerHip), {std::to_string(hip)});
            if (const std::string own = CultureStarNames(state, hip); !own.empty()) name = own + "  " + name;
            text += "   " + name + "  " +
                    FillIn(Text(state.strings, TextKey::PointerStar), {Fixed(state.deepStars->At(*deep).magnitude, 2)});
        }
    }
    return text;
}

void ShowPointerReadout(ProgramState& state, Window& window, PixelPoint at) {
    if (!state.document.open) return;
    EnsureExchangeSky(state, nullptr);  // the names, read at the first movement rather than at start-up
    window.SetPointerReadout(DescribePointer(state, at));
}

}  // namespace orvanta
