// Quoting input fields in messages, short and on one line.
#include "files/quoted_field.h"

#include <algorithm>
#include <cstdio>

namespace orvanta {

namespace {

constexpr size_t kQuotedFieldLimit = 40;

// The length of the valid UTF-8 character that starts at text[at]; 0 when none does.
size_t Utf8Length(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
    // Overlong forms, surrogates and numbers past U+10FFFF are not characters.
    const unsigned char second = byte(at + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second >= 0x90))
        return 0;
    return length;
}

// Control bytes, and bytes that are not UTF-8, escaped: a terminal shows what is there.
void AppendEscaped(std::string& out, std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        const char c = text[at];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            if (const size_t length = Utf8Length(text, at)) {
                out.append(text.substr(at, length));
                at += length;
                continue;
            }
        } else if (byte >= 0x20 && byte != 0x7F) {
            out += c;
            ++at;
            continue;
        }
        ++at;
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
        // One character: a whole UTF-8 sequence, else a single byte (shown escaped).
        const size_t sequence = static_cast<unsigned char>(field[at]) >= 0x80 ? Utf8Length(field, at) : 0;
        const size_t next = at + std::max<size_t>(sequence, 1);
        std::string piece;
        AppendEscaped(piece, field.substr(at, next - at));
        const size_t width = sequence > 0 ? 1 : piece.size();
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
