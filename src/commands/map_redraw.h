#pragma once
#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

// The map redraw: rebuilds the whole picture in its layer order (boundaries,
// figure lines, stars, names). Does nothing until a figure is shown.
void RedrawMap(ProgramState& state, Window& window);

// Sets the zoom to its base, the screen height in twips / 225, and its limits.
void ResetZoom(ViewState& view, const Window& window);

// The window was resized: spans the status panel, resets the zoom, redraws.
void ResizeMap(ProgramState& state, Window& window);

// Hides the selection markers, repainting where they were.
void HideSelection(ProgramState& state, Window& window);

}  // namespace orvanta
