#pragma once
// The map as a whole, in its layer order, for the window's redraw and for
// pictures and paper alike.
#include <vector>

#include "figure/line_record.h"
#include "map/boundary_table.h"
#include "map/constellation_table.h"
#include "map/layers.h"
#include "map/map_canvas.h"
#include "sky/catalogue.h"
#include "sky/deep_stars.h"
#include "sky/projection.h"

namespace orvanta {

// What the map shows; a table left out is a layer not shown.
struct MapScene {
    const ViewState& view;
    const StarCatalog& catalog;
    bool starColours = true;
    const BoundaryTable* boundaries = nullptr;
    const ConstellationTable* names = nullptr;
    const DeepStars* deep = nullptr;  // the faint stars, the first deepCount of them
    size_t deepCount = 0;
    const std::vector<ShownPicture>* pictures = nullptr;  // a culture's illustrations, under everything
    const std::vector<LineRecord>* asterisms = nullptr;   // a culture's asterisms, under the stars
};

// Centres the view on a map widthPixels wide, the zenith at the middle of the
// top edge, and refreshes its latitude terms.
void FrameView(ViewState& view, int widthPixels);

// The scale for a screen of this height, the zoom's base, and its limits
// (the base and five times it): the screen's height, not the window's, sets it.
void ResetZoom(Zoom& zoom, int screenHeightPixels);

// Background, boundaries, stars, names: bottom to top. The figure's lines lie
// over them; the window keeps them apart, a picture adds them last.
void PaintMap(MapCanvas& canvas, const MapScene& scene);
// The figure's lines as the view places them.
void PaintFigureLines(MapCanvas& canvas, const ViewState& view, const std::vector<LineRecord>& records, Colour colour);

}  // namespace orvanta
