#include "map/layers.h"

#include <cmath>

namespace orvanta {

int16_t StarRadius(float magnitude) {
    // 40 and 7 are single constants, the arithmetic wider; the disc/point switch
    // falls between 4.35 and 4.36 because of it.
    const long double radius = static_cast<long double>(40.0f) - static_cast<long double>(magnitude) * 7.0f;
    return static_cast<int16_t>(std::nearbyint(static_cast<double>(radius)));
}

void DrawStars(MapCanvas& canvas, const ViewState& view, const StarCatalog& stars, bool showColours,
               int32_t startIndex) {
    const int32_t n = stars.UpperBound();
    if (startIndex > n || startIndex < 0) return;
    Projection p;
    for (int32_t i = startIndex; i <= n; ++i) {
        const int32_t colour = showColours ? stars.StarColour[i] : kWhite;
        canvas.SetFillColour(colour);
        ProjectStar(view, stars.StarRa[i] / 1000.0, stars.StarDec[i] / 100.0, p);
        if (!p.ProjVisible) continue;
        const int16_t r = StarRadius(stars.StarMag[i]);
        if (r < 10)
            canvas.SetPixel(p.ProjX, p.ProjY, colour);
        else
            canvas.Circle(p.ProjX, p.ProjY, r, colour);
    }
}

void DrawBoundaries(MapCanvas& canvas, const ViewState& view, const BoundaryTable& table) {
    canvas.SetPenColour(kBoundaryColour);
    canvas.SetLineStyle(LineStyle::Dotted);
    const int n = table.UpperBound();
    bool previousDrawn = false;
    Projection p;
    for (int i = 1; i <= n; ++i) {
        ProjectStar(view, table.BoundaryRa[i] / 1000.0, table.BoundaryDec[i] / 100.0, p);
        if (!p.ProjVisible) {
            previousDrawn = false;
            continue;
        }
        const int32_t px = static_cast<int32_t>(std::nearbyint(p.ProjX / static_cast<double>(kTwipsPerPixel)));
        const int32_t py = static_cast<int32_t>(std::nearbyint(p.ProjY / static_cast<double>(kTwipsPerPixel)));
        if (table.BoundaryPen[i] < 1 || !previousDrawn)
            canvas.MoveToEx(px, py);
        else
            canvas.LineTo(px, py);
        previousDrawn = true;
    }
}

void DrawConstellationNames(MapCanvas& canvas, const ViewState& view, const ConstellationTable& table) {
    canvas.SetPenColour(kLabelColour);
    Projection p;
    const size_t count = table.ConstellationRa.size();
    for (size_t i = 0; i < count; ++i) {
        ProjectStar(view, table.ConstellationRa[i] / 1000.0, table.ConstellationDec[i] / 100.0, p);
        // A label list shorter than the anchors leaves the rest unlabelled.
        if (p.ProjVisible && i < table.ConstellationLabel.size())
            canvas.PrintText(static_cast<float>(p.ProjX), static_cast<float>(p.ProjY), table.ConstellationLabel[i]);
    }
}

}  // namespace orvanta
