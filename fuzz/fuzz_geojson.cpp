// The GeoJSON lines reader on arbitrary bytes: every line it keeps joins two
// catalogue stars; a failure leaves no records.
#include <cstdint>
#include <string>

#include "documents/exchange/exchange.h"
#include "fuzz_sky.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const orvanta::SkyReference& sky = orvanta::fuzzing::FuzzSky();
    const orvanta::ImportResult read = orvanta::ImportFigureText(text, "lines.json", sky);
    if (read.failure.failed && (!read.records.empty() || read.failure.reason.empty())) __builtin_trap();
    auto isStar = [&sky](int ra, int dec) {
        for (const auto& s : sky.stars)
            if (s.ra == ra && s.dec == dec) return true;
        return false;
    };
    for (const auto& r : read.records)
        if (!isStar(r.ra1, r.dec1) || !isStar(r.ra2, r.dec2)) __builtin_trap();
    return 0;
}
