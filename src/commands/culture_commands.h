#pragma once
// Sky cultures in the window: opening one as the document, showing its
// constellations as the figure and their names on the map, selecting them,
// editing them with undo, and saving the culture back.
#include <optional>
#include <string>

#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

// The open culture; nullptr when the document is a figure.
CultureDocument* OpenCultureDocument(ProgramState& state);
// A culture command's message: what happened, then what it concerns.
void TellAboutCulture(const ProgramState& state, Window& window, TextKey key, const std::string& detail, MessageIcon icon);

// Opens the culture a path names (its folder, index.json or
// constellationship.fab) as Open opens a figure: read whole first; on
// failure the user is told and the document stays as it was.
bool OpenCulture(ProgramState& state, Window& window, const std::string& path);

// The figure drawn anew from the culture: its lines placed, the selected
// constellation's highlighted, the panel and the names brought up to date;
// at an open, pictures that cannot be shown are named in one message.
void RefreshCultureFigure(ProgramState& state, Window& window, bool tellPictureTroubles = false);
void PlayCultureEdit(ProgramState& state, Window& window, const CultureEdit& edit, bool forwards);

// The culture's constellation names on the map, as the names mode asks:
// abbreviations, native names, English names.
void ShowCultureNames(ProgramState& state);

// Selects a constellation (none: no selection), in the panel and on the map.
void SelectConstellation(ProgramState& state, Window& window, std::optional<uint64_t> uid);
// The constellation that drew line index of the figure.
std::optional<uint64_t> ConstellationOfLine(const ProgramState& state, size_t index);

// A line from one star to another, drawn on the map: it goes to the selected
// constellation, or to a new provisional one. One undo step.
void AddCultureLine(ProgramState& state, Window& window, int32_t fromHip, int32_t toHip);
// Deletes line index of the figure from its constellation. One undo step.
void DeleteCultureLine(ProgramState& state, Window& window, size_t index);

void NewConstellationCommand(ProgramState& state, Window& window);
void EditNamesCommand(ProgramState& state, Window& window);
void DeleteConstellationCommand(ProgramState& state, Window& window);
void MoveLineCommand(ProgramState& state, Window& window);
// Names the star a press at this place would pick, in the culture.
void NameStarCommand(ProgramState& state, Window& window, PixelPoint at);
void CheckCultureCommand(ProgramState& state, Window& window);
// Copies the culture into the user's Stellarium folder, asking before it replaces one there.
void InstallInStellariumCommand(ProgramState& state, Window& window);
// Turns the open figure into a new culture folder, grouped by the IAU constellations, and opens it.
void NewCultureFromFigureCommand(ProgramState& state, Window& window);

// Writes the culture's changed files to its own folder; false when that failed (the user was told).
bool SaveCulture(ProgramState& state, Window& window);
// Writes the whole culture, with the files it carries, to a new folder.
bool SaveCultureAs(ProgramState& state, Window& window, const std::string& folder);

// The culture's names of a Hipparcos star, for the read-out: "Nuʻu  Tua".
std::string CultureStarNames(const ProgramState& state, int32_t hip);

}  // namespace orvanta
