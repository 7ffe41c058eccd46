#pragma once
// A small sky for the exchange readers' fuzz targets: stars with Hipparcos
// numbers 1 to 40 spread over the sky, one band holding everything.
#include <string>
#include <vector>

#include "documents/exchange/exchange_model.h"

namespace orvanta::fuzzing {

inline const SkyReference& FuzzSky() {
    static const std::vector<Star> stars = [] {
        std::vector<Star> made;
        for (int i = 0; i < 40; ++i) made.push_back({i * 600, (i % 9) * 2000 - 8000, i * 0.1f, 0});
        return made;
    }();
    static const StarIdentities identities = [] {
        StarIdentities made;
        for (int i = 0; i < 40; ++i) {
            made.stars.push_back({i + 1, 0, 0, "", "", "Ori", "", ""});
            made.indexOfHip[i + 1] = static_cast<size_t>(i);
        }
        return made;
    }();
    static const ConstellationBands bands{{{0, 86400, -324000, "Ori"}}};
    static const SkyReference sky{stars, identities, bands, "Orion"};
    return sky;
}

}  // namespace orvanta::fuzzing
