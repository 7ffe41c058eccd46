#include "commands/map_editing.h"

#include "commands/figure_edits.h"
#include "commands/map_redraw.h"
#include "sky/star_pick.h"

namespace orvanta {

namespace {

void ShowStatus(const ProgramState& state, Window& window, TextKey key) {
    window.SetStatusText(Text(state.strings, key));
}

void RepaintMarkers(Window& window, const Figure& figure) {
    if (const auto markers = SelectionMarkers(figure)) window.OverlayChanged(Union((*markers)[0], (*markers)[1]));
}

void StartBandAt(Figure& figure, Window& window, const Star& star, const ScreenPoint& place) {
    const float x = static_cast<float>(place.x), y = static_cast<float>(place.y);
    figure.SetBand(RubberBand{star.ra, star.dec, PlacedLine{x, y, x, y, true}});
    window.OverlayLineChanged(figure.Band()->line);
}

void PressOnStar(ProgramState& state, Window& window, const Star& star, const ScreenPoint& place) {
    Figure& figure = state.document.figure;
    if (figure.Drawing()) {
        const RubberBand band = *figure.Band();
        // The start star again is no line: a double click must not store a line of no length.
        if (band.startRa == star.ra && band.startDec == star.dec) return;
        if (figure.LineCount() >= kMaxLineCount) return;  // no room for another line
        figure.EndBand();
        window.OverlayLineChanged(band.line);
        const LineRecord record{static_cast<int16_t>(band.startRa), static_cast<int16_t>(band.startDec),
                                static_cast<int16_t>(star.ra), static_cast<int16_t>(star.dec)};
        RecordEdit(state, window, FigureEdit{FigureEdit::Kind::AddLine, figure.LineCount(), record, {}, {}});
        // The line just finished was the last one a figure can hold: the chain ends.
        if (figure.LineCount() >= kMaxLineCount) return ShowStatus(state, window, TextKey::HintIdle);
    } else if (figure.LineCount() >= kMaxLineCount) {
        return;
    }
    StartBandAt(figure, window, star, place);
    ShowStatus(state, window, TextKey::HintDrawing);
}

void SelectLineAt(ProgramState& state, Window& window, float x, float y) {
    Figure& figure = state.document.figure;
    const auto found = FindLineAt(figure, x, y);
    if (!found) return;
    RepaintMarkers(window, figure);
    figure.Select(*found);
    RepaintMarkers(window, figure);
    window.MarkersChanged();
    ShowStatus(state, window, TextKey::HintSelected);
}

}  // namespace

void MapMouseDown(ProgramState& state, Window& window, int button, int shift, float x, float y) {
    // Before a figure is shown there is no map to click on, and nowhere to keep a line.
    if (!state.document.open) return;
    const CataloguePoint pointer = PointerToSky(state.view, x, y);
    if (shift == kShiftKey) return SelectLineAt(state, window, x, y);
    if (button == kRightButton) {
        EndDrawing(state, window);
        return ShowStatus(state, window, TextKey::HintIdle);
    }
    const auto index = StarHitBox(state.catalog, pointer);
    if (!index) return;
    const Star& star = state.catalog.stars[*index];
    // A star below the map's edge has no place to start or end a line.
    const auto place = ProjectCatalogueUnits(state.view, star.ra, star.dec);
    if (!place) return;
    PressOnStar(state, window, star, *place);
}

void MapMouseMove(ProgramState& state, Window& window, float x, float y) {
    Figure& figure = state.document.figure;
    if (!figure.Drawing()) return;
    HideSelection(state, window);
    const PlacedLine old = figure.Band()->line;
    figure.SetBandLine(PlacedLine{old.x1, old.y1, x, y, true});
    window.OverlayLineChanged(old);
    window.OverlayLineChanged(figure.Band()->line);
}

void SelectionKeyDown(ProgramState& state, Window& window, int keyCode) {
    Figure& figure = state.document.figure;
    if (keyCode != kDeleteKeyCode || figure.Drawing()) return;
    const auto selected = figure.Selection();
    if (!selected) return;
    RecordEdit(state, window, FigureEdit{FigureEdit::Kind::DeleteLine, *selected, figure.Record(*selected), {}, {}});
    ShowStatus(state, window, TextKey::HintIdle);
}

}  // namespace orvanta
