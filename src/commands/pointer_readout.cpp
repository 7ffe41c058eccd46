#include "commands/pointer_readout.h"

#include <cmath>
#include <cstdio>

#include "commands/exchange_commands.h"
#include "sky/horizon.h"
#include "sky/star_pick.h"

namespace orvanta {

namespace {

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// "alpha" as the Greek letter the charts print; "pi2" keeps its number.
std::string BayerLetter(const std::string& bayer) {
    static const char* const kNames[][2] = {
        {"alpha", "\u03b1"}, {"beta", "\u03b2"},  {"gamma", "\u03b3"}, {"delta", "\u03b4"},  {"epsilon", "\u03b5"},
        {"zeta", "\u03b6"},  {"eta", "\u03b7"},   {"theta", "\u03b8"}, {"iota", "\u03b9"},   {"kappa", "\u03ba"},
        {"lambda", "\u03bb"}, {"mu", "\u03bc"},   {"nu", "\u03bd"},    {"xi", "\u03be"},     {"omicron", "\u03bf"},
        {"pi", "\u03c0"},    {"rho", "\u03c1"},   {"sigma", "\u03c3"}, {"tau", "\u03c4"},    {"upsilon", "\u03c5"},
        {"phi", "\u03c6"},   {"chi", "\u03c7"},   {"psi", "\u03c8"},   {"omega", "\u03c9"}};
    const size_t digits = bayer.find_first_of("0123456789");
    const std::string letter = bayer.substr(0, digits);
    for (const auto& [name, greek] : kNames)
        if (letter == name) return greek + (digits == std::string::npos ? "" : bayer.substr(digits));
    return bayer;
}

// "Betelgeuse  α Ori  58 Ori  HIP 27989", as far as the cross-index knows the star.
std::string IdentityOf(const StarIdentity& star) {
    std::string text = star.name;
    const auto add = [&text](const std::string& part) {
        if (part.empty()) return;
        if (!text.empty()) text += "  ";
        text += part;
    };
    // A designation is read with its own constellation: 54 Cet lies in Aries but is no star of Aries.
    if (!star.bayer.empty()) add(BayerLetter(star.bayer) + " " + star.designatedIn);
    if (!star.flamsteed.empty()) add(star.flamsteed + " " + star.designatedIn);
    if (star.hip > 0) add("HIP " + std::to_string(star.hip));
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
        // The map's catalogue is the start of yale.dat, so its order is the cross-index's.
        const StarIdentity* identity = state.exchangeSky ? state.exchangeSky->identities.Of(*index) : nullptr;
        const std::string name = identity ? IdentityOf(*identity) : std::string();
        text += "   " + (name.empty() ? "" : name + "  ") +
                FillIn(Text(state.strings, TextKey::PointerStar), {Fixed(star.magnitude, 2)});
    }
    return text;
}

void ShowPointerReadout(ProgramState& state, Window& window, float x, float y) {
    if (!state.document.open) return;
    EnsureExchangeSky(state, nullptr);  // the names, read at the first movement rather than at start-up
    window.SetPointerReadout(DescribePointer(state, x, y));
}

}  // namespace orvanta
