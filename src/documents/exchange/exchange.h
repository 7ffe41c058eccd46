#pragma once
// Export of a figure to the formats other sky programs read, and import back:
// the entry points for the command line and the Export/Import menu items.
#include <optional>
#include <string>
#include <vector>

#include "documents/exchange/exchange_model.h"
#include "documents/exchange/figure_exchange.h"
#include "documents/exchange/stellarium_culture.h"
#include "figure/line_record.h"

namespace orvanta {

enum class ExchangeFormat {
    Stellarium,     // a sky-culture folder: index.json and description.md (Stellarium 24.x and later)
    StellariumFab,  // a sky-culture folder: info.ini and .fab files (Stellarium 0.22 and 23.x)
    GeoJson,        // one file like d3-celestial's constellations.lines.json
};

// "stellarium", "stellarium-fab" or "geojson", as the command line names them.
std::optional<ExchangeFormat> ExchangeFormatNamed(const std::string& name);

struct ExportFailure {
    bool failed = false;
    std::string reason;
    int linesLeftOut = 0;  // on success: lines the format could not hold (free ends in .fab)
};

// Writes the figure to outputPath (a folder for the Stellarium forms, a file
// for GeoJSON) atomically: whole or not at all. A sky culture's id is the
// folder's name, which therefore may hold no blanks.
ExportFailure ExportFigure(ExchangeFormat format, const std::vector<LineRecord>& lines, const SkyReference& sky,
                           const std::string& outputPath, const CultureDetails& details = {});

// Reads a constellationship.fab, an index.json, a GeoJSON lines file or a
// sky-culture folder holding index.json or constellationship.fab. On failure
// the reason starts with the file's path and no records are returned.
ImportResult ImportFigure(const std::string& sourcePath, const SkyReference& sky);

// The same from the text of a file; fileName decides the format where the
// text does not (a .fab file), and starts the reason of a failure.
ImportResult ImportFigureText(const std::string& text, const std::string& fileName, const SkyReference& sky);

}  // namespace orvanta
