#include "map/figure_placement.h"

namespace orvanta {

void PlaceFigureLines(const ViewState& view, FigureLines& figure) {
    const int m = figure.CompletedLineCount();
    Projection p;
    for (int i = 1; i <= m; ++i) {
        LineElement& element = figure.Line1[i];
        element.Visible = true;
        ProjectStar(view, figure.FigureRa1[i] / 1000.0, figure.FigureDec1[i] / 100.0, p);
        if (!p.ProjVisible) {
            element.Visible = false;
            continue;
        }
        element.X1 = static_cast<float>(p.ProjX);
        element.Y1 = static_cast<float>(p.ProjY);
        ProjectStar(view, figure.FigureRa2[i] / 1000.0, figure.FigureDec2[i] / 100.0, p);
        if (!p.ProjVisible) {
            element.Visible = false;
        } else {
            element.X2 = static_cast<float>(p.ProjX);
            element.Y2 = static_cast<float>(p.ProjY);
        }
    }
    if (!figure.DrawingLine) return;
    // The rubber band has no record: it follows its start star, which the view moved.
    ProjectStar(view, figure.StartRa / 1000.0, figure.StartDec / 100.0, p);
    if (!p.ProjVisible) {
        figure.Line1.pop_back();
        figure.DrawingLine = false;
        figure.StartY = -1;
        return;
    }
    figure.StartX = static_cast<float>(p.ProjX);
    figure.StartY = static_cast<float>(p.ProjY);
    figure.Line1.back() = LineElement{figure.StartX, figure.StartY, figure.StartX, figure.StartY, true};
}

}  // namespace orvanta
