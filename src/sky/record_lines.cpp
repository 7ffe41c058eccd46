// The comma-separated records of the derived data files.
#include "sky/record_lines.h"

#include <charconv>

#include "files/quoted_field.h"

namespace orvanta {

namespace {

// Splits one line at commas outside double quotes; "" inside quotes is one quote.
bool SplitFields(std::string_view line, std::vector<std::string>& fields, std::string& reason) {
    fields.assign(1, std::string());
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"') {
                fields.back() += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = false;
                if (i + 1 < line.size() && line[i + 1] != ',') {
                    reason = "unexpected text after a quoted field";
                    return false;
                }
            }
        } else if (c == '"' && fields.back().empty()) {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (quoted) reason = "a quoted field has no closing quote";
    return !quoted;
}

}  // namespace

std::vector<TextLine> SplitTextLines(std::string_view text) {
    std::vector<TextLine> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back({static_cast<int>(lines.size()) + 1, line});
    }
    return lines;
}

ReadFailure SplitRecordLines(std::string_view text, size_t fieldCount, std::vector<RecordLine>& records) {
    std::vector<RecordLine> read;
    for (const auto& [lineNumber, line] : SplitTextLines(text)) {
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        RecordLine record{lineNumber, {}};
        std::string reason;
        if (!SplitFields(line, record.fields, reason)) return {true, lineNumber, reason};
        if (record.fields.size() != fieldCount)
            return {true, lineNumber,
                    "expected " + std::to_string(fieldCount) + " fields, found " + std::to_string(record.fields.size())};
        read.push_back(std::move(record));
    }
    records = std::move(read);
    return {};
}

std::optional<int64_t> WholeNumberField(const std::string& field, int64_t low, int64_t high,
                                        std::optional<int64_t> emptyValue, std::string& reason) {
    if (field.empty()) {
        if (!emptyValue) reason = "a number is missing";
        return emptyValue;
    }
    int64_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size()) {
        reason = QuoteField(field) + " is not a whole number";
        return std::nullopt;
    }
    if (value < low || value > high) {
        reason = QuoteField(field) + " is outside " + std::to_string(low) + " to " + std::to_string(high);
        return std::nullopt;
    }
    return value;
}

}  // namespace orvanta
