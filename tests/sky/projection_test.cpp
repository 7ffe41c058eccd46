// The map about the zenith: worked positions, the horizon cut, zoom, and the
// inverse used to find the star under the pointer.
#include <gtest/gtest.h>

#include <cmath>

#include "sky/projection.h"

using namespace orvanta;

namespace {

// Latitude 50, sidereal time 6 h, 102 twips to the degree, zenith at (5000, 0).
ViewState WorkedView() {
    ViewState view;
    view.Latitude = 50.0f;
    UpdateLatitudeTerms(view);
    view.SiderealTime = 6.0f;
    view.ZoomUnit = 51;
    view.ScaleFactor = 2;
    view.CentreX = 5000;
    view.CentreY = 0;
    return view;
}

double Distance(const Projection& p, const ViewState& view) {
    return std::hypot(p.ProjX - view.CentreX, p.ProjY - view.CentreY);
}

}  // namespace

TEST(Projection, PointsOnTheMeridian) {
    const ViewState view = WorkedView();
    Projection p;

    // On the meridian the zenith distance is |latitude - dec|; south is down the screen.
    ProjectStar(view, 6.0, 0.0, p);
    EXPECT_TRUE(p.ProjVisible);
    EXPECT_EQ(p.ProjX, 5000);
    EXPECT_EQ(p.ProjY, 5100);  // 50 degrees * 102

    ProjectStar(view, 6.0, -59.0, p);  // altitude -19: still on the map
    EXPECT_TRUE(p.ProjVisible);
    EXPECT_EQ(p.ProjX, 5000);
    EXPECT_EQ(p.ProjY, 11118);  // 109 * 102

    ProjectStar(view, 6.0, -59.9, p);  // altitude -19.9: the last band of the map
    EXPECT_TRUE(p.ProjVisible);
    EXPECT_EQ(p.ProjY, 11210);  // 109.9 * 102 = 11209.8

    ProjectStar(view, 6.0, 70.0, p);  // north of the zenith: up the screen
    EXPECT_TRUE(p.ProjVisible);
    EXPECT_EQ(p.ProjX, 5000);
    EXPECT_EQ(p.ProjY, -2040);  // -20 * 102
}

TEST(Projection, BelowTwentyDegreesUnderTheHorizonKeepsThePreviousPlace) {
    const ViewState view = WorkedView();
    Projection p;
    ProjectStar(view, 6.0, 70.0, p);
    ASSERT_TRUE(p.ProjVisible);

    ProjectStar(view, 6.0, -61.0, p);  // altitude -21
    EXPECT_FALSE(p.ProjVisible);
    ProjectStar(view, 6.0, -60.1, p);  // altitude -20.1
    EXPECT_FALSE(p.ProjVisible);
    EXPECT_EQ(p.ProjX, 5000);
    EXPECT_EQ(p.ProjY, -2040);
}

TEST(Projection, PointOffTheMeridian) {
    // Three hours east: sin(alt) = cos50 cos45, alt = 27.034 degrees,
    // r = round((90 - 27.034) * 102) = 6423; azimuth from atan2(sin45, cos45 sin50).
    const ViewState view = WorkedView();
    Projection p;
    ProjectStar(view, 9.0, 0.0, p);
    EXPECT_TRUE(p.ProjVisible);
    EXPECT_NEAR(p.ProjX, -99, 1);
    EXPECT_NEAR(p.ProjY, 3906, 1);
    EXPECT_NEAR(Distance(p, view), 6423, 1);
}

TEST(Projection, ZoomScalesTheDistanceFromTheZenith) {
    ViewState view = WorkedView();
    Projection before, after;
    for (const auto& [ra, dec] : {std::pair{9.0, 0.0}, {6.0, -59.0}, {3.5, 30.0}, {12.0, 80.0}}) {
        view.ZoomUnit = 51;
        ProjectStar(view, ra, dec, before);
        view.ZoomUnit = 76;
        ProjectStar(view, ra, dec, after);
        ASSERT_TRUE(before.ProjVisible && after.ProjVisible);
        // Rounding both radius and position: a couple of twips at most.
        EXPECT_NEAR(Distance(after, view), Distance(before, view) * 76 / 51, 2.0) << ra << " " << dec;
    }
}

TEST(Projection, PointerToSkyInvertsTheProjection) {
    ViewState view = WorkedView();
    view.CentreX = 7500;
    // Catalogue positions: thousandths of an hour, hundredths of a degree.
    const int positions[][2] = {{6000, 0}, {9000, 0}, {4321, 3567}, {11000, 6500}, {23500, 4000}, {2000, -1500}};
    for (const auto& [ra, dec] : positions) {
        Projection p;
        ProjectStar(view, ra / 1000.0, dec / 100.0, p);
        ASSERT_TRUE(p.ProjVisible);
        const CataloguePoint back = PointerToSky(view, static_cast<float>(p.ProjX), static_cast<float>(p.ProjY));
        // Half a twip of rounding is 0.5 hundredths of a degree at 102 twips/degree.
        EXPECT_NEAR(back.dec, dec, 3) << ra << " " << dec;
        EXPECT_NEAR(back.ra, ra, 3) << ra << " " << dec;
    }
    // The zenith is at the view's sidereal time and latitude.
    const CataloguePoint zenith = PointerToSky(view, 7500, 0);
    EXPECT_NEAR(zenith.dec, 5000, 1);
    EXPECT_NEAR(zenith.ra, 6000, 1);
}
