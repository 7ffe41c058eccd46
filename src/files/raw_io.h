#pragma once
// Whole reads and writes on an open descriptor, going on after interrupted
// and short calls: the system calls alone may do part of the work.
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

// All of bytes at offset; false with errno set on failure (ENOSPC for a full disk).
bool WriteAllAt(int fd, std::string_view bytes, off_t offset);
// Up to size bytes from offset; fewer only at the end of the file. -1 on failure.
ssize_t ReadUpToAt(int fd, char* into, size_t size, off_t offset);
// The whole file from its start, refused when larger than maxBytes.
bool ReadAllOf(int fd, std::string& bytes, size_t maxBytes);

// A fingerprint of contents: 64-bit FNV-1a, enough to tell whether a write finished.
uint64_t ContentsFingerprint(std::string_view bytes);

}  // namespace orvanta
