#pragma once
// Directions on the sky as unit vectors, for angles and midpoints that stay
// right across RA 0 and near the poles.
namespace orvanta {

struct SkyDirection {
    double raHours = 0;
    double decDegrees = 0;
};

struct SkyVector {
    double x = 0, y = 0, z = 0;
};

inline SkyVector Cross(const SkyVector& a, const SkyVector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Dot(const SkyVector& a, const SkyVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
// Turned about a unit axis by an angle in radians, anticlockwise seen from the axis's tip.
SkyVector Turned(const SkyVector& v, const SkyVector& axis, double radians);

SkyVector UnitVector(SkyDirection direction);
// RA in 0 (inclusive) to 24 hours; a zero vector gives RA 0, Dec 0.
SkyDirection DirectionOf(SkyVector vector);
// Angle between two directions in degrees, accurate for tiny angles too.
double AngleDegrees(SkyVector a, SkyVector b);
// The point halfway along the shorter great circle between two directions.
SkyDirection Midpoint(SkyDirection a, SkyDirection b);
// A position in catalogue units (thousandths of an hour, hundredths of a degree).
SkyDirection FromCatalogueUnits(double ra, double dec);

}  // namespace orvanta
