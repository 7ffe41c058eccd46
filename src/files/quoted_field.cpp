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
    std::string out = "\"";
    if (field.size() <= kQuotedFieldLimit) {
        AppendEscaped(out, field);
        return out + "\"";
    }
    size_t cut = kQuotedFieldLimit;
    while (cut > 0 && (static_cast<unsigned char>(field[cut]) & 0xC0) == 0x80) --cut;
    AppendEscaped(out, field.substr(0, cut));
    return out + "\u2026\"";
}

std::string EscapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendEscaped(out, text);
    return out;
}

}  // namespace orvanta
