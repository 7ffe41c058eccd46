#pragma once
// What the window shows of the model's state: the caption, the check marks
// and the enabled menu items, derived anew after every command.
#include <string>

#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

// The title alone before a figure is shown; then "Orvanta [file]", or
// "Orvanta [file*]" with unsaved changes.
std::string DocumentCaption(const ProgramState& state);

void RefreshWindowState(const ProgramState& state, Window& window);

}  // namespace orvanta
