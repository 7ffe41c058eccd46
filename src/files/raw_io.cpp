// Whole reads and writes on an open descriptor.
#include "files/raw_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace orvanta {

bool WriteAllAt(int fd, std::string_view bytes, off_t offset) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

ssize_t ReadUpToAt(int fd, char* into, size_t size, off_t offset) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, into + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

bool ReadAllOf(int fd, std::string& bytes, size_t maxBytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return false;
    if (info.st_size < 0 || static_cast<size_t>(info.st_size) > maxBytes) {
        errno = EFBIG;
        return false;
    }
    bytes.assign(static_cast<size_t>(info.st_size), '\0');
    const ssize_t got = ReadUpToAt(fd, bytes.data(), bytes.size(), 0);
    if (got < 0) return false;
    bytes.resize(static_cast<size_t>(got));
    return true;
}

uint64_t ContentsFingerprint(std::string_view bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace orvanta
