#pragma once
// The painted layers of the map: stars, boundaries and constellation names,
// placed by the projection in twips and handed to the canvas in pixels.
#include <cstddef>
#include <cstdint>

#include "map/boundary_table.h"
#include "map/constellation_table.h"
#include "map/map_canvas.h"
#include "sky/catalogue.h"
#include "sky/deep_stars.h"
#include "sky/projection.h"

namespace orvanta {

constexpr Colour kBoundaryColour{128, 128, 128};
constexpr Colour kLabelColour{250, 200, 100};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kFigureLineColour{128, 128, 128};
// A selected constellation's lines.
constexpr Colour kHighlightedLineColour{255, 200, 40};
constexpr Colour kAsterismColour{70, 130, 110};  // apart from the figure's grey, quieter than it

// Stars from startIndex on: discs sized by magnitude, single pixels when faint.
void DrawStars(MapCanvas& canvas, const ViewState& view, const StarCatalog& catalog, bool showColours,
               size_t startIndex);
// Radius in twips of a star's disc; below 10 the star is a single pixel.
int16_t StarRadius(float magnitude);
// Dotted polylines through the vertices, each at its whole pixel; an
// invisible vertex breaks the run.
void DrawBoundaries(MapCanvas& canvas, const ViewState& view, const BoundaryTable& table);
// Each label with its top-left corner at its anchor.
void DrawConstellationNames(MapCanvas& canvas, const ViewState& view, const ConstellationTable& table);

void DrawIllustrations(MapCanvas& canvas, const ViewState& view, const std::vector<ShownPicture>& pictures);

// The faint stars from index from up to to, each a point.
void DrawDeepStars(MapCanvas& canvas, const ViewState& view, const DeepStars& deep, size_t from, size_t to,
                   bool showColours);

// A place of the map in pixels.
inline PixelPoint ToPixels(const ScreenPoint& place) { return {place.x * kPixelsPerTwip, place.y * kPixelsPerTwip}; }

}  // namespace orvanta
