// The map redraw and the window's resize.
#include "commands/map_redraw.h"

#include "commands/find_star.h"
#include "commands/illustrations.h"
#include "map/figure_placement.h"
#include "map/map_painting.h"

namespace orvanta {

void HideSelection(ProgramState& state, Window& window) {
    const auto markers = SelectionMarkers(state.document.figure);
    if (!markers) return;
    state.document.figure.ClearSelection();
    window.OverlayChanged(Union((*markers)[0], (*markers)[1]).InPixels());
    window.MarkersChanged();
}

MapScene SceneOf(const ProgramState& state, const ViewState& view) {
    return MapScene{view,
                    state.catalog,
                    state.showStarColours,
                    state.showBounds ? &state.boundaries : nullptr,
                    state.namesMode != 0 ? &state.constellations : nullptr,
                    state.deepStars.get(),
                    state.DeepStarCount(),
                    state.illustrations.shown && state.document.IsCulture() ? &state.illustrations.pictures : nullptr,
                    state.showAsterisms && state.document.culture ? &state.document.culture->asterismLines : nullptr};
}

void RedrawMap(ProgramState& state, Window& window) {
    if (!state.document.open) return;
    FrameView(state.view, window.MapWidthPixels());
    HideSelection(state, window);
    PlaceFigureLines(state.view, state.document.figure);
    MapCanvas& canvas = window.BeginMapPainting();
    PaintMap(canvas, SceneOf(state, state.view));
    window.EndMapPainting();
    PlaceStarMark(state, window);
    PlaceAnchorMarks(state, window);
}

void ResizeMap(ProgramState& state, Window& window) {
    ResetZoom(state.view.zoom, window.ScreenHeightPixels());
    RedrawMap(state, window);
}

}  // namespace orvanta
