#pragma once
// A culture carried from one of Stellarium's forms to the other: names, star
// names, lines, illustrations and their anchors, boundaries, and the
// description as far as the two forms allow, and every file of a culture
// written afresh in its form.
#include <string>
#include <vector>

#include "documents/culture/culture.h"
#include "files/careful_writer.h"

namespace orvanta {

// The older form made current. id is the new folder's name; iauEdges are the
// IAU boundary lines for a culture whose boundaries are the IAU's. A
// constellation without lines, which the current form refuses, is left out
// and counted in lost.
Culture ToCurrentForm(const Culture& older, const std::string& id, const std::vector<std::string>& iauEdges, int& lost);

// The current form made older: points the older form cannot hold (DSO
// references, positions, Gaia stars) are left out and counted in lost.
Culture ToOlderForm(const Culture& current, int& lost);

// Every file of the model in its own form, the main file last: index.json
// and description.md, or info.ini, the .fab files and description.en.utf8.
std::vector<FolderFile> CultureFiles(const Culture& culture);

// Consecutive pairs that meet, joined into polylines as Stellarium's own
// converter joins them: a pair that starts where the last one ended goes on it.
std::vector<CulturePolyline> JoinPairs(const std::vector<CulturePolyline>& pairs);

// The description of one form as the other's: the 0.22 HTML as Markdown
// sections Stellarium's checker accepts, and the Markdown as HTML.
std::string DescriptionMarkdownOf(const std::string& html, const Culture& older);
std::string DescriptionHtmlOf(const std::string& markdown);

}  // namespace orvanta
