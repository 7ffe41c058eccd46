#pragma once
// Constellation lines as web sky maps read them (d3-celestial's
// constellations.lines.json): a FeatureCollection with one Feature per
// constellation, id its abbreviation, a MultiLineString of [longitude,
// latitude] in degrees with longitude = RA x 15 wrapped into -180..180.
#include <string>
#include <vector>

#include "documents/exchange/exchange_model.h"
#include "files/read_failure.h"

namespace orvanta {

std::string FormatGeoJsonLines(const std::vector<ConstellationFigure>& figures, const std::string& englishNames);

// Every point comes back as a position; LineString geometries are read too.
ReadFailure ReadGeoJsonLines(const std::string& text, std::vector<ExchangeLine>& lines);

}  // namespace orvanta
