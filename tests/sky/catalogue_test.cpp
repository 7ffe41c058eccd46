// The star catalogue: colours from B-V, the magnitude stop rule, shortening,
// and the shipped yale.dat. Read failures are met in file_reading_test.
#include <gtest/gtest.h>

#include "sky/catalogue.h"

using namespace orvanta;

// One record per magnitude (hundredths): RA 1000, 1700, ..., Dec RA / 2 - 3000, B-V 0.50.
static std::string Records(const std::vector<int>& magnitudes, const char* lineEnd = "\r\n") {
    std::string text;
    for (int ra = 1000; int mag : magnitudes) {
        text += std::to_string(ra) + "," + std::to_string(ra / 2 - 3000) + "," + std::to_string(mag) + ",50" + lineEnd;
        ra += 700;
    }
    return text;
}

template <typename T>
static std::vector<T> Field(const StarCatalog& c, T Star::*member) {
    std::vector<T> values;
    for (const Star& star : c.stars) values.push_back(star.*member);
    return values;
}
static std::vector<float> Mags(const StarCatalog& c) { return Field(c, &Star::magnitude); }

TEST(Catalogue, StarColourFromColourIndex) {
    // 255 - 0.38 B-V and 250 - 0.63 B-V, rounded; red stars are drawn white; blue
    // stars have 255 + 2.5 B-V, never below 0, in red and green.
    const int cases[][4] = {{0, 255, 255, 250}, {100, 255, 217, 187}, {289, 255, 145, 68}, {290, 255, 255, 255},
                            {-30, 180, 180, 240}, {-100, 5, 5, 240}, {-200, 0, 0, 240}};
    for (const auto& [index, r, g, b] : cases)
        EXPECT_EQ(StarColourOf(index), (Colour{uint8_t(r), uint8_t(g), uint8_t(b)})) << index;
}

TEST(Catalogue, TheMagnitudeLimit) {
    StarCatalog c;
    // Reading stops after the first star fainter than the limit: 4.00 is not
    // fainter than 4.0 and reading goes on; 4.12 is the last star kept.
    ASSERT_FALSE(ParseCatalogue(c, Records({390, 400, 412, 430}), 40).failed);
    EXPECT_EQ(Mags(c), (std::vector<float>{3.90f, 4.00f, 4.12f}));
    EXPECT_EQ(Field(c, &Star::dec), (std::vector<int32_t>{-2500, -2150, -1800}));
    EXPECT_EQ(Field(c, &Star::colour), std::vector<Colour>(3, StarColourOf(50)));
    // Line feeds alone end records too; with every star within the limit, all of them.
    ASSERT_FALSE(ParseCatalogue(c, Records({-144, 50, 399}, "\n"), 40).failed);
    EXPECT_EQ(Mags(c), (std::vector<float>{-1.44f, 0.50f, 3.99f}));
    EXPECT_EQ(Field(c, &Star::ra), (std::vector<int32_t>{1000, 1700, 2400}));
    ASSERT_FALSE(ParseCatalogue(c, "", 40).failed);  // no records: the single zero star
    EXPECT_EQ(Mags(c), std::vector<float>{0});

    // Shortening keeps the stars up to the first one not brighter than the limit.
    ASSERT_FALSE(ParseCatalogue(c, Records({390, 400, 412, 430, 450, 470, 499, 505, 520}), 50).failed);
    ShortenCatalogue(c, 45);
    EXPECT_EQ(Mags(c), (std::vector<float>{3.90f, 4.00f, 4.12f, 4.30f, 4.50f}));
    // Every star of a short file brighter: nothing to cut, nothing read beyond.
    ASSERT_FALSE(ParseCatalogue(c, Records({100, 200, 300}), 50).failed);
    ShortenCatalogue(c, 45);
    EXPECT_EQ(Mags(c), (std::vector<float>{1.0f, 2.0f, 3.0f}));
}

TEST(Catalogue, ShippedCatalogueLoadsBrightestFirst) {
    StarCatalog c;
    const ReadFailure failure = LoadCatalogue(c, std::string(ORVANTA_DATA_DIR) + "/yale.dat", 60);
    ASSERT_FALSE(failure.failed) << failure.line << ": " << failure.reason;
    EXPECT_GE(c.stars.size(), 4500u);
    for (size_t i = 1; i < c.stars.size(); ++i) ASSERT_LE(c.stars[i - 1].magnitude, c.stars[i].magnitude) << i;
    // Sirius comes first: 6 h 45 m, -16.7 degrees, magnitude -1.44.
    EXPECT_NEAR(c.stars[0].ra, 6752, 5);
    EXPECT_NEAR(c.stars[0].dec, -1672, 5);
    EXPECT_FLOAT_EQ(c.stars[0].magnitude, -1.44f);
}
