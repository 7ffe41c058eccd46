#include "commands/file_dialogs.h"

#include <unistd.h>

#include <cstdlib>

namespace orvanta {

namespace {

// The chosen path exactly as given: a name may begin or end in blanks, and
// trimming them would save to, or open, another file.
std::string CleanResult(std::string path) {
    if (!path.empty() && path.back() == '\0') path.pop_back();
    return path;
}

bool IsWritableFolder(const std::string& folder) { return !folder.empty() && ::access(folder.c_str(), W_OK) == 0; }

}  // namespace

std::string NulSeparatedFilter(std::string filter) {
    if (filter.empty() || filter.back() != '|') filter += '|';
    for (char& c : filter)
        if (c == '|') c = '\0';
    return filter;
}

std::string ShowOpenDialog(Window& owner, const std::string& filter, const std::string& title,
                           const std::string& initialDirectory) {
    FileDialogRequest request;
    request.filter = NulSeparatedFilter(filter);
    request.title = title;
    request.initialDirectory = initialDirectory;
    request.fileMustExist = true;
    return CleanResult(owner.GetOpenFileName(request));
}

std::string ShowSaveDialog(Window& owner, const std::string& filter, const std::string& title,
                           const std::string& initialDirectory, const std::string& defaultFileName) {
    FileDialogRequest request;
    request.filter = NulSeparatedFilter(filter);
    request.title = title;
    request.initialDirectory = initialDirectory;
    request.defaultFileName = defaultFileName;
    request.defaultExtension = "con";
    request.overwritePrompt = true;
    request.createPrompt = true;
    return CleanResult(owner.GetSaveFileName(request));
}

std::string DialogStartFolder(const ProgramState& state) {
    if (!state.lastFolder.empty() && ::access(state.lastFolder.c_str(), F_OK) == 0) return state.lastFolder;
    if (IsWritableFolder(state.programFolder)) return state.programFolder;
    const char* home = std::getenv("HOME");
    return home && home[0] == '/' ? std::string(home) : state.programFolder;
}

void RememberFolderOf(ProgramState& state, const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash != std::string::npos) state.lastFolder = path.substr(0, slash + 1);
}

}  // namespace orvanta
