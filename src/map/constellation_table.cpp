// Reading cons.txt into the constellation labels.
#include "map/constellation_table.h"

#include "sky/number_reader.h"
#include "files/file_reading.h"

namespace orvanta {

namespace {

std::vector<std::string> SplitAtCommas(const std::string& list) {
    std::vector<std::string> names;
    size_t start = 0;
    while (true) {
        const size_t comma = list.find(',', start);
        names.push_back(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return names;
}

}  // namespace

ReadFailure ParseConstellations(ConstellationTable& table, const std::string& text, uint8_t mode,
                                const std::string& englishNames) {
    ConstellationTable loaded;
    loaded.labels.resize(kConstellationCount);
    NumberReader reader(text);
    for (int i = 0; !reader.AtEnd(); ++i) {
        if (i == kConstellationCount)
            return {true, reader.Line(), "there are more than " + std::to_string(kConstellationCount) + " records"};
        const auto skipped = reader.NextText();
        const auto ra = skipped ? reader.NextInteger(INT16_MIN, INT16_MAX) : std::nullopt;
        const auto dec = ra ? reader.NextInteger(INT16_MIN, INT16_MAX) : std::nullopt;
        const auto abbreviation = dec ? reader.NextText() : std::nullopt;
        const auto latin = abbreviation ? reader.NextText() : std::nullopt;
        if (!latin) return {true, reader.Line(), reader.Error()};
        loaded.labels[i] = {static_cast<int16_t>(*ra), static_cast<int16_t>(*dec), mode == 1 ? *abbreviation : *latin};
    }
    if (mode == 3) {
        std::vector<std::string> names = SplitAtCommas(englishNames);
        // A short list leaves anchors without labels; a long one has no anchors for the rest.
        names.resize(kConstellationCount);
        for (int i = 0; i < kConstellationCount; ++i) loaded.labels[i].text = std::move(names[i]);
    }
    table = std::move(loaded);
    return {};
}

ReadFailure LoadConstellations(ConstellationTable& table, const std::string& path, uint8_t mode,
                               const std::string& englishNames) {
    std::string text;
    if (auto failure = ReadWholeFile(path, text, kConstellationFileLimit); failure.failed) return failure;
    return ParseConstellations(table, text, mode, englishNames);
}

}  // namespace orvanta
