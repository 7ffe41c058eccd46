#include "figure/keyboard_commands.h"

#include <limits>

#include "documents/document_commands.h"

namespace orvanta {

void Picture1_KeyDown(Orvanta& state, ConstelWindow& window, int keyCode) {
    FigureLines& figure = state.figure;
    if (keyCode != kDeleteKeyCode) return;
    // The rubber band has no record behind it: deleting now would unpair them.
    if (figure.DrawingLine) return;
    if (figure.SelectedLine < 1 || figure.SelectedLine > figure.LineCount()) return;
    if (!figure.Picture1[0].Visible && !figure.Picture1[1].Visible) return;
    DeleteLine(figure, figure.SelectedLine);
    MarkDocumentChanged(state, window);
    window.SetStatusText(GetGuiString(state.strings, "210"));
    HideMarkers(figure);
    window.MarkersChanged();
    constexpr float kEverywhere = std::numeric_limits<float>::max() / 4;
    window.OverlayChanged({-kEverywhere, -kEverywhere, kEverywhere, kEverywhere});
}

}  // namespace orvanta
