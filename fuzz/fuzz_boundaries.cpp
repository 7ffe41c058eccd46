// The boundary file reader on arbitrary bytes.
#include <cstdint>
#include <string>

#include "map/boundary_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orvanta::BoundaryTable table;
    const auto failure = orvanta::ParseBoundaries(table, text);
    // A failed read leaves the table as it was: empty.
    if (failure.failed && !table.vertices.empty()) __builtin_trap();
    return 0;
}
