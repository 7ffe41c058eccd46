// What a culture's model answers of itself.
#include "documents/culture/culture.h"

namespace orvanta {

std::string CultureConstellation::Abbreviation() const {
    const size_t space = id.find_last_of(' ');
    return space == std::string::npos ? id : id.substr(space + 1);
}

size_t CultureConstellation::SegmentCount() const {
    size_t count = 0;
    for (const CulturePolyline& polyline : lines) {
        size_t points = 0;
        for (const CulturePoint& point : polyline) points += point.kind != CulturePoint::Kind::Marker;
        count += points > 1 ? points - 1 : 0;
    }
    return count;
}

std::string Culture::PicturePath(const std::string& file) const {
    const auto added = addedPictures.find(file);
    return added != addedPictures.end() ? added->second : folder + "/" + file;
}

void Culture::KeepAsRead() {
    source.constellations = constellations;
    source.namedObjects = namedObjects;
    source.fields = fields;
}

std::string Culture::Name() const {
    if (!title.empty()) return title;
    if (const auto name = fields.find("name"); name != fields.end() && name->is_string()) return name->get<std::string>();
    return id;
}

const CultureConstellation* Culture::FindConstellation(uint64_t uid) const {
    for (const CultureConstellation& c : constellations)
        if (c.uid == uid) return &c;
    return nullptr;
}

CultureConstellation* Culture::FindConstellation(uint64_t uid) {
    for (CultureConstellation& c : constellations)
        if (c.uid == uid) return &c;
    return nullptr;
}

std::string StarKey(int32_t hip) { return "HIP " + std::to_string(hip); }

}  // namespace orvanta
