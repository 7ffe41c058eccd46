#pragma once
// Drawing lines in chains by clicking stars, cancelling with the right button,
// selecting a line with Shift and a click, the rubber band, and Del.
#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftState : int { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };
constexpr int kDeleteKeyCode = 46;

// A press at (x, y) twips on the map.
void MapMouseDown(ProgramState& state, Window& window, int button, int shift, float x, float y);
// The pointer moved over the map.
void MapMouseMove(ProgramState& state, Window& window, float x, float y);
// A key pressed while the selection markers have the keyboard: Del deletes the
// selected line; every other key, and Del while a line is being drawn, does nothing.
void SelectionKeyDown(ProgramState& state, Window& window, int keyCode);

}  // namespace orvanta
