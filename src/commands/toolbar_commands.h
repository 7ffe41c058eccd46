#pragma once
// The toolbar: turn and tilt the sky, change the star limit, zoom.
#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

// The text of a command: its tooltip, and its entry in the View menu.
TextKey ToolbarCommandText(ToolbarCommand command);

void RunToolbarCommand(ProgramState& state, Window& window, ToolbarCommand command);
// Loads the stars down to a limit half a magnitude fainter and draws only the new ones.
void MoreStars(ProgramState& state, Window& window);
// Cuts the catalogue half a magnitude brighter and redraws.
void FewerStars(ProgramState& state, Window& window);

}  // namespace orvanta
