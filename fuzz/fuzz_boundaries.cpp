// The boundary file reader on arbitrary bytes.
#include <cstdint>
#include <string>

#include "map/boundary_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orvanta::BoundaryTable table;
    orvanta::ParseBoundaries(table, text);
    if (table.BoundaryPen.size() != table.BoundaryRa.size() || table.BoundaryRa.size() != table.BoundaryDec.size())
        __builtin_trap();
    return 0;
}
