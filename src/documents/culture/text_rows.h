#pragma once
// The lines of a culture's text file as they stand, each with its own line
// end, so that a file put together again from them is the file as it was:
// the older form's files mix CR LF and LF, end without a line end, start
// with a byte-order mark.
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

struct TextRow {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n", or "" for a last line without one
};

struct TextRows {
    bool byteOrderMark = false;
    std::vector<TextRow> rows;

    std::string Join() const;
    // The line end most rows use, for rows added to the file.
    std::string UsualEnd() const;
};

TextRows SplitRows(std::string_view bytes);

// A text whose first character is itself a byte-order mark gets one more
// before it: a reader takes the first as the file's and keeps the second.
std::string KeepLeadingMark(std::string text);

// The whitespace-separated words of a line (blanks, TABs and a stray CR).
std::vector<std::string> Words(std::string_view line);

// A line that holds nothing to read: blank, or a comment starting with '#'.
bool IsCommentOrBlank(std::string_view line);

}  // namespace orvanta
