#pragma once
// Where the parts of a JSON text lie, so that a record of index.json can be
// written anew while every other byte of the file stays as it was. The
// text is one a JSON parser has already accepted.
#include <string>
#include <string_view>
#include <vector>

#include "documents/culture/culture.h"

namespace orvanta {

struct JsonSpan {
    size_t begin = 0, end = 0;  // [begin, end)
};

struct JsonMember {
    std::string key;
    JsonSpan keySpan, valueSpan;
};

// The end of the value that starts at or after at (blanks skipped).
size_t JsonValueEnd(std::string_view text, size_t at);
// The members of the object, or the elements of the array, whose value starts at at.
std::vector<JsonMember> JsonObjectMembers(std::string_view text, size_t at);
std::vector<JsonSpan> JsonArrayElements(std::string_view text, size_t at);

// A value on one line, spaced as people write JSON: [1, 2], {"a": 1}.
std::string InlineJson(const OrderedJson& value);

// The blanks that start the line of position at: the indentation of what stands there.
std::string IndentationAt(std::string_view text, size_t at);

}  // namespace orvanta
