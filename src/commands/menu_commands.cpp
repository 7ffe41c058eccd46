// The View and Help menus' commands.
#include "commands/menu_commands.h"

#include "commands/exchange_commands.h"

#include "commands/culture_commands.h"
#include "commands/document_commands.h"
#include "commands/map_redraw.h"
#include "commands/window_state.h"

namespace orvanta {

void ToggleBounds(ProgramState& state, Window& window) {
    state.showBounds = !state.showBounds;
    RefreshWindowState(state, window);
    RedrawMap(state, window);
}

void ShowNames(ProgramState& state, Window& window, int mode) {
    if (mode < 0 || mode > 3) return;
    state.namesMode = static_cast<NamesMode>(mode);
    if (mode != 0 && state.document.IsCulture()) {
        ShowCultureNames(state);
    } else if (mode != 0) {
        const std::string path = state.DataPath("cons.txt");
        if (auto failure = LoadConstellations(state.constellations, path, static_cast<uint8_t>(mode),
                                              EnglishConstellationNames(state.strings));
            failure.failed)
            ReportDataFailure(state, window, path, failure);
    }
    state.namesMode = static_cast<NamesMode>(mode);
    RedrawMap(state, window);
}

void ToggleStarColours(ProgramState& state, Window& window) {
    state.showStarColours = !state.showStarColours;
    RefreshWindowState(state, window);
    RedrawMap(state, window);
}

void ToggleAsterisms(ProgramState& state, Window& window) {
    state.showAsterisms = !state.showAsterisms;
    RefreshWindowState(state, window);
    RedrawMap(state, window);
}

void ToggleFaintStars(ProgramState& state, Window& window) {
    state.faintStars = !state.faintStars;
    // The faint stars come with the exchange sky; told once if it cannot be read.
    if (state.faintStars) EnsureExchangeSky(state, &window);
    if (!state.faintStars && state.starLimit.tenths > StarLimit::kFaintest) {
        state.starLimit.tenths = StarLimit::kFaintest;
        ShortenCatalogue(state.catalog, state.starLimit.tenths);
    }
    if (state.document.open)
        window.SetCommandEnabled(ToolbarCommand::MoreStars, state.starLimit.tenths < state.FaintestLimit());
    RefreshWindowState(state, window);
    RedrawMap(state, window);
}

std::string AboutText(const ProgramState& state) {
    return Text(state.strings, TextKey::Title) + " v1.4\r\n\r\n" + Text(state.strings, TextKey::AboutNotice);
}

void ShowAbout(ProgramState& state, Window& window) {
    window.ShowMessage(AboutText(state), Text(state.strings, TextKey::About), MessageIcon::Information);
}

void OpenHelp(ProgramState& state, Window& window) {
    // The page ships beside the program, so help works without a network.
    window.OpenUrl(state.DataPath(kHelpPageName));
}

}  // namespace orvanta
