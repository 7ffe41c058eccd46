// Reading bounds.txt into the boundary table.
#include "map/boundary_table.h"

#include "sky/number_reader.h"
#include "files/file_reading.h"

namespace orvanta {

ReadFailure ParseBoundaries(BoundaryTable& table, const std::string& text) {
    BoundaryTable loaded;
    NumberReader reader(text);
    while (!reader.AtEnd()) {
        // The records were always counted in 16 bits, from 1.
        if (loaded.vertices.size() == INT16_MAX) return {true, reader.Line(), "there are too many records"};
        const auto pen = reader.NextInteger(INT16_MIN, INT16_MAX);
        const auto ra = pen ? reader.NextInteger(INT16_MIN, INT16_MAX) : std::nullopt;
        const auto dec = ra ? reader.NextInteger(INT16_MIN, INT16_MAX) : std::nullopt;
        if (!dec) return {true, reader.Line(), reader.Error()};
        loaded.vertices.push_back({static_cast<int16_t>(*pen), static_cast<int16_t>(*ra), static_cast<int16_t>(*dec)});
    }
    if (!loaded.vertices.empty()) table = std::move(loaded);
    return {};
}

ReadFailure LoadBoundaries(BoundaryTable& table, const std::string& path) {
    std::string text;
    if (auto failure = ReadWholeFile(path, text, kBoundaryFileLimit); failure.failed) return failure;
    return ParseBoundaries(table, text);
}

}  // namespace orvanta
