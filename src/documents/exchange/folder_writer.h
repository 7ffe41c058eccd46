#pragma once
// Writes a folder of files so that it appears whole or not at all.
#include <string>
#include <utility>
#include <vector>

namespace orvanta {

// Builds the folder under a temporary name beside path and renames it into
// place; an existing folder at path is replaced only once the new one is
// complete. error says why on failure, and nothing is left behind.
bool WriteFolderAtomically(const std::string& path, const std::vector<std::pair<std::string, std::string>>& files,
                           std::string& error);

}  // namespace orvanta
