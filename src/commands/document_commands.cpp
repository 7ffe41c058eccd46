// Open, Save and Save As, the unsaved-changes guard, and the messages about files.
#include "commands/document_commands.h"

#include <algorithm>

#include "commands/culture_commands.h"
#include "commands/file_dialogs.h"
#include "commands/map_redraw.h"
#include "map/map_painting.h"
#include "commands/recovery.h"
#include "commands/window_state.h"
#include "documents/culture/culture_folder.h"
#include "documents/figure_file.h"
#include "files/file_reading.h"

namespace orvanta {

namespace {

std::string FailureDetail(const std::string& path, const ReadFailure& failure, const GuiStrings& strings) {
    std::string detail = path;
    if (failure.line > 0)
        detail += "\n" + Text(strings, TextKey::ReadingStoppedAt) + " " + std::to_string(failure.line);
    if (!failure.reason.empty()) detail += (failure.line > 0 ? ": " : "\n") + failure.reason;
    return detail;
}

// Reloads the reference tables: a bad one keeps the table it had, and the figure still opens.
void ReloadReferenceTables(ProgramState& state, Window& window) {
    const std::string boundsPath = state.DataPath("bounds.txt");
    if (auto failure = LoadBoundaries(state.boundaries, boundsPath); failure.failed)
        ReportDataFailure(state, window, boundsPath, failure);
    const std::string consPath = state.DataPath("cons.txt");
    if (auto failure = LoadConstellations(state.constellations, consPath, 1, EnglishConstellationNames(state.strings));
        failure.failed)
        ReportDataFailure(state, window, consPath, failure);
}

// Whether the document's own file was changed by another writer since we read
// or wrote it, and the user does not want it replaced.
bool KeepOtherWritersChange(ProgramState& state, Window& window, const std::string& path) {
    const Document& document = state.document;
    if (path != document.file || !document.stamp) return false;
    const auto now = StampOf(path);
    if (!now || *now == *document.stamp) return false;
    return !window.AskYesNo(Text(state.strings, TextKey::ChangedOnDisk) + "\n\n" + path,
                            Text(state.strings, TextKey::Warning));
}

// Writes the figure to path; on success that file is the document's and the figure is saved.
bool WriteDocument(ProgramState& state, Window& window, const std::string& path) {
    if (KeepOtherWritersChange(state, window, path)) return false;
    const WriteResult written = WriteFigureFile(state.document.figure.Records(), path);
    ReportInterruptedSave(state, window, path, written.earlier);
    if (!written.written) {
        ReportSaveFailure(state, window, path, written.error);
        return false;
    }
    // Only a folder that took the file is remembered for the next dialog.
    state.lastFolder = FolderOf(path);
    state.document.file = path;
    state.document.stamp = StampOf(path);
    state.document.history.MarkClean();
    RemoveRecovery(state);
    RememberRecentFile(state, path);
    RefreshWindowState(state, window);
    return true;
}

}  // namespace

std::vector<FileFilter> FigureFileFilter(const ProgramState& state) {
    return {{Text(state.strings, TextKey::FigureFilter), {"*.con"}}};
}

void ReportInterruptedSave(const ProgramState& state, Window& window, const std::string& path,
                           const InterruptedSave& found) {
    TextKey key = TextKey::InterruptedSaveFinished;
    switch (found.outcome) {
        case InterruptedSave::Outcome::None: return;
        case InterruptedSave::Outcome::Finished: key = TextKey::InterruptedSaveFinished; break;
        case InterruptedSave::Outcome::Restored: key = TextKey::InterruptedSaveRestored; break;
        case InterruptedSave::Outcome::KeptAside: key = TextKey::InterruptedSaveKeptAside; break;
    }
    window.ShowMessage(FillIn(Text(state.strings, key), {found.copyPath}) + "\n\n" + path,
                       Text(state.strings, TextKey::Title), MessageIcon::Information);
}

void ReportSaveFailure(const ProgramState& state, Window& window, const std::string& path, const std::string& error) {
    // What is true of the figure: still marked when it has unsaved changes, as it was when it had none.
    const TextKey said = state.document.Changed() ? TextKey::SaveFailed : TextKey::SaveFailedUnchanged;
    window.ShowMessage(Text(state.strings, said) + "\n\n" + path + "\n" + error, Text(state.strings, TextKey::Title),
                       MessageIcon::Critical);
}

void ReportDataFailure(const ProgramState& state, Window& window, const std::string& path, const ReadFailure& failure) {
    window.ShowMessage(Text(state.strings, TextKey::DataLoadError) + "\n\n" + FailureDetail(path, failure, state.strings),
                       Text(state.strings, TextKey::Title), MessageIcon::Critical);
}

void ReportFigureUnreadable(const ProgramState& state, Window& window, const std::string& path,
                            const ReadFailure& failure, TextKey said) {
    window.ShowMessage(Text(state.strings, said) + "\n\n" +
                           FailureDetail(path, failure, state.strings),
                       Text(state.strings, TextKey::Title), MessageIcon::Critical);
}

bool GuardUnsavedChanges(ProgramState& state, Window& window) {
    Document& document = state.document;
    if (!document.Changed()) return true;
    if (!window.AskYesNo(Text(state.strings, TextKey::SaveQuestion), Text(state.strings, TextKey::Warning))) {
        RemoveRecovery(state);  // the user let the changes go
        return true;
    }
    if (document.IsCulture()) return SaveCulture(state, window);
    if (!document.file.empty()) return WriteDocument(state, window, document.file);
    // A figure that has no file yet (an import) is saved where the user says.
    SaveAsCommand(state, window);
    return !document.Changed();
}

bool OpenFigureFile(ProgramState& state, Window& window, const std::string& path) {
    // A sky culture's folder, or one of its two main files, opens the culture.
    if (!CultureFolderOf(path).empty()) return OpenCulture(state, window, path);
    ReportInterruptedSave(state, window, path, FinishInterruptedSave(path));
    // Read first: a file that is not a figure leaves the document as it was.
    std::vector<LineRecord> records;
    if (auto failure = ReadFigureRecords(path, records); failure.failed) {
        ReportFigureUnreadable(state, window, path, failure);
        return false;
    }
    ShowDocument(state, window, path, std::move(records));
    state.lastFolder = FolderOf(path);
    RememberRecentFile(state, path);
    RefreshWindowState(state, window);
    return true;
}

void ResetDocument(ProgramState& state, Window& window, const std::string& path) {
    Document& document = state.document;
    window.SetBackgroundBlack();
    document.open = true;
    document.file = path;
    state.markedStar.reset();
    document.stamp = path.empty() ? std::nullopt : StampOf(path);
    document.history.Clear();
    ++document.revision;
    ResetZoom(state.view.zoom, window.ScreenHeightPixels());
    for (const ToolbarCommand command : kToolbarCommands) window.SetCommandEnabled(command, true);
    window.SetCommandEnabled(ToolbarCommand::ZoomOut, false);
    ReloadReferenceTables(state, window);
    window.SetStatusText(Text(state.strings, TextKey::HintIdle));
}

void ShowDocument(ProgramState& state, Window& window, const std::string& path, std::vector<LineRecord> records) {
    state.document.culture.reset();
    window.ShowConstellations({}, std::nullopt);
    ResetDocument(state, window, path);
    state.document.figure.ReplaceLines(std::move(records));
    RedrawMap(state, window);
    RefreshWindowState(state, window);
}

void RememberRecentFile(ProgramState& state, const std::string& path) {
    std::vector<std::string>& files = state.recentFiles;
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > kRecentFileCount) files.resize(kRecentFileCount);
}

