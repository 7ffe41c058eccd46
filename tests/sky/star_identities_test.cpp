// Who the catalogue's stars are and which constellation holds a position:
// the cross-index and band table on the shipped data, their read failures,
// the names the pointer read-out gives, precession to B1875 and the
// nearest-star lookup.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "commands/exchange_commands.h"
#include "commands/pointer_readout.h"
#include "map/layers.h"
#include "sky/projection.h"
#include "sky/star_finder.h"
#include "support/program_fixture.h"
#include "support/shipped_sky.h"
#include "support/worked_view.h"

using namespace orvanta;
using orvanta::testing::ShippedSky;

TEST(StarIdentities, ShippedCrossIndexNamesWellKnownStars) {
    const ShippedSky& sky = ShippedSky::Get();
    ASSERT_EQ(sky.identities.stars.size(), sky.stars.size());
    // Betelgeuse: HIP 27989, HD 39801, alpha and 58 Orionis, J2000 5 h 55 m 10 s, +7 24'.
    const auto betelgeuse = sky.identities.IndexOfHip(27989);
    ASSERT_TRUE(betelgeuse);
    const StarIdentity& b = *sky.identities.Of(*betelgeuse);
    EXPECT_EQ(b.hd, 39801);
    EXPECT_EQ(b.bayer, "alpha");
    EXPECT_EQ(b.flamsteed, "58");
    EXPECT_EQ(b.constellation, "Ori");
    EXPECT_EQ(b.name, "Betelgeuse");
    EXPECT_EQ(b.designatedIn, "Ori");
    EXPECT_NEAR(sky.stars[*betelgeuse].ra, 5919, 2);
    EXPECT_NEAR(sky.stars[*betelgeuse].dec, 741, 2);
    // Record order follows yale.dat: Sirius (HIP 32349) first; Polaris in the Little Bear.
    EXPECT_EQ(sky.identities.Of(0)->hip, 32349);
    EXPECT_EQ(sky.identities.Of(*sky.identities.IndexOfHip(11767))->constellation, "UMi");
    EXPECT_EQ(sky.identities.Of(sky.stars.size()), nullptr);
    EXPECT_FALSE(sky.identities.IndexOfHip(1));  // HIP 1 is fainter than 6.0
    // 54 Ceti (HIP 8588) keeps its Flamsteed number in Cetus though it lies just inside Aries.
    const StarIdentity& ceti54 = *sky.identities.Of(*sky.identities.IndexOfHip(8588));
    EXPECT_EQ(ceti54.flamsteed, "54");
    EXPECT_EQ(ceti54.constellation, "Ari");
    EXPECT_EQ(ceti54.designatedIn, "Cet");
}

TEST(StarIdentities, EveryDesignationNamesItsConstellation) {
    const ShippedSky& sky = ShippedSky::Get();
    int elsewhere = 0;
    for (const StarIdentity& star : sky.identities.stars) {
        const bool designated = !star.bayer.empty() || !star.flamsteed.empty();
        ASSERT_EQ(star.designatedIn.empty(), !designated) << "HIP " << star.hip;
        elsewhere += designated && star.designatedIn != star.constellation;
    }
    // The boundaries of 1930 left a few designated stars outside the constellation
    // of their name, but only a few: a column out of place would give thousands.
    EXPECT_GT(elsewhere, 0);
    EXPECT_LT(elsewhere, 100);
}

