#include "map/figure_placement.h"

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

}  // namespace orvanta
