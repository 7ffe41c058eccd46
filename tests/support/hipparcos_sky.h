#pragma once
// hipparcos.dat and the cross-index, loaded once for the faint stars, Find Star and illustrations.
#include <gtest/gtest.h>

#include <string>

#include "sky/hipparcos_catalogue.h"
#include "sky/star_identities.h"

namespace orvanta::testing {

struct HipparcosSky {
    HipparcosCatalogue hipparcos;
    StarIdentities identities;

    static const HipparcosSky& Get() {
        static const HipparcosSky sky = [] {
            HipparcosSky s;
            EXPECT_FALSE(LoadHipparcos(std::string(ORVANTA_DATA_DIR) + "/hipparcos.dat", s.hipparcos).failed);
            EXPECT_FALSE(LoadStarIdentities(std::string(ORVANTA_DATA_DIR) + "/star_ids.txt", s.identities).failed);
            return s;
        }();
        return sky;
    }
};

}  // namespace orvanta::testing
