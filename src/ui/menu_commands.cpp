#include "ui/menu_commands.h"

#include "documents/document_commands.h"
#include "map/redraw.h"

namespace orvanta {

void mnuBounds_Click(Orvanta& state, ConstelWindow& window) {
    window.SetMenuChecked(MenuItem::Bounds, !window.IsMenuChecked(MenuItem::Bounds));
    kresli(state, window);
}

void mnuConstel_Click(Orvanta& state, ConstelWindow& window, int index) {
    if (index < 0 || index > 3) return;
    if (index != 0) {
        const std::string path = state.DataPath("cons.txt");
        if (auto failure = LoadConstellations(state.constellations, path, static_cast<uint8_t>(index),
                                              EnglishConstellationNames(state.strings));
            failure.failed)
            ReportDataFailure(state, window, path, failure);
    }
    state.namesMode = static_cast<NamesMode>(index);
    kresli(state, window);
}

void mnuStarColor_Click(Orvanta& state, ConstelWindow& window) {
    const bool checked = !window.IsMenuChecked(MenuItem::StarColor);
    window.SetMenuChecked(MenuItem::StarColor, checked);
    state.ShowStarColours = checked;
    kresli(state, window);
}

std::string AboutText(const Orvanta& state) {
    return GetGuiString(state.strings, "100") + " v1.4\r\n\r\n" +
           GetGuiTextOrBuiltIn(state.strings, extra_text::kAboutNotice);
}

void mnuAbout_Click(Orvanta& state, ConstelWindow& window) {
    window.ShowMessage(AboutText(state), GetGuiString(state.strings, "152"), MessageIcon::Information);
}

void mnuOnlineHelp_Click(Orvanta& state, ConstelWindow& window) {
    // The page ships beside the program, so help works without a network.
    window.OpenUrl(state.DataPath(kHelpPageName));
}

}  // namespace orvanta
