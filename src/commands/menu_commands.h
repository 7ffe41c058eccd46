#pragma once
// The View and Help menus: boundaries, names, star colours, About, help.
#include <string>

#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

constexpr const char* kHelpPageName = "help.html";

void ToggleBounds(ProgramState& state, Window& window);
// Names submenu: 0 none, 1 abbreviations, 2 Latin, 3 English.
void ShowNames(ProgramState& state, Window& window, int mode);
void ToggleStarColours(ProgramState& state, Window& window);
// A culture's asterisms drawn under the stars, or not.
void ToggleAsterisms(ProgramState& state, Window& window);
// Faint Stars: More stars on to magnitude 8 with the Hipparcos stars; off, the limit comes back to 5.5.
void ToggleFaintStars(ProgramState& state, Window& window);
void ShowAbout(ProgramState& state, Window& window);
void OpenHelp(ProgramState& state, Window& window);

// The About text: title and version, an empty line, our notice.
std::string AboutText(const ProgramState& state);

}  // namespace orvanta
