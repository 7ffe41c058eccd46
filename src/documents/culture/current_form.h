#pragma once
// The current form of a sky culture (Stellarium 24 and later): index.json,
// read into the model with every key kept, and written back record by
// record: a constellation or a named object that did not change keeps its
// text as it was, with its spacing and line ends.
#include <string>

#include "documents/culture/culture.h"
#include "files/careful_writer.h"
#include "files/read_failure.h"

namespace orvanta {

// Reads index.json (and the title of description.md, when there is one).
// On failure the reason names the entry and what is wrong.
ReadFailure ReadCurrentCulture(const std::string& indexJson, const std::string& descriptionMd, Culture& culture);

// index.json with the model's changes, when it differs from what was read.
std::vector<FolderFile> CurrentCultureChanges(const Culture& culture);

// index.json written afresh from the model, one constellation a line.
std::string FormatCultureIndexJson(const Culture& culture);

// The JSON of one point, polyline or name, as index.json has them.
OrderedJson PointJson(const CulturePoint& point);
OrderedJson NameJson(const CultureName& name);
OrderedJson ConstellationJson(const CultureConstellation& constellation);

}  // namespace orvanta
