#include "commands/map_redraw.h"

#include <cmath>

#include "map/figure_placement.h"
#include "map/layers.h"

namespace orvanta {

void HideSelection(ProgramState& state, Window& window) {
    const auto markers = SelectionMarkers(state.document.figure);
    if (!markers) return;
    state.document.figure.ClearSelection();
    window.OverlayChanged(Union((*markers)[0], (*markers)[1]));
    window.MarkersChanged();
}

void RedrawMap(ProgramState& state, Window& window) {
    if (!state.document.open) return;
    ViewState& view = state.view;
    view.centreX = static_cast<float>(window.ClientWidthTwips() / 2.0);
    view.centreY = 0;
    UpdateLatitudeTerms(view);
    HideSelection(state, window);

    MapCanvas& canvas = window.BeginMapPainting();
    canvas.Clear();
    if (state.showBounds) DrawBoundaries(canvas, view, state.boundaries);
    PlaceFigureLines(view, state.document.figure);
    DrawStars(canvas, view, state.catalog, state.showStarColours, 0);
    if (state.namesMode != 0) DrawConstellationNames(canvas, view, state.constellations);
    window.EndMapPainting();
}

void ResetZoom(ViewState& view, const Window& window) {
    view.zoomUnit = static_cast<int32_t>(std::nearbyint(window.ScreenHeightTwips() / 225.0));
    view.minZoomUnit = view.zoomUnit;
    view.maxZoomUnit = 5 * view.zoomUnit;
}

void ResizeMap(ProgramState& state, Window& window) {
    window.SetStatusPanelWidth(window.ClientWidthTwips());
    ResetZoom(state.view, window);
    RedrawMap(state, window);
}

}  // namespace orvanta
