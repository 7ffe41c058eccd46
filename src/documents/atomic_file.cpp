#include "documents/atomic_file.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "sky/file_descriptor.h"

namespace orvanta {

namespace {

constexpr const char kTemporaryPrefix[] = ".orvanta-save-";
constexpr const char kBackupPrefix[] = ".orvanta-backup-";
// With no folder to hold a copy of the old contents, they are kept in memory up to this size.
constexpr off_t kLargestCopyInMemory = 64 << 20;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAllAt(int fd, const char* bytes, size_t size, off_t offset) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, bytes + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Copies the whole of one file to the start of another, whatever their positions.
bool CopyContents(int from, int to) {
    char buffer[1 << 16];
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(from, buffer, sizeof buffer, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (!WriteAllAt(to, buffer, static_cast<size_t>(n), offset)) return false;
        offset += n;
    }
}

// Follows symbolic links to the name of the file they lead to, which may not exist yet.
bool FollowLinks(const std::string& path, std::string& target, std::string& error) {
    target = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0) {
            error = std::strerror(errno);
            return false;
        }
        link.resize(static_cast<size_t>(length));
        target = link.front() == '/' ? link : FolderOf(target) + "/" + link;
    }
    error = std::strerror(ELOOP);
    return false;
}

// A crashed or killed save leaves its temporary file behind; the pid in the
// name tells whether the process that wrote it is gone. Backups are kept:
// after a crash in the middle of writing in place they hold the only copy.
void RemoveStaleTemporaries(const std::string& folder) {
    DIR* listing = ::opendir(folder.c_str());
    if (!listing) return;
    const size_t prefixLength = sizeof kTemporaryPrefix - 1;
    while (const dirent* entry = ::readdir(listing)) {
        const char* name = entry->d_name;
        if (std::strncmp(name, kTemporaryPrefix, prefixLength) != 0) continue;
        char* end = nullptr;
        const long pid = std::strtol(name + prefixLength, &end, 10);
        if (end == name + prefixLength || *end != '-' || pid <= 0 || pid > INT_MAX) continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        struct stat info {};
        if (::fstatat(::dirfd(listing), name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(info.st_mode) && info.st_uid == ::geteuid()) ::unlinkat(::dirfd(listing), name, 0);
    }
    ::closedir(listing);
}

void SyncFolder(const std::string& folder) {
    // Without this the rename may be lost on a power failure, leaving the old file.
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) ::fsync(fd.get());
}

// A new file in folder whose name starts with prefix and our pid; path receives its name.
int CreateBeside(const std::string& folder, const char* prefix, std::string& path) {
    path = folder + "/" + prefix + std::to_string(::getpid()) + "-XXXXXX";
    return ::mkostemp(path.data(), O_CLOEXEC);
}

enum class Outcome { Done, Failed, WriteInPlace };

// Writes a new file beside target and renames it over target. existing is the
// old file's status, or nullptr for a new file.
Outcome ReplaceByRename(const std::string& target, const struct stat* existing, const std::string& bytes,
                        std::string& error) {
    const std::string folder = FolderOf(target);
    std::string temporary;
    FileDescriptor fd(CreateBeside(folder, kTemporaryPrefix, temporary));
    if (fd.get() < 0) {
        // The folder refuses new files, but the file itself may still be writable.
        if (existing && (errno == EACCES || errno == EPERM)) return Outcome::WriteInPlace;
        error = std::strerror(errno);
        return Outcome::Failed;
    }
    const auto giveUp = [&](Outcome outcome, int failure) {
        fd.Close();
        ::unlink(temporary.c_str());
        if (outcome == Outcome::Failed) error = std::strerror(failure);
        return outcome;
    };
    if (existing) {
        struct stat created {};
        ::fstat(fd.get(), &created);
        // Only root may give a file away; anyone else keeps the old owner by writing in place.
        if ((created.st_uid != existing->st_uid || created.st_gid != existing->st_gid) &&
            ::fchown(fd.get(), existing->st_uid, existing->st_gid) != 0)
            return giveUp(Outcome::WriteInPlace, 0);
        // After fchown, which clears the set-user-ID and set-group-ID bits.
        ::fchmod(fd.get(), existing->st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd.get(), 0666 & ~mask);
    }
    if (!WriteAllAt(fd.get(), bytes.data(), bytes.size(), 0) || ::fsync(fd.get()) != 0 || !fd.Close())
        return giveUp(Outcome::Failed, errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0) return giveUp(Outcome::Failed, errno);
    SyncFolder(folder);
    return Outcome::Done;
}

