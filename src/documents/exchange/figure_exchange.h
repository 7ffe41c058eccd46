#pragma once
// Between a figure's line records and the exchange model: grouping lines by
// the IAU constellation that holds them, joining them into polylines, and
// tying imported points back to catalogue stars.
#include <string>
#include <vector>

#include "documents/exchange/exchange_model.h"
#include "figure/line_record.h"
#include "files/read_failure.h"
#include "sky/star_finder.h"

namespace orvanta {

// A line belongs to the constellation both its stars are designated in, when
// they agree; else to the one holding both its ends, and when they lie in two,
// to the one holding its midpoint. Free points and stars without a Bayer or
// Flamsteed designation go by the boundaries. Empty when the table covers neither.
std::string ConstellationOfLine(const LineRecord& line, const SkyReference& sky, const StarFinder& finder);

// A line end as exported: the matched star by its Hipparcos number, else a free point.
ExchangePoint ExportedEnd(int16_t ra, int16_t dec, const SkyReference& sky, const StarFinder& finder);

// The figure grouped by constellation, in cons.txt order, each with its polylines.
// A line the membership table does not place is left out and counted in unplaced.
std::vector<ConstellationFigure> GroupFigure(const std::vector<LineRecord>& lines, const SkyReference& sky,
                                             int& unplaced);

// Joins lines that meet at a point into polylines, starting where a chain has
// a loose end, so that every line is drawn exactly once.
std::vector<std::vector<ExchangePoint>> JoinIntoPolylines(const std::vector<ExchangeLine>& lines);

struct ImportResult {
    ReadFailure failure;
    std::vector<LineRecord> records;
    int skippedLines = 0;  // lines with a star that is not in the catalogue
    std::vector<ReadNote> notes;  // what was read as the sky programs read it, though a careful author would mend it
};

// Ties the read lines to catalogue stars: Hipparcos numbers through the
// cross-index, positions to the nearest star within kImportMatchDegrees, free
// points to a star within kLineEndMatchDegrees or else kept where they are.
// Lines drawn twice or from a star to itself are dropped.
void ResolveLines(const std::vector<ExchangeLine>& lines, const SkyReference& sky, ImportResult& result);

}  // namespace orvanta
