#pragma once
// The shipped catalogue, cross-index and membership table, loaded once for
// the tests that tie figures to stars.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/exchange/exchange_model.h"
#include "sky/catalogue.h"
#include "ui/gui_strings.h"

namespace orvanta::testing {

struct ShippedSky {
    std::vector<Star> stars;
    StarIdentities identities;
    ConstellationBands bands;
    std::string englishNames;

    ShippedSky() {
        const std::string dir = ORVANTA_DATA_DIR;
        StarCatalog catalog;
        EXPECT_FALSE(LoadCatalogue(catalog, dir + "/yale.dat", 100).failed);
        stars = catalog.stars;
        EXPECT_FALSE(LoadStarIdentities(dir + "/star_ids.txt", identities).failed);
        EXPECT_FALSE(LoadConstellationBands(dir + "/cons_bands.txt", bands).failed);
        const GuiStrings strings;
        englishNames = EnglishConstellationNames(strings);
    }
    SkyReference Reference() const { return {stars, identities, bands, englishNames}; }

    static const ShippedSky& Get() {
        static const ShippedSky sky;
        return sky;
    }
};

}  // namespace orvanta::testing
