// The map about the zenith: worked positions, the horizon cut, zoom, and the
// inverse used to find the star under the pointer.
#include <gtest/gtest.h>

#include <cmath>

#include "commands/pointer_readout.h"
#include "sky/coordinate_text.h"
#include "sky/horizon.h"
#include "sky/projection.h"
#include "support/worked_view.h"

using namespace orvanta;

TEST(Projection, WorkedPlacesAndTheHorizonCut) {
    const ViewState view = orvanta::testing::WorkedView();
    // On the meridian the zenith distance is |latitude - dec| at 102 twips a
    // degree, south down the screen. Three hours east: sin(alt) = cos50 cos45,
    // r = round((90 - 27.034) * 102) = 6423 at atan2(sin45, cos45 sin50).
    const double cases[][5] = {
        {6, 0, 5000, 5100, 1},
        {6, -59, 5000, 11118, 1},    // altitude -19: still on the map
        {6, -59.9, 5000, 11210, 1},  // the last band: 109.9 * 102 = 11209.8
        {6, 70, 5000, -2040, 1},     // north of the zenith: up the screen
        {9, 0, -99, 3906, 1},
        // Below 20 degrees under the horizon: off the map.
        {6, -61, 0, 0, 0},
        {6, -60.1, 0, 0, 0},
    };
    for (const auto& [ra, dec, x, y, visible] : cases) {
        const auto p = ProjectStar(view, ra, dec);
        ASSERT_EQ(p.has_value(), visible != 0) << ra << " " << dec;
        if (p) { EXPECT_EQ(*p, (ScreenPoint{int(x), int(y)})) << ra << " " << dec; }
    }
}

TEST(Projection, ZoomAndThePointerToSkyInverse) {
    ViewState view = orvanta::testing::WorkedView();
    view.centreX = 7500;
    // The centre is the zenith: the view's sidereal time and latitude.
    const CataloguePoint zenith = PointerToSky(view, 7500, 0);
    EXPECT_EQ(std::pair(std::lround(zenith.ra), std::lround(zenith.dec)), std::pair(6000L, 5000L));
    // Catalogue units: thousandths of an hour, hundredths of a degree.
    const int positions[][2] = {{6000, 0}, {9000, 0}, {4321, 3567}, {11000, 6500}, {23500, 4000}, {2000, -1500}};
    for (const auto& [ra, dec] : positions) {
        double distance[2];
        for (const int i : {0, 1}) {
            view.zoom.unit = i ? 76 : 51;
            const auto p = ProjectCatalogueUnits(view, ra, dec);
            ASSERT_TRUE(p);
            distance[i] = std::hypot(p->x - 7500, p->y);
            // Half a twip of rounding is 0.5 hundredths of a degree at 102 twips a degree.
            const CataloguePoint back = PointerToSky(view, float(p->x), float(p->y));
            EXPECT_NEAR(back.dec, dec, 3) << ra << " " << dec;
            EXPECT_NEAR(back.ra, ra, 3) << ra << " " << dec;
        }
        // Zoom scales the distance from the zenith; rounding radius and place: a couple of twips.
        EXPECT_NEAR(distance[1], distance[0] * 76 / 51, 2.0) << ra << " " << dec;
    }
}

// What the pointer read-out reports: the worked view's places in the
// observer's sky, and the positions written out.
TEST(Projection, HorizonPlacesAndTheirWrittenForm) {
    const ViewState view = orvanta::testing::WorkedView();
    // On the meridian the altitude is 90 - |50 - dec|, due south below the
    // zenith, due north above it. 3 h east at dec 0 it is 27.03, and the map
    // puts it at (-99, 3906) from the zenith at (5000, 0): 180 - atan(5099 / 3906).
    const double cases[][4] = {{6, 0, 40, 180}, {6, 70, 70, 0}, {6, -59, -19, 180}, {9, 0, 27.034, 127.45}};
    for (const auto& [ra, dec, altitude, azimuth] : cases) {
        const HorizonPosition place = ToHorizon(view, ra, dec);
        EXPECT_NEAR(place.altitude, altitude, 0.01) << ra << " " << dec;
        EXPECT_NEAR(place.azimuth, azimuth, 0.1) << ra << " " << dec;
    }
    EXPECT_EQ(FormatRightAscension(5919), "5h 55m 08s");   // 0.919 h = 55 m 8.4 s
    EXPECT_EQ(FormatRightAscension(23999.9), "0h 00m 00s");  // a turn is 24 h
    EXPECT_EQ(FormatDeclination(741), "+7\u00b0 24\u2032 36\u2033");
    EXPECT_EQ(FormatDeclination(-820), "-8\u00b0 12\u2032 00\u2033");
}
