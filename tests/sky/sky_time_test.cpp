// The view time: Julian dates, calendar fields, sidereal time and the two
// angle helpers the projection is built on.
#include <gtest/gtest.h>

#include <cmath>

#include "sky/sky_time.h"

using namespace orvanta;

namespace {
constexpr double kTruePi = 3.14159265358979323846;
}

TEST(SkyTime, JulianDateOfKnownCalendarDates) {
    // J2000.0 is 2000 January 1.5.
    EXPECT_DOUBLE_EQ(CalendarToJulianDate(2000, 1, 1.5), 2451545.0);
    // January and February count as months 13 and 14 of the year before:
    // Int(365.25 * 2023) + Int(30.6001 * 15) + 15 + 1720981.5.
    EXPECT_DOUBLE_EQ(CalendarToJulianDate(2024, 2, 15.0), 2460355.5);
    // A month after February takes the year as it is; 1 March 2024 is JD 2460370.5.
    EXPECT_DOUBLE_EQ(CalendarToJulianDate(2024, 3, 1.0), 2460370.5);
}

TEST(SkyTime, CalendarAndSiderealTimeAtJ2000) {
    SkyTime t;
    t.JulianDate = CalendarToJulianDate(2000, 1, 1.5);
    UpdateSiderealTime(t, -15.0f);
    EXPECT_FLOAT_EQ(t.CalYear, 2000.0f);
    EXPECT_FLOAT_EQ(t.CalMonth, 1.0f);
    EXPECT_FLOAT_EQ(t.CalDay, 1.5f);
    EXPECT_FLOAT_EQ(t.HourOfDay, 12.0f);
    EXPECT_DOUBLE_EQ(t.JulianCenturies, 0.0);
    // T = 0 leaves the constant term, lifted into 24..48: 24 + 6.697374558.
    EXPECT_FLOAT_EQ(t.SiderealTime0, 30.697374558f);
    // + 1.0027379093 * 12 h - 15 / 15 + 1.
    EXPECT_FLOAT_EQ(t.SiderealTime, 30.697374558f + 12.0328549116f);
}

TEST(SkyTime, CalendarFieldsAndTedToTheMinute) {
    SkyTime t;
    t.JulianDate = CalendarToJulianDate(2024, 2, 15.0);
    UpdateSiderealTime(t, -15.0f);
    EXPECT_FLOAT_EQ(t.CalYear, 2024.0f);
    EXPECT_FLOAT_EQ(t.CalMonth, 2.0f);
    EXPECT_FLOAT_EQ(t.CalDay, 15.0f);
    EXPECT_FLOAT_EQ(t.HourOfDay, 0.0f);

    ted(t, -15.0f, LocalDateTime{2000, 1, 1, 12, 0});
    EXPECT_DOUBLE_EQ(t.JulianDate, 2451545.0);

    // 18:36 is 18/24 + 36/1440 = 0.775 of a day.
    ted(t, -15.0f, LocalDateTime{2024, 2, 15, 18, 36});
    EXPECT_NEAR(t.JulianDate, 2460355.5 + 0.775, 1e-9);
    EXPECT_FLOAT_EQ(t.CalDay, 15.775f);
    // A float day of about 16 holds ~1e-6 of a day: well under a minute (0.0167 h).
    EXPECT_NEAR(t.HourOfDay, 18.6, 1e-3);
}

TEST(SkyTime, LongitudeShiftsSiderealTimeAndComesBack) {
    SkyTime t;
    ted(t, -15.0f, LocalDateTime{2024, 2, 15, 21, 0});
    const float start = t.SiderealTime;
    UpdateSiderealTime(t, -45.0f);  // thirty degrees west: two hours earlier
    EXPECT_NEAR(t.SiderealTime, start - 2.0f, 1e-5);

    UpdateSiderealTime(t, -15.0f);
    EXPECT_EQ(t.SiderealTime, start);
}

TEST(SkyTime, AngleHelpers) {
    EXPECT_FLOAT_EQ(QuadrantAngle(0, 0), static_cast<float>(kTruePi / 4));
    EXPECT_FLOAT_EQ(QuadrantAngle(1, 0), 1.570796326795f);
    EXPECT_FLOAT_EQ(QuadrantAngle(-1, 0), -1.570796326795f);
    EXPECT_FLOAT_EQ(QuadrantAngle(0, 1), 0.0f);
    EXPECT_FLOAT_EQ(QuadrantAngle(0, -1), 3.1415927f);
    EXPECT_FLOAT_EQ(QuadrantAngle(-1, -1), static_cast<float>(5 * kTruePi / 4));  // not wrapped to -3pi/4

    // The arc sine is 0 wherever the root has no value.
    EXPECT_DOUBLE_EQ(ArcSin(1.0), 0.0);
    EXPECT_DOUBLE_EQ(ArcSin(1.0000001), 0.0);
    EXPECT_NEAR(ArcSin(0.5), kTruePi / 6, 1e-12);
    EXPECT_NEAR(ArcSin(-0.5), -kTruePi / 6, 1e-12);
}
