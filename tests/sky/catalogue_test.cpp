// The star catalogue: colours from B-V, the magnitude stop rule, read
// failures, shortening, and the shipped yale.dat.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sky/catalogue.h"

using namespace orvanta;

namespace {

int32_t Colour(int r, int g, int b) { return r + 256 * g + 65536 * b; }

// One record per magnitude (hundredths), at distinct positions.
std::string Records(const std::vector<int>& magnitudes, const char* lineEnd = "\r\n") {
    std::string text;
    int ra = 1000;
    for (int mag : magnitudes) {
        text += std::to_string(ra) + "," + std::to_string(ra / 2 - 3000) + "," + std::to_string(mag) + ",50" + lineEnd;
        ra += 700;
    }
    return text;
}

}  // namespace

TEST(Catalogue, StarColourFromColourIndex) {
    EXPECT_EQ(StarColourOf(0), Colour(255, 255, 250));
    EXPECT_EQ(StarColourOf(100), Colour(255, 217, 187));   // 255 - 38, 250 - 63
    EXPECT_EQ(StarColourOf(289), Colour(255, 145, 68));    // 255 - 109.82, 250 - 182.07
    EXPECT_EQ(StarColourOf(290), Colour(255, 255, 255));   // red stars are drawn white
    EXPECT_EQ(StarColourOf(-30), Colour(180, 180, 240));   // 255 - 75
    EXPECT_EQ(StarColourOf(-100), Colour(5, 5, 240));
    EXPECT_EQ(StarColourOf(-200), Colour(0, 0, 240));      // no negative component spills into blue
}

TEST(Catalogue, LoadingStopsAfterTheFirstStarFainterThanTheLimit) {
    StarCatalog c;
    ASSERT_FALSE(ParseCatalogue(c, Records({390, 400, 412, 430}), 40).failed);
    // 4.00 is not fainter than 4.0 and loading goes on; 4.12 is the last star kept.
    EXPECT_EQ(c.StarMag, (std::vector<float>{3.90f, 4.00f, 4.12f}));
    EXPECT_EQ(c.StarColour.size(), 3u);
    EXPECT_EQ(c.StarRa[2], 2400);
    EXPECT_EQ(c.StarDec[2], -1800);
    EXPECT_EQ(c.StarColour[2], StarColourOf(50));

    // Every star within the limit: all of them, nothing more.
    ASSERT_FALSE(ParseCatalogue(c, Records({-144, 50, 150, 399}), 40).failed);
    EXPECT_EQ(c.StarMag, (std::vector<float>{-1.44f, 0.50f, 1.50f, 3.99f}));
}

TEST(Catalogue, EmptyTextGivesTheSingleZeroStar) {
    StarCatalog c;
    ASSERT_FALSE(ParseCatalogue(c, Records({100, 200}), 40).failed);
    ASSERT_FALSE(ParseCatalogue(c, "", 40).failed);
    EXPECT_EQ(c.UpperBound(), 0);
    EXPECT_EQ(c.StarRa, std::vector<int32_t>{0});
    EXPECT_EQ(c.StarMag, std::vector<float>{0.0f});
    EXPECT_EQ(c.StarColour, std::vector<int32_t>{0});
}

TEST(Catalogue, LineEndsMayBeCrLfOrLf) {
    StarCatalog crlf, lf;
    ASSERT_FALSE(ParseCatalogue(crlf, Records({100, 200, 300}, "\r\n"), 60).failed);
    ASSERT_FALSE(ParseCatalogue(lf, Records({100, 200, 300}, "\n"), 60).failed);
    EXPECT_EQ(crlf.StarDec, lf.StarDec);
    EXPECT_EQ(lf.StarMag, (std::vector<float>{1.0f, 2.0f, 3.0f}));
}

TEST(Catalogue, BadRecordsFailWithTheirLineAndKeepTheOldCatalogue) {
    StarCatalog c;
    ASSERT_FALSE(ParseCatalogue(c, Records({100, 200}), 60).failed);
    const StarCatalog before = c;
    const std::string good = "1000,500,120,10\r\n";
    struct Case {
        std::string text;
        int line;
    };
    const Case cases[] = {
        {good + "2000,abc,130,10\r\n", 2},              // not a number
        {good + good + "24000,0,130,10\r\n", 3},        // RA past 23999
        {good + "2000,9001,130,10\r\n", 2},             // Dec past +90
        {good + "2000,100,1.3x,10\r\n", 2},             // magnitude not a number
        {good + "2000,100", 2},                         // the record stops short
    };
    for (const Case& bad : cases) {
        const ReadFailure failure = ParseCatalogue(c, bad.text, 60);
        EXPECT_TRUE(failure.failed) << bad.text;
        EXPECT_EQ(failure.line, bad.line) << bad.text;
        EXPECT_FALSE(failure.reason.empty());
        EXPECT_EQ(c.StarRa, before.StarRa);
        EXPECT_EQ(c.StarMag, before.StarMag);
    }
}

TEST(Catalogue, ShortenKeepsStarsUpToTheFirstNotBrighter) {
    StarCatalog c;
    ASSERT_FALSE(ParseCatalogue(c, Records({390, 400, 412, 430, 450, 470, 499, 505, 520}), 50).failed);
    ASSERT_EQ(c.UpperBound(), 7);  // up to 5.05
    ShortenCatalogue(c, 45);
    EXPECT_EQ(c.StarMag, (std::vector<float>{3.90f, 4.00f, 4.12f, 4.30f, 4.50f}));
    EXPECT_EQ(c.StarColour.size(), 5u);
}

TEST(Catalogue, ShortenStopsAtTheLastStarOfAShortFile) {
    StarCatalog c;
    ASSERT_FALSE(ParseCatalogue(c, Records({100, 200, 300}), 50).failed);
    ShortenCatalogue(c, 45);  // every star brighter: nothing to cut, nothing read beyond
    EXPECT_EQ(c.StarMag, (std::vector<float>{1.0f, 2.0f, 3.0f}));
    ShortenCatalogue(c, 15);
    EXPECT_EQ(c.StarMag, (std::vector<float>{1.0f, 2.0f}));
    EXPECT_EQ(c.StarRa.size(), 2u);
}

TEST(Catalogue, ShippedCatalogueLoadsBrightestFirst) {
    StarCatalog c;
    const ReadFailure failure = LoadCatalogue(c, std::string(ORVANTA_DATA_DIR) + "/yale.dat", 60);
    ASSERT_FALSE(failure.failed) << failure.line << ": " << failure.reason;
    EXPECT_GE(c.UpperBound() + 1, 4500);
    for (int32_t i = 1; i <= c.UpperBound(); ++i) ASSERT_LE(c.StarMag[i - 1], c.StarMag[i]) << i;
    EXPECT_LE(c.StarMag.back(), 6.0f);
    // Sirius comes first: 6 h 45 m, -16.7 degrees, magnitude -1.44.
    EXPECT_NEAR(c.StarRa[0], 6752, 5);
    EXPECT_NEAR(c.StarDec[0], -1672, 5);
    EXPECT_FLOAT_EQ(c.StarMag[0], -1.44f);
}
