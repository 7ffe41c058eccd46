// The constellationship.fab reader on arbitrary bytes: a failure leaves no
// records; what it accepts, written again as .fab, reads back to the same lines.
#include <cstdint>
#include <set>
#include <string>

#include "documents/exchange/exchange.h"
#include "fuzz_sky.h"

namespace {
std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> Pairs(const std::vector<orvanta::LineRecord>& records) {
    std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> pairs;
    for (const auto& r : records) {
        const std::pair<int, int> a{r.ra1, r.dec1}, b{r.ra2, r.dec2};
        pairs.insert(a < b ? std::make_pair(a, b) : std::make_pair(b, a));
    }
    return pairs;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const orvanta::SkyReference& sky = orvanta::fuzzing::FuzzSky();
    const orvanta::ImportResult read = orvanta::ImportFigureText(text, "c.fab", sky);
    if (read.failure.failed) {
        if (!read.records.empty() || read.skippedLines != 0 || read.failure.reason.empty()) __builtin_trap();
        return 0;
    }
    int unplaced = 0, leftOut = 0;
    const auto figures = orvanta::GroupFigure(read.records, sky, unplaced);
    const std::string again = orvanta::FormatConstellationship(figures, leftOut);
    const orvanta::ImportResult reread = orvanta::ImportFigureText(again, "c.fab", sky);
    if (unplaced != 0 || leftOut != 0 || reread.failure.failed || Pairs(reread.records) != Pairs(read.records))
        __builtin_trap();
    return 0;
}
