#pragma once
// The undoable changes of a culture: each holds the records it touches as
// they were before and after, so that Undo and Redo play it either way.
#include <optional>
#include <vector>

#include "documents/culture/culture.h"

namespace orvanta {

struct CultureEdit {
    struct ConstellationChange {
        size_t index = 0;  // where it stands (or will stand) among the constellations
        std::optional<CultureConstellation> before, after;
    };
    struct NamedChange {
        size_t index = 0;
        std::optional<NamedObject> before, after;
    };
    std::vector<ConstellationChange> constellations;
    std::vector<NamedChange> named;
    // The constellation selected before and after the change.
    std::optional<uint64_t> selectedBefore, selectedAfter;

    bool Empty() const { return constellations.empty() && named.empty(); }
};

void ApplyCultureEdit(Culture& culture, const CultureEdit& edit, bool forwards);

// The edit that turns a constellation into what change makes of it.
template <typename Change>
CultureEdit EditOfConstellation(const Culture& culture, uint64_t uid, Change change) {
    CultureEdit edit;
    for (size_t i = 0; i < culture.constellations.size(); ++i) {
        if (culture.constellations[i].uid != uid) continue;
        CultureConstellation after = culture.constellations[i];
        change(after);
        if (!(after == culture.constellations[i])) edit.constellations.push_back({i, culture.constellations[i], after});
    }
    return edit;
}

// A new constellation at the end; its uid is taken from the culture.
CultureEdit AddConstellation(Culture& culture, CultureConstellation constellation);
CultureEdit RemoveConstellation(const Culture& culture, uint64_t uid);
// The names a culture gives one object, all of them: none removes the object.
CultureEdit SetNames(const Culture& culture, const std::string& key, std::vector<CultureName> names);

// The one edit that makes from into to: constellations paired by their place
// and id keep their uids, the rest are taken away and added anew; objects'
// names pair by key.
CultureEdit DifferenceOf(Culture& from, Culture to);

// A line from one star to another in a constellation: it continues a polyline
// that ends at the first star, or starts a new one.
void AddSegment(CultureConstellation& constellation, int32_t fromHip, int32_t toHip);
// Takes away one segment: its polyline splits where it was.
void RemoveSegment(CultureConstellation& constellation, size_t polyline, size_t segment);

// A provisional id and name for a constellation drawn before one was chosen:
// "New 1", the first number no constellation has yet.
CultureConstellation ProvisionalConstellation(const Culture& culture);
bool IsProvisional(const CultureConstellation& constellation);

}  // namespace orvanta
