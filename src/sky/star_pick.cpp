// The star a press on the map picks.
#include "sky/star_pick.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace orvanta {

namespace {

// The whole numbers n with n - w < x < n + w, for the open box of half-width w
// about x: found once per press, so that the scan compares whole numbers only
// and gives exactly what comparing each star in doubles gives.
struct WholeRange {
    int64_t low = 0, high = -1;
    bool Holds(int64_t n) const { return low <= n && n <= high; }
};
WholeRange OpenBoxAround(double x, int w) {
    if (!std::isfinite(x) || std::fabs(x) > 1e15) return {};
    const int64_t f = static_cast<int64_t>(std::floor(x));
    // n + w > x holds from f - w + 1 on; n - w < x up to f + w, or f + w - 1 when x is whole.
    return {f - w + 1, static_cast<double>(f) == x ? f + w - 1 : f + w};
}

}  // namespace

std::optional<size_t> StarHitBox(const StarCatalog& catalog, const CataloguePoint& pointer) {
    const bool pointerInCap = std::fabs(pointer.dec) > kPolarCap;
    const WholeRange ra = OpenBoxAround(pointer.ra, kStarBoxHalfWidth);
    const WholeRange dec = OpenBoxAround(pointer.dec, kStarBoxHalfWidth);
    for (size_t i = 0; i < catalog.stars.size(); ++i) {
        const Star& star = catalog.stars[i];
        if ((ra.Holds(star.ra) && dec.Holds(star.dec)) || (pointerInCap && std::abs(star.dec) > kPolarCap)) return i;
    }
    return std::nullopt;
}

}  // namespace orvanta
