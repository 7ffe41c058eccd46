#pragma once
// The painted layers of the map: stars, boundaries and constellation names.
#include <cstddef>
#include <cstdint>

#include "map/boundary_table.h"
#include "map/constellation_table.h"
#include "map/map_canvas.h"
#include "sky/catalogue.h"
#include "sky/projection.h"

namespace orvanta {

// Stars from startIndex on: discs sized by magnitude, single pixels when faint.
void DrawStars(MapCanvas& canvas, const ViewState& view, const StarCatalog& catalog, bool showColours,
               size_t startIndex);
// Radius in twips of a star's disc; below 10 the star is a single pixel.
int16_t StarRadius(float magnitude);
// Dotted dark grey polylines in pixels; an invisible vertex breaks the run.
void DrawBoundaries(MapCanvas& canvas, const ViewState& view, const BoundaryTable& table);
// Each label with its top-left corner at its anchor.
void DrawConstellationNames(MapCanvas& canvas, const ViewState& view, const ConstellationTable& table);

constexpr int32_t kBoundaryColour = Rgb(128, 128, 128);
constexpr int32_t kLabelColour = Rgb(250, 200, 100);
constexpr int32_t kWhite = Rgb(255, 255, 255);

}  // namespace orvanta
