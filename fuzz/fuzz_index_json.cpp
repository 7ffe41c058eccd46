// The index.json reader on arbitrary bytes: a figure or a failure with no records, never a crash.
#include <cstdint>
#include <string>

#include "documents/exchange/exchange.h"
#include "fuzz_sky.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const orvanta::ImportResult read = orvanta::ImportFigureText(text, "index.json", orvanta::fuzzing::FuzzSky());
    if (read.failure.failed && (!read.records.empty() || read.failure.reason.empty())) __builtin_trap();
    for (const auto& r : read.records)
        if (r.ra1 < 0 || r.ra1 > 23999 || r.ra2 < 0 || r.ra2 > 23999 || r.dec1 < -9000 || r.dec1 > 9000 ||
            r.dec2 < -9000 || r.dec2 > 9000)
            __builtin_trap();
    return 0;
}
