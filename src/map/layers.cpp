// The painted layers: stars, boundaries, names.
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
        const auto place = ProjectCatalogueUnits(view, star.ra, star.dec);
        if (!place) continue;
        const Colour colour = showColours ? star.colour : kWhite;
        const int16_t r = StarRadius(star.magnitude);
        if (r < 10)
            canvas.DrawStarPoint(ToPixels(*place), colour);
        else
            canvas.DrawStarDisc(ToPixels(*place), r * kPixelsPerTwip, colour, colour);
    }
}

void DrawIllustrations(MapCanvas& canvas, const ViewState& view, const std::vector<ShownPicture>& pictures) {
    canvas.DrawIllustrations(view, pictures);
}

void DrawDeepStars(MapCanvas& canvas, const ViewState& view, const DeepStars& deep, size_t from, size_t to,
                   bool showColours) {
    std::vector<float> x, y;
    std::vector<uint32_t> which;
    deep.Project(view, from, to, x, y, which);
    // Every one is fainter than a disc's magnitude: a point.
    std::vector<PixelPoint> centres(which.size());
    std::vector<Colour> colours(which.size());
    for (size_t i = 0; i < which.size(); ++i) {
        centres[i] = {x[i] * kPixelsPerTwip, y[i] * kPixelsPerTwip};
        colours[i] = showColours ? deep.At(which[i]).colour : kWhite;
    }
    canvas.DrawStarPoints(centres, colours);
}

void DrawBoundaries(MapCanvas& canvas, const ViewState& view, const BoundaryTable& table) {
    std::vector<PixelPoint> run;
    const auto endRun = [&] {
        if (run.size() >= 2) canvas.DrawBoundary(run, kBoundaryColour);
        run.clear();
    };
    for (const BoundaryVertex& vertex : table.vertices) {
        const auto place = ProjectCatalogueUnits(view, vertex.ra, vertex.dec);
        if (!place) {
            endRun();
            continue;
        }
        if (vertex.pen < 1) endRun();
        run.push_back({std::nearbyint(place->x / static_cast<double>(kTwipsPerPixel)),
                       std::nearbyint(place->y / static_cast<double>(kTwipsPerPixel))});
    }
    endRun();
}

void DrawConstellationNames(MapCanvas& canvas, const ViewState& view, const ConstellationTable& table) {
    for (const ConstellationLabel& label : table.labels) {
        const auto place = ProjectCatalogueUnits(view, label.ra, label.dec);
        if (place) canvas.DrawName(ToPixels(*place), label.text, kLabelColour);
    }
}

}  // namespace orvanta
