// The profile reader on arbitrary bytes (UTF-8, Latin-1 or UTF-16 after its
// byte-order mark): any key, any size, valid UTF-8 out, never longer than asked.
#include <cstdint>
#include <string>

#include "ui/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t bufferSize = data[0];  // 0 to 255, the sizes the program uses and the edge 0
    const orvanta::ProfileTable table(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    std::string value;
    for (const char* key : {"100", "112", "200", ""}) {
        const size_t count = orvanta::ProfileValue(table.Find("GUI_Strings", key), "x", value, bufferSize);
        if (bufferSize > 0 && count > bufferSize - 1) __builtin_trap();
        if (orvanta::DecodeUtf8OrLatin1(value) != value) __builtin_trap();  // still valid UTF-8
    }
    return 0;
}
