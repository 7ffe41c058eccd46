// The figure file: its text, reading it and writing it.
#include "documents/figure_file.h"

#include "map/placed_figure.h"
#include "sky/number_reader.h"
#include "files/file_reading.h"

namespace orvanta {

std::string FormatFigureFile(const std::vector<LineRecord>& records) {
    std::string text;
    text.reserve(records.size() * 26);
    for (const LineRecord& r : records) {
        for (const int16_t value : {r.ra1, r.dec1, r.ra2}) {
            text += std::to_string(value);
            text += ',';
        }
        text += std::to_string(r.dec2);
        text += "\r\n";
    }
    return text;
}

ReadFailure ParseFigureFile(const std::string& text, std::vector<LineRecord>& records) {
    std::vector<LineRecord> read;
    NumberReader reader(text);
    while (!reader.AtEnd()) {
        if (read.size() == kMaxLineCount)
            return {true, reader.Line(), "a figure holds at most " + std::to_string(kMaxLineCount) + " lines"};
        int16_t values[4];
        for (int16_t& value : values) {
            const auto number = reader.NextInteger(INT16_MIN, INT16_MAX);
            if (!number) {
                std::string reason = reader.Error();
                if (reason == "the record is incomplete") reason = "the numbers do not make whole lines of four";
                return {true, reader.Line(), reason};
            }
            value = static_cast<int16_t>(*number);
        }
        read.push_back({values[0], values[1], values[2], values[3]});
    }
    records = std::move(read);
    return {};
}

WriteResult WriteFigureFile(const std::vector<LineRecord>& records, const std::string& path,
                            const WriteOptions& options) {
    return WriteFileCarefully(path, FormatFigureFile(records), options);
}

ReadFailure ReadFigureRecords(const std::string& path, std::vector<LineRecord>& records) {
    std::string text;
    if (auto failure = ReadWholeFile(path, text, kFigureFileLimit); failure.failed) return failure;
    return ParseFigureFile(text, records);
}

}  // namespace orvanta
