// The caption, check marks and enabled items, derived from the model.
#include "commands/window_state.h"

#include <iterator>

#include "commands/illustrations.h"

namespace orvanta {

std::string DocumentCaption(const ProgramState& state) {
    const Document& document = state.document;
    const std::string title = Text(state.strings, TextKey::Title);
    if (!document.open) return title;
    std::string name = document.file.empty() ? Text(state.strings, TextKey::Untitled) : document.file;
    // A culture is named by its name, then its folder.
    if (document.IsCulture()) name = document.culture->culture.Name() + " - " + document.file;
    return title + " [" + name + (document.Changed() ? "*]" : "]");
}

void RefreshWindowState(const ProgramState& state, Window& window) {
    const Document& document = state.document;
    window.SetCaption(DocumentCaption(state));
    // Until a figure is shown there is nothing to save, undo or view.
    for (const MenuItem item : {MenuItem::Save, MenuItem::SaveAs, MenuItem::Export, MenuItem::Print, MenuItem::View})
        window.SetMenuEnabled(item, document.open);
    const bool culture = document.IsCulture();
    const bool selected = culture && document.culture->selected.has_value();
    for (const MenuItem item : {MenuItem::CheckCulture, MenuItem::InstallInStellarium, MenuItem::NewConstellation,
                                MenuItem::NameStar, MenuItem::ConstellationsPanel})
        window.SetMenuEnabled(item, culture);
    window.SetMenuEnabled(MenuItem::EditNames, selected);
    window.SetMenuEnabled(MenuItem::DeleteConstellation, selected);
    window.SetMenuEnabled(MenuItem::MoveLine, culture && document.figure.Selection().has_value());
    window.SetMenuEnabled(MenuItem::NewCultureFromFigure, document.open && !culture);
    window.SetMenuEnabled(MenuItem::Undo, document.history.CanUndo());
    window.SetMenuEnabled(MenuItem::Redo, document.history.CanRedo());
    window.SetMenuChecked(MenuItem::Bounds, state.showBounds);
    window.SetMenuChecked(MenuItem::StarColours, state.showStarColours);
    window.SetMenuChecked(MenuItem::FaintStars, state.faintStars);
    window.SetMenuChecked(MenuItem::Illustrations, state.illustrations.shown);
    window.SetMenuChecked(MenuItem::Asterisms, state.showAsterisms);
    window.SetMenuEnabled(MenuItem::Asterisms, culture && !document.culture->culture.asterisms.empty());
    const MenuItem brightness[] = {MenuItem::Brightness25, MenuItem::Brightness50, MenuItem::Brightness75,
                                   MenuItem::Brightness100};
    for (size_t i = 0; i < std::size(brightness); ++i)
        window.SetMenuChecked(brightness[i], state.illustrations.percent == kIllustrationBrightnesses[i]);
    const CultureConstellation* chosen =
        selected ? document.culture->culture.FindConstellation(*document.culture->selected) : nullptr;
    window.SetMenuEnabled(MenuItem::AddIllustration, chosen != nullptr);
    window.SetMenuEnabled(MenuItem::RemoveIllustration, chosen && chosen->art.has_value());
    window.ShowRecentFiles(state.recentFiles);
}

}  // namespace orvanta
