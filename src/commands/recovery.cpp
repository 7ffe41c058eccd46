#include "commands/recovery.h"

#include <dirent.h>
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
#include "documents/atomic_file.h"
#include "documents/figure_file.h"
#include "sky/text_file.h"

namespace orvanta {

namespace {

constexpr const char* kFirstLine = "Orvanta recovery 1";
constexpr const char* kPrefix = "recovery-";
constexpr const char* kSuffix = ".txt";

bool MakeFolders(const std::string& folder) {
    // Each level in turn; the state folder is private to the user.
    for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
        if (::mkdir(folder.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) return false;
    return true;
}

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

int ProcessIdOf(const std::string& name) {
    const std::string prefix = kPrefix, suffix = kSuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::atoi(digits.c_str());
}

}  // namespace

std::string RecoveryFolder() { return XdgFolder("XDG_STATE_HOME", ".local/state"); }

std::string RecoveryPathFor(const std::string& folder, int processId) {
    return folder + kPrefix + std::to_string(processId) + kSuffix;
}

std::string FormatRecovery(const Recovery& recovery) {
    return std::string(kFirstLine) + "\n" + "pid=" + std::to_string(recovery.processId) + "\n" +
           "file=" + recovery.documentFile + "\n" + "time=" + recovery.time + "\n" + "lines=\n" +
           FormatFigureFile(recovery.records);
}

ReadFailure ReadRecovery(const std::string& path, Recovery& recovery) {
    std::string text;
    if (auto failure = ReadWholeFile(path, text, kFigureFileLimit + 8192); failure.failed) return failure;
    Recovery read;
    read.path = path;
    size_t position = 0;
    int line = 0;
    const auto nextLine = [&](std::string& out) {
        const size_t end = text.find('\n', position);
        if (end == std::string::npos) return false;
        out = text.substr(position, end - position);
        position = end + 1;
        ++line;
        return true;
    };
    std::string header;
    if (!nextLine(header) || header != kFirstLine) return {true, 1, "this is not a recovery file of Orvanta"};
    const std::pair<const char*, std::string*> fields[] = {{"pid=", nullptr}, {"file=", &read.documentFile},
                                                           {"time=", &read.time}, {"lines=", nullptr}};
    for (const auto& [name, target] : fields) {
        std::string value;
        if (!nextLine(value) || value.rfind(name, 0) != 0) return {true, line + 1, std::string("no ") + name + " line"};
        value.erase(0, std::string(name).size());
        if (target) *target = value;
        if (std::string(name) == "pid=") read.processId = std::atoi(value.c_str());
    }
    if (auto failure = ParseFigureFile(text.substr(position), read.records); failure.failed) {
        failure.line += line;
        return failure;
    }
    recovery = std::move(read);
    return {};
}

void KeepRecovery(ProgramState& state, const LocalDateTime& now) {
    const Document& document = state.document;
    if (state.recoveryPath.empty()) return;
    if (!document.Changed()) return RemoveRecovery(state);
    if (state.recoveryRevision == document.revision) return;
    const size_t slash = state.recoveryPath.find_last_of('/');
    if (slash == std::string::npos || !MakeFolders(state.recoveryPath.substr(0, slash + 1))) return;
    const Recovery recovery{state.recoveryPath, static_cast<int>(::getpid()), document.file, FormatTime(now),
                            document.figure.Records()};
    std::string error;
    // A failure here must not interrupt the user; the next tick tries again.
    if (WriteFileAtomically(state.recoveryPath, FormatRecovery(recovery), error))
        state.recoveryRevision = document.revision;
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
        const int processId = ProcessIdOf(entry->d_name);
        if (processId != 0 && processId != ::getpid() && !ProgramRuns(processId)) found.push_back(folder + entry->d_name);
    }
    ::closedir(dir);
    return found;
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
