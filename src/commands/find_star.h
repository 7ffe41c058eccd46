#pragma once
// Find Star: a star by name, designation or Hipparcos number, marked on the
// map, or its place told when it is below the drawn horizon.
#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

void FindStarCommand(ProgramState& state, Window& window);

// Places the found star's mark for the view as it now is.
void PlaceStarMark(const ProgramState& state, Window& window);

}  // namespace orvanta
