#pragma once
// The constellation boundaries read from bounds.txt: polylines of vertices.
#include <cstdint>
#include <string>
#include <vector>

#include "files/read_failure.h"

namespace orvanta {

struct BoundaryVertex {
    int16_t pen = 0;  // below 1 starts a polyline, 1 or more continues it
    int16_t ra = 0;   // thousandths of an hour
    int16_t dec = 0;  // hundredths of a degree
};

// The file's records in order.
struct BoundaryTable {
    std::vector<BoundaryVertex> vertices;
};

// Rebuilds the table; an empty file leaves it as it was, a bad one too.
ReadFailure ParseBoundaries(BoundaryTable& table, const std::string& text);
ReadFailure LoadBoundaries(BoundaryTable& table, const std::string& path);

}  // namespace orvanta