TEST(StarIdentities, BadRecordsFailWithTheirLineAndChangeNothing) {
    StarIdentities identities;
    const std::string good = "27989,39801,,alpha,58,Ori,Betelgeuse,Ori\r\n";
    ASSERT_FALSE(
        ParseStarIdentities(good + "11767,8890,424,alpha,1,UMi,\"Polaris, the Pole Star\",UMi\r\n8588,11257,,,54,Ari,,Cet\r\n",
                            identities)
            .failed);
    EXPECT_EQ(identities.stars[1].name, "Polaris, the Pole Star");
    EXPECT_EQ(identities.stars[1].hr, 424);
    EXPECT_EQ(identities.stars[1].designatedIn, "UMi");
    EXPECT_EQ(identities.stars[2].constellation, "Ari");
    EXPECT_EQ(identities.stars[2].designatedIn, "Cet");
    const std::pair<std::string, int> cases[] = {
        {good + "abc,1,,,,Ori,,\r\n", 2},             // HIP not a number
        {good + "0,1,,,,Ori,,\r\n", 2},               // HIP below 1
        {good + "120417,1,,,,Ori,,\r\n", 2},          // HIP beyond the catalogue
        {good + ",1,,,,Ori,,\r\n", 2},                // HIP missing
        {good + "5,1,,,,Ori,\r\n", 2},                // a field short: the older seven-field form
        {good + "5,1,,,,Orion,,\r\n", 2},             // not an abbreviation
        {good + "5,1,,,,Ori,\"open,\r\n", 2},         // unclosed quote
        {good + "5,1,,beta,,Ori,,\r\n", 2},           // a designation without its constellation
        {good + "5,1,,,12,Ori,,Orion\r\n", 2},        // nor with a name for one
        {good + "5,1,,,,Ori,,Ori\r\n", 2},            // a constellation for no designation
        {"\r\n" + good + good, 3},                    // the same star twice
    };
    for (const auto& [text, line] : cases) {
        const ReadFailure failure = ParseStarIdentities(text, identities);
        EXPECT_TRUE(failure.failed && !failure.reason.empty()) << text;
        EXPECT_EQ(failure.line, line) << text;
        EXPECT_EQ(identities.stars.size(), 3u) << text;
    }
}

class PointerReadout : public orvanta::testing::ProgramFixture {};

TEST_F(PointerReadout, NamesDesignationsWithTheirOwnConstellation) {
    for (const char* name : {"star_ids.txt", "cons_bands.txt", "hipparcos.dat", "iau_edges.txt"})
        std::filesystem::copy_file(std::string(ORVANTA_DATA_DIR) + "/" + name, folder.File(name));
    state.view = orvanta::testing::WorkedView();  // Orion on the meridian, Lynx high in the east
    const ExchangeSky* sky = EnsureExchangeSky(state, nullptr);
    ASSERT_TRUE(sky);
    const auto readout = [&](int32_t hip) {
        const auto index = sky->identities.IndexOfHip(hip);
        EXPECT_TRUE(index && *index < state.catalog.stars.size()) << "HIP " << hip;
        if (!index || *index >= state.catalog.stars.size()) return std::string();
        const Star& star = state.catalog.stars[*index];
        const auto at = ProjectCatalogueUnits(state.view, star.ra, star.dec);
        EXPECT_TRUE(at) << "HIP " << hip << " is not in view";
        return at ? DescribePointer(state, ToPixels(*at)) : std::string();
    };
    const std::string betelgeuse = readout(27989);
    EXPECT_NE(betelgeuse.find("Betelgeuse  \u03b1 Ori  58 Ori  HIP 27989"), std::string::npos) << betelgeuse;
    // 10 Ursae Majoris lies in Lynx, yet is no star of Lynx.
    const std::string uma10 = readout(44248);
    EXPECT_NE(uma10.find("10 UMa  HIP 44248"), std::string::npos) << uma10;
    EXPECT_EQ(uma10.find("Lyn"), std::string::npos) << uma10;
}

TEST(ConstellationMembership, PrecessionToB1875MatchesTheAnnualRates) {
    // Over the 125 years back to 1875 a point at RA 0, Dec 0 moves by the
    // general precession: -3.075 s of RA and -20.04" of Dec a year.
    const SkyDirection p = PrecessJ2000ToB1875({0, 0});
    EXPECT_NEAR(p.raHours, 24 - 125 * 3.075 / 3600, 0.0005);
    EXPECT_NEAR(p.decDegrees, -125 * 20.04 / 3600, 0.003);
    // The J2000 pole lies 125 years of 20.04" from the B1875 pole.
    EXPECT_NEAR(PrecessJ2000ToB1875({0, 90}).decDegrees, 90 - 125 * 20.04 / 3600, 0.003);
}

