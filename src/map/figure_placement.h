#pragma once
// Where the figure's lines and the rubber band lie in the view.
#include "map/pixels.h"
#include "map/placed_figure.h"
#include "sky/projection.h"
#include "sky/star.h"

namespace orvanta {

// Where a line lies in the view: between the places of its two stars, hidden
// when either end is off the map.
PlacedLine PlaceLine(const ViewState& view, const LineRecord& record);

// Places every line of the figure for the view. A rubber band being drawn is
// restarted at its start star, or the drawing ends when that star left the map.
void PlaceFigureLines(const ViewState& view, Figure& figure);

// Starts the rubber band at the star's place; false when it has none.
bool StartBand(Figure& figure, const ViewState& view, const Star& star);
// The band's loose end follows the pointer.
void StretchBand(Figure& figure, PixelPoint pointer);

}  // namespace orvanta
