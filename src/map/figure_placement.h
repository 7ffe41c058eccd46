#pragma once
#include "figure/figure.h"
#include "sky/projection.h"

namespace orvanta {

// Where a line lies in the view: between the places of its two stars, hidden
// when either end is off the map.
PlacedLine PlaceLine(const ViewState& view, const LineRecord& record);

// Places every line of the figure for the view. A rubber band being drawn is
// restarted at its start star, or the drawing ends when that star left the map.
void PlaceFigureLines(const ViewState& view, Figure& figure);

}  // namespace orvanta
