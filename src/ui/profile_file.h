#pragma once
// Reads keys of an INI file the way the Windows profile function does: names
// match without regard to case, blanks around names and values are dropped,
// a value in matching quotes loses them, and the value is cut to size - 1
// characters. Only the first section of a name counts, and in it the first
// key of a name. Lines end at CR LF, LF or CR alone; a file may be UTF-8
// (with or without a byte-order mark), UTF-16 with a byte-order mark, or
// Latin-1, decided line by line.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "files/file_reading.h"

namespace orvanta {

// The keys of a file's text, found without scanning the file again.
class ProfileTable {
public:
    ProfileTable() = default;
    // Takes the bytes of a whole file.
    explicit ProfileTable(std::string_view fileBytes);
    // The trimmed value of key in section, in UTF-8, quotes still on; nullptr when missing.
    const std::string* Find(std::string_view section, std::string_view key) const;

private:
    // Lower-cased section name, then lower-cased key name.
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> sections_;
};

// One INI file, read once and kept until its size, modification time or
// identity on disk changes, so that every text costs a look-up, not a read.
// A file that cannot be read, or is too large, is refused with its reason.
class ProfileFile {
public:
    // The keys of the file at path, read anew only when it changed; nullptr when refused.
    const ProfileTable* Table(const std::string& path);
    // Why the file was refused at the last Table() call; empty when it was read.
    const std::string& Refusal() const { return refusal_; }
    // Counts the reads of a file, so that what was taken from the table can be taken anew.
    uint64_t Revision() const { return revision_; }

private:
    std::string path_;
    std::optional<FileStamp> stamp_;
    ProfileTable table_;
    std::string refusal_;
    uint64_t revision_ = 0;
};

// Copies found, or the default when it is nullptr, into value, in UTF-8,
// without matching quotes and cut after size - 1 characters; returns the
// number of characters copied.
size_t ProfileValue(const std::string* found, const std::string& defaultValue, std::string& value, size_t size);

// The text as UTF-8: kept when it is valid UTF-8, otherwise read as Latin-1.
std::string DecodeUtf8OrLatin1(const std::string& bytes);

}  // namespace orvanta
