// The faint stars: built once from the Hipparcos catalogue, projected by vectors.
#include "sky/deep_stars.h"

#include <algorithm>
#include <cmath>

#include "sky/star_pick.h"

namespace orvanta {

namespace {
constexpr double kPiValue = 3.14159265358979323846;
constexpr float kLowestSine = -0.34202014f;  // sin(-20°): the map's lowest altitude
}  // namespace

DeepStars::DeepStars(const HipparcosCatalogue& hipparcos, const StarIdentities& bright) {
    for (const HipparcosStar& h : hipparcos.Stars()) {
        if (bright.IndexOfHip(h.hip)) continue;
        Star star{h.RaUnits(), h.DecUnits(), h.magnitude / 100.0f, StarColourOf(h.colourIndex)};
        const double ra = star.ra / 1000.0 * kPiValue / 12, dec = star.dec / 100.0 * kPiValue / 180;
        x_.push_back(static_cast<float>(std::cos(dec) * std::cos(ra)));
        y_.push_back(static_cast<float>(std::cos(dec) * std::sin(ra)));
        z_.push_back(static_cast<float>(std::sin(dec)));
        stars_.push_back(star);
        hips_.push_back(h.hip);
    }
    byDec_.resize(stars_.size());
    for (uint32_t i = 0; i < byDec_.size(); ++i) byDec_[i] = i;
    std::stable_sort(byDec_.begin(), byDec_.end(), [this](uint32_t a, uint32_t b) { return stars_[a].dec < stars_[b].dec; });
}

size_t DeepStars::CountTo(int tenths) const {
    const float limit = tenths / 10.0f + 1e-4f;
    return static_cast<size_t>(std::upper_bound(stars_.begin(), stars_.end(), limit,
                                                [](float m, const Star& s) { return m < s.magnitude; }) -
                               stars_.begin());
}

void DeepStars::Project(const ViewState& view, size_t count, std::vector<std::optional<ScreenPoint>>& places) const {
    count = std::min(count, stars_.size());
    places.assign(count, std::nullopt);
    // The hour angle's rotation and the latitude's tilt as one turn of the vectors.
    const double lst = view.observer.siderealTime * kPiValue / 12;
    const float cl = static_cast<float>(std::cos(lst)), sl = static_cast<float>(std::sin(lst));
    const float sp = view.observer.sinLatitude, cp = view.observer.cosLatitude;
    const float k = static_cast<float>(static_cast<int32_t>(view.zoom.scaleFactor) * view.zoom.unit);
    const float degrees = static_cast<float>(180 / kPiValue);
    for (size_t i = 0; i < count; ++i) {
        const float c = x_[i] * cl + y_[i] * sl;   // cos(dec) cos(H)
        const float yh = y_[i] * cl - x_[i] * sl;  // cos(dec) sin(H)
        const float xh = c * sp - cp * z_[i];
        const float s = std::clamp(cp * c + sp * z_[i], -1.0f, 1.0f);  // sine of the altitude
        if (s < kLowestSine) continue;
        const float r = std::acos(s) * degrees * k;  // zenith distance, in twips
        const float rho = std::sqrt(xh * xh + yh * yh);
        const float ux = rho > 0 ? -yh / rho : 0, uy = rho > 0 ? xh / rho : 0;
        places[i] = ScreenPoint{static_cast<int32_t>(std::nearbyint(view.centreX + r * ux)),
                                static_cast<int32_t>(std::nearbyint(view.centreY + r * uy))};
    }
}

std::optional<size_t> DeepStars::InBox(const CataloguePoint& pointer, size_t count) const {
    std::optional<size_t> best;
    const auto consider = [&](uint32_t i) {
        if (i < count && (!best || i < *best)) best = i;
    };
    // The polar caps take any star beyond them, as for the bright stars.
    if (std::fabs(pointer.dec) > kPolarCap) {
        for (const uint32_t i : byDec_)
            if (std::abs(stars_[i].dec) > kPolarCap) consider(i);
        return best;
    }
    const double low = pointer.dec - kStarBoxHalfWidth, high = pointer.dec + kStarBoxHalfWidth;
    auto it = std::upper_bound(byDec_.begin(), byDec_.end(), low, [this](double d, uint32_t i) { return d < stars_[i].dec; });
    for (; it != byDec_.end() && stars_[*it].dec < high; ++it)
        if (std::fabs(stars_[*it].ra - pointer.ra) < kStarBoxHalfWidth) consider(*it);
    return best;
}

}  // namespace orvanta
