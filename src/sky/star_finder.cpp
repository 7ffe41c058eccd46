// Finding the catalogue star at or near a position.
#include "sky/star_finder.h"

#include <algorithm>
#include <cmath>

namespace orvanta {

namespace {
constexpr int kBandCount = 181;  // whole degrees of Dec, -90 to +90

int BandOf(double decDegrees) { return std::clamp(static_cast<int>(std::floor(decDegrees + 90)), 0, kBandCount - 1); }
}  // namespace

StarFinder::StarFinder(const std::vector<Star>& stars) : stars_(stars), bands_(kBandCount) {
    vectors_.reserve(stars.size());
    for (size_t i = 0; i < stars.size(); ++i) {
        const SkyDirection d = FromCatalogueUnits(stars[i].ra, stars[i].dec);
        vectors_.push_back(UnitVector(d));
        exact_.emplace(std::make_pair(stars[i].ra, stars[i].dec), i);  // the first, brightest, stays
        bands_[BandOf(d.decDegrees)].push_back(i);
    }
}

std::optional<size_t> StarFinder::AtPosition(int32_t ra, int32_t dec) const {
    const auto found = exact_.find({ra, dec});
    if (found == exact_.end()) return std::nullopt;
    return found->second;
}

std::optional<size_t> StarFinder::Nearest(SkyDirection direction, double maxDegrees) const {
    // A star within a degree lies in the point's band of Dec or one either side.
    maxDegrees = std::min(maxDegrees, 1.0);
    const SkyVector p = UnitVector(direction);
    const int band = BandOf(direction.decDegrees);
    std::optional<size_t> best;
    double bestAngle = 0;
    for (int b = std::max(band - 1, 0); b <= std::min(band + 1, kBandCount - 1); ++b) {
        for (size_t i : bands_[b]) {
            const double angle = AngleDegrees(p, vectors_[i]);
            if (angle > maxDegrees) continue;
            if (!best || angle < bestAngle || (angle == bestAngle && i < *best)) {
                best = i;
                bestAngle = angle;
            }
        }
    }
    return best;
}

std::optional<size_t> StarFinder::LineEnd(int16_t ra, int16_t dec) const {
    if (auto exact = AtPosition(ra, dec)) return exact;
    return Nearest(FromCatalogueUnits(ra, dec), kLineEndMatchDegrees);
}

}  // namespace orvanta
