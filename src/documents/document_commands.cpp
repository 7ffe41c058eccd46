#include "documents/document_commands.h"

#include "documents/figure_file.h"
#include "documents/file_dialogs.h"
#include "documents/unsaved_changes_guard.h"
#include "map/redraw.h"

namespace orvanta {

namespace {

void SetCleanCaption(Orvanta& state, ConstelWindow& window, int written) {
    window.SetCaption(DocumentCaption(state, false));
    state.figure.SavedLineCount = written;
}

std::string FailureDetail(const std::string& path, const ReadFailure& failure, const GuiStrings& strings) {
    std::string detail = path;
    if (failure.line > 0) detail += "\n" + GetGuiTextOrBuiltIn(strings, extra_text::kReadingStoppedAt) + " " + std::to_string(failure.line);
    if (!failure.reason.empty()) detail += (failure.line > 0 ? ": " : "\n") + failure.reason;
    return detail;
}

}  // namespace

std::string DocumentCaption(const Orvanta& state, bool changed) {
    return GetGuiString(state.strings, "100") + " [" + state.figure.CurrentFile + (changed ? "*]" : "]");
}

void MarkDocumentChanged(Orvanta& state, ConstelWindow& window) { window.SetCaption(DocumentCaption(state, true)); }

std::string FigureFileFilter(const Orvanta& state) {
    return GetGuiString(state.strings, "162") + " (*.con)|*.con|";
}

void ReportSaveFailure(const Orvanta& state, ConstelWindow& window, const std::string& path, const std::string& error) {
    window.ShowMessage(GetGuiTextOrBuiltIn(state.strings, extra_text::kSaveFailed) + "\n\n" + path + "\n" + error,
                       GetGuiString(state.strings, "100"), MessageIcon::Critical);
}

void ReportDataFailure(const Orvanta& state, ConstelWindow& window, const std::string& path, const ReadFailure& failure) {
    window.ShowMessage(GetGuiString(state.strings, "105") + "\n\n" + FailureDetail(path, failure, state.strings),
                       GetGuiString(state.strings, "100"), MessageIcon::Critical);
}

void ReopenDocument(Orvanta& state, ConstelWindow& window, const std::vector<FigureRecord>& records) {
    // A bad reference file keeps the table it had; the figure still opens.
    const std::string boundsPath = state.DataPath("bounds.txt");
    if (auto failure = LoadBoundaries(state.boundaries, boundsPath); failure.failed)
        ReportDataFailure(state, window, boundsPath, failure);
    const std::string consPath = state.DataPath("cons.txt");
    if (auto failure = LoadConstellations(state.constellations, consPath, 1, EnglishConstellationNames(state.strings));
        failure.failed)
        ReportDataFailure(state, window, consPath, failure);
    TakeFigureRecords(state.figure, records);
}

void mnuOpen_Click(Orvanta& state, ConstelWindow& window) {
    const GuardOutcome guard = RunUnsavedChangesGuard(state, window);
    if (guard.writeFailed) return;  // the changed figure stays open to be saved elsewhere
    if (guard.wrote) SetCleanCaption(state, window, guard.written);

    const std::string path =
        ShowOpenDialog(window, FigureFileFilter(state), GetGuiString(state.strings, "160"), state.AppDir);
    if (path.empty()) return;

    // Read first: a file that is not a figure leaves the document as it was.
    std::vector<FigureRecord> records;
    if (auto failure = ReadFigureRecords(path, records); failure.failed) {
        window.ShowMessage(GetGuiTextOrBuiltIn(state.strings, extra_text::kFigureUnreadable) + "\n\n" +
                               FailureDetail(path, failure, state.strings),
                           GetGuiString(state.strings, "100"), MessageIcon::Critical);
        return;
    }

    window.SetBackgroundBlack();
    state.figure.CurrentFile = path;
    window.SetCaption(DocumentCaption(state, false));
    ResetZoom(state.view, window);
    for (int button = 1; button <= 9; ++button) window.SetToolbarButtonEnabled(button, true);
    window.SetToolbarButtonEnabled(10, false);
    window.SetMenuEnabled(MenuItem::Save, true);
    window.SetMenuEnabled(MenuItem::SaveAs, true);
    window.SetMenuEnabled(MenuItem::View, true);
    ReopenDocument(state, window, records);
    kresli(state, window);
    window.SetStatusText(GetGuiString(state.strings, "210"));
}

void mnuSave_Click(Orvanta& state, ConstelWindow& window) {
    if (state.figure.CurrentFile.empty()) return;
    int written = 0;
    std::string error;
    if (!WriteFigureFile(state.figure, state.figure.CurrentFile, written, error)) {
        ReportSaveFailure(state, window, state.figure.CurrentFile, error);
        return;
    }
    SetCleanCaption(state, window, written);
}

void mnuSaveAs_Click(Orvanta& state, ConstelWindow& window) {
    const std::string path =
        ShowSaveDialog(window, FigureFileFilter(state), GetGuiString(state.strings, "168"), state.AppDir, "");
    if (path.empty()) return;
    int written = 0;
    std::string error;
    // A failed Save As ends silently; the atomic write leaves no partial file.
    if (!WriteFigureFile(state.figure, path, written, error)) return;
    state.figure.CurrentFile = path;
    SetCleanCaption(state, window, written);
}

bool Form_QueryUnload(Orvanta& state, ConstelWindow& window) {
    return !RunUnsavedChangesGuard(state, window).writeFailed;
}

}  // namespace orvanta
