#pragma once
#include "app/shared_state.h"
#include "ui/constel_window.h"

namespace orvanta {

struct GuardOutcome {
    bool wrote = false;        // the figure was written to CurrentFile
    int written = 0;           // records written
    bool writeFailed = false;  // Yes was answered but the write failed (the user was told)
};

// True when the caption carries the changed mark and a file is named.
bool FigureCountsAsChanged(const std::string& caption, const std::string& currentFile);

// Asks before a changed figure is lost and writes it on Yes.
GuardOutcome RunUnsavedChangesGuard(Orvanta& state, ConstelWindow& window);

}  // namespace orvanta
