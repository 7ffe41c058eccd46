#pragma once
// How a message quotes what it read: any field of any input file may be
// megabytes long or hold a NUL or a line end, and a message must stay short
// and whole.
#include <string>
#include <string_view>

namespace orvanta {

// In double quotes, cut after about 40 characters with "…" (never inside a
// UTF-8 character), control characters written as \n, \t, \0 or \xHH.
std::string QuoteField(std::string_view field);

// The text with control characters written as in QuoteField, not cut: for
// file names, which a message shows whole but on one line.
std::string EscapeControls(std::string_view text);

}  // namespace orvanta
