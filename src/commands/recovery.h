#pragma once
// Unsaved changes kept in a recovery file every few seconds, so that a program
// that is killed loses at most those seconds; offered back at the next start.
#include <string>
#include <vector>

#include "commands/program_state.h"
#include "commands/window.h"
#include "figure/line_record.h"

namespace orvanta {

// $XDG_STATE_HOME/orvanta/, or ~/.local/state/orvanta/; "" without a home.
std::string RecoveryFolder();
// This process's recovery file in folder.
std::string RecoveryPathFor(const std::string& folder, int processId);

struct Recovery {
    std::string path;          // the recovery file itself
    int processId = 0;         // the program that wrote it
    std::string documentFile;  // the figure's own file; empty when it had none
    std::string time;          // when the changes were kept, local time
    std::vector<LineRecord> records;
};

// The recovery file's text, and reading it back.
std::string FormatRecovery(const Recovery& recovery);
ReadFailure ReadRecovery(const std::string& path, Recovery& recovery);

// Writes the unsaved figure to state.recoveryPath when it changed since the
// last time, or removes the file when nothing is unsaved.
void KeepRecovery(ProgramState& state, const LocalDateTime& now);
void RemoveRecovery(ProgramState& state);

// The recovery files in folder whose program no longer runs.
std::vector<std::string> FindOrphanedRecoveries(const std::string& folder);

// Offers each orphaned recovery in turn; Yes puts its figure back onto its
// file as an unsaved change (Undo returns to the file), No removes it.
void OfferRecoveries(ProgramState& state, Window& window, const std::string& folder);

}  // namespace orvanta
