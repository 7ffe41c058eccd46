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

namespace {

// acos for x in [-1, 1] within 2e-8 radians (Abramowitz and Stegun 4.4.46),
// without a branch: the loop below then runs on vector registers, several stars at a time.
inline float ArcCos(float x) {
    const float a = std::fabs(x);
    float p = -0.0012624911f;
    p = p * a + 0.0066700901f;
    p = p * a - 0.0170881256f;
    p = p * a + 0.0308918810f;
    p = p * a - 0.0501743046f;
    p = p * a + 0.0889789874f;
    p = p * a - 0.2145988016f;
    p = p * a + 1.5707963050f;
    const float r = std::sqrt(std::max(0.0f, 1 - a)) * p;
    const float below = x < 0 ? 1.0f : 0.0f;
    return below * 3.14159265f + (1 - 2 * below) * r;
}

struct Turn {
    float cosSidereal, sinSidereal, sinLatitude, cosLatitude, twipsPerRadian, centreX, centreY;
};

// The loop over the stars, its arrays apart (restrict), so that the compiler can take several stars at a time.
void TurnAndProject(const float* __restrict x, const float* __restrict y, const float* __restrict z, size_t count,
                    const Turn t, float* __restrict outX, float* __restrict outY, float* __restrict outSine) {
    for (size_t i = 0; i < count; ++i) {
        const float c = x[i] * t.cosSidereal + y[i] * t.sinSidereal;   // cos(dec) cos(H)
        const float yh = y[i] * t.cosSidereal - x[i] * t.sinSidereal;  // cos(dec) sin(H)
        const float xh = c * t.sinLatitude - t.cosLatitude * z[i];
        const float s = std::min(1.0f, std::max(-1.0f, t.cosLatitude * c + t.sinLatitude * z[i]));  // the altitude's sine
        const float r = ArcCos(s) * t.twipsPerRadian;  // zenith distance
        const float rho = std::sqrt(xh * xh + yh * yh);
        const float inverse = r / std::max(rho, 1e-30f);  // at the zenith r is 0 too
        outX[i] = t.centreX - yh * inverse;
        outY[i] = t.centreY + xh * inverse;
        outSine[i] = s;
    }
}

}  // namespace

void DeepStars::Project(const ViewState& view, size_t from, size_t to, std::vector<float>& x, std::vector<float>& y,
                        std::vector<uint32_t>& which) const {
    to = std::min(to, stars_.size());
    from = std::min(from, to);
    // The hour angle's rotation and the latitude's tilt as one turn of the vectors.
    const double lst = view.observer.siderealTime * kPiValue / 12;
    const float k = static_cast<float>(static_cast<int32_t>(view.zoom.scaleFactor) * view.zoom.unit);
    const Turn turn{static_cast<float>(std::cos(lst)), static_cast<float>(std::sin(lst)), view.observer.sinLatitude,
                    view.observer.cosLatitude, static_cast<float>(180 / kPiValue) * k, view.centreX,
                    static_cast<float>(view.centreY)};
    const size_t count = to - from;
    thread_local std::vector<float> xs, ys, sines;
    xs.resize(count), ys.resize(count), sines.resize(count);
    TurnAndProject(x_.data() + from, y_.data() + from, z_.data() + from, count, turn, xs.data(), ys.data(), sines.data());
    x.clear(), y.clear(), which.clear();
    for (size_t i = 0; i < count; ++i) {
        if (sines[i] < kLowestSine) continue;
        x.push_back(xs[i]);
        y.push_back(ys[i]);
        which.push_back(static_cast<uint32_t>(from + i));
    }
}

std::optional<size_t> DeepStars::InBox(const CataloguePoint& pointer, size_t count) const {
    std::optional<size_t> best;
    const auto consider = [&](uint32_t i) {
        if (i < count && (!best || i < *best)) best = i;
    };
    // The polar caps take any star beyond them, as for the bright stars, besides those in the box.
    if (std::fabs(pointer.dec) > kPolarCap)
        for (const uint32_t i : byDec_)
            if (std::abs(stars_[i].dec) > kPolarCap) consider(i);
    const double low = pointer.dec - kStarBoxHalfWidth, high = pointer.dec + kStarBoxHalfWidth;
    auto it = std::upper_bound(byDec_.begin(), byDec_.end(), low, [this](double d, uint32_t i) { return d < stars_[i].dec; });
    for (; it != byDec_.end() && stars_[*it].dec < high; ++it)
        if (std::fabs(stars_[*it].ra - pointer.ra) < kStarBoxHalfWidth) consider(*it);
    return best;
}

}  // namespace orvanta
