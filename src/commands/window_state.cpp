// The caption, check marks and enabled items, derived from the model.
#include "commands/window_state.h"

namespace orvanta {

std::string DocumentCaption(const ProgramState& state) {
    const Document& document = state.document;
    const std::string title = Text(state.strings, TextKey::Title);
    if (!document.open) return title;
    const std::string name = document.file.empty() ? Text(state.strings, TextKey::Untitled) : document.file;
    return title + " [" + name + (document.Changed() ? "*]" : "]");
}

void RefreshWindowState(const ProgramState& state, Window& window) {
    const Document& document = state.document;
    window.SetCaption(DocumentCaption(state));
    // Until a figure is shown there is nothing to save, undo or view.
    for (const MenuItem item : {MenuItem::Save, MenuItem::SaveAs, MenuItem::Export, MenuItem::Print, MenuItem::View})
        window.SetMenuEnabled(item, document.open);
    window.SetMenuEnabled(MenuItem::Undo, document.history.CanUndo());
    window.SetMenuEnabled(MenuItem::Redo, document.history.CanRedo());
    window.SetMenuChecked(MenuItem::Bounds, state.showBounds);
    window.SetMenuChecked(MenuItem::StarColours, state.showStarColours);
    window.ShowRecentFiles(state.recentFiles);
}

}  // namespace orvanta
