// Julian date, calendar and sidereal time.
#include "sky/sky_time.h"

#include <cmath>

namespace orvanta {

double CalendarToJulianDate(int year, int month, double day) {
    double y = year, m = month;
    if (m <= 2) {
        y -= 1;
        m += 12;
    }
    // The fixed -13 days of the constant hold the Gregorian correction for 1900..2100.
    return std::floor(365.25 * y) + std::floor(30.6001 * (m + 1)) + day + 1720981.5;
}

void UpdateSiderealTime(SkyTime& t, float longitude) {
    const double shifted = t.julianDate + 0.5;
    const int32_t Z = static_cast<int32_t>(std::trunc(shifted));
    const float F = static_cast<float>(shifted - Z);
    int32_t A = Z;
    if (Z >= 2299161) {
        const int16_t alpha = static_cast<int16_t>(std::trunc((Z - 1867216.25) / 36524.25));
        A = Z + 1 + alpha - static_cast<int32_t>(std::trunc(alpha / 4.0));
    }
    const int32_t B = A + 1524;
    const int32_t C = static_cast<int32_t>(std::trunc((B - 122.1) / 365.25));
    const int32_t D = static_cast<int32_t>(std::trunc(365.25 * C));
    const int32_t E = static_cast<int32_t>(std::trunc((B - D) / 30.6001));

    t.calDay = static_cast<float>(static_cast<double>(B - D - static_cast<int32_t>(std::trunc(30.6001 * E))) + F);
    t.calMonth = static_cast<float>(E < 14 ? E - 1 : E - 13);
    t.calYear = static_cast<float>(t.calMonth > 2 ? C - 4716 : C - 4715);
    t.hourOfDay = (t.calDay - std::floor(t.calDay)) * 24.0f;

    t.julianCenturies = (t.julianDate - 2451545) / 36525;
    const double T = t.julianCenturies;
    const float s = static_cast<float>(6.697374558 + 2400.05133691 * T + 0.000025862 * T * T -
                                       0.0000000017 * T * T * T);
    const float turns = s / 24.0f;
    t.siderealTime0 = (turns - std::floor(turns)) * 24.0f + 24.0f;
    t.siderealTime = static_cast<float>(t.siderealTime0 + 1.0027379093 * t.hourOfDay + longitude / 15.0f + 1);
}

void SetViewTime(SkyTime& t, float longitude, const LocalDateTime& now) {
    t.julianDate = CalendarToJulianDate(now.year, now.month, now.day + now.hour / 24.0 + now.minute / 1440.0);
    UpdateSiderealTime(t, longitude);
}

float QuadrantAngle(float y, float x) {
    if (x == 0 && y == 0) return static_cast<float>(kPi / 4);
    if (x == 0) return static_cast<float>((y > 0 ? 1 : -1) * kHalfPi);
    const int signX = x > 0 ? 1 : -1;
    return static_cast<float>(std::atan(static_cast<double>(y / x)) + (1 - signX) * kHalfPi);
}

double ArcSin(double x) {
    const double root = std::sqrt(1 - x * x);
    if (!(root > 0)) return 0;  // |x| >= 1, or not a number
    const double angle = std::atan(x / root);
    return std::isfinite(angle) ? angle : 0;
}

}  // namespace orvanta
