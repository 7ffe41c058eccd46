#pragma once
// Drawing lines in chains by clicking stars, cancelling with the right button,
// selecting a line with Shift and a click, the rubber band, and Del.
#include "commands/input_events.h"
#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

// A press on the map.
void MapMouseDown(ProgramState& state, Window& window, MouseButton button, Modifiers modifiers, PixelPoint at);
// The pointer moved over the map.
void MapMouseMove(ProgramState& state, Window& window, PixelPoint at);
// A key pressed while the selection markers have the keyboard: Del deletes the
// selected line; every other key, and Del while a line is being drawn, does nothing.
void SelectionKeyDown(ProgramState& state, Window& window, Key key);

}  // namespace orvanta
