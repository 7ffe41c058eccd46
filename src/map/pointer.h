#pragma once
// What lies under the pointer, from its place in pixels: the same place in
// twips, the sky there, the star a press there picks, the line it selects.
#include <cstddef>
#include <optional>

#include "map/pixels.h"
#include "map/placed_figure.h"
#include "sky/catalogue.h"
#include "sky/projection.h"

namespace orvanta {

struct TwipPoint {
    float x = 0, y = 0;
};
TwipPoint PointerInTwips(PixelPoint at);

CataloguePoint SkyUnderPointer(const ViewState& view, PixelPoint at);

// The star a press here picks, when it has a place on the map to start or end a line.
std::optional<size_t> StarUnderPointer(const ViewState& view, const StarCatalog& catalog, PixelPoint at);

// The first visible line within reach of the pointer.
std::optional<size_t> LineUnderPointer(const Figure& figure, PixelPoint at);

}  // namespace orvanta
