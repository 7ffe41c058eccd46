#pragma once
// The 89 constellation label anchors and texts read from cons.txt.
#include <cstdint>
#include <string>
#include <vector>

#include "files/read_failure.h"

namespace orvanta {

constexpr int kConstellationCount = 89;

struct ConstellationLabel {
    int16_t ra = 0;    // thousandths of an hour
    int16_t dec = 0;   // hundredths of a degree
    std::string text;  // empty when there is nothing to show
};

// Always kConstellationCount labels once read; a short file leaves the rest
// without anchors.
struct ConstellationTable {
    std::vector<ConstellationLabel> labels;
};

// Which names are drawn: 0 none, 1 abbreviations, 2 Latin, 3 English.
using NamesMode = uint8_t;

// Rebuilds the table from the text of cons.txt for mode 1, 2 or 3; in mode 3
// the labels are the English names list. On failure the table is unchanged.
ReadFailure ParseConstellations(ConstellationTable& table, const std::string& text, uint8_t mode,
                                const std::string& englishNames);
ReadFailure LoadConstellations(ConstellationTable& table, const std::string& path, uint8_t mode,
                               const std::string& englishNames);

}  // namespace orvanta
