// Splitting a culture's text files into lines that join back byte for byte.
#include "documents/culture/text_rows.h"

#include <map>

namespace orvanta {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
}  // namespace

TextRows SplitRows(std::string_view bytes) {
    TextRows rows;
    if (bytes.substr(0, 3) == kByteOrderMark) {
        rows.byteOrderMark = true;
        bytes.remove_prefix(3);
    }
    while (!bytes.empty()) {
        const size_t newline = bytes.find('\n');
        TextRow row;
        if (newline == std::string_view::npos) {
            row.text = std::string(bytes);
            bytes = {};
        } else {
            const bool crlf = newline > 0 && bytes[newline - 1] == '\r';
            row.text = std::string(bytes.substr(0, crlf ? newline - 1 : newline));
            row.end = crlf ? "\r\n" : "\n";
            bytes.remove_prefix(newline + 1);
        }
        rows.rows.push_back(std::move(row));
    }
    return rows;
}

std::string KeepLeadingMark(std::string text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.insert(0, kByteOrderMark);
    return text;
}

std::string TextRows::Join() const {
    std::string out;
    for (const TextRow& row : rows) out += row.text + row.end;
    return byteOrderMark ? std::string(kByteOrderMark) + out : KeepLeadingMark(std::move(out));
}

std::string TextRows::UsualEnd() const {
    std::map<std::string, int> counts;
    for (const TextRow& row : rows)
        if (!row.end.empty()) ++counts[row.end];
    if (counts.empty()) return "\n";
    return counts["\r\n"] > counts["\n"] ? "\r\n" : "\n";
}

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    for (size_t i = 0; i < line.size();) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        const size_t from = i;
        while (i < line.size() && !IsBlank(line[i])) ++i;
        if (i > from) words.emplace_back(line.substr(from, i - from));
    }
    return words;
}

bool IsCommentOrBlank(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    return i == line.size() || line[i] == '#';
}

}  // namespace orvanta
