#pragma once
// The open and save dialogs: a filter of "description|pattern|" entries, a
// title and a start folder in; the chosen full path out, "" on cancel.
#include <string>

#include "ui/constel_window.h"

namespace orvanta {

std::string ShowOpenDialog(ConstelWindow& owner, const std::string& filter, const std::string& title,
                           const std::string& initialDirectory);
std::string ShowSaveDialog(ConstelWindow& owner, const std::string& filter, const std::string& title,
                           const std::string& initialDirectory, const std::string& defaultFileName);

// "a|b|" as "a\0b\0": the form the dialogs take.
std::string NulSeparatedFilter(std::string filter);

}  // namespace orvanta
