#pragma once
// The constellation boundaries read from bounds.txt: polylines of vertices.
#include <cstdint>
#include <string>
#include <vector>

#include "sky/read_failure.h"

namespace orvanta {

// Element 0 is never filled; record k of the file is element k.
struct BoundaryTable {
    std::vector<int16_t> BoundaryPen{0};  // below 1 starts a polyline, 1 or more continues it
    std::vector<int16_t> BoundaryRa{0};   // thousandths of an hour
    std::vector<int16_t> BoundaryDec{0};  // hundredths of a degree

    int UpperBound() const { return static_cast<int>(BoundaryPen.size()) - 1; }
};

// Rebuilds the table; an empty file leaves it as it was, a bad one too.
ReadFailure ParseBoundaries(BoundaryTable& table, const std::string& text);
ReadFailure LoadBoundaries(BoundaryTable& table, const std::string& path);

}  // namespace orvanta
