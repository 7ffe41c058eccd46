#include "sky/projection.h"

#include <cmath>

#include "sky/sky_time.h"

namespace orvanta {

namespace {
constexpr double kHoursToRadians = 0.2617993877991;
constexpr double kDegreesToRadians = 0.0174532925199433;
constexpr double kRadiansToDegrees = 57.2957795130823;
constexpr float kLowestAltitude = -20.0f;
}  // namespace

void UpdateLatitudeTerms(ViewState& view) {
    view.LatitudeRad = view.Latitude * kPi / 180;
    view.SinLatitude = static_cast<float>(std::sin(view.LatitudeRad));
    view.CosLatitude = static_cast<float>(std::cos(view.LatitudeRad));
}

void ProjectStar(const ViewState& view, double ra, double dec, Projection& out) {
    // Intermediate values are stored in single precision, as the map was always drawn.
    const float H = static_cast<float>((ra - view.SiderealTime) * kHoursToRadians);
    const double d = dec * kDegreesToRadians;
    const float cd = static_cast<float>(std::cos(d));
    const double cosH = std::cos(static_cast<double>(H));
    const float Xh = static_cast<float>(cd * cosH * view.SinLatitude - view.CosLatitude * std::sin(d));
    const float Yh = static_cast<float>(cd * std::sin(static_cast<double>(H)));
    const double s = view.CosLatitude * static_cast<double>(cd) * cosH + view.SinLatitude * std::sin(d);
    const float Alt = static_cast<float>(ArcSin(s) * kRadiansToDegrees);
    if (Alt < kLowestAltitude) {
        out.ProjVisible = false;
        return;
    }
    const int32_t k = static_cast<int32_t>(view.ScaleFactor) * view.ZoomUnit;
    const int32_t r = static_cast<int32_t>(std::nearbyint((90.0 - Alt) * k));
    const float A = static_cast<float>(QuadrantAngle(Yh, Xh) + kHalfPi);
    out.ProjX = static_cast<int32_t>(std::nearbyint(view.CentreX + r * std::cos(static_cast<double>(A))));
    out.ProjY = static_cast<int32_t>(std::nearbyint(view.CentreY + r * std::sin(static_cast<double>(A))));
    out.ProjVisible = true;
}

CataloguePoint PointerToSky(const ViewState& view, float x, float y) {
    const float dx = x - view.CentreX;
    const float dy = y - static_cast<float>(view.CentreY);
    const float A = QuadrantAngle(dy, dx);
    const double r = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
    const int32_t k = static_cast<int32_t>(view.ScaleFactor) * view.ZoomUnit;
    const double z = k != 0 ? r / k * kDegreesToRadians : 0;
    const double P = A - kHalfPi;
    const double phi = view.LatitudeRad;
    const double s = std::sin(phi) * std::cos(z) - std::cos(phi) * std::sin(z) * std::cos(P);
    const double delta = ArcSin(s);
    const float hy = static_cast<float>(std::sin(z) * std::sin(P));
    const float hx = static_cast<float>(std::cos(phi) * std::cos(z) + std::sin(phi) * std::sin(z) * std::cos(P));
    const double h = QuadrantAngle(hy, hx);
    const double q = (h * 180 / kPi + 15.0 * view.SiderealTime) / 360;
    const double raHours = (q - std::floor(q)) * 24;
    return {raHours * 1000, delta * 100 * 180 / kPi};
}

}  // namespace orvanta
