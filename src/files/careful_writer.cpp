// The careful writer: every file and folder Orvanta writes.
#include "files/careful_writer.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/file_place.h"
#include "files/file_reading.h"
#include "files/interrupted_saves.h"
#include "files/raw_io.h"
#include "files/temporary_file.h"

namespace orvanta {

namespace {

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Every extended attribute of one file onto another (ACLs among them).
// False where one cannot be given: the old file is then written in place.
bool CopyAttributes(int from, int to) {
    std::string names(65536, '\0');
    const ssize_t length = ::flistxattr(from, names.data(), names.size());
    if (length < 0) return errno == ENOTSUP;
    std::string value;
    for (size_t at = 0; at < static_cast<size_t>(length); at += std::strlen(names.c_str() + at) + 1) {
        const char* name = names.c_str() + at;
        value.assign(65536, '\0');
        const ssize_t size = ::fgetxattr(from, name, value.data(), value.size());
        if (size < 0 || ::fsetxattr(to, name, value.data(), static_cast<size_t>(size), 0) != 0) return false;
    }
    return true;
}

enum class Outcome { Done, Failed, WriteInPlace };

// Writes a new file beside the target and renames it over the target (or
// links it under the target's name for a new file). existing is the old
// file's status, or nullptr for a new file.
Outcome ReplaceByRename(const FilePlace& place, const struct stat* existing, std::string_view bytes,
                        std::string& error) {
    const int folder = place.folder.get();
    Temporary temporary;
    if (!CreateTemporary(folder, temporary)) {
        // The folder refuses new files, but the file itself may still be writable.
        if (existing && (errno == EACCES || errno == EPERM || errno == EROFS)) return Outcome::WriteInPlace;
        error = std::strerror(errno);
        return Outcome::Failed;
    }
    const auto giveUp = [&](Outcome outcome, int failure) {
        RemoveTemporary(folder, temporary);
        if (outcome == Outcome::Failed) error = std::strerror(failure);
        return outcome;
    };
    if (existing) {
        struct stat created {};
        ::fstat(temporary.fd.get(), &created);
        // Only root may give a file away; anyone else keeps the old owner by writing in place.
        if ((created.st_uid != existing->st_uid || created.st_gid != existing->st_gid) &&
            ::fchown(temporary.fd.get(), existing->st_uid, existing->st_gid) != 0)
            return giveUp(Outcome::WriteInPlace, 0);
        // After fchown, which clears the set-user-ID and set-group-ID bits.
        if (::fchmod(temporary.fd.get(), existing->st_mode & 07777) != 0) return giveUp(Outcome::WriteInPlace, 0);
        FileDescriptor old(::openat(folder, place.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!old.IsOpen() || !CopyAttributes(old.get(), temporary.fd.get())) return giveUp(Outcome::WriteInPlace, 0);
    } else {
        ::fchmod(temporary.fd.get(), 0666 & ~CurrentUmask());
    }
    if (!WriteAllAt(temporary.fd.get(), bytes, 0) || ::fsync(temporary.fd.get()) != 0)
        return giveUp(Outcome::Failed, errno);
    if (temporary.name.empty()) {
        if (!existing) {
            // A file that appeared meanwhile (or a planted link) is not replaced.
            if (!LinkTemporary(folder, temporary, place.name)) return giveUp(Outcome::Failed, errno);
            ::fsync(folder);
            return Outcome::Done;
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = TemporaryName();
            if (LinkTemporary(folder, temporary, name)) {
                temporary.name = name;
                break;
            }
            if (errno != EEXIST) return giveUp(Outcome::Failed, errno);
        }
    }
    int renamed = existing ? ::renameat(folder, temporary.name.c_str(), folder, place.name.c_str())
                           : ::renameat2(folder, temporary.name.c_str(), folder, place.name.c_str(), RENAME_NOREPLACE);
    // A file system without the no-replace rename: the plain one.
    if (renamed != 0 && !existing && errno == EINVAL)
        renamed = ::renameat(folder, temporary.name.c_str(), folder, place.name.c_str());
    if (renamed != 0) return giveUp(Outcome::Failed, errno);
    temporary.name.clear();
    // Without this the rename may be lost on a power failure, leaving the old file.
    ::fsync(folder);
    return Outcome::Done;
}

bool WriteInPlace(const FilePlace& place, const struct stat& expected, std::string_view bytes, std::string& error) {
    FileDescriptor fd(::openat(place.folder.get(), place.name.c_str(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!fd.IsOpen() || ::fstat(fd.get(), &info) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode) || info.st_ino != expected.st_ino || info.st_dev != expected.st_dev) {
        error = "the file was replaced while it was saved";
        return false;
    }
    OldContentsCopy old;
    if (!old.Take(place.folder.get(), fd.get(), info, bytes, error)) return false;
    // The new contents over the old, then the rest cut: the file is never empty on the way.
    if (WriteAllAt(fd.get(), bytes, 0) && ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) == 0 &&
        ::fsync(fd.get()) == 0)
        return true;
    error = std::strerror(errno);
    if (!old.PutBack(fd.get()))
        error += old.Path().empty() ? "; the old contents could not be put back"
                                    : "; the old contents could not be put back and are kept in " + old.Path();
    return false;
}

bool IsInput(const struct stat& info, const WriteOptions& options) {
    const FileIdentity identity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
    for (const FileIdentity& input : options.inputs)
        if (input == identity) return true;
    return false;
}

// A folder that the writer may put files in: a folder nobody may write is
// meant to stay as it is, even for root.
bool CheckWritableFolder(int folder, std::string& error) {
    struct stat info {};
    if (::fstat(folder, &info) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if ((info.st_mode & 0222) == 0) {
        error = "the folder is read-only";
        return false;
    }
    if (::faccessat(folder, ".", W_OK, AT_EACCESS) != 0) {
        error = errno == EACCES ? "you have no permission to change this folder" : std::strerror(errno);
        return false;
    }
    return true;
}

// Why the file at place may not be written; empty when it may. Asked of every
// file of a folder before any is written, so that a folder is refused whole.
// existing gets the file's status, and stays empty for a new file.
std::string RefusalAt(const FilePlace& place, const WriteOptions& options, std::optional<struct stat>& existing) {
    const int folder = place.folder.get();
    struct stat folderInfo {};
    ::fstat(folder, &folderInfo);
    existing.reset();
    struct stat found {};
    if (::fstatat(folder, place.name.c_str(), &found, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT) return std::strerror(errno);
        std::string error;
        CheckWritableFolder(folder, error);
        return error;
    }
    if (S_ISLNK(found.st_mode)) return "it is a symbolic link in a folder of its own, and it is not followed";
    // A FIFO or a device would block or take the bytes somewhere else.
    if (!S_ISREG(found.st_mode)) return DescribeFileType(found.st_mode);
    if (IsInput(found, options)) return "it is the file being read; the output must be another file";
    // Root may write anything; a file nobody may write is still meant to stay as it is.
    if ((found.st_mode & 0222) == 0) return "the file is read-only";
    if (::faccessat(folder, place.name.c_str(), W_OK, AT_EACCESS) != 0)
        return errno == EACCES ? "you have no permission to change this file" : std::strerror(errno);
    // The kernel's protected-regular rule: another user's file in a shared folder is theirs.
    if (!MayUseInFolder(folderInfo, found.st_uid)) return "it belongs to another user in a shared folder";
    existing = found;
    return {};
}

// The careful write of bytes to name in an open folder.
WriteResult WriteAtPlace(const FilePlace& place, std::string_view bytes, const WriteOptions& options) {
    WriteResult result;
    const int folder = place.folder.get();
    RemoveStaleTemporaries(folder);
    std::optional<struct stat> found;
    result.error = RefusalAt(place, options, found);
    if (!result.error.empty()) return result;
    // A file that appears after this look is not replaced: the new file's rename refuses to.
    if (!found) {
        result.written = ReplaceByRename(place, nullptr, bytes, result.error) == Outcome::Done;
        return result;
    }
    struct stat existing = *found;
    struct stat folderInfo {};
    ::fstat(folder, &folderInfo);
    const bool folderReadOnly = (folderInfo.st_mode & 0222) == 0;
    result.earlier = FinishInterruptedSaveAt(folder, place.name);
    if (result.earlier.outcome != InterruptedSave::Outcome::None)
        ::fstatat(folder, place.name.c_str(), &existing, AT_SYMLINK_NOFOLLOW);
    // A rename would split a file with other hard links from them, or change a read-only folder.
    if (existing.st_nlink > 1 || folderReadOnly) {
        result.written = WriteInPlace(place, existing, bytes, result.error);
        return result;
    }
    switch (ReplaceByRename(place, &existing, bytes, result.error)) {
        case Outcome::Done: result.written = true; break;
        case Outcome::Failed: break;
        case Outcome::WriteInPlace: result.written = WriteInPlace(place, existing, bytes, result.error); break;
    }
    return result;
}

// The folder at a place (its links followed), made when missing.
bool OpenOrMakeFolder(const FilePlace& place, FilePlace& folder, std::string& error, bool* made = nullptr) {
    const bool madeNow = ::mkdirat(place.folder.get(), place.name.c_str(), 0777) == 0;
    if (made) *made = madeNow;
    if (!madeNow && errno != EEXIST) {
        error = std::strerror(errno);
        return false;
    }
    folder.folder.Reset(::openat(place.folder.get(), place.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.folder.IsOpen()) {
        error = errno == ENOTDIR ? "a file of that name is in the way" : std::strerror(errno);
        return false;
    }
    folder.folderPath = place.folderPath + "/" + place.name;
    return true;
}

// Where a file of a folder write goes (its name may hold one subfolder). The
// subfolder is made only when making; else a missing one is false with no
// error, as it holds nothing to refuse, once its folder is seen to take it.
bool PlaceInFolder(const FilePlace& top, const std::string& name, bool making, FilePlace& place, std::string& error) {
    place.folder.Reset(::fcntl(top.folder.get(), F_DUPFD_CLOEXEC, 0));
    place.folderPath = top.folderPath;
    const size_t slash = name.find('/');
    place.name = name.substr(0, slash);
    if (slash != std::string::npos) {
        const std::string sub = place.name;
        const auto fail = [&](std::string why) {
            error = sub + ": " + why;
            return false;
        };
        if (!FollowLinks(place, error)) return fail(error);
        struct stat info {};
        if (!making && ::fstatat(place.folder.get(), place.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT) return fail(std::strerror(errno));
            return CheckWritableFolder(place.folder.get(), error) ? false : fail(error);
        }
        FilePlace inside;
        if (!OpenOrMakeFolder(place, inside, error)) return fail(error);
        place = std::move(inside);
        place.name = name.substr(slash + 1);
    }
    if (!FollowLinks(place, error)) {
        error = name + ": " + error;
        return false;
    }
    return true;
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

WriteResult WriteFileCarefully(const std::string& path, std::string_view bytes, const WriteOptions& options) {
    if (IsStandardOutput(path)) return WriteToStandardOutput(bytes);
    FilePlace place;
    WriteResult result;
    if (!FindPlace(path, place, result.error)) return result;
    return WriteAtPlace(place, bytes, options);
}

WriteResult WriteFilesIntoFolder(const std::string& path, const std::vector<FolderFile>& files,
                                 const WriteOptions& options) {
    WriteResult result;
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    FilePlace where, top;
    if (!FindPlace(trimmed, where, result.error)) return result;
    // Another user's folder in a shared folder is theirs, as their files there are.
    struct stat parent {}, existing {};
    if (::fstat(where.folder.get(), &parent) == 0 &&
        ::fstatat(where.folder.get(), where.name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0 &&
        !MayUseInFolder(parent, existing.st_uid)) {
        result.error = "it belongs to another user in a shared folder";
        return result;
    }
    bool made = false;
    if (!OpenOrMakeFolder(where, top, result.error, &made)) return result;
    // A folder made for this write and refused now, or below, goes again, as it is still empty.
    const auto refuse = [&](std::string error) {
        if (made) ::unlinkat(where.folder.get(), where.name.c_str(), AT_REMOVEDIR);
        result.error = std::move(error);
        return result;
    };
    if (std::string error; !CheckWritableFolder(top.folder.get(), error)) return refuse(error);
    // Each file is written whole beside its old one before it replaces it, one
    // after another: on a disk without room for them all none is begun, so that
    // a full disk does not leave the folder half old and half new.
    // A file system that tells no size at all is not judged by it.
    struct statvfs room {};
    if (::fstatvfs(top.folder.get(), &room) == 0 && room.f_frsize > 0 && room.f_blocks > 0) {
        uint64_t needed = 0;
        for (const FolderFile& file : files) needed += (file.bytes.size() + room.f_frsize - 1) / room.f_frsize + 1;
        if (needed > (::geteuid() == 0 ? room.f_bfree : room.f_bavail)) return refuse(std::strerror(ENOSPC));
    }
    // Every file that would be refused is found before any is written.
    for (const FolderFile& file : files) {
        FilePlace place;
        std::string error;
        if (!PlaceInFolder(top, file.name, false, place, error) && error.empty()) continue;  // a subfolder not made yet holds nothing to refuse
        std::optional<struct stat> found;
        if (error.empty() && !(error = RefusalAt(place, options, found)).empty()) error = file.name + ": " + error;
        if (!error.empty()) return refuse(error);
    }
    for (const FolderFile& file : files) {
        FilePlace place;
        if (!PlaceInFolder(top, file.name, true, place, result.error)) return result;
        WriteResult one = WriteAtPlace(place, file.bytes, options);
        if (result.earlier.outcome == InterruptedSave::Outcome::None) result.earlier = one.earlier;
        if (!one.written) {
            result.error = file.name + ": " + one.error;
            return result;
        }
    }
    result.written = true;
    return result;
}

bool IsStandardOutput(const std::string& path) { return path == "-"; }

WriteResult WriteToStandardOutput(std::string_view bytes) {
    WriteResult result;
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            result.error = std::strerror(n < 0 ? errno : EIO);
            return result;
        }
        done += static_cast<size_t>(n);
    }
    result.written = true;
    return result;
}

InterruptedSave FinishInterruptedSave(const std::string& path) {
    FilePlace place;
    std::string error;
    if (!FindPlace(path, place, error)) return {};
    return FinishInterruptedSaveAt(place.folder.get(), place.name);
}

}  // namespace orvanta
