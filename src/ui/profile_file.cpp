// Reading INI files as the Windows profile reader reads them.
#include "ui/profile_file.h"

#include <string_view>

namespace orvanta {

namespace {

std::string_view Trim(std::string_view s) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Names match without regard to ASCII case, so the table keeps them lower-cased.
std::string NameKey(std::string_view name) {
    std::string key(Trim(name));
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return key;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 after its byte-order mark, as UTF-8; a lone surrogate becomes U+FFFD
// and an odd last byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
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
    for (unsigned char c : bytes) AppendUtf8(out, c);
    return out;
}

ProfileTable::ProfileTable(std::string_view bytes) {
    std::string utf16;
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        utf16 = Utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE');
        bytes = utf16;
    } else if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    std::unordered_map<std::string, std::string>* current = nullptr;
    while (!bytes.empty()) {
        const size_t end = bytes.find_first_of("\r\n");
        const std::string_view raw = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
        const std::string_view trimmed = Trim(raw);
        if (trimmed.empty()) continue;
        // Each line is judged alone: one Latin-1 byte must not turn the
        // other, valid UTF-8, translations into Latin-1.
        const std::string decoded = DecodeUtf8OrLatin1(std::string(trimmed));
        const std::string_view line = decoded;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            std::string name = NameKey(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
            // The first section of a name is the one that counts.
            const auto [entry, added] = sections_.try_emplace(std::move(name));
            current = added ? &entry->second : nullptr;
            continue;
        }
        if (!current) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        // try_emplace keeps the first key of a name.
        current->try_emplace(NameKey(line.substr(0, equals)), Trim(line.substr(equals + 1)));
    }
}

const std::string* ProfileTable::Find(std::string_view section, std::string_view key) const {
    const auto inSection = sections_.find(NameKey(section));
    if (inSection == sections_.end()) return nullptr;
    const auto found = inSection->second.find(NameKey(key));
    return found == inSection->second.end() ? nullptr : &found->second;
}

const ProfileTable* ProfileFile::Table(const std::string& path) {
    // A stat costs microseconds; a read of a large file costs a look at every text.
    const std::optional<FileStamp> now = StampOf(path);
    if (path == path_ && now && now == stamp_) return refusal_.empty() ? &table_ : nullptr;
    path_ = path;
    std::string bytes;
    FileStamp read;
    const ReadFailure failure = ReadWholeFile(path, bytes, kProfileFileLimit, &read);
    table_ = failure.failed ? ProfileTable() : ProfileTable(bytes);
    ++revision_;
    refusal_ = failure.reason;
    // A refused file is kept refused until it changes, so it costs no read per text either.
    stamp_ = failure.failed ? now : std::optional<FileStamp>(read);
    return failure.failed ? nullptr : &table_;
}

size_t ProfileValue(const std::string* found, const std::string& defaultValue, std::string& value, size_t size) {
    std::string_view chosen = found ? std::string_view(*found) : std::string_view(defaultValue);
    if (chosen.size() >= 2 && (chosen.front() == '"' || chosen.front() == '\'') && chosen.back() == chosen.front())
        chosen = chosen.substr(1, chosen.size() - 2);
    size_t count = 0;
    value = size == 0 ? std::string() : CutToCharacters(chosen, size - 1, count);
    return count;
}

}  // namespace orvanta
