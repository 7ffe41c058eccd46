#include "sky/star_pick.h"

#include <cmath>
#include <cstdlib>

namespace orvanta {

std::optional<size_t> StarHitBox(const StarCatalog& catalog, const CataloguePoint& pointer) {
    const bool pointerInCap = std::fabs(pointer.dec) > kPolarCap;
    for (size_t i = 0; i < catalog.stars.size(); ++i) {
        const double ra = catalog.stars[i].ra, dec = catalog.stars[i].dec;
        const bool inBox = ra - kStarBoxHalfWidth < pointer.ra && pointer.ra < ra + kStarBoxHalfWidth &&
                           dec - kStarBoxHalfWidth < pointer.dec && pointer.dec < dec + kStarBoxHalfWidth;
        if (inBox || (pointerInCap && std::abs(catalog.stars[i].dec) > kPolarCap)) return i;
    }
    return std::nullopt;
}

}  // namespace orvanta
