#pragma once
// The map redraw, the resize that resets the zoom, and hiding the selection.
#include "commands/program_state.h"
#include "commands/window.h"
#include "map/map_painting.h"

namespace orvanta {

// What the map shows, as the state says, in this view.
MapScene SceneOf(const ProgramState& state, const ViewState& view);

// The map redraw: rebuilds the whole picture in its layer order (boundaries,
// stars, names) and places the figure's lines over it. Does nothing until a
// figure is shown.
void RedrawMap(ProgramState& state, Window& window);

// The window was resized: resets the zoom and redraws.
void ResizeMap(ProgramState& state, Window& window);

// Hides the selection markers, repainting where they were.
void HideSelection(ProgramState& state, Window& window);

}  // namespace orvanta
