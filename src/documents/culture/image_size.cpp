// Reading a picture's size from its header.
#include "documents/culture/image_size.h"

#include <cstdint>

namespace orvanta {

namespace {

uint32_t BigEndian(std::string_view b, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = value << 8 | static_cast<unsigned char>(b[at + i]);
    return value;
}

uint32_t LittleEndian(std::string_view b, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(b[at + i]);
    return value;
}

std::optional<std::pair<int, int>> Positive(uint32_t width, uint32_t height) {
    if (width == 0 || height == 0 || width > 1000000 || height > 1000000) return std::nullopt;
    return std::make_pair(static_cast<int>(width), static_cast<int>(height));
}

}  // namespace

std::optional<std::pair<int, int>> PictureSize(std::string_view b) {
    if (b.size() >= 24 && b.substr(0, 8) == "\x89PNG\r\n\x1a\n" && b.substr(12, 4) == "IHDR")
        return Positive(BigEndian(b, 16, 4), BigEndian(b, 20, 4));
    if (b.size() >= 4 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xD8) {
        // The first start-of-frame marker holds the size.
        for (size_t at = 2; at + 9 < b.size();) {
            if (static_cast<unsigned char>(b[at]) != 0xFF) return std::nullopt;
            const unsigned marker = static_cast<unsigned char>(b[at + 1]);
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
                return Positive(BigEndian(b, at + 7, 2), BigEndian(b, at + 5, 2));
            at += 2 + BigEndian(b, at + 2, 2);
        }
        return std::nullopt;
    }
    if (b.size() >= 30 && b.substr(0, 4) == "RIFF" && b.substr(8, 4) == "WEBP") {
        const std::string_view chunk = b.substr(12, 4);
        if (chunk == "VP8 ") return Positive(LittleEndian(b, 26, 2) & 0x3FFF, LittleEndian(b, 28, 2) & 0x3FFF);
        if (chunk == "VP8L") {
            const uint32_t bits = LittleEndian(b, 21, 4);
            return Positive((bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1);
        }
        if (chunk == "VP8X") return Positive(LittleEndian(b, 24, 3) + 1, LittleEndian(b, 27, 3) + 1);
    }
    return std::nullopt;
}

}  // namespace orvanta
