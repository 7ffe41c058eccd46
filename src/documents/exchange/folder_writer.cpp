#include "documents/exchange/folder_writer.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "documents/atomic_file.h"

namespace orvanta {

namespace {

std::string TemporaryFolderBeside(const std::filesystem::path& target, const char* kind) {
    std::string pattern = (target.parent_path() / (std::string(".orvanta-") + kind + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

}  // namespace

bool WriteFolderAtomically(const std::string& path, const std::vector<std::pair<std::string, std::string>>& files,
                           std::string& error) {
    std::filesystem::path target(path);
    if (!target.has_filename()) target = target.parent_path();  // "out/" names the folder "out"
    if (target.parent_path().empty()) target = std::filesystem::path(".") / target;
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    if (replacing && !S_ISDIR(existing.st_mode)) {
        error = "a file of that name is in the way";
        return false;
    }
    const std::string building = TemporaryFolderBeside(target, "export");
    if (building.empty()) {
        error = std::strerror(errno);
        return false;
    }
    std::error_code ignored;
    for (const auto& [name, bytes] : files) {
        if (!WriteFileAtomically(building + "/" + name, bytes, error)) {
            std::filesystem::remove_all(building, ignored);
            return false;
        }
    }
    ::chmod(building.c_str(), replacing ? (existing.st_mode & 07777) : 0755);
    // rename() replaces an empty folder only, so an old one first moves aside.
    std::string aside;
    if (replacing) {
        aside = TemporaryFolderBeside(target, "replaced");
        if (aside.empty() || ::rename(target.c_str(), aside.c_str()) != 0) {
            error = std::strerror(errno);
            if (!aside.empty()) ::rmdir(aside.c_str());
            std::filesystem::remove_all(building, ignored);
            return false;
        }
    }
    if (::rename(building.c_str(), target.c_str()) != 0) {
        error = std::strerror(errno);
        if (replacing) ::rename(aside.c_str(), target.c_str());
        std::filesystem::remove_all(building, ignored);
        return false;
    }
    if (replacing) std::filesystem::remove_all(aside, ignored);
    return true;
}

}  // namespace orvanta
