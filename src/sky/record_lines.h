#pragma once
// The comma-separated records of the derived data files (star_ids.txt,
// cons_bands.txt): one record a line, empty fields allowed, a field in double
// quotes may hold commas.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/read_failure.h"

namespace orvanta {

struct RecordLine {
    int line = 0;  // 1-based line of the file
    std::vector<std::string> fields;
};

struct TextLine {
    int line = 0;  // 1-based
    std::string_view text;  // without its CR LF or LF
};

// The lines of a text; a last line without a line end counts too.
std::vector<TextLine> SplitTextLines(std::string_view text);

// Splits the text into records of exactly fieldCount fields. Blank lines are
// passed over; CR LF and LF both end a line.
ReadFailure SplitRecordLines(std::string_view text, size_t fieldCount, std::vector<RecordLine>& records);

// A field as a whole number in [low, high]; an empty field is emptyValue when
// given, else a failure. reason says what was wrong.
std::optional<int64_t> WholeNumberField(const std::string& field, int64_t low, int64_t high,
                                        std::optional<int64_t> emptyValue, std::string& reason);

}  // namespace orvanta
