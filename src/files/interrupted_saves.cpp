// The copy of old contents kept during a write in place, and mending an interrupted one.
#include "files/interrupted_saves.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <climits>
#include <cstdio>
#include <cstring>

#include "files/raw_io.h"
#include "files/user_folders.h"

namespace orvanta {

namespace {

constexpr const char kCopyHeader[] = "Orvanta backup 1\n";
constexpr const char kNoteHeader[] = "Orvanta backup note 1\n";
// With no folder to hold a copy, the old contents are kept in memory up to this size.
constexpr size_t kLargestCopyInMemory = 64u << 20;
constexpr size_t kLargestCopy = size_t{1} << 31;

std::string IdentityName(const struct stat& info) {
    char text[64];
    std::snprintf(text, sizeof text, "%" PRIx64 "-%" PRIx64, static_cast<uint64_t>(info.st_dev),
                  static_cast<uint64_t>(info.st_ino));
    return text;
}

std::string CopyNameBeside(const struct stat& info) { return ".orvanta-backup-" + IdentityName(info); }

// The copy or the note in the state folder: <dev>-<ino>.copy or .note.
std::string StateEntry(const struct stat& info, const char* kind) {
    const std::string folder = UserStateFolder();
    return folder.empty() ? std::string() : folder + "interrupted-saves/" + IdentityName(info) + kind;
}

bool MakeStateFolder(const std::string& entry) {
    return !entry.empty() && MakePrivateFolders(entry.substr(0, entry.rfind('/') + 1));
}

std::string AbsoluteFolder(int folder) {
    std::string path(PATH_MAX, '\0');
    const ssize_t length = ::readlink(("/proc/self/fd/" + std::to_string(folder)).c_str(), path.data(), path.size());
    if (length <= 0) return {};
    path.resize(static_cast<size_t>(length));
    return path;
}

std::string Fingerprinted(std::string_view bytes) {
    char text[48];
    std::snprintf(text, sizeof text, "%zu %016" PRIx64 "\n", bytes.size(), ContentsFingerprint(bytes));
    return text;
}

// The copy: a header naming the file, the new contents' and the old
// contents' sizes and fingerprints, then the old contents. A copy whose old
// contents are not whole was cut short before the file was touched.
std::string CopyOf(const struct stat& info, std::string_view newBytes, std::string_view oldBytes) {
    char identity[64];
    std::snprintf(identity, sizeof identity, "%" PRIu64 " %" PRIu64 "\n", static_cast<uint64_t>(info.st_dev),
                  static_cast<uint64_t>(info.st_ino));
    return kCopyHeader + std::string(identity) + Fingerprinted(newBytes) + Fingerprinted(oldBytes) + std::string(oldBytes);
}

struct ReadCopy {
    uint64_t device = 0, inode = 0, newFingerprint = 0, oldFingerprint = 0;
    size_t newSize = 0, oldSize = 0;
    std::string_view old;
};

bool ParseCopy(const std::string& bytes, ReadCopy& copy) {
    if (bytes.rfind(kCopyHeader, 0) != 0) return false;
    int headerLength = 0;
    if (std::sscanf(bytes.c_str() + sizeof kCopyHeader - 1,
                    "%" SCNu64 " %" SCNu64 "\n%zu %" SCNx64 "\n%zu %" SCNx64 "\n%n", &copy.device, &copy.inode,
                    &copy.newSize, &copy.newFingerprint, &copy.oldSize, &copy.oldFingerprint, &headerLength) != 6 ||
        headerLength == 0)
        return false;
    copy.old = std::string_view(bytes).substr(sizeof kCopyHeader - 1 + static_cast<size_t>(headerLength));
    return true;
}

bool Synced(int fd) { return ::fsync(fd) == 0; }

}  // namespace

OldContentsCopy::~OldContentsCopy() {
    if (keep_) return;
    if (!path_.empty()) ::unlink(path_.c_str());
    if (!notePath_.empty()) ::unlink(notePath_.c_str());
}

bool OldContentsCopy::Take(int folder, int file, const struct stat& info, std::string_view newBytes,
                           std::string& error) {
    if (!ReadAllOf(file, memory_, kLargestCopy)) {
        error = std::strerror(errno);
        return false;
    }
    // The note comes first: a copy beside the file is never without the note
    // that finds it from the file's other names.
    const std::string beside = CopyNameBeside(info);
    const std::string besidePath = AbsoluteFolder(folder) + "/" + beside;
    if (const std::string note = StateEntry(info, ".note"); MakeStateFolder(note)) {
        FileDescriptor fd(::open(note.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd.IsOpen() && WriteAllAt(fd.get(), kNoteHeader + besidePath + "\n", 0)) notePath_ = note;
    }
    copy_.Reset(::openat(folder, beside.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (copy_.IsOpen()) {
        path_ = besidePath;
    } else if (errno == EEXIST) {
        error = "another save of this file is under way";
        return false;
    } else if (const std::string entry = StateEntry(info, ".copy"); MakeStateFolder(entry)) {
        // The folder takes no new files: the copy goes to the state folder.
        copy_.Reset(::open(entry.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (copy_.IsOpen()) path_ = entry;
    }
    if (!copy_.IsOpen()) {
        // Only memory is left: no copy survives a crash, so keep it to what memory holds well.
        if (memory_.size() > kLargestCopyInMemory) {
            error = "there is no room beside the file to keep a copy of it while it is written";
            return false;
        }
        return true;
    }
    ::flock(copy_.get(), LOCK_EX);
    if (!WriteAllAt(copy_.get(), CopyOf(info, newBytes, memory_), 0) || !Synced(copy_.get())) {
        error = std::strerror(errno);
        return false;
    }
    ::fsync(folder);
    return true;
}

bool OldContentsCopy::PutBack(int file) {
    const bool ok = WriteAllAt(file, memory_, 0) && ::ftruncate(file, static_cast<off_t>(memory_.size())) == 0 &&
                    Synced(file);
    keep_ = !ok && !path_.empty();  // the copy is then the only whole version left
    return ok;
}

InterruptedSave FinishInterruptedSaveAt(int folder, const std::string& name) {
    struct stat info {};
    if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) return {};
    // The copy beside this name, else the one in the state folder, else the one its note names.
    const std::string notePath = StateEntry(info, ".note");
    std::string copyPath = AbsoluteFolder(folder) + "/" + CopyNameBeside(info);
    FileDescriptor copy(::openat(folder, CopyNameBeside(info).c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!copy.IsOpen() && !notePath.empty()) {
        copyPath = StateEntry(info, ".copy");
        copy.Reset(::open(copyPath.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    }
    if (!copy.IsOpen() && !notePath.empty()) {
        FileDescriptor note(::open(notePath.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        std::string text;
        if (!note.IsOpen() || !ReadAllOf(note.get(), text, 1 << 16)) return {};
        // A note cut short holds no data of its own: it only pointed.
        if (text.rfind(kNoteHeader, 0) != 0 || text.back() != '\n') {
            ::unlink(notePath.c_str());
            return {};
        }
        copyPath = text.substr(sizeof kNoteHeader - 1);
        if (!copyPath.empty() && copyPath.back() == '\n') copyPath.pop_back();
        copy.Reset(::open(copyPath.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        // A note whose copy never came about: the file was not touched.
        if (!copy.IsOpen() && errno == ENOENT) ::unlink(notePath.c_str());
    }
    struct stat copyInfo {};
    if (!copy.IsOpen() || ::fstat(copy.get(), &copyInfo) != 0 || !S_ISREG(copyInfo.st_mode)) return {};
    // Held by a save still under way: not ours to judge.
    if (::flock(copy.get(), LOCK_EX | LOCK_NB) != 0) return {};
    std::string bytes;
    if (!ReadAllOf(copy.get(), bytes, kLargestCopy)) return {};
    const auto removeCopy = [&] {
        ::unlink(copyPath.c_str());
        if (!notePath.empty()) ::unlink(notePath.c_str());
    };
    // A copy cut short was being made when the program stopped: the file
    // itself is touched only once its copy is whole, so it was not touched yet.
    ReadCopy read;
    if (!ParseCopy(bytes, read) || read.old.size() != read.oldSize ||
        ContentsFingerprint(read.old) != read.oldFingerprint) {
        removeCopy();
        return {};
    }
    if (read.device != static_cast<uint64_t>(info.st_dev) || read.inode != static_cast<uint64_t>(info.st_ino)) return {};
    FileDescriptor file(::openat(folder, name.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    std::string now;
    if (!file.IsOpen() || !ReadAllOf(file.get(), now, kLargestCopy)) return {InterruptedSave::Outcome::KeptAside, copyPath};
    if (now.size() == read.newSize && ContentsFingerprint(now) == read.newFingerprint) {
        removeCopy();
        return {InterruptedSave::Outcome::Finished, copyPath};
    }
    if (!WriteAllAt(file.get(), read.old, 0) || ::ftruncate(file.get(), static_cast<off_t>(read.old.size())) != 0 ||
        !Synced(file.get()))
        return {InterruptedSave::Outcome::KeptAside, copyPath};
    removeCopy();
    return {InterruptedSave::Outcome::Restored, copyPath};
}

}  // namespace orvanta
