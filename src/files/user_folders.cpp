// Orvanta's folders in the user's home.
#include "files/user_folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace orvanta {

std::string XdgFolder(const char* variable, const char* underHome) {
    const char* base = std::getenv(variable);
    // The XDG rule: a relative path is to be ignored.
    if (base && base[0] == '/') return std::string(base) + "/orvanta/";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/" + underHome + "/orvanta/";
    return {};
}

std::string UserConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }

std::string UserStateFolder() { return XdgFolder("XDG_STATE_HOME", ".local/state"); }

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home && home[0] == '/' ? std::string(home) : std::string();
}

namespace {

bool MakeFoldersWithMode(const std::string& folder, mode_t mode) {
    if (folder.empty()) return false;
    for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
        if (::mkdir(folder.substr(0, slash).c_str(), mode) != 0 && errno != EEXIST) return false;
    if (folder.back() != '/' && ::mkdir(folder.c_str(), mode) != 0 && errno != EEXIST) return false;
    return true;
}

}  // namespace

bool MakePrivateFolders(const std::string& folder) { return MakeFoldersWithMode(folder, 0700); }

bool MakeFolders(const std::string& folder) { return MakeFoldersWithMode(folder, 0777); }

}  // namespace orvanta
