// Placing the figure's lines and the rubber band in the view.
#include "map/figure_placement.h"

#include "map/pointer.h"

namespace orvanta {

PlacedLine PlaceLine(const ViewState& view, const LineRecord& record) {
    const auto start = ProjectCatalogueUnits(view, record.ra1, record.dec1);
    const auto end = start ? ProjectCatalogueUnits(view, record.ra2, record.dec2) : std::nullopt;
    if (!end) return PlacedLine{};
    return PlacedLine{static_cast<float>(start->x), static_cast<float>(start->y), static_cast<float>(end->x),
                      static_cast<float>(end->y), true};
}

void PlaceFigureLines(const ViewState& view, Figure& figure) {
    for (size_t i = 0; i < figure.LineCount(); ++i) figure.SetPlaced(i, PlaceLine(view, figure.Record(i)));
    if (!figure.Drawing()) return;
    // The rubber band follows its start star, which the view moved.
    const RubberBand& band = *figure.Band();
    const auto start = ProjectCatalogueUnits(view, band.startRa, band.startDec);
    if (!start) {
        figure.EndBand();
        return;
    }
    const float x = static_cast<float>(start->x), y = static_cast<float>(start->y);
    figure.SetBandLine(PlacedLine{x, y, x, y, true});
}

bool StartBand(Figure& figure, const ViewState& view, const Star& star) {
    const auto place = ProjectCatalogueUnits(view, star.ra, star.dec);
    if (!place) return false;
    const float x = static_cast<float>(place->x), y = static_cast<float>(place->y);
    figure.SetBand(RubberBand{star.ra, star.dec, PlacedLine{x, y, x, y, true}});
    return true;
}

void StretchBand(Figure& figure, PixelPoint pointer) {
    const PlacedLine old = figure.Band()->line;
    const TwipPoint end = PointerInTwips(pointer);
    figure.SetBandLine(PlacedLine{old.x1, old.y1, end.x, end.y, true});
}

}  // namespace orvanta
