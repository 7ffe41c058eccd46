#pragma once
// Unsaved changes kept in a recovery file every few seconds, so that a program
// that is killed loses at most those seconds; offered back at the next start.
#include <string>
#include <vector>

#include "commands/processes.h"
#include "commands/program_state.h"
#include "commands/window.h"
#include "documents/recovery_file.h"

namespace orvanta {

// $XDG_STATE_HOME/orvanta/, or ~/.local/state/orvanta/; "" without a home.
std::string RecoveryFolder();

// Writes the unsaved figure to state.recoveryPath when it changed since the
// last time, or removes the file when nothing is unsaved. What the write
// did, when there was something to write.
WriteResult KeepRecovery(ProgramState& state, const LocalDateTime& now);
void RemoveRecovery(ProgramState& state);

// The recovery files in folder whose program no longer runs.
std::vector<std::string> FindOrphanedRecoveries(const std::string& folder, const Processes& processes);

// Tells the user, once at start, when the recovery folder cannot be written
// (a run as root may have left it root's), naming it and what to run.
void WarnIfRecoveryImpossible(const ProgramState& state, Window& window, const Processes& processes);

// Offers each orphaned recovery in turn; Yes puts its figure back onto its
// file as an unsaved change (Undo returns to the file), No removes it.
void OfferRecoveries(ProgramState& state, Window& window, const std::string& folder, const Processes& processes);

}  // namespace orvanta
