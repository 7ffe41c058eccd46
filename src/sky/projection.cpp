// The azimuthal equidistant projection and its inverse, in twips.
#include "sky/projection.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sky/sky_time.h"

namespace orvanta {

namespace {
constexpr double kHoursToRadians = 0.2617993877991;
constexpr double kDegreesToRadians = 0.0174532925199433;
constexpr double kRadiansToDegrees = 57.2957795130823;
constexpr float kLowestAltitude = -20.0f;
}  // namespace

void UpdateLatitudeTerms(Observer& observer) {
    observer.latitudeRad = observer.latitude * kPi / 180;
    observer.sinLatitude = static_cast<float>(std::sin(observer.latitudeRad));
    observer.cosLatitude = static_cast<float>(std::cos(observer.latitudeRad));
}

namespace {

// Sine and cosine together: the same values as std::sin and std::cos (glibc
// computes both with the same routines), for the price of one call. The
// projection runs for every star, vertex and label at each redraw.
struct SineCosine {
    double sine, cosine;
};
SineCosine SinCos(double x) {
    SineCosine result;
    ::sincos(x, &result.sine, &result.cosine);
    return result;
}

}  // namespace

namespace {

// The projection once the declination's sine and cosine are known.
std::optional<ScreenPoint> ProjectWith(const ViewState& view, double ra, const SineCosine& ofD) {
    // Intermediate values are stored in single precision, as the map was always drawn.
    const float H = static_cast<float>((ra - view.observer.siderealTime) * kHoursToRadians);
    const SineCosine ofH = SinCos(static_cast<double>(H));
    const float cd = static_cast<float>(ofD.cosine);
    const double cosH = ofH.cosine;
    const float Xh = static_cast<float>(cd * cosH * view.observer.sinLatitude - view.observer.cosLatitude * ofD.sine);
    const float Yh = static_cast<float>(cd * ofH.sine);
    const double s = view.observer.cosLatitude * static_cast<double>(cd) * cosH + view.observer.sinLatitude * ofD.sine;
    const float Alt = static_cast<float>(ArcSin(s) * kRadiansToDegrees);
    if (Alt < kLowestAltitude) return std::nullopt;
    const int32_t k = static_cast<int32_t>(view.zoom.scaleFactor) * view.zoom.unit;
    const int32_t r = static_cast<int32_t>(std::nearbyint((90.0 - Alt) * k));
    const float A = static_cast<float>(QuadrantAngle(Yh, Xh) + kHalfPi);
    const SineCosine ofA = SinCos(static_cast<double>(A));
    return ScreenPoint{static_cast<int32_t>(std::nearbyint(view.centreX + r * ofA.cosine)),
                       static_cast<int32_t>(std::nearbyint(view.centreY + r * ofA.sine))};
}

// The sine and cosine of every declination in catalogue units, from the
// south pole to the north: the same values ProjectStar computes, found once.
constexpr int32_t kDeclinationUnits = 9000;
const std::vector<SineCosine>& DeclinationTable() {
    static const std::vector<SineCosine> table = [] {
        std::vector<SineCosine> values;
        for (int32_t dec = -kDeclinationUnits; dec <= kDeclinationUnits; ++dec)
            values.push_back(SinCos((dec / 100.0) * kDegreesToRadians));
        return values;
    }();
    return table;
}

}  // namespace

std::optional<ScreenPoint> ProjectStar(const ViewState& view, double ra, double dec) {
    return ProjectWith(view, ra, SinCos(dec * kDegreesToRadians));
}

std::optional<ScreenPoint> ProjectCatalogueUnits(const ViewState& view, int32_t ra, int32_t dec) {
    if (dec < -kDeclinationUnits || dec > kDeclinationUnits) return ProjectStar(view, ra / 1000.0, dec / 100.0);
    return ProjectWith(view, ra / 1000.0, DeclinationTable()[static_cast<size_t>(dec + kDeclinationUnits)]);
}

std::optional<ScreenPoint> ProjectDirection(const ViewState& view, double x, double y, double z) {
    // The hour angle's turn and the latitude's tilt, as ProjectStar takes them.
    const SineCosine ofSidereal = SinCos(view.observer.siderealTime * kHoursToRadians);
    const double sp = view.observer.sinLatitude, cp = view.observer.cosLatitude;
    const double c = x * ofSidereal.cosine + y * ofSidereal.sine;  // cos(dec) cos(H)
    const double yh = y * ofSidereal.cosine - x * ofSidereal.sine;  // cos(dec) sin(H)
    const double xh = c * sp - cp * z;
    const double s = std::clamp(cp * c + sp * z, -1.0, 1.0);  // the altitude's sine
    if (s < std::sin(kLowestAltitude * kDegreesToRadians)) return std::nullopt;
    const double k = static_cast<double>(view.zoom.scaleFactor) * view.zoom.unit;
    const double r = std::acos(s) * kRadiansToDegrees * k;
    const double rho = std::hypot(xh, yh);
    const double ux = rho > 0 ? -yh / rho : 0, uy = rho > 0 ? xh / rho : 0;
    return ScreenPoint{static_cast<int32_t>(std::nearbyint(view.centreX + r * ux)),
                       static_cast<int32_t>(std::nearbyint(view.centreY + r * uy))};
}

CataloguePoint PointerToSky(const ViewState& view, float x, float y) {
    const float dx = x - view.centreX;
    const float dy = y - static_cast<float>(view.centreY);
    const float A = QuadrantAngle(dy, dx);
    const double r = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
    const int32_t k = static_cast<int32_t>(view.zoom.scaleFactor) * view.zoom.unit;
    const double z = k != 0 ? r / k * kDegreesToRadians : 0;
    const double P = A - kHalfPi;
    const double phi = view.observer.latitudeRad;
    const double s = std::sin(phi) * std::cos(z) - std::cos(phi) * std::sin(z) * std::cos(P);
    const double delta = ArcSin(s);
    const float hy = static_cast<float>(std::sin(z) * std::sin(P));
    const float hx = static_cast<float>(std::cos(phi) * std::cos(z) + std::sin(phi) * std::sin(z) * std::cos(P));
    const double h = QuadrantAngle(hy, hx);
    const double q = (h * 180 / kPi + 15.0 * view.observer.siderealTime) / 360;
    const double raHours = (q - std::floor(q)) * 24;
    return {raHours * 1000, delta * 100 * 180 / kPi};
}

}  // namespace orvanta
