#pragma once
// The open and save dialogs: file types, a title and a start folder in; the
// chosen full path out, "" on cancel.
#include <string>
#include <vector>

#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

std::string ShowOpenDialog(Window& owner, std::vector<FileFilter> filters, const std::string& title,
                           const std::string& initialDirectory,
                           std::function<bool(const std::string&)> folderIsDocument = {});
std::string ShowSaveDialog(Window& owner, std::vector<FileFilter> filters, const std::string& title,
                           const std::string& initialDirectory, const std::string& defaultFileName,
                           const std::string& defaultExtension = "con");

// Where a dialog starts: the folder last used; at first the program's folder
// when the user may write there (an installed program's is read-only), else home.
std::string DialogStartFolder(const ProgramState& state);
// The folder of a file, to be remembered once something was written or read there.
std::string FolderOf(const std::string& path);

}  // namespace orvanta
