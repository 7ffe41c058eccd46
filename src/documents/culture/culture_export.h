#pragma once
// A sky culture written out: to either of Stellarium's forms with the files
// it carries, to GeoJSON lines by its own constellations, or as the lines of
// a figure file.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/culture/culture.h"
#include "documents/exchange/exchange.h"
#include "documents/exchange/exchange_sky.h"

namespace orvanta {

// The culture's lines as a figure's: each pair of stars once, none from a star to itself.
std::vector<LineRecord> CultureRecords(const Culture& culture, const ExchangeSky& sky);

// A picture's bytes as PNG; nullopt when they cannot be read. Decoding
// pictures is the window system's business: the caller supplies it.
using PngConverter = std::function<std::optional<std::string>(std::string_view bytes)>;

// Writes the culture to output in the format. For Stellarium's forms the
// folder gets the culture's files (converted where the form differs) and the
// pictures its illustrations use; a folder of other things is written into
// only with othersAllowed. Made older, WebP pictures, which Stellarium 0.22
// may not read, go as PNG copies when toPng is given.
ExportFailure ExportCulture(ExchangeFormat format, const Culture& culture, const ExchangeSky& sky,
                            const std::string& output, const WriteOptions& options = {}, bool othersAllowed = false,
                            const PngConverter& toPng = {});

}  // namespace orvanta
