#pragma once
// Whole-file reads for the data files, with a failure that names the cause.
#include <string>

#include "sky/read_failure.h"

namespace orvanta {

// Reads the file at path into text. Files larger than maxBytes are refused.
ReadFailure ReadWholeFile(const std::string& path, std::string& text, size_t maxBytes = 64u << 20);

}  // namespace orvanta
