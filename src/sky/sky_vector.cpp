// Directions on the sky as unit vectors.
#include "sky/sky_vector.h"

#include <cmath>

namespace orvanta {

namespace {
constexpr double kDegreesToRadians = 0.0174532925199433;
constexpr double kRadiansToDegrees = 57.2957795130823;
}  // namespace

SkyVector Turned(const SkyVector& v, const SkyVector& k, double radians) {
    // Rodrigues' rotation formula.
    const double c = std::cos(radians), s = std::sin(radians), along = Dot(k, v) * (1 - c);
    const SkyVector across = Cross(k, v);
    return {v.x * c + across.x * s + k.x * along, v.y * c + across.y * s + k.y * along, v.z * c + across.z * s + k.z * along};
}

SkyVector UnitVector(SkyDirection d) {
    const double ra = d.raHours * 15 * kDegreesToRadians;
    const double dec = d.decDegrees * kDegreesToRadians;
    return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
}

SkyDirection DirectionOf(SkyVector v) {
    const double across = std::hypot(v.x, v.y);
    double ra = std::atan2(v.y, v.x) * kRadiansToDegrees / 15;
    if (ra < 0) ra += 24;
    if (ra >= 24) ra -= 24;
    return {ra, std::atan2(v.z, across) * kRadiansToDegrees};
}

double AngleDegrees(SkyVector a, SkyVector b) {
    // atan2 of |a x b| and a.b keeps its precision where acos of a.b would not.
    const double cx = a.y * b.z - a.z * b.y;
    const double cy = a.z * b.x - a.x * b.z;
    const double cz = a.x * b.y - a.y * b.x;
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), a.x * b.x + a.y * b.y + a.z * b.z) * kRadiansToDegrees;
}

SkyDirection Midpoint(SkyDirection a, SkyDirection b) {
    const SkyVector u = UnitVector(a), v = UnitVector(b);
    return DirectionOf({u.x + v.x, u.y + v.y, u.z + v.z});
}

SkyDirection FromCatalogueUnits(double ra, double dec) { return {ra / 1000, dec / 100}; }

}  // namespace orvanta
