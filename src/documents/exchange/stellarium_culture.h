#pragma once
// Stellarium's sky-culture files: the current form (index.json and
// description.md, Stellarium 24.x and later) and the form of 0.22 and 23.x
// (info.ini, constellationship.fab, constellation_names.eng.fab).
#include <string>
#include <vector>

#include "documents/exchange/exchange_model.h"
#include "files/read_failure.h"

namespace orvanta {

// What a sky culture says about itself; empty fields get a neutral text.
struct CultureDetails {
    std::string name;     // shown in Stellarium's list; the folder name when empty
    std::string author;
    std::string licence;
};

// index.json: id is the folder name; lines are polylines of Hipparcos numbers
// with free points as [RA hours, Dec degrees]. Each IAU constellation is
// named as the shipped western cultures name it, its Latin name as native;
// edges are the IAU boundaries Stellarium draws and assigns stars by.
std::string FormatIndexJson(const std::vector<ConstellationFigure>& figures, const std::string& id,
                            const std::string& englishNames, const std::vector<std::string>& edges);
std::string FormatDescriptionMarkdown(const std::vector<ConstellationFigure>& figures, const CultureDetails& details,
                                      const std::string& englishNames);

// The older form names stars only: a line with a free end cannot be written
// and is counted in linesLeftOut.
std::string FormatConstellationship(const std::vector<ConstellationFigure>& figures, int& linesLeftOut);
std::string FormatConstellationNames(const std::vector<ConstellationFigure>& figures, const std::string& englishNames);
std::string FormatInfoIni(const CultureDetails& details);
// star_names.fab: the proper names of the stars the figure's lines join, so
// that the older Stellarium names them while the culture is shown.
std::string FormatStarNames(const std::vector<ConstellationFigure>& figures, const StarIdentities& identities);
std::string FormatDescriptionHtml(const CultureDetails& details);

// Readers: the lines of every constellation, or a failure naming the line or
// entry. Hipparcos numbers beyond the catalogue's range fail the read; numbers
// the catalogue does not hold are left to the caller to skip and count.
// A record whose count disagrees with its numbers is read as Stellarium reads
// it, and noted in notes.
ReadFailure ReadConstellationship(const std::string& text, std::vector<ExchangeLine>& lines,
                                  std::vector<ReadNote>* notes = nullptr);
ReadFailure ReadIndexJson(const std::string& text, std::vector<ExchangeLine>& lines);

}  // namespace orvanta
