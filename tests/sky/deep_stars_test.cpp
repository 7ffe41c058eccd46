// The faint stars: which they are and in what order, their quick projection
// against the exact one, and the press box against a scan of every star.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "sky/deep_stars.h"
#include "sky/star_pick.h"
#include "support/hipparcos_sky.h"
#include "support/worked_view.h"

using namespace orvanta;
using orvanta::testing::HipparcosSky;

namespace {

const DeepStars& Deep() {
    static const DeepStars deep(HipparcosSky::Get().hipparcos, HipparcosSky::Get().identities);
    return deep;
}
int Hundredths(size_t i) { return HipparcosSky::Get().hipparcos.Find(Deep().HipAt(i))->magnitude; }

}  // namespace

TEST(DeepStars, AreTheStarsYaleLacksBrightestFirst) {
    const HipparcosSky& sky = HipparcosSky::Get();
    const DeepStars& deep = Deep();
    ASSERT_EQ(deep.Size(), sky.hipparcos.Stars().size() - sky.identities.stars.size());
    for (size_t i = 0; i < deep.Size(); ++i) ASSERT_FALSE(sky.identities.IndexOfHip(deep.HipAt(i))) << deep.HipAt(i);
    // yale.dat is complete to 6.00; hipparcos.dat has 41411 stars to 8.0.
    EXPECT_EQ(deep.CountTo(60), 0u);
    EXPECT_EQ(deep.CountTo(80), 41411u - 5044u);
    for (const int tenths : {-20, 61, 65, 73, 80, 95, 200}) {
        const size_t n = deep.CountTo(tenths);
        for (size_t i = 0; i < n; ++i) ASSERT_LE(Hundredths(i), tenths * 10) << tenths << " star " << i;
        if (n < deep.Size()) {
            EXPECT_GT(Hundredths(n), tenths * 10) << tenths;
        }
    }
}

TEST(DeepStars, ProjectWithinAPixelOfTheExactPath) {
    const DeepStars& deep = Deep();
    const std::tuple<float, float, int> views[] = {  // latitude, sidereal time, zoom unit
        {50, 6, 51}, {-33.9f, 17.3f, 255}, {89, 0, 72}, {0, 23.99f, 360},
        // A star at the zenith, where single precision is coarsest, a 4K screen fully zoomed.
        {deep.At(0).dec / 100.0f, deep.At(0).ra / 1000.0f, 720},
    };
    std::vector<float> x, y, xr, yr;
    std::vector<uint32_t> which, whichRange;
    for (const auto& [latitude, sidereal, unit] : views) {
        SCOPED_TRACE(latitude);
        const ViewState view = orvanta::testing::WorkedViewAt(latitude, sidereal, unit);
        deep.Project(view, 0, deep.Size(), x, y, which);
        std::vector<int64_t> shown(deep.Size(), -1);
        for (size_t k = 0; k < which.size(); ++k) shown.at(which[k]) = static_cast<int64_t>(k);
        for (size_t i = 0; i < deep.Size(); i += 97) {
            const Star& s = deep.At(i);
            const auto exact = ProjectCatalogueUnits(view, s.ra, s.dec);
            // Within a hair of -20 degrees the two paths may round either way.
            const double phi = latitude * std::numbers::pi / 180, d = s.dec / 100.0 * std::numbers::pi / 180;
            const double h = (s.ra / 1000.0 - sidereal) * std::numbers::pi / 12;
            const double sine = std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(h);
            if (std::fabs(std::asin(sine) * 180 / std::numbers::pi + 20) < 1e-3) continue;
            ASSERT_EQ(shown[i] >= 0, exact.has_value()) << "star " << i;
            if (!exact) continue;
            EXPECT_NEAR(x[shown[i]], exact->x, 15) << "star " << i;  // a pixel
            EXPECT_NEAR(y[shown[i]], exact->y, 15) << "star " << i;
        }
        // A later range gives the same places for its stars, and only its stars.
        const size_t from = deep.Size() / 3, to = from + 5000;
        deep.Project(view, from, to, xr, yr, whichRange);
        EXPECT_EQ(static_cast<ptrdiff_t>(whichRange.size()), std::count_if(&shown[from], &shown[to], [](int64_t k) { return k >= 0; }));
        for (size_t k = 0; k < whichRange.size(); ++k) {
            ASSERT_TRUE(whichRange[k] >= from && whichRange[k] < to);
            ASSERT_EQ(std::pair(xr[k], yr[k]), std::pair(x[shown[whichRange[k]]], y[shown[whichRange[k]]]));
        }
    }
}

TEST(DeepStars, InBoxFindsWhatAScanOfEveryStarFinds) {
    const DeepStars& deep = Deep();
    // The first star strictly within the box, or beyond a polar cap when the pointer is.
    const auto scan = [&](const CataloguePoint& p) -> std::optional<size_t> {
        const bool cap = std::fabs(p.dec) > kPolarCap;
        for (size_t i = 0; i < deep.Size(); ++i) {
            const Star& s = deep.At(i);
            if ((std::fabs(s.ra - p.ra) < kStarBoxHalfWidth && std::fabs(s.dec - p.dec) < kStarBoxHalfWidth) ||
                (cap && std::abs(s.dec) > kPolarCap))
                return i;
        }
        return std::nullopt;
    };
    std::mt19937 random(1875);
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    std::vector<CataloguePoint> pointers;
    for (int i = 0; i < 2000; ++i) {
        const double ra = i < 1400 ? uniform(0, 24000) : i % 2 ? uniform(0, 40) : uniform(23960, 24000);  // and near RA 0
        pointers.push_back({ra, i >= 800 && i < 1400 ? (i % 2 ? 1 : -1) * uniform(8850, 9000) : uniform(-9000, 9000)});
    }
    // On the box's edges about stars, where < and <= part; and stars just short of a cap.
    const double offsets[] = {-20, -19.5, 0, 19.99, 20};
    for (int i = 0; i < 300; ++i) {
        const Star& s = deep.At(std::uniform_int_distribution<size_t>(0, deep.Size() - 1)(random));
        pointers.push_back({s.ra + offsets[i % 5], s.dec + offsets[(i / 5) % 5]});
    }
    for (size_t i = 0; i < deep.Size(); ++i)
        if (const Star& s = deep.At(i); std::abs(s.dec) > kPolarCap - kStarBoxHalfWidth && std::abs(s.dec) <= kPolarCap)
            pointers.push_back({s.ra + 5.0, (s.dec > 0 ? 1 : -1) * (kPolarCap + 0.5)});
    for (const CataloguePoint& p : pointers) {
        const auto first = scan(p);
        for (const size_t count : {deep.Size(), deep.CountTo(70), size_t{50}})
            ASSERT_EQ(deep.InBox(p, count), first && *first < count ? first : std::nullopt)
                << "pointer " << p.ra << ", " << p.dec << " count " << count;
    }
}