TEST(ConstellationMembership, PositionsFallInTheirIAUConstellation) {
    const ShippedSky& sky = ShippedSky::Get();
    const struct {
        double ra, dec;
        const char* constellation;
    } cases[] = {
        {5.919, 7.41, "Ori"},     // Betelgeuse
        {6.752, -16.72, "CMa"},   // Sirius
        {0, 90, "UMi"},           // the north pole
        {12, -90, "Oct"},         // the south pole
        {0, 0, "Psc"},            // the vernal equinox of J2000
        {23.99, 0, "Psc"},        // and just west of RA 0
        {17.76, -29.0, "Sgr"},    // the galactic centre
        {18.0, 66.56, "Dra"},     // the north ecliptic pole
        {15.9, 10.0, "Ser"},      // the Serpent's head
        {18.6, -10.0, "Sct"},     // Scutum
    };
    for (const auto& c : cases) EXPECT_EQ(ConstellationAt(sky.bands, {c.ra, c.dec}), c.constellation) << c.ra << " " << c.dec;
    // The data script found each star's constellation with its own code; the program must agree.
    for (size_t i = 0; i < sky.stars.size(); ++i)
        ASSERT_EQ(ConstellationAt(sky.bands, FromCatalogueUnits(sky.stars[i].ra, sky.stars[i].dec)),
                  sky.identities.stars[i].constellation)
            << "star " << i << " HIP " << sky.identities.stars[i].hip;
}

TEST(ConstellationMembership, BadBandTablesFail) {
    ConstellationBands bands;
    ASSERT_FALSE(ParseConstellationBands("0,86400,0,Aaa\r\n0,86400,-324000,Oct\r\n", bands).failed);
    EXPECT_EQ(ConstellationAt(bands, {3, 10}), "Aaa");
    EXPECT_EQ(ConstellationAt(bands, {3, -10}), "Oct");
    const std::pair<std::string, int> cases[] = {
        {"0,86400,-324000,Oct\r\n0,86400,0,Aaa\r\n", 2},  // south before north
        {"100,100,0,Aaa\r\n", 1},                         // empty band
        {"0,86401,0,Aaa\r\n", 1},                         // RA past 24 h
        {"0,86400,324001,Aaa\r\n", 1},                    // Dec past the pole
        {"0,86400,0\r\n", 1},                             // abbreviation missing
        {"", 0},                                          // no bands at all
    };
    for (const auto& [text, line] : cases) {
        const ReadFailure failure = ParseConstellationBands(text, bands);
        EXPECT_TRUE(failure.failed) << text;
        EXPECT_EQ(failure.line, line) << text;
        EXPECT_EQ(bands.rows.size(), 2u) << text;
    }
}

TEST(StarFinder, LineEndsMatchExactlyOrWithinTheTolerance) {
    // Three stars: one at RA 0 h 0.1 m, one just west of RA 0, two at one place.
    const std::vector<Star> stars = {{2, 1000, 1.0f, 0}, {23990, 1000, 2.0f, 0}, {6000, -2000, 3.0f, 0},
                                     {6000, -2000, 4.0f, 0}, {12000, 8990, 5.0f, 0}};
    const StarFinder finder(stars);
    EXPECT_EQ(finder.LineEnd(6000, -2000), 2u);  // exact: the brighter of the pair
    // 0.03 degrees off in Dec still is the star; 0.06 degrees is a free point.
    EXPECT_EQ(finder.LineEnd(6000, -1997), 2u);
    EXPECT_FALSE(finder.LineEnd(6000, -1994));
    // Across RA 0: 23.998 h is 0.004 h * 15 * cos 10 degrees = 0.059 degrees from RA 0.002 h, and
    // 0.118 degrees from 23.990 h.
    EXPECT_EQ(finder.Nearest(FromCatalogueUnits(23998, 1000), 0.1), 0u);
    EXPECT_FALSE(finder.Nearest(FromCatalogueUnits(23998, 1000), 0.05));
    // Near the pole a whole hour of RA is a small step: 1 h at Dec 89.9 is 0.026 degrees.
    EXPECT_EQ(finder.Nearest(FromCatalogueUnits(13000, 8990), 0.05), 4u);
    EXPECT_FALSE(finder.Nearest(FromCatalogueUnits(13000, 8990), 0.02));
}