void OpenRecentCommand(ProgramState& state, Window& window, size_t index) {
    if (index >= state.recentFiles.size()) return;
    const std::string path = state.recentFiles[index];
    if (!Exists(path)) {
        state.recentFiles.erase(state.recentFiles.begin() + static_cast<std::ptrdiff_t>(index));
        window.ShowMessage(Text(state.strings, TextKey::RecentFileGone) + "\n\n" + path,
                           Text(state.strings, TextKey::Title), MessageIcon::Information);
        RefreshWindowState(state, window);
        return;
    }
    if (!GuardUnsavedChanges(state, window)) return;
    OpenFigureFile(state, window, path);
}

void OpenCommand(ProgramState& state, Window& window) {
    if (!GuardUnsavedChanges(state, window)) return;  // the changed figure stays open to be saved elsewhere
    std::vector<FileFilter> filters = FigureFileFilter(state);
    filters.push_back({Text(state.strings, TextKey::CultureFilter), {"index.json", "constellationship.fab"}});
    const std::string path = ShowOpenDialog(window, filters, Text(state.strings, TextKey::OpenTitle), DialogStartFolder(state),
                                            HoldsOneCultureForm);
    if (path.empty()) return;
    OpenFigureFile(state, window, path);
}

void SaveCommand(ProgramState& state, Window& window) {
    if (!state.document.open) return;
    if (state.document.IsCulture()) {
        SaveCulture(state, window);
        return;
    }
    if (state.document.file.empty()) return SaveAsCommand(state, window);
    WriteDocument(state, window, state.document.file);
}

void SaveAsCommand(ProgramState& state, Window& window) {
    if (!state.document.open) return;
    if (state.document.IsCulture()) {
        // A copy of a culture is a new folder, named as its id will be.
        const std::string folder =
            ShowSaveDialog(window, {{Text(state.strings, TextKey::CultureFilter), {"*"}}},
                           Text(state.strings, TextKey::SaveAsTitle), DialogStartFolder(state), "", "");
        if (!folder.empty()) SaveCultureAs(state, window, folder);
        return;
    }
    const std::string path = ShowSaveDialog(window, FigureFileFilter(state), Text(state.strings, TextKey::SaveAsTitle),
                                            DialogStartFolder(state), "");
    if (path.empty()) return;
    // A failure is told, as for Save: the figure stays open and marked, and an old file whole.
    WriteDocument(state, window, path);
}

bool MayClose(ProgramState& state, Window& window) { return GuardUnsavedChanges(state, window); }

}  // namespace orvanta
