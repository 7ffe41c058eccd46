#pragma once
#include <string>

namespace orvanta {

// Writes bytes to a new file beside path and renames it over path, so that the
// old file stays whole when anything fails. error says why on failure.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace orvanta
