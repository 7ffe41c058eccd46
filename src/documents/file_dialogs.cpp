#include "documents/file_dialogs.h"

namespace orvanta {

namespace {

// The chosen path without surrounding blanks or a trailing NUL.
std::string CleanResult(std::string path) {
    const size_t first = path.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    path = path.substr(first, path.find_last_not_of(' ') - first + 1);
    if (!path.empty() && path.back() == '\0') path.pop_back();
    return path;
}

}  // namespace

std::string NulSeparatedFilter(std::string filter) {
    if (filter.empty() || filter.back() != '|') filter += '|';
    for (char& c : filter)
        if (c == '|') c = '\0';
    return filter;
}

std::string ShowOpenDialog(ConstelWindow& owner, const std::string& filter, const std::string& title,
                           const std::string& initialDirectory) {
    FileDialogRequest request;
    request.filter = NulSeparatedFilter(filter);
    request.title = title;
    request.initialDirectory = initialDirectory;
    request.fileMustExist = true;
    return CleanResult(owner.GetOpenFileName(request));
}

std::string ShowSaveDialog(ConstelWindow& owner, const std::string& filter, const std::string& title,
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

}  // namespace orvanta
