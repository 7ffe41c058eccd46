#include "figure/keyboard_commands.h"

#include "documents/document_commands.h"

namespace orvanta {

void Picture1_KeyDown(Orvanta& state, ConstelWindow& window, int keyCode) {
    FigureLines& figure = state.figure;
    if (keyCode != kDeleteKeyCode) return;
    // The rubber band has no record behind it: deleting now would unpair them.
    if (figure.DrawingLine) return;
    if (figure.SelectedLine < 1 || figure.SelectedLine > figure.LineCount()) return;
    if (!figure.Picture1[0].Visible && !figure.Picture1[1].Visible) return;
    // The lines above move down one index but keep their places on the map, so
    // only the deleted line and the markers need painting again.
    const LineElement deleted = figure.Line1[figure.SelectedLine];
    const TwipRect markers = MarkerArea(figure);
    DeleteLine(figure, figure.SelectedLine);
    MarkDocumentChanged(state, window);
    window.SetStatusText(GetGuiString(state.strings, "210"));
    HideMarkers(figure);
    window.MarkersChanged();
    window.OverlayLineChanged(deleted);
    window.OverlayChanged(markers);
}

}  // namespace orvanta
