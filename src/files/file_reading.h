#pragma once
// Whole-file reads for every file Orvanta reads, with a failure that names the cause.
// A read never blocks and never holds more than the caller's limit: a FIFO,
// a device or a huge sparse file is refused before anything is read.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/read_failure.h"

namespace orvanta {

// Limits well above the shipped files (yale.dat ~100 KB, bounds.txt ~40 KB,
// cons.txt ~3 KB), low enough that a wrong file is refused before it can
// cost seconds or gigabytes.
constexpr size_t kCatalogueFileLimit = 4u << 20;
constexpr size_t kBoundaryFileLimit = 4u << 20;
constexpr size_t kConstellationFileLimit = 1u << 20;
constexpr size_t kFigureFileLimit = 16u << 20;
constexpr size_t kProfileFileLimit = 1u << 20;

// What identifies one version of a file on disk: another writer changes at
// least one of these.
struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;  // modification time in nanoseconds since 1970
    bool operator==(const FileStamp&) const = default;
};

// What a file of this mode is, for a message: "it is a pipe (FIFO), not a file".
const char* DescribeFileType(unsigned mode);

// Whether path names a regular file (following links).
bool IsRegularFile(const std::string& path);
// Whether path names a folder this user may write into.
bool IsWritableFolder(const std::string& path);
// Whether anything at all is at path (a link to nothing counts).
bool Exists(const std::string& path);

// The names in a folder (not "." and ".."); empty when it cannot be read.
std::vector<std::string> NamesInFolder(const std::string& folder);
// Removes a file; false when it could not be removed.
bool RemoveFile(const std::string& path);

// The stamp of the file at path (following symbolic links), or nullopt when it cannot be examined.
std::optional<FileStamp> StampOf(const std::string& path);

// Reads the regular file at path into text. Anything else (a folder, a FIFO,
// a device, a socket), a file larger than maxBytes and a file that changes
// size while it is read are refused; text is then left empty. stamp, when
// given, receives the stamp of the file that was read.
ReadFailure ReadWholeFile(const std::string& path, std::string& text, size_t maxBytes = kCatalogueFileLimit,
                          FileStamp* stamp = nullptr);

}  // namespace orvanta
