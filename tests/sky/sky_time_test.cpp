// The view time: Julian dates, calendar fields, sidereal time and the two
// angle helpers the projection is built on.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "sky/sky_time.h"

using namespace orvanta;

TEST(SkyTime, JulianDateAndCalendarFields) {
    // January and February count as months 13 and 14 of the year before:
    // Int(365.25 * 2023) + Int(30.6001 * 15) + 15 + 1720981.5, and 18:36 is 0.775 of a day.
    const std::tuple<LocalDateTime, double, float, float, float> cases[] = {
        {{2000, 1, 1, 12, 0}, 2451545.0, 2000, 1, 1.5f},  // J2000.0
        {{2024, 2, 15, 18, 36}, 2460356.275, 2024, 2, 15.775f},
        {{2024, 3, 1, 0, 0}, 2460370.5, 2024, 3, 1}};
    for (const auto& [local, jd, year, month, day] : cases) {
        SkyTime t;
        SetViewTime(t, -15.0f, local);
        EXPECT_NEAR(t.julianDate, jd, 1e-8);
        EXPECT_EQ(std::pair(t.calYear, t.calMonth), std::pair(year, month)) << jd;
        EXPECT_FLOAT_EQ(t.calDay, day) << jd;
        // A float day of about 16 holds ~1e-6 of a day: well under a minute.
        EXPECT_NEAR(t.hourOfDay, local.hour + local.minute / 60.0, 1e-3) << jd;
    }
}

TEST(SkyTime, SiderealTime) {
    SkyTime t;
    SetViewTime(t, -15.0f, LocalDateTime{2000, 1, 1, 12, 0});
    // T = 0 leaves the constant term, lifted into 24..48: 24 + 6.697374558;
    // then + 1.0027379093 * 12 h - 15 / 15 + 1.
    EXPECT_FLOAT_EQ(t.siderealTime0, 30.697374558f);
    EXPECT_FLOAT_EQ(t.siderealTime, 42.730228f);
    // T = 8811.275 / 36525 in 6.697374558 + 2400.05133691 T + 0.000025862 T^2 is
    // 33.68471 in 24..48; + 1.0027379093 * 18.6 h.
    SetViewTime(t, -15.0f, LocalDateTime{2024, 2, 15, 18, 36});
    EXPECT_NEAR(t.siderealTime, 52.33563, 1e-3);
}

TEST(SkyTime, AngleHelpers) {
    const double pi = std::acos(-1.0);
    // QuadrantAngle(y, x) lies in (-pi/2, 3pi/2): (-1, -1) is not wrapped to -3pi/4.
    const double angles[][3] = {{0, 0, pi / 4}, {1, 0, pi / 2}, {-1, 0, -pi / 2},
                                {0, 1, 0},      {0, -1, pi},    {-1, -1, 5 * pi / 4}};
    for (const auto& [y, x, angle] : angles) EXPECT_FLOAT_EQ(QuadrantAngle(y, x), float(angle)) << y << "," << x;
    // The arc sine is 0 wherever the root has no value.
    const double sines[][2] = {{1.0, 0}, {1.0000001, 0}, {-1.0, 0}, {0.5, pi / 6}, {-0.5, -pi / 6}};
    for (const auto& [x, angle] : sines) EXPECT_NEAR(ArcSin(x), angle, 1e-12) << x;
}
