// Where a path leads, its links followed as the kernel would follow them.
#include "files/file_place.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace orvanta {

namespace {

constexpr int kMostLinksFollowed = 40;  // the kernel's own limit

bool Split(const std::string& path, std::string& folder, std::string& name) {
    const size_t slash = path.find_last_of('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
    return !name.empty() && name != "." && name != "..";
}

}  // namespace

bool IsSharedFolder(const struct stat& folder) { return (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH); }

bool MayUseInFolder(const struct stat& folder, unsigned owner) {
    return !IsSharedFolder(folder) || owner == ::geteuid() || owner == folder.st_uid;
}

bool FindPlace(const std::string& path, FilePlace& place, std::string& error) {
    std::string folder, name;
    if (!Split(path, folder, name)) {
        error = "it names a folder, not a file";
        return false;
    }
    place.folder.Reset(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    place.folderPath = folder;
    place.name = name;
    return FollowLinks(place, error);
}

bool FollowLinks(FilePlace& place, std::string& error) {
    std::string folder, name;
    for (int hop = 0; hop <= kMostLinksFollowed; ++hop) {
        if (!place.folder.IsOpen()) {
            error = std::strerror(errno);
            return false;
        }
        struct stat info {};
        if (::fstatat(place.folder.get(), place.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT) return true;  // a new file
            error = std::strerror(errno);
            return false;
        }
        if (!S_ISLNK(info.st_mode)) return true;
        struct stat folderInfo {};
        if (::fstat(place.folder.get(), &folderInfo) != 0 || !MayUseInFolder(folderInfo, info.st_uid)) {
            error = "it is a symbolic link that another user put in a shared folder, and it is not followed";
            return false;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlinkat(place.folder.get(), place.name.c_str(), target.data(), target.size());
        if (length < 0) {
            error = std::strerror(errno);
            return false;
        }
        target.resize(static_cast<size_t>(length));
        if (!Split(target, folder, name)) {
            error = "it is a symbolic link to a folder, not to a file";
            return false;
        }
        // A relative link is read from the folder holding it.
        const bool absolute = target.front() == '/';
        const int from = absolute ? AT_FDCWD : place.folder.get();
        const bool sameFolder = !absolute && target.find('/') == std::string::npos;
        if (!sameFolder) {
            FileDescriptor next(::openat(from, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            place.folder = std::move(next);
            place.folderPath = absolute ? folder : place.folderPath + "/" + folder;
        }
        place.name = name;
    }
    error = std::strerror(ELOOP);
    return false;
}

}  // namespace orvanta
