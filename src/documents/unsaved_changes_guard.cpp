#include "documents/unsaved_changes_guard.h"

#include "documents/document_commands.h"
#include "documents/figure_file.h"

namespace orvanta {

bool FigureCountsAsChanged(const std::string& caption, const std::string& currentFile) {
    return caption.size() >= 2 && caption[caption.size() - 2] == '*' && !currentFile.empty();
}

GuardOutcome RunUnsavedChangesGuard(Orvanta& state, ConstelWindow& window) {
    GuardOutcome outcome;
    if (!FigureCountsAsChanged(window.Caption(), state.figure.CurrentFile)) return outcome;
    if (!window.AskYesNo(GetGuiString(state.strings, "166"), GetGuiString(state.strings, "164"))) return outcome;
    std::string error;
    if (WriteFigureFile(state.figure, state.figure.CurrentFile, outcome.written, error)) {
        outcome.wrote = true;
    } else {
        outcome.writeFailed = true;
        ReportSaveFailure(state, window, state.figure.CurrentFile, error);
    }
    return outcome;
}

}  // namespace orvanta
