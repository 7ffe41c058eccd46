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
#include "files/careful_writer.h"

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
    // The folder holds files that are not a sky culture's: what is there, for
    // a question; the export may be asked again with othersAllowed.
    std::string foreignFiles;
};

// What a folder holds that a sky-culture export with this id would not
// write: empty for a new or empty folder, a folder whose index.json has the
// id, and a folder of the older form (info.ini and constellationship.fab);
// else a short list of what is there ("notes.txt, photos/ and 3 more").
std::string ForeignFilesIn(const std::string& folder, const std::string& id);

// The first line whose declination lies beyond a pole, told for a message; empty
// when there is none. A figure file can hold any 16-bit value, but no sky
// program and no picture can place such a point.
std::string LineOffTheSky(const std::vector<LineRecord>& lines);

// Writes the figure to outputPath (a folder for the Stellarium forms, a file
// for GeoJSON, "-" for standard output) through the careful writer. A sky
// culture's id is the folder's name, which therefore may hold no blanks; its
// files are written one by one, index.json or constellationship.fab last, so
// that an interrupted export leaves the old culture or the new one, and no
// other file of the folder is touched. A folder holding other things is
// written only with othersAllowed. Lines with a declination beyond the poles
// are refused, naming the first.
ExportFailure ExportFigure(ExchangeFormat format, const std::vector<LineRecord>& lines, const SkyReference& sky,
                           const std::string& outputPath, const CultureDetails& details = {},
                           const WriteOptions& options = {}, bool othersAllowed = false);

// Reads a constellationship.fab, an index.json, a GeoJSON lines file or a
// sky-culture folder holding index.json or constellationship.fab. On failure
// the reason starts with the file's path and no records are returned.
ImportResult ImportFigure(const std::string& sourcePath, const SkyReference& sky);

// The same from the text of a file; fileName decides the format where the
// text does not (a .fab file), and starts the reason of a failure.
ImportResult ImportFigureText(const std::string& text, const std::string& fileName, const SkyReference& sky);

}  // namespace orvanta
