// The constellation list reader on arbitrary bytes, in every names mode.
#include <cstdint>
#include <string>

#include "map/constellation_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first part is the file, what follows a NUL the English names list.
    const std::string all(reinterpret_cast<const char*>(data), size);
    const size_t split = all.find('\0');
    const std::string text = all.substr(0, split);
    const std::string names = split == std::string::npos ? "" : all.substr(split + 1);
    for (uint8_t mode = 1; mode <= 3; ++mode) {
        orvanta::ConstellationTable table;
        const auto failure = orvanta::ParseConstellations(table, text, mode, names);
        if (failure.failed && !table.labels.empty()) __builtin_trap();
        if (!failure.failed && table.labels.size() != 89) __builtin_trap();
    }
    return 0;
}
