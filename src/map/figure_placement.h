#pragma once
#include "figure/figure_lines.h"
#include "sky/projection.h"

namespace orvanta {

// Moves every figure line element to the current places of its two stars and
// hides those with an end outside the map. A rubber band being drawn is
// restarted at its start star, or the drawing ends when that star left the map.
void PlaceFigureLines(const ViewState& view, FigureLines& figure);

}  // namespace orvanta
