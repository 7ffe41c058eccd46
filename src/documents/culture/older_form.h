#pragma once
// The older form of a sky culture (Stellarium 0.22 and 23): info.ini,
// constellationship.fab, constellation_names.eng.fab, star_names.fab and
// constellationsart.fab, read into the model and written back record by
// record: a record that did not change keeps its line as it was.
#include <map>
#include <string>

#include "documents/culture/culture.h"
#include "files/careful_writer.h"
#include "files/read_failure.h"

namespace orvanta {

// The files of the older form the model comes from, by name.
extern const char* const kOlderFormFiles[6];

// Reads the culture from the texts of its files (a file absent from files is
// not there). On failure the reason names the file and the line.
ReadFailure ReadOlderCulture(const std::map<std::string, std::string>& files, Culture& culture);

// The files whose text the model's changes alter, with their new text.
std::vector<FolderFile> OlderCultureChanges(const Culture& culture);

// The model's files written afresh, as a new culture of the older form.
std::vector<FolderFile> FormatOlderCulture(const Culture& culture);

}  // namespace orvanta
