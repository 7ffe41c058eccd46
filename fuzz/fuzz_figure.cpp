// The figure file reader on arbitrary bytes: whatever it accepts, the writer
// gives back in the written form, and that reads back to the same records.
#include <cstdint>
#include <string>
#include <vector>

#include "documents/figure_file.h"
#include "map/placed_figure.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<orvanta::LineRecord> records;
    if (orvanta::ParseFigureFile(text, records).failed) return 0;
    orvanta::Figure figure;
    figure.ReplaceLines(records);
    if (figure.LineCount() != records.size() || figure.PlacedLines().size() != records.size()) __builtin_trap();
    std::vector<orvanta::LineRecord> again;
    if (orvanta::ParseFigureFile(orvanta::FormatFigureFile(figure.Records()), again).failed || again != records)
        __builtin_trap();
    return 0;
}
