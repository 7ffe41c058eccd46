#include "map/redraw.h"

#include <cmath>

#include "map/figure_placement.h"
#include "map/layers.h"

namespace orvanta {

void kresli(Orvanta& state, ConstelWindow& window) {
    if (state.figure.CurrentFile.empty()) return;
    ViewState& view = state.view;
    view.CentreX = static_cast<float>(window.ClientWidthTwips() / 2.0);
    view.CentreY = 0;
    UpdateLatitudeTerms(view);
    HideMarkers(state.figure);
    window.MarkersChanged();

    MapCanvas& canvas = window.BeginMapPainting();
    canvas.Clear();
    if (window.IsMenuChecked(MenuItem::Bounds)) DrawBoundaries(canvas, view, state.boundaries);
    PlaceFigureLines(view, state.figure);
    DrawStars(canvas, view, state.stars, state.ShowStarColours, 0);
    if (state.namesMode != 0) DrawConstellationNames(canvas, view, state.constellations);
    window.EndMapPainting();
}

void ResetZoom(ViewState& view, const ConstelWindow& window) {
    view.ZoomUnit = static_cast<int32_t>(std::nearbyint(window.ScreenHeightTwips() / 225.0));
    view.MinZoomUnit = view.ZoomUnit;
    view.MaxZoomUnit = 5 * view.ZoomUnit;
}

void Form_Resize(Orvanta& state, ConstelWindow& window) {
    window.SetStatusPanelWidth(window.ClientWidthTwips());
    ResetZoom(state.view, window);
    kresli(state, window);
}

}  // namespace orvanta
