// Find Star: what a user types, and the Hipparcos number it names.
#include <gtest/gtest.h>

#include <algorithm>

#include "sky/star_search.h"
#include "support/hipparcos_sky.h"

using namespace orvanta;
using orvanta::testing::HipparcosSky;

TEST(StarSearch, FindsByNameDesignationOrNumber) {
    const HipparcosSky& sky = HipparcosSky::Get();
    const StarSearch search(sky.identities);
    ASSERT_FALSE(sky.identities.IndexOfHip(1));  // HIP 1, magnitude 9.1 in Pisces, too faint for the cross-index
    const std::pair<const char*, std::optional<int32_t>> cases[] = {
        {"Betelgeuse", 27989}, {"betelgeuse", 27989}, {"  BETELGEUSE ", 27989}, {"alpha Ori", 27989},
        {"Alpha   ori", 27989}, {"\xCE\xB1 Ori", 27989}, {"58 Ori", 27989}, {"HIP 27989", 27989},
        {"hip27989", 27989}, {"27989", 27989}, {" 27989 ", 27989}, {"Sirius", 32349}, {"alpha UMi", 11767},
        {"54 Cet", 8588}, {"54 Ari", std::nullopt},  // 54 Ceti lies in Aries but keeps its name
        {"HIP 1", 1}, {"1", 1}, {"Nonesuch", std::nullopt}, {"HIP 999999", std::nullopt}, {"12x", std::nullopt},
        {"HIP", std::nullopt}, {"", std::nullopt}, {"0", std::nullopt}, {"-27989", std::nullopt}, {"Betelgeuse Ori", std::nullopt},
    };
    for (const auto& [text, hip] : cases) EXPECT_EQ(search.Find(text, sky.hipparcos), hip) << '"' << text << '"';
}

TEST(StarSearch, CompletionsOfferNamesAndDesignationsSorted) {
    const StarSearch search(HipparcosSky::Get().identities);
    const auto& offered = search.Completions();
    EXPECT_TRUE(std::is_sorted(offered.begin(), offered.end()));
    EXPECT_EQ(std::adjacent_find(offered.begin(), offered.end()), offered.end());
    for (const char* text : {"Betelgeuse", "alpha Ori", "58 Ori", "54 Cet"})
        EXPECT_TRUE(std::binary_search(offered.begin(), offered.end(), std::string(text))) << text;
    EXPECT_FALSE(std::binary_search(offered.begin(), offered.end(), std::string("\xCE\xB1 Ori")));  // typed, not offered
}
