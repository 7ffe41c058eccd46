#pragma once
// One record of each of the older form's files, read as Stellarium 0.22 reads
// it and written as its own files write it.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "documents/culture/culture.h"

namespace orvanta {

// constellationship.fab: "Ori 2 27989 26727 26727 26311": an id, the number
// of lines, and two Hipparcos numbers a line.
struct LinesRecord {
    std::string id;
    std::vector<std::pair<int32_t, int32_t>> pairs;
};

// Why a record is not taken as it stands.
struct RecordTrouble {
    enum class Kind {
        None,
        ExtraNumbers,    // more numbers than the count asks: the count's worth is read
        TooFewNumbers,   // fewer: the record is dropped, as Stellarium drops it
        NotUnderstood,   // the line is not a record of this file: passed over and kept
        Malformed,       // a number that is no number: the file cannot be read
    };
    Kind kind = Kind::None;
    std::string what;
};

std::optional<LinesRecord> ParseLinesRecord(std::string_view line, RecordTrouble& trouble);
// The record of a constellation's lines, each polyline's segments in turn.
std::string FormatLinesRecord(const std::string& id, const std::vector<CulturePolyline>& lines);

// constellation_names.eng.fab: 'Ori<TAB>"Orion"<TAB>_("Orion") 1,2'.
struct NameRecord {
    std::string id;
    CultureName name;
};
std::optional<NameRecord> ParseNameRecord(std::string_view line);
std::string FormatNameRecord(const std::string& id, const CultureName& name);

// star_names.fab: '27989|_("Betelgeuse") 1,2', or '("name")' for a name not to be translated.
struct StarNameRecord {
    int32_t hip = 0;
    CultureName name;
};
std::optional<StarNameRecord> ParseStarNameRecord(std::string_view line);
std::string FormatStarNameRecord(int32_t hip, const CultureName& name);

// constellationsart.fab: "Ori orion.png x1 y1 hip1 x2 y2 hip2 x3 y3 hip3"; more fields are passed over.
struct ArtRecord {
    std::string id;
    CultureArt art;
};
std::optional<ArtRecord> ParseArtRecord(std::string_view line, RecordTrouble& trouble);
std::string FormatArtRecord(const std::string& id, const CultureArt& art);

// "1,2,5" after a name: the numbers of the culture's references.
OrderedJson ReferencesOf(std::string_view text);

}  // namespace orvanta
