// Keeping unsaved changes in the recovery file, and offering them back.
#include "commands/recovery.h"

#include <cstdio>

#include "commands/culture_commands.h"
#include "commands/document_commands.h"
#include "commands/figure_edits.h"
#include "documents/culture/culture_edit.h"
#include "documents/culture/culture_folder.h"
#include "documents/figure_file.h"
#include "files/careful_writer.h"
#include "files/file_reading.h"
#include "files/quoted_field.h"
#include "files/user_folders.h"

namespace orvanta {

namespace {

std::string FormatTime(const LocalDateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('/') + 1); }

// The culture opened from its folder, and the kept files' changes made as
// one step, so that Undo goes back to what the folder holds. False when the
// folder can no longer be read: the recovery file stays for another try.
bool RecoverCulture(ProgramState& state, Window& window, const Recovery& recovery) {
    if (!OpenCulture(state, window, recovery.documentFile)) return false;
    CultureDocument& doc = *state.document.culture;
    Culture recovered;
    if (const ReadFailure failure = ReadCultureWith(doc.culture, recovery.cultureFiles, recovered); failure.failed) {
        ReportFigureUnreadable(state, window, recovery.path, failure, TextKey::CultureUnreadable);
        return false;
    }
    CultureEdit edit = DifferenceOf(doc.culture, std::move(recovered));
    if (!edit.Empty()) RecordEdit(state, window, std::move(edit));
    return true;
}

}  // namespace

std::string RecoveryFolder() { return UserStateFolder(); }

WriteResult KeepRecovery(ProgramState& state, const LocalDateTime& now) {
    const Document& document = state.document;
    if (state.recoveryPath.empty()) return {};
    if (!document.Changed()) {
        RemoveRecovery(state);
        return {};
    }
    if (state.recoveryRevision == document.revision) return {};
    MakePrivateFolders(FolderOf(state.recoveryPath));
    Recovery recovery{state.recoveryPath, state.processId, document.file, FormatTime(now), {}, {}};
    // A culture keeps its changed files as a save would write them; a figure its lines.
    if (document.IsCulture()) recovery.cultureFiles = CultureChanges(document.culture->culture);
    else recovery.records = document.figure.Records();
    // A failure here must not interrupt the user; the next tick tries again.
    WriteResult written = WriteFileCarefully(state.recoveryPath, FormatRecovery(recovery), SparingTheDocument(document));
    if (written.written) state.recoveryRevision = document.revision;
    return written;
}

void RemoveRecovery(ProgramState& state) {
    if (state.recoveryPath.empty()) return;
    RemoveFile(state.recoveryPath);
    state.recoveryRevision = 0;
}

std::vector<std::string> FindOrphanedRecoveries(const std::string& folder, const Processes& processes) {
    std::vector<std::string> found;
    for (const std::string& name : NamesInFolder(folder)) {
        const int processId = ProcessIdOfRecovery(name);
        if (processId != 0 && processId != processes.Own() && !processes.OrvantaRuns(processId))
            found.push_back(folder + name);
    }
    return found;
}

void WarnIfRecoveryImpossible(const ProgramState& state, Window& window, const Processes& processes) {
    if (state.recoveryPath.empty()) return;
    const std::string folder = FolderOf(state.recoveryPath);
    MakePrivateFolders(folder);
    if (IsWritableFolder(folder)) return;
    // Typically left by a run as root: the folder is root's, and only its owner can give it back.
    window.ShowMessage(FillIn(Text(state.strings, TextKey::RecoveryFolderUnwritable),
                              {EscapeControls(folder), "sudo chown -R " + processes.UserName() + ": " + EscapeControls(folder)}),
                       Text(state.strings, TextKey::Warning), MessageIcon::Information);
}

void OfferRecoveries(ProgramState& state, Window& window, const std::string& folder, const Processes& processes) {
    for (const std::string& path : FindOrphanedRecoveries(folder, processes)) {
        Recovery recovery;
        if (ReadRecovery(path, recovery).failed) continue;  // not ours to judge: leave it
        const std::string name = recovery.documentFile.empty() ? Text(state.strings, TextKey::Untitled)
                                                               : recovery.documentFile;
        if (!window.AskYesNo(FillIn(Text(state.strings, TextKey::RecoveryOffer), {name, recovery.time}),
                             Text(state.strings, TextKey::Title))) {
            RemoveFile(path);
            continue;
        }
        if (!GuardUnsavedChanges(state, window)) return;
        if (!recovery.cultureFiles.empty()) {
            if (RecoverCulture(state, window, recovery)) RemoveFile(path);
            continue;
        }
        // On its own file when that can still be read, so that Undo goes back to the file.
        std::vector<LineRecord> onDisk;
        const bool fileReadable =
            !recovery.documentFile.empty() && !ReadFigureRecords(recovery.documentFile, onDisk).failed;
        ShowDocument(state, window, fileReadable ? recovery.documentFile : "", onDisk);
        if (fileReadable) RememberRecentFile(state, recovery.documentFile);
        RecordEdit(state, window, FigureEdit{FigureEdit::Kind::ReplaceLines, 0, {}, std::move(onDisk), recovery.records});
        RemoveFile(path);
    }
}

}  // namespace orvanta
