#include "sky/catalogue.h"

#include <algorithm>
#include <cmath>

#include "sky/number_reader.h"
#include "sky/text_file.h"

namespace orvanta {

int32_t StarColourOf(int32_t c) {
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
    return static_cast<int32_t>(red + 256 * green + 65536 * blue);
}

ReadFailure ParseCatalogue(StarCatalog& catalog, const std::string& text, uint8_t limitTenths) {
    StarCatalog loaded;
    NumberReader reader(text);
    const float limit = static_cast<float>(limitTenths / 10.0);
    for (size_t i = 0; !reader.AtEnd(); ++i) {
        const int recordLine = reader.Line();
        const auto ra = reader.NextInteger(0, 23999);
        const auto dec = ra ? reader.NextInteger(-9000, 9000) : std::nullopt;
        const auto mag = dec ? reader.NextNumber() : std::nullopt;
        const auto colourIndex = mag ? reader.NextInteger(-10000, 10000) : std::nullopt;
        if (!colourIndex || std::fabs(*mag) > 10000) {
            return {true, colourIndex ? recordLine : reader.Line(),
                    colourIndex ? "the magnitude is out of range" : reader.Error()};
        }
        if (i > 0) {
            loaded.StarRa.push_back(0);
            loaded.StarDec.push_back(0);
            loaded.StarMag.push_back(0);
            loaded.StarColour.push_back(0);
        }
        loaded.StarRa[i] = static_cast<int32_t>(*ra);
        loaded.StarDec[i] = static_cast<int32_t>(*dec);
        loaded.StarColour[i] = StarColourOf(static_cast<int32_t>(*colourIndex));
        loaded.StarMag[i] = static_cast<float>(static_cast<float>(*mag) / 100.0);
        // The star that passes the limit stays: it is the last of the catalogue.
        if (limit < loaded.StarMag[i]) break;
    }
    catalog = std::move(loaded);
    return {};
}

ReadFailure LoadCatalogue(StarCatalog& catalog, const std::string& path, uint8_t limitTenths) {
    std::string text;
    if (auto failure = ReadWholeFile(path, text); failure.failed) return failure;
    return ParseCatalogue(catalog, text, limitTenths);
}

void ShortenCatalogue(StarCatalog& catalog, uint8_t limitTenths) {
    const float limit = static_cast<float>(limitTenths / 10.0);
    size_t i = 0;
    // Stop at the last star when a short file left every star brighter than the limit.
    while (i + 1 < catalog.StarMag.size() && catalog.StarMag[i] < limit) ++i;
    catalog.StarRa.resize(i + 1);
    catalog.StarDec.resize(i + 1);
    catalog.StarMag.resize(i + 1);
    catalog.StarColour.resize(i + 1);
}

}  // namespace orvanta
