#pragma once
// Start-up: the program's folder, the translation file, the view time, the
// built-in strings, and the window's load with the star catalogue.
#include <string>

#include "app/shared_state.h"
#include "ui/constel_window.h"
#include "ui/localise_form.h"

namespace orvanta {

// The folder with exactly one trailing separator.
std::string ProgramFolder(const std::string& reportedFolder);
// AppDir + "orvanta.ini" when that is a plain file, else "".
std::string FindIniPath(const std::string& appDir);

// The view's sidereal time from the sky time and the longitude.
void RefreshSiderealTime(Orvanta& state);

// Everything before the window exists.
void Main(Orvanta& state, const std::string& reportedFolder, const LocalDateTime& now);

// The window's load: localises its texts, resets the catalogue, sets the
// display defaults, takes the present moment and loads the stars. False when
// the catalogue could not be read; the user has then been told.
bool Form_Load(Orvanta& state, ConstelWindow& window, FormTexts& texts, const LocalDateTime& now);

// Loads the catalogue, or tells the user and returns false: the caller ends the program.
bool LoadCatalogueOrReport(Orvanta& state, ConstelWindow& window, uint8_t limitTenths);

}  // namespace orvanta
