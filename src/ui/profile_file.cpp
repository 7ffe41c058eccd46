#include "ui/profile_file.h"

#include <fstream>
#include <sstream>
#include <string_view>

namespace orvanta {

namespace {

std::string_view Trim(std::string_view s) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool IsValidUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = s[i];
        size_t extra;
        if (c < 0x80) extra = 0;
        else if (c >= 0xC2 && c <= 0xDF) extra = 1;
        else if (c >= 0xE0 && c <= 0xEF) extra = 2;
        else if (c >= 0xF0 && c <= 0xF4) extra = 3;
        else return false;
        if (i + extra >= s.size()) return false;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        const unsigned char next = extra ? static_cast<unsigned char>(s[i + 1]) : 0;
        if ((c == 0xE0 && next < 0xA0) || (c == 0xED && next > 0x9F) || (c == 0xF0 && next < 0x90) ||
            (c == 0xF4 && next > 0x8F))
            return false;
        i += extra + 1;
    }
    return true;
}

// Cuts UTF-8 text after maxChars characters.
std::string CutToCharacters(std::string_view s, size_t maxChars, size_t& count) {
    size_t i = 0;
    count = 0;
    while (i < s.size() && count < maxChars) {
        const unsigned char c = s[i];
        size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        i += length;
        ++count;
    }
    return std::string(s.substr(0, std::min(i, s.size())));
}

}  // namespace

std::string DecodeUtf8OrLatin1(const std::string& bytes) {
    if (IsValidUtf8(bytes)) return bytes;
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

size_t ProfileLookup(const std::string& fileText, const std::string& section, const std::string& key,
                     const std::string& defaultValue, std::string& value, size_t size) {
    std::string_view text = fileText;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::string_view found;
    bool haveValue = false;
    bool inSection = false;
    while (!text.empty() && !haveValue) {
        const size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty()) continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            const std::string_view name = Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
            // The first section of a name is the one that counts.
            if (inSection) break;
            inSection = SameName(name, Trim(section));
            continue;
        }
        if (!inSection) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        if (!SameName(Trim(line.substr(0, equals)), Trim(key))) continue;
        found = Trim(line.substr(equals + 1));
        haveValue = true;
    }
    std::string_view chosen = haveValue ? found : std::string_view(defaultValue);
    if (chosen.size() >= 2 && (chosen.front() == '"' || chosen.front() == '\'') && chosen.back() == chosen.front())
        chosen = chosen.substr(1, chosen.size() - 2);
    size_t count = 0;
    value = size == 0 ? std::string() : CutToCharacters(chosen, size - 1, count);
    return count;
}

size_t GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                               std::string& value, size_t size, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text;
    if (in) {
        std::ostringstream buffer;
        buffer << in.rdbuf();
        text = DecodeUtf8OrLatin1(buffer.str());
    }
    return ProfileLookup(text, section, key, defaultValue, value, size);
}

}  // namespace orvanta
