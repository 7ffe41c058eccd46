// The whole map in its layer order, the view's frame and its zoom.
#include "map/map_painting.h"

#include <cmath>

#include "map/figure_placement.h"
#include "map/layers.h"

namespace orvanta {

void FrameView(ViewState& view, int widthPixels) {
    view.centreX = static_cast<float>(widthPixels * kTwipsPerPixel / 2.0);
    view.centreY = 0;
    UpdateLatitudeTerms(view.observer);
}

void ResetZoom(Zoom& zoom, int screenHeightPixels) {
    zoom.unit = static_cast<int32_t>(std::nearbyint(screenHeightPixels * kTwipsPerPixel / 225.0));
    zoom.minUnit = zoom.unit;
    zoom.maxUnit = 5 * zoom.unit;
}

void PaintMap(MapCanvas& canvas, const MapScene& scene) {
    // The illustrations' layer, where there is one, starts the picture afresh as Clear does.
    if (scene.pictures) DrawIllustrations(canvas, scene.view, *scene.pictures);
    else canvas.Clear();
    if (scene.boundaries) DrawBoundaries(canvas, scene.view, *scene.boundaries);
    if (scene.asterisms) PaintFigureLines(canvas, scene.view, *scene.asterisms, kAsterismColour);
    DrawStars(canvas, scene.view, scene.catalog, scene.starColours, 0);
    if (scene.deep) DrawDeepStars(canvas, scene.view, *scene.deep, 0, scene.deepCount, scene.starColours);
    if (scene.names) DrawConstellationNames(canvas, scene.view, *scene.names);
}

void PaintFigureLines(MapCanvas& canvas, const ViewState& view, const std::vector<LineRecord>& records, Colour colour) {
    for (const LineRecord& record : records) {
        const PlacedLine line = PlaceLine(view, record);
        if (line.visible) canvas.DrawFigureLine(line.InPixels(), colour);
    }
}

}  // namespace orvanta
