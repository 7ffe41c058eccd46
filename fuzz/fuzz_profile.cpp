// The profile reader on arbitrary bytes: any key, any size, valid UTF-8 out.
#include <cstdint>
#include <string>

#include "ui/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t bufferSize = data[0];  // 0 to 255, the sizes the program uses and the edge 0
    const std::string file = orvanta::DecodeUtf8OrLatin1(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    std::string value;
    for (const char* key : {"100", "200", "CharSet", ""}) {
        const size_t count = orvanta::ProfileLookup(file, "GUI_Strings", key, "x", value, bufferSize);
        if (bufferSize > 0 && count > bufferSize - 1) __builtin_trap();
        if (orvanta::DecodeUtf8OrLatin1(value) != value) __builtin_trap();  // still valid UTF-8
    }
    return 0;
}
