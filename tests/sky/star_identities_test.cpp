// Who the catalogue's stars are and which constellation holds a position:
// the cross-index and band table on the shipped data, the names the pointer
// read-out gives, precession to B1875 and the nearest-star lookup.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

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

namespace {

auto Fields(const StarIdentity& s) {
    return std::tuple(s.hip, s.hd, s.hr, s.bayer, s.flamsteed, s.constellation, s.name, s.designatedIn);
}

}  // namespace

TEST(StarIdentities, ShippedCrossIndexNamesWellKnownStars) {
    const ShippedSky& sky = ShippedSky::Get();
    ASSERT_EQ(sky.identities.stars.size(), sky.stars.size());
    const auto of = [&](int32_t hip) { return *sky.identities.Of(*sky.identities.IndexOfHip(hip)); };
    // Betelgeuse, J2000 5 h 55 m 10 s, +7 24'; 54 Ceti keeps its Flamsteed number
    // in Cetus though it lies just inside Aries.
    EXPECT_EQ(Fields(of(27989)), Fields({27989, 39801, 0, "alpha", "58", "Ori", "Betelgeuse", "Ori"}));
    EXPECT_EQ(Fields(of(8588)), Fields({8588, 11257, 0, "", "54", "Ari", "", "Cet"}));
    EXPECT_NEAR(sky.stars[*sky.identities.IndexOfHip(27989)].ra, 5919, 2);
    EXPECT_NEAR(sky.stars[*sky.identities.IndexOfHip(27989)].dec, 741, 2);
    // Record order follows yale.dat: Sirius (HIP 32349) first; Polaris in the Little Bear.
    EXPECT_EQ(sky.identities.Of(0)->hip, 32349);
    EXPECT_EQ(of(11767).constellation, "UMi");
    EXPECT_EQ(sky.identities.Of(sky.stars.size()), nullptr);
    EXPECT_FALSE(sky.identities.IndexOfHip(1));  // HIP 1 is fainter than 6.0
    // The boundaries of 1930 left a few designated stars outside the constellation
    // of their name, but only a few: a column out of place would give thousands.
    int elsewhere = 0;
    for (const StarIdentity& star : sky.identities.stars) {
        const bool designated = !star.bayer.empty() || !star.flamsteed.empty();
        ASSERT_EQ(star.designatedIn.empty(), !designated) << "HIP " << star.hip;
        elsewhere += designated && star.designatedIn != star.constellation;
    }
    EXPECT_GT(elsewhere, 0);
    EXPECT_LT(elsewhere, 100);
    // A quoted name keeps its comma. (Read failures are met in file_reading_test.)
    StarIdentities parsed;
    ASSERT_FALSE(ParseStarIdentities("11767,8890,424,alpha,1,UMi,\"Polaris, the Pole Star\",UMi\r\n", parsed).failed);
    EXPECT_EQ(Fields(parsed.stars[0]), Fields({11767, 8890, 424, "alpha", "1", "UMi", "Polaris, the Pole Star", "UMi"}));
}

class PointerReadout : public orvanta::testing::ProgramFixture {};

TEST_F(PointerReadout, NamesDesignationsWithTheirOwnConstellation) {
    for (const char* name : {"star_ids.txt", "cons_bands.txt", "hipparcos.dat", "iau_edges.txt"})
        std::filesystem::copy_file(std::string(ORVANTA_DATA_DIR) + "/" + name, folder.File(name));
    state.view = orvanta::testing::WorkedView();  // Orion on the meridian, Lynx high in the east
    const ExchangeSky* sky = EnsureExchangeSky(state, nullptr);
    ASSERT_TRUE(sky);
    const auto readout = [&](int32_t hip) {
        const Star& star = state.catalog.stars.at(sky->identities.IndexOfHip(hip).value());
        return DescribePointer(state, ToPixels(ProjectCatalogueUnits(state.view, star.ra, star.dec).value()));
    };
    const std::string betelgeuse = readout(27989);
    EXPECT_NE(betelgeuse.find("Betelgeuse  \u03b1 Ori  58 Ori  HIP 27989"), std::string::npos) << betelgeuse;
    // 10 Ursae Majoris lies in Lynx, yet is no star of Lynx.
    const std::string uma10 = readout(44248);
    EXPECT_NE(uma10.find("10 UMa  HIP 44248"), std::string::npos) << uma10;
    EXPECT_EQ(uma10.find("Lyn"), std::string::npos) << uma10;
}

// J2000 positions and where the IAU 1976 precession puts them at B1875,
// worked out apart from the program (sky/b1875_positions.py): to 0.05", where
// the angles' terms in t squared alone move a position by up to 2".
TEST(ConstellationMembership, PrecessionToB1875) {
    const double cases[][4] = {{0, 0, 23.893266993, -0.696028047},
                               {12, 45, 11.892610485, 45.696027211},
                               {5.919, 7.41, 5.806249687, 7.384968087},
                               {18, -60, 17.812941918, -59.982953963},
                               {0, 90, 23.946646932, 89.303903988}};
    for (const auto& [ra, dec, raB1875, decB1875] : cases) {
        const SkyDirection p = PrecessJ2000ToB1875({ra, dec});
        EXPECT_NEAR(p.raHours, raB1875, 1e-6) << ra << " " << dec;
        EXPECT_NEAR(p.decDegrees, decB1875, 1e-5) << ra << " " << dec;
    }
}

TEST(ConstellationMembership, PositionsFallInTheirIAUConstellation) {
    const ShippedSky& sky = ShippedSky::Get();
    const std::tuple<double, double, const char*> cases[] = {
        {5.919, 7.41, "Ori"},    // Betelgeuse
        {6.752, -16.72, "CMa"},  // Sirius
        {0, 90, "UMi"},          // the north pole
        {12, -90, "Oct"},        // the south pole
        {0, 0, "Psc"},           // the vernal equinox of J2000
        {23.99, 0, "Psc"},       // and just west of RA 0
        {17.76, -29.0, "Sgr"},   // the galactic centre
        {18.0, 66.56, "Dra"},    // the north ecliptic pole
        {15.9, 10.0, "Ser"},     // the Serpent's head
        {18.6, -10.0, "Sct"},    // Scutum
    };
    for (const auto& [ra, dec, constellation] : cases)
        EXPECT_EQ(ConstellationAt(sky.bands, {ra, dec}), constellation) << ra << " " << dec;
    // A band holds what lies north of its lower edge, the first band in the table that does.
    ConstellationBands bands;
    ASSERT_FALSE(ParseConstellationBands("0,86400,0,Aaa\r\n0,86400,-324000,Oct\r\n", bands).failed);
    EXPECT_EQ(ConstellationAt(bands, {3, 10}) + ConstellationAt(bands, {3, -10}), "AaaOct");
    // The data script found each star's constellation with its own code; the program must agree.
    for (size_t i = 0; i < sky.stars.size(); ++i)
        ASSERT_EQ(ConstellationAt(sky.bands, FromCatalogueUnits(sky.stars[i].ra, sky.stars[i].dec)),
                  sky.identities.stars[i].constellation)
            << "star " << i << " HIP " << sky.identities.stars[i].hip;
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
