#pragma once
// Which star a press on the map means.
#include <cstddef>
#include <optional>

#include "sky/catalogue.h"
#include "sky/projection.h"

namespace orvanta {

constexpr int kStarBoxHalfWidth = 20;  // catalogue units in both coordinates
constexpr int kPolarCap = 8900;        // hundredths of a degree

// The first star in catalogue order within the box around the pointer's sky
// position, or any star beyond the polar cap when the pointer is. The box is
// in raw catalogue units and does not wrap at 0 h, so the star a press picks
// never depends on anything but this order.
std::optional<size_t> StarHitBox(const StarCatalog& catalog, const CataloguePoint& pointer);

}  // namespace orvanta
