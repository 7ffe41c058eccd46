// The figure file reader on arbitrary bytes: whatever it accepts, the writer
// gives back in the written form, and that reads back to the same records.
#include <cstdint>
#include <string>
#include <vector>

#include "documents/figure_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<orvanta::FigureRecord> records;
    if (orvanta::ParseFigureFile(text, records).failed) return 0;
    orvanta::FigureLines figure;
    orvanta::ReplaceFigure(figure, records);
    if (figure.LineCount() != static_cast<int>(records.size())) __builtin_trap();
    std::vector<orvanta::FigureRecord> again;
    if (orvanta::ParseFigureFile(orvanta::FormatFigureFile(figure), again).failed || again != records) __builtin_trap();
    return 0;
}
