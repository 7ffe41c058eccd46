#pragma once
// The toolbar: turn and tilt the sky, change the star limit, zoom.
#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

enum ToolbarButton : int {
    kMoveLeft = 1, kMoveUp = 2, kMoveDown = 3, kMoveRight = 4,
    kMoreStars = 6, kFewerStars = 7, kZoomIn = 9, kZoomOut = 10
};
constexpr int kToolbarButtonCount = 10;

// The tooltip key of each button (1 to 10); separators have none.
const char* ToolbarButtonKey(int index);

void RunToolbarCommand(ProgramState& state, Window& window, int index);
// Loads the stars down to a limit half a magnitude fainter and draws only the new ones.
void MoreStars(ProgramState& state, Window& window);
// Cuts the catalogue half a magnitude brighter and redraws.
void FewerStars(ProgramState& state, Window& window);

}  // namespace orvanta
