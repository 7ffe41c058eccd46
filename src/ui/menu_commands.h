#pragma once
// The View and Help menus: boundaries, names, star colours, About, help.
#include "app/shared_state.h"
#include "ui/constel_window.h"

namespace orvanta {

constexpr const char* kHelpPageName = "help.html";

void mnuBounds_Click(Orvanta& state, ConstelWindow& window);
// Names submenu: 0 none, 1 abbreviations, 2 Latin, 3 English.
void mnuConstel_Click(Orvanta& state, ConstelWindow& window, int index);
void mnuStarColor_Click(Orvanta& state, ConstelWindow& window);
void mnuAbout_Click(Orvanta& state, ConstelWindow& window);
void mnuOnlineHelp_Click(Orvanta& state, ConstelWindow& window);

// The About text: title and version, an empty line, our notice.
std::string AboutText(const Orvanta& state);

}  // namespace orvanta
