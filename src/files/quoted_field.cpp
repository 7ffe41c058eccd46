// Quoting input fields in messages, short and on one line.
#include "files/quoted_field.h"

#include <cstdio>

namespace orvanta {

namespace {

constexpr size_t kQuotedFieldLimit = 40;

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            out += c;
            continue;
        }
        switch (c) {
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\0': out += "\\0"; break;
            default: {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", byte);
                out += hex;
            }
        }
    }
}

}  // namespace

std::string QuoteField(std::string_view field) {
    // At most kQuotedFieldLimit characters as shown: an escaped control byte
    // counts as what it shows, and a UTF-8 character is never split.
    std::string shown;
    size_t at = 0, widthSoFar = 0;
    while (at < field.size()) {
        size_t next = at + 1;
        while (next < field.size() && (static_cast<unsigned char>(field[next]) & 0xC0) == 0x80) ++next;
        std::string piece;
        AppendEscaped(piece, field.substr(at, next - at));
        const size_t width = static_cast<unsigned char>(field[at]) >= 0x80 ? 1 : piece.size();
        if (widthSoFar + width > kQuotedFieldLimit) break;
        shown += piece;
        widthSoFar += width;
        at = next;
    }
    return "\"" + shown + (at < field.size() ? "\u2026\"" : "\"");
}

std::string EscapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendEscaped(out, text);
    return out;
}

}  // namespace orvanta