// The old contents of a file written in place: a file beside it, or memory
// where the folder takes no new files.
class OldContents {
public:
    ~OldContents() {
        if (!keep_ && !path_.empty()) ::unlink(path_.c_str());
    }
    bool Take(int file, const std::string& folder, off_t size, std::string& error) {
        backup_.Reset(CreateBeside(folder, kBackupPrefix, path_));
        if (backup_.get() >= 0) {
            if (CopyContents(file, backup_.get()) && ::fsync(backup_.get()) == 0) return true;
            error = std::strerror(errno);
            return false;
        }
        path_.clear();
        if (size > kLargestCopyInMemory) {
            error = "there is no room beside the file to keep a copy of it while it is written";
            return false;
        }
        memory_.resize(static_cast<size_t>(size));
        for (size_t done = 0; done < memory_.size();) {
            const ssize_t n = ::pread(file, memory_.data() + done, memory_.size() - done, static_cast<off_t>(done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                error = n < 0 ? std::strerror(errno) : "the file changed while it was saved";
                return false;
            }
            done += static_cast<size_t>(n);
        }
        return true;
    }
    bool PutBack(int file) {
        const bool ok = ::ftruncate(file, 0) == 0 &&
                        (backup_.get() >= 0 ? CopyContents(backup_.get(), file)
                                            : WriteAllAt(file, memory_.data(), memory_.size(), 0)) &&
                        ::fsync(file) == 0;
        keep_ = !ok;  // the copy is then the only whole version left
        return ok;
    }
    const std::string& Path() const { return path_; }

private:
    FileDescriptor backup_;
    std::string path_;
    std::string memory_;
    bool keep_ = false;
};

bool WriteInPlace(const std::string& target, const std::string& bytes, std::string& error) {
    FileDescriptor fd(::open(target.c_str(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "it is not a regular file";
        return false;
    }
    OldContents old;
    if (!old.Take(fd.get(), FolderOf(target), info.st_size, error)) return false;
    if (::ftruncate(fd.get(), 0) == 0 && WriteAllAt(fd.get(), bytes.data(), bytes.size(), 0) &&
        ::fsync(fd.get()) == 0)
        return true;
    error = std::strerror(errno);
    if (!old.PutBack(fd.get()))
        error += old.Path().empty() ? "; the old contents could not be put back"
                                    : "; the old contents could not be put back and are kept in " + old.Path();
    return false;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    std::string target;
    if (!FollowLinks(path, target, error)) return false;
    RemoveStaleTemporaries(FolderOf(target));
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0) {
        if (errno != ENOENT) {
            error = std::strerror(errno);
            return false;
        }
        return ReplaceByRename(target, nullptr, bytes, error) == Outcome::Done;
    }
    if (S_ISDIR(existing.st_mode)) {
        error = "it is a folder";
        return false;
    }
    // A FIFO or a device would block or take the bytes somewhere else.
    if (!S_ISREG(existing.st_mode)) {
        error = "it is not a regular file";
        return false;
    }
    // Root may write anything; a file nobody may write is still meant to stay as it is.
    if ((existing.st_mode & 0222) == 0) {
        error = "the file is read-only";
        return false;
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        error = errno == EACCES ? "you have no permission to change this file" : std::strerror(errno);
        return false;
    }
    // A rename would split a file with other hard links from them.
    if (existing.st_nlink > 1) return WriteInPlace(target, bytes, error);
    switch (ReplaceByRename(target, &existing, bytes, error)) {
        case Outcome::Done: return true;
        case Outcome::Failed: return false;
        case Outcome::WriteInPlace: return WriteInPlace(target, bytes, error);
    }
    return false;
}

}  // namespace orvanta
