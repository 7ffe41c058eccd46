// The requests for the open and save dialogs, and where they start.
#include "commands/file_dialogs.h"

#include "files/file_reading.h"
#include "files/user_folders.h"

namespace orvanta {

std::string ShowOpenDialog(Window& owner, std::vector<FileFilter> filters, const std::string& title,
                           const std::string& initialDirectory, std::function<bool(const std::string&)> folderIsDocument) {
    FileDialogRequest request;
    request.folderIsDocument = std::move(folderIsDocument);
    request.filters = std::move(filters);
    request.title = title;
    request.initialDirectory = initialDirectory;
    request.fileMustExist = true;
    return owner.GetOpenFileName(request);
}

std::string ShowSaveDialog(Window& owner, std::vector<FileFilter> filters, const std::string& title,
                           const std::string& initialDirectory, const std::string& defaultFileName,
                           const std::string& defaultExtension) {
    FileDialogRequest request;
    request.filters = std::move(filters);
    request.title = title;
    request.initialDirectory = initialDirectory;
    request.defaultFileName = defaultFileName;
    request.defaultExtension = defaultExtension;
    // A new culture's folder is created by the save, not asked about as a file.
    request.overwritePrompt = !defaultExtension.empty();
    request.createPrompt = !defaultExtension.empty();
    return owner.GetSaveFileName(request);
}

std::string DialogStartFolder(const ProgramState& state) {
    if (!state.lastFolder.empty() && Exists(state.lastFolder)) return state.lastFolder;
    if (IsWritableFolder(state.programFolder)) return state.programFolder;
    const std::string home = HomeFolder();
    return home.empty() ? state.programFolder : home;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace orvanta
