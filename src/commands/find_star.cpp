// Find Star: ask, look up, mark or tell.
#include "commands/find_star.h"

#include <cstdio>

#include "commands/exchange_commands.h"
#include "map/layers.h"
#include "sky/horizon.h"
#include "sky/star_search.h"

namespace orvanta {

namespace {

std::string Degrees(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f\u00b0", value);
    return text;
}

}  // namespace

void PlaceStarMark(const ProgramState& state, Window& window) {
    const ExchangeSky* sky = state.exchangeSky.get();
    const auto units = sky && state.markedStar ? sky->PlaceOfHip(*state.markedStar) : std::nullopt;
    const auto place = units ? ProjectCatalogueUnits(state.view, units->first, units->second) : std::nullopt;
    window.MarkStar(place ? std::optional(ToPixels(*place)) : std::nullopt);
}

void FindStarCommand(ProgramState& state, Window& window) {
    if (!state.document.open) return;
    const ExchangeSky* sky = EnsureExchangeSky(state, &window);
    if (!sky) return;
    const StarSearch search(sky->identities);
    const auto text = window.AskText(Text(state.strings, TextKey::FindStar), Text(state.strings, TextKey::FindStarPrompt),
                                     search.Completions());
    if (!text || text->empty()) return;
    const auto hip = search.Find(*text, sky->hipparcos);
    const auto units = hip ? sky->PlaceOfHip(*hip) : std::nullopt;
    if (!units) {
        state.markedStar.reset();
        PlaceStarMark(state, window);
        return window.SetStatusText(FillIn(Text(state.strings, TextKey::FindStarNotFound), {*text}));
    }
    state.markedStar = hip;
    PlaceStarMark(state, window);
    const HorizonPosition horizon = ToHorizon(state.view, units->first / 1000.0, units->second / 100.0);
    const bool shown = ProjectCatalogueUnits(state.view, units->first, units->second).has_value();
    window.SetStatusText(FillIn(Text(state.strings, shown ? TextKey::FindStarShown : TextKey::FindStarBelow),
                                {*text, Degrees(horizon.altitude), Degrees(horizon.azimuth)}));
}

}  // namespace orvanta
