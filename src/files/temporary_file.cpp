// Temporary files of the careful writer: made, named, removed, and cleaned
// up after a save that was killed.
#include "files/temporary_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace orvanta {

namespace {

// Short names of our own: a target whose name is near the length limit must
// still have room for its temporary file beside it.
constexpr const char kTemporaryPrefix[] = ".orvanta-";
constexpr const char kTemporarySuffix[] = ".tmp";
constexpr const char kOldTemporaryPrefix[] = ".orvanta-save-";  // written by earlier versions
constexpr const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr size_t kRandomLetters = 8, kCheckLetters = 2;

// Two letters that follow from the random ones: a file of the user's that
// merely looks like ours (".orvanta-notes0.tmp") is not taken for a leftover.
std::string CheckLetters(const char* random) {
    uint32_t hash = 2166136261u;
    for (const char c : std::string_view(random, kRandomLetters)) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    const size_t count = sizeof kLetters - 1;
    return {kLetters[hash % count], kLetters[hash / count % count]};
}

}  // namespace

std::string TemporaryName() {
    unsigned char random[kRandomLetters] = {};
    if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random))
        for (unsigned char& r : random) r = static_cast<unsigned char>(std::rand());
    std::string letters;
    for (const unsigned char r : random) letters += kLetters[r % (sizeof kLetters - 1)];
    return kTemporaryPrefix + letters + CheckLetters(letters.c_str()) + kTemporarySuffix;
}

namespace {

bool IsTemporaryName(const char* name) {
    const size_t length = std::strlen(name);
    const size_t prefix = sizeof kTemporaryPrefix - 1, suffix = sizeof kTemporarySuffix - 1;
    if (std::strncmp(name, kOldTemporaryPrefix, sizeof kOldTemporaryPrefix - 1) == 0) {
        // .orvanta-save-<pid>-XXXXXX
        const char* rest = name + sizeof kOldTemporaryPrefix - 1;
        const size_t digits = std::strspn(rest, "0123456789");
        return digits > 0 && rest[digits] == '-' && std::strlen(rest + digits + 1) == 6;
    }
    return length == prefix + kRandomLetters + kCheckLetters + suffix && std::strncmp(name, kTemporaryPrefix, prefix) == 0 &&
           std::strcmp(name + length - suffix, kTemporarySuffix) == 0 &&
           std::strncmp(name + prefix + kRandomLetters, CheckLetters(name + prefix).c_str(), kCheckLetters) == 0;
}

}  // namespace

// A killed save leaves its temporary file behind. A living one holds a lock
// on it (a process number alone may have been given to another process).
void RemoveStaleTemporaries(int folder) {
    const int listingFd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* listing = listingFd < 0 ? nullptr : ::fdopendir(listingFd);
    if (!listing) {
        if (listingFd >= 0) ::close(listingFd);
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsTemporaryName(entry->d_name)) continue;
        FileDescriptor file(::openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        if (!file.IsOpen() || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        if (::flock(file.get(), LOCK_EX | LOCK_NB) == 0) ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(listing);
}

bool CreateTemporary(int folder, Temporary& temporary) {
    temporary.fd.Reset(::openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    for (int attempt = 0; !temporary.fd.IsOpen() && attempt < 100; ++attempt) {
        temporary.name = TemporaryName();
        temporary.fd.Reset(
            ::openat(folder, temporary.name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!temporary.fd.IsOpen() && errno != EEXIST) break;
    }
    if (!temporary.fd.IsOpen()) {
        temporary.name.clear();
        return false;
    }
    ::flock(temporary.fd.get(), LOCK_EX);
    return true;
}

bool LinkTemporary(int folder, const Temporary& temporary, const std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(temporary.fd.get());
    return ::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

void RemoveTemporary(int folder, Temporary& temporary) {
    if (!temporary.name.empty()) ::unlinkat(folder, temporary.name.c_str(), 0);
    temporary.fd.Close();
}

}  // namespace orvanta
