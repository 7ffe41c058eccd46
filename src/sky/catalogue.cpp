// Reading yale.dat into the star catalogue, and its colours and limit.
#include "sky/catalogue.h"

#include <algorithm>
#include <cmath>

#include "sky/number_reader.h"
#include "files/file_reading.h"

namespace orvanta {

Colour StarColourOf(int32_t c) {
    long red, green, blue;
    if (c < 0) {
        // Indices below -102 would give negative components: clamp them to 0.
        red = green = std::lround(std::max(0.0, std::nearbyint(255 + 2.5 * c)));
        blue = 240;
    } else if (c < 290) {
        red = 255;
        green = std::lround(std::nearbyint(255 - 0.38 * c));
        blue = std::lround(std::nearbyint(250 - 0.63 * c));
    } else {
        red = green = blue = 255;
    }
    return Colour{static_cast<uint8_t>(red), static_cast<uint8_t>(green), static_cast<uint8_t>(blue)};
}

ReadFailure ParseCatalogue(StarCatalog& catalog, const std::string& text, uint8_t limitTenths) {
    std::vector<Star> loaded;
    NumberReader reader(text);
    const float limit = static_cast<float>(limitTenths / 10.0);
    while (!reader.AtEnd()) {
        const int recordLine = reader.Line();
        const auto ra = reader.NextInteger(0, 23999);
        const auto dec = ra ? reader.NextInteger(-9000, 9000) : std::nullopt;
        const auto mag = dec ? reader.NextNumber() : std::nullopt;
        const auto colourIndex = mag ? reader.NextInteger(-10000, 10000) : std::nullopt;
        if (!colourIndex || std::fabs(*mag) > 10000) {
            return {true, colourIndex ? recordLine : reader.Line(),
                    colourIndex ? "the magnitude is out of range" : reader.Error()};
        }
        const Star& star = loaded.emplace_back(Star{static_cast<int32_t>(*ra), static_cast<int32_t>(*dec),
                                                    static_cast<float>(static_cast<float>(*mag) / 100.0),
                                                    StarColourOf(static_cast<int32_t>(*colourIndex))});
        // The star that passes the limit stays: it is the last of the catalogue.
        if (limit < star.magnitude) break;
    }
    if (loaded.empty()) loaded.push_back(Star{});
    catalog.stars = std::move(loaded);
    return {};
}

ReadFailure LoadCatalogue(StarCatalog& catalog, const std::string& path, uint8_t limitTenths) {
    std::string text;
    if (auto failure = ReadWholeFile(path, text, kCatalogueFileLimit); failure.failed) return failure;
    return ParseCatalogue(catalog, text, limitTenths);
}

void ShortenCatalogue(StarCatalog& catalog, uint8_t limitTenths) {
    const float limit = static_cast<float>(limitTenths / 10.0);
    std::vector<Star>& stars = catalog.stars;
    size_t i = 0;
    // Stop at the last star when a short file left every star brighter than the limit.
    while (i + 1 < stars.size() && stars[i].magnitude < limit) ++i;
    stars.resize(i + 1);
}

}  // namespace orvanta
