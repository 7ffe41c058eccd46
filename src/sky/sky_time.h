#pragma once
// The view time of the map: Julian date, calendar fields and sidereal time.
#include <cstdint>

namespace orvanta {

constexpr double kPi = 3.14159265358979;
constexpr double kHalfPi = 1.570796326795;  // pi/2 cut to twelve decimals, used as such

// A local clock reading to the minute; seconds are ignored by the sky.
struct LocalDateTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0;
};

// The time state of the view. Only the longitude term comes from outside.
struct SkyTime {
    double julianDate = 0;
    double julianCenturies = 0;
    float calYear = 0, calMonth = 0, calDay = 0, hourOfDay = 0;
    float siderealTime0 = 0;  // Greenwich sidereal time at 0 h, kept between 24 and 48
    float siderealTime = 0;   // local sidereal time, hours, not reduced to 0..24
};

double CalendarToJulianDate(int year, int month, double day);
// Recomputes the calendar fields and both sidereal times from the Julian date.
void UpdateSiderealTime(SkyTime& time, float longitude);
// Takes the given moment as the view time and recomputes the sidereal time.
void SetViewTime(SkyTime& time, float longitude, const LocalDateTime& now);

// Angle of the vector (x, y) from the positive x axis, in (-pi/2, 3pi/2).
float QuadrantAngle(float y, float x);
// Arc sine that yields 0 wherever the root has no value (|x| >= 1).
double ArcSin(double x);

}  // namespace orvanta
