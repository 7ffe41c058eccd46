#pragma once
// A sky culture written out: to either of Stellarium's forms with the files
// it carries, to GeoJSON lines by its own constellations, or as the lines of
// a figure file.
#include <string>
#include <vector>

#include "documents/culture/culture.h"
#include "documents/exchange/exchange.h"
#include "documents/exchange/exchange_sky.h"

namespace orvanta {

// The culture's lines as a figure's: each pair of stars once, none from a star to itself.
std::vector<LineRecord> CultureRecords(const Culture& culture, const ExchangeSky& sky);

// Writes the culture to output in the format. For Stellarium's forms the
// folder gets the culture's files (converted where the form differs) and the
// pictures its illustrations use; a folder of other things is written into
// only with othersAllowed.
ExportFailure ExportCulture(ExchangeFormat format, const Culture& culture, const ExchangeSky& sky,
                            const std::string& output, const WriteOptions& options = {}, bool othersAllowed = false);

}  // namespace orvanta
