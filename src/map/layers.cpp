#include "map/layers.h"

#include <cmath>

namespace orvanta {

int16_t StarRadius(float magnitude) {
    // 40 and 7 are single constants, the arithmetic wider; the disc/point switch
    // falls between 4.35 and 4.36 because of it.
    const long double radius = static_cast<long double>(40.0f) - static_cast<long double>(magnitude) * 7.0f;
    return static_cast<int16_t>(std::nearbyint(static_cast<double>(radius)));
}

void DrawStars(MapCanvas& canvas, const ViewState& view, const StarCatalog& catalog, bool showColours,
               size_t startIndex) {
    const std::vector<Star>& stars = catalog.stars;
    for (size_t i = startIndex; i < stars.size(); ++i) {
        const Star& star = stars[i];
        const int32_t colour = showColours ? star.colour : kWhite;
        canvas.SetFillColour(colour);
        const auto place = ProjectCatalogueUnits(view, star.ra, star.dec);
        if (!place) continue;
        const int16_t r = StarRadius(star.magnitude);
        if (r < 10)
            canvas.SetPixel(place->x, place->y, colour);
        else
            canvas.Circle(place->x, place->y, r, colour);
    }
}

void DrawBoundaries(MapCanvas& canvas, const ViewState& view, const BoundaryTable& table) {
    canvas.SetPenColour(kBoundaryColour);
    canvas.SetLineStyle(LineStyle::Dotted);
    bool previousDrawn = false;
    for (const BoundaryVertex& vertex : table.vertices) {
        const auto place = ProjectCatalogueUnits(view, vertex.ra, vertex.dec);
        if (!place) {
            previousDrawn = false;
            continue;
        }
        const int32_t px = static_cast<int32_t>(std::nearbyint(place->x / static_cast<double>(kTwipsPerPixel)));
        const int32_t py = static_cast<int32_t>(std::nearbyint(place->y / static_cast<double>(kTwipsPerPixel)));
        if (vertex.pen < 1 || !previousDrawn)
            canvas.MoveToEx(px, py);
        else
            canvas.LineTo(px, py);
        previousDrawn = true;
    }
}

void DrawConstellationNames(MapCanvas& canvas, const ViewState& view, const ConstellationTable& table) {
    canvas.SetPenColour(kLabelColour);
    for (const ConstellationLabel& label : table.labels) {
        const auto place = ProjectCatalogueUnits(view, label.ra, label.dec);
        if (place) canvas.PrintText(static_cast<float>(place->x), static_cast<float>(place->y), label.text);
    }
}

}  // namespace orvanta
