#include "commands/recovery.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "commands/document_commands.h"
#include "commands/figure_edits.h"
#include "commands/startup.h"
#include "documents/figure_file.h"
#include "documents/recovery_file.h"
#include "files/careful_writer.h"
#include "files/quoted_field.h"
#include "files/user_folders.h"

namespace orvanta {

namespace {

std::string FormatTime(const LocalDateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

// Whether an Orvanta of that number still runs: a number taken over by
// another program does not count.
bool ProgramRuns(int processId) {
    if (processId <= 0) return false;
    if (::kill(processId, 0) != 0 && errno == ESRCH) return false;
    std::ifstream comm("/proc/" + std::to_string(processId) + "/comm");
    std::string name;
    if (!std::getline(comm, name)) return true;  // no /proc: trust the number
    return name == "orvanta";
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('/') + 1); }

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
    const Recovery recovery{state.recoveryPath, static_cast<int>(::getpid()), document.file, FormatTime(now),
                            document.figure.Records()};
    // A failure here must not interrupt the user; the next tick tries again.
    WriteResult written = WriteFileCarefully(state.recoveryPath, FormatRecovery(recovery), SparingTheDocument(document));
    if (written.written) state.recoveryRevision = document.revision;
    return written;
}

void RemoveRecovery(ProgramState& state) {
    if (state.recoveryPath.empty()) return;
    ::unlink(state.recoveryPath.c_str());
    state.recoveryRevision = 0;
}

std::vector<std::string> FindOrphanedRecoveries(const std::string& folder) {
    std::vector<std::string> found;
    DIR* dir = folder.empty() ? nullptr : ::opendir(folder.c_str());
    if (!dir) return found;
    while (const dirent* entry = ::readdir(dir)) {
        const int processId = ProcessIdOfRecovery(entry->d_name);
        if (processId != 0 && processId != ::getpid() && !ProgramRuns(processId)) found.push_back(folder + entry->d_name);
    }
    ::closedir(dir);
    return found;
}

void WarnIfRecoveryImpossible(const ProgramState& state, Window& window) {
    if (state.recoveryPath.empty()) return;
    const std::string folder = FolderOf(state.recoveryPath);
    MakePrivateFolders(folder);
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0) return;
    // Typically left by a run as root: the folder is root's, and only its owner can give it back.
    const passwd* user = ::getpwuid(::geteuid());
    const std::string name = user ? user->pw_name : std::to_string(::geteuid());
    window.ShowMessage(FillIn(Text(state.strings, TextKey::RecoveryFolderUnwritable),
                              {EscapeControls(folder), "sudo chown -R " + name + ": " + EscapeControls(folder)}),
                       Text(state.strings, TextKey::Warning), MessageIcon::Information);
}

void OfferRecoveries(ProgramState& state, Window& window, const std::string& folder) {
    for (const std::string& path : FindOrphanedRecoveries(folder)) {
        Recovery recovery;
        if (ReadRecovery(path, recovery).failed) continue;  // not ours to judge: leave it
        const std::string name = recovery.documentFile.empty() ? Text(state.strings, TextKey::Untitled)
                                                               : recovery.documentFile;
        if (!window.AskYesNo(FillIn(Text(state.strings, TextKey::RecoveryOffer), {name, recovery.time}),
                             Text(state.strings, TextKey::Title))) {
            ::unlink(path.c_str());
            continue;
        }
        if (!GuardUnsavedChanges(state, window)) return;
        // On its own file when that can still be read, so that Undo goes back to the file.
        std::vector<LineRecord> onDisk;
        const bool fileReadable =
            !recovery.documentFile.empty() && !ReadFigureRecords(recovery.documentFile, onDisk).failed;
        ShowDocument(state, window, fileReadable ? recovery.documentFile : "", onDisk);
        if (fileReadable) RememberRecentFile(state, recovery.documentFile);
        RecordEdit(state, window, FigureEdit{FigureEdit::Kind::ReplaceLines, 0, {}, std::move(onDisk), recovery.records});
        ::unlink(path.c_str());
    }
}

}  // namespace orvanta
