#include "documents/figure_file.h"

#include "documents/atomic_file.h"
#include "sky/number_reader.h"
#include "sky/text_file.h"

namespace orvanta {

std::string FormatFigureFile(const FigureLines& figure) {
    std::string text;
    const int n = figure.CompletedLineCount();
    text.reserve(static_cast<size_t>(n) * 26);
    for (int k = 1; k <= n; ++k) {
        text += std::to_string(figure.FigureRa1[k]);
        text += ',';
        text += std::to_string(figure.FigureDec1[k]);
        text += ',';
        text += std::to_string(figure.FigureRa2[k]);
        text += ',';
        text += std::to_string(figure.FigureDec2[k]);
        text += "\r\n";
    }
    return text;
}

ReadFailure ParseFigureFile(const std::string& text, std::vector<FigureRecord>& records) {
    std::vector<FigureRecord> read;
    NumberReader reader(text);
    while (!reader.AtEnd()) {
        if (read.size() == static_cast<size_t>(kMaxLineCount))
            return {true, reader.Line(), "a figure holds at most " + std::to_string(kMaxLineCount) + " lines"};
        int16_t values[4];
        for (int16_t& value : values) {
            const auto number = reader.NextInteger(INT16_MIN, INT16_MAX);
            if (!number) {
                std::string reason = reader.Error();
                if (reason == "the record is incomplete")
                    reason = "the numbers do not make whole lines of four";
                return {true, reader.Line(), reason};
            }
            value = static_cast<int16_t>(*number);
        }
        read.push_back({values[0], values[1], values[2], values[3]});
    }
    records = std::move(read);
    return {};
}

bool WriteFigureFile(const FigureLines& figure, const std::string& path, int& written, std::string& error) {
    if (!WriteFileAtomically(path, FormatFigureFile(figure), error)) return false;
    written = figure.CompletedLineCount();
    return true;
}

ReadFailure ReadFigureRecords(const std::string& path, std::vector<FigureRecord>& records) {
    std::string text;
    // The largest figure in the written form is well below this.
    if (auto failure = ReadWholeFile(path, text, 16u << 20); failure.failed) return failure;
    return ParseFigureFile(text, records);
}

ReadFailure ReadFigureFile(FigureLines& figure, const std::string& path) {
    std::vector<FigureRecord> records;
    if (auto failure = ReadFigureRecords(path, records); failure.failed) return failure;
    TakeFigureRecords(figure, records);
    return {};
}

void TakeFigureRecords(FigureLines& figure, const std::vector<FigureRecord>& records) {
    ReplaceFigure(figure, records);
    figure.SavedLineCount = static_cast<int>(records.size());
}

}  // namespace orvanta
