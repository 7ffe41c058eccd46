// Reading whole files within limits, file stamps, and questions about paths.
#include "files/file_reading.h"

#include <dirent.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/file_descriptor.h"

namespace orvanta {

namespace {

std::string SizeInWords(size_t bytes) {
    if (bytes >= (1u << 20)) return std::to_string(bytes >> 20) + " MB";
    return std::to_string(bytes >> 10) + " KB";
}

// Reads up to size bytes at the descriptor's position; fewer only at the end of the file.
ssize_t ReadUpTo(int fd, char* into, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, into + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

FileStamp StampFromInfo(const struct stat& info) {
    return {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino), static_cast<int64_t>(info.st_size),
            static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

}  // namespace

const char* DescribeFileType(unsigned mode) {
    if (S_ISDIR(mode)) return "it is a folder, not a file";
    if (S_ISFIFO(mode)) return "it is a pipe (FIFO), not a file";
    if (S_ISSOCK(mode)) return "it is a socket, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
    return "it is not a regular file";
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsWritableFolder(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::faccessat(AT_FDCWD, path.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::vector<std::string> NamesInFolder(const std::string& folder) {
    std::vector<std::string> names;
    DIR* listing = folder.empty() ? nullptr : ::opendir(folder.c_str());
    if (!listing) return names;
    while (const dirent* entry = ::readdir(listing))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) names.push_back(entry->d_name);
    ::closedir(listing);
    return names;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::optional<FileStamp> StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return StampFromInfo(info);
}

ReadFailure ReadWholeFile(const std::string& path, std::string& text, size_t maxBytes, FileStamp* stamp) {
    text.clear();
    // O_NONBLOCK: opening a FIFO with no writer must not wait for one.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0) {
        const int failure = errno;
        struct stat info {};
        // A socket cannot be opened at all; say what it is rather than "No such device".
        if (failure == ENXIO && ::stat(path.c_str(), &info) == 0) return {true, 0, DescribeFileType(info.st_mode)};
        return {true, 0, std::strerror(failure)};
    }
    // What was opened is judged, not what the name pointed at a moment earlier.
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return {true, 0, std::strerror(errno)};
    if (!S_ISREG(info.st_mode)) return {true, 0, DescribeFileType(info.st_mode)};
    const size_t size = static_cast<size_t>(info.st_size);
    if (info.st_size < 0 || size > maxBytes)
        return {true, 0, "the file is too large (more than " + SizeInWords(maxBytes) + ")"};

    std::string read(size, '\0');
    const ssize_t got = ReadUpTo(file.get(), read.data(), size);
    if (got < 0) return {true, 0, std::strerror(errno)};
    // One byte more than the size shows a file that grew while it was read.
    char extra;
    const ssize_t more = ReadUpTo(file.get(), &extra, 1);
    if (more < 0) return {true, 0, std::strerror(errno)};
    if (static_cast<size_t>(got) != size || more != 0) return {true, 0, "the file changed while it was read"};
    text = std::move(read);
    if (stamp) *stamp = StampFromInfo(info);
    return {};
}

}  // namespace orvanta
