// What lies under the pointer.
#include "map/pointer.h"

#include "sky/star_pick.h"

namespace orvanta {

TwipPoint PointerInTwips(PixelPoint at) {
    return {static_cast<float>(at.x * kTwipsPerPixel), static_cast<float>(at.y * kTwipsPerPixel)};
}

CataloguePoint SkyUnderPointer(const ViewState& view, PixelPoint at) {
    const TwipPoint twips = PointerInTwips(at);
    return PointerToSky(view, twips.x, twips.y);
}

std::optional<size_t> StarUnderPointer(const ViewState& view, const StarCatalog& catalog, PixelPoint at) {
    const auto index = StarHitBox(catalog, SkyUnderPointer(view, at));
    // A star below the map's edge has no place to start or end a line.
    if (!index || !ProjectCatalogueUnits(view, catalog.stars[*index].ra, catalog.stars[*index].dec)) return std::nullopt;
    return index;
}

std::optional<size_t> LineUnderPointer(const Figure& figure, PixelPoint at) {
    const TwipPoint twips = PointerInTwips(at);
    return FindLineAt(figure, twips.x, twips.y);
}

}  // namespace orvanta
