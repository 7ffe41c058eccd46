#pragma once
// Start-up: the program's folder, the translation file, the view time, and
// the window's load with the star catalogue.
#include <string>

#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

// The folder with exactly one trailing separator.
std::string ProgramFolder(const std::string& reportedFolder);
// The user's orvanta.ini (in the XDG config home) when there is one, so that an
// installed program can be translated without root; else the one beside the
// program; else "".
std::string FindIniPath(const std::string& userConfigFolder, const std::string& programFolder);

// The view's sidereal time from the sky time and the longitude.
void RefreshSiderealTime(ProgramState& state);

// Everything before the window exists.
void PrepareProgram(ProgramState& state, const std::string& reportedFolder, const LocalDateTime& now,
                    const std::string& userConfigFolder);

// The window's load: resets the catalogue, sets the display defaults, takes
// the present moment and loads the stars. False when the catalogue could not
// be read; the user has then been told. A translation file that cannot be
// used is told too.
bool LoadWindow(ProgramState& state, Window& window, const LocalDateTime& now);

// Loads the catalogue, or tells the user and returns false: the caller ends the program.
bool LoadCatalogueOrReport(ProgramState& state, Window& window, uint8_t limitTenths);

}  // namespace orvanta
