// Altitude and azimuth of a sky position for the view's observer.
#include "sky/horizon.h"

#include <cmath>

namespace orvanta {

HorizonPosition ToHorizon(const ViewState& view, double ra, double dec) {
    // Full precision here: this only reports, it places nothing on the map.
    const double degree = std::acos(-1.0) / 180;
    const double hourAngle = (view.observer.siderealTime - ra) * 15 * degree;
    const double phi = view.observer.latitude * degree, delta = dec * degree;
    const double sinAltitude =
        std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(hourAngle);
    const double altitude = std::asin(std::fmax(-1.0, std::fmin(1.0, sinAltitude)));
    double azimuth = std::atan2(-std::cos(delta) * std::sin(hourAngle),
                                std::sin(delta) * std::cos(phi) - std::cos(delta) * std::sin(phi) * std::cos(hourAngle));
    if (azimuth < 0) azimuth += 2 * std::acos(-1.0);
    return {altitude / degree, azimuth / degree};
}

}  // namespace orvanta
