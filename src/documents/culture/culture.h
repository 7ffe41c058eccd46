#pragma once
// A sky culture as a document: its constellations with their names and
// lines, the names it gives stars and other objects, and what it says of
// itself, in either of Stellarium's two forms. Everything the files hold is
// kept: what Orvanta does not edit travels as it was read, and the files as
// read stay beside the model, so that a save rewrites only what changed.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>
#include <nlohmann/json.hpp>

#include "files/read_failure.h"

namespace orvanta {

using OrderedJson = nlohmann::ordered_json;

// A point of a constellation's line, as the files allow it.
struct CulturePoint {
    enum class Kind { Star, Marker, Dso, Position, Gaia, Other };
    Kind kind = Kind::Star;
    int32_t hip = 0;         // Star: its Hipparcos number
    std::string text;        // Marker ("thin", "bold"), Dso ("DSO:M45"), Gaia (its digits), Other (its JSON)
    double ra = 0, dec = 0;  // Position: RA in hours, Dec in degrees, J2000
    bool operator==(const CulturePoint&) const = default;

    static CulturePoint Star(int32_t hip) { return {Kind::Star, hip, {}, 0, 0}; }
};
using CulturePolyline = std::vector<CulturePoint>;

// The names of a thing. "english" is what a sky program shows in English,
// "native" the culture's own; every other field is kept as read.
struct CultureName {
    std::string english, native, pronounce;
    OrderedJson other = OrderedJson::object();  // transliteration, IPA, byname, references, context, ...
    std::vector<std::string> keyOrder;          // the fields in the order the file gave them
    bool operator==(const CultureName&) const = default;
    // What the program shows: the English name, else the native one.
    const std::string& Shown() const { return english.empty() ? native : english; }
};

// One of the three points that place an illustration: a pixel of the image on a star.
struct ArtAnchor {
    double x = 0, y = 0;  // pixels from the image's top-left corner
    int32_t hip = 0;
    bool operator==(const ArtAnchor&) const = default;
};

// A constellation's illustration.
struct CultureArt {
    std::string file;        // relative to the culture's folder
    int width = 0, height = 0;  // the size the anchors are given in; 0 when the file does not say
    std::vector<ArtAnchor> anchors;  // the first three count
    bool operator==(const CultureArt&) const = default;
};

struct CultureConstellation {
    uint64_t uid = 0;  // stays with the constellation through every edit
    std::string id;    // as the files have it: "CON western Ori", or "Ori" in the older form
    std::optional<CultureName> name;  // none where the files name it nowhere
    std::vector<CulturePolyline> lines;
    std::optional<CultureArt> art;
    OrderedJson other = OrderedJson::object();  // every other key: iau, description, label positions, ...
    std::vector<std::string> keyOrder;          // the keys in the order the file gave them
    bool operator==(const CultureConstellation&) const = default;

    // The last word of the id: "Ori".
    std::string Abbreviation() const;
    // How many segments its lines draw (from a star to itself counts).
    size_t SegmentCount() const;
};

// The names a culture gives one object: a star ("HIP 27989"), a planet
// ("NAME Venus") or anything else ("M 45").
struct NamedObject {
    std::string key;
    std::vector<CultureName> names;
    bool operator==(const NamedObject&) const = default;
};

enum class CultureForm {
    Current,  // index.json and description.md (Stellarium 24 and later)
    Older,    // info.ini and .fab files (Stellarium 0.22 and 23)
};

// The files as they were read, with where each record of the model stands
// in them, so that a save can leave all else as it was.
struct CultureSource {
    std::map<std::string, std::string> files;  // relative name -> bytes, of the files the model comes from
    std::vector<CultureConstellation> constellations;  // as read, by uid
    std::vector<NamedObject> namedObjects;
    OrderedJson fields;
    // The older form's files, row by row: the record each row holds ("c" and
    // a constellation's uid, "s" and an object's key), empty for other rows.
    std::map<std::string, std::vector<std::string>> rowOwners;
};

struct Culture {
    CultureForm form = CultureForm::Current;
    std::string folder;  // as opened, without a trailing separator
    std::string id;      // index.json's id, or the folder's name in the older form
    std::string title;   // the English name: description.md's title, or info.ini's name
    std::vector<CultureConstellation> constellations;
    std::vector<NamedObject> namedObjects;  // in the order of the files
    // The asterisms' lines, shown on request; their files keep them as they were read.
    std::vector<CulturePolyline> asterisms;
    // What the culture says of itself: index.json's other keys, or info.ini's [info].
    OrderedJson fields = OrderedJson::object();
    std::vector<ReadNote> notes;
    CultureSource source;
    // Pictures given to illustrations since the last save: their name in the
    // culture ("illustrations/bear.png") -> the file they come from. A save copies them in.
    std::map<std::string, std::string> addedPictures;
    uint64_t nextUid = 1;

    // The model as it now is becomes what the files were read as: the next save compares with it.
    void KeepAsRead();
    // Where an illustration's picture is now: an added one's own file, else the culture's folder.
    std::string PicturePath(const std::string& file) const;
    // The English name of the culture, for the window's title.
    std::string Name() const;
    const CultureConstellation* FindConstellation(uint64_t uid) const;
    CultureConstellation* FindConstellation(uint64_t uid);
};

// "HIP 27989" for a star.
std::string StarKey(int32_t hip);

}  // namespace orvanta
