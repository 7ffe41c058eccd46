#pragma once
// The open and save dialogs: a filter of "description|pattern|" entries, a
// title and a start folder in; the chosen full path out, "" on cancel.
#include <string>

#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

std::string ShowOpenDialog(Window& owner, const std::string& filter, const std::string& title,
                           const std::string& initialDirectory);
std::string ShowSaveDialog(Window& owner, const std::string& filter, const std::string& title,
                           const std::string& initialDirectory, const std::string& defaultFileName);

// "a|b|" as "a\0b\0": the form the dialogs take.
std::string NulSeparatedFilter(std::string filter);

// Where a dialog starts: the folder last used; at first the program's folder
// when the user may write there (an installed program's is read-only), else home.
std::string DialogStartFolder(const ProgramState& state);
// Remembers the folder of a chosen file for the next dialog.
void RememberFolderOf(ProgramState& state, const std::string& path);

}  // namespace orvanta
