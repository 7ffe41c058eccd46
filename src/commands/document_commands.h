#pragma once
// Open, Save and Save As, the unsaved-changes guard, and the messages about files.
#include <string>
#include <vector>

#include "commands/program_state.h"
#include "commands/window.h"
#include "files/interrupted_saves.h"

namespace orvanta {

// The file types both dialogs offer: one entry for figure files.
std::vector<FileFilter> FigureFileFilter(const ProgramState& state);

// Tells the user that the figure could not be written, and that it is kept.
void ReportSaveFailure(const ProgramState& state, Window& window, const std::string& path, const std::string& error);
// Tells the user what was found of an interrupted earlier save of the file, if anything.
void ReportInterruptedSave(const ProgramState& state, Window& window, const std::string& path,
                           const InterruptedSave& found);
// Tells the user that a data file beside the program could not be read.
void ReportDataFailure(const ProgramState& state, Window& window, const std::string& path, const ReadFailure& failure);
// Tells the user that a figure file could not be read, and that nothing changed.
void ReportFigureUnreadable(const ProgramState& state, Window& window, const std::string& path,
                            const ReadFailure& failure, TextKey said = TextKey::FigureUnreadable);

void OpenCommand(ProgramState& state, Window& window);
void SaveCommand(ProgramState& state, Window& window);
void SaveAsCommand(ProgramState& state, Window& window);

// Opens the figure file at path as Open does after its dialog: reads it whole
// first, and on failure tells the user and leaves everything as it was.
bool OpenFigureFile(ProgramState& state, Window& window, const std::string& path);
// Shows records as the document of the file at path (empty: a figure with no
// file yet), saved and with a fresh history, as after Open.
void ShowDocument(ProgramState& state, Window& window, const std::string& path, std::vector<LineRecord> records);
// What ShowDocument does short of the lines, the map and the menus: for a
// document (a culture) that draws itself after.
void ResetDocument(ProgramState& state, Window& window, const std::string& path);

// Asks before unsaved changes would be lost and saves on Yes. False when the
// work must go on without the command that asked: Yes was answered and the
// figure could not be saved.
bool GuardUnsavedChanges(ProgramState& state, Window& window);

constexpr size_t kRecentFileCount = 8;

// Puts path first in the list of recent files, which keeps the eight latest.
void RememberRecentFile(ProgramState& state, const std::string& path);
// Opens the recent file at index as Open does; a file that is gone is taken
// off the list, and the user is told.
void OpenRecentCommand(ProgramState& state, Window& window, size_t index);

// Asked before the window closes: runs the guard. False keeps the window open.
bool MayClose(ProgramState& state, Window& window);

}  // namespace orvanta
