#include "figure/mouse_editing.h"

#include <algorithm>
#include <cmath>

#include "documents/document_commands.h"

namespace orvanta {

namespace {

void ShowStatus(Orvanta& state, ConstelWindow& window, const char* key) {
    window.SetStatusText(GetGuiString(state.strings, key));
}

void CancelDrawing(Orvanta& state, ConstelWindow& window) {
    FigureLines& figure = state.figure;
    if (figure.DrawingLine) {
        const LineElement band = figure.Line1.back();
        figure.Line1.pop_back();
        figure.DrawingLine = false;
        window.OverlayLineChanged(band);
    }
    figure.StartY = -1;
    ShowStatus(state, window, "210");
}

void CreateLineAt(Orvanta& state, ConstelWindow& window, int32_t starIndex, const Projection& star) {
    FigureLines& figure = state.figure;
    const int32_t starRa = state.stars.StarRa[starIndex];
    const int32_t starDec = state.stars.StarDec[starIndex];
    int k = figure.LineCount();
    if (figure.DrawingLine) {
        StoreRecord(figure, k, {static_cast<int16_t>(figure.StartRa), static_cast<int16_t>(figure.StartDec),
                                static_cast<int16_t>(starRa), static_cast<int16_t>(starDec)});
        // The finished line ends on its star, not where the pointer happened to be.
        LineElement& finished = figure.Line1[k];
        window.OverlayLineChanged(finished);
        finished.X2 = static_cast<float>(star.ProjX);
        finished.Y2 = static_cast<float>(star.ProjY);
        window.OverlayLineChanged(finished);
    } else if (k >= kMaxLineCount) {
        return;  // no room for another line
    }
    figure.StartRa = starRa;
    figure.StartDec = starDec;
    ++k;
    figure.StartX = static_cast<float>(star.ProjX);
    figure.StartY = static_cast<float>(star.ProjY);
    if (k > kMaxLineCount) {
        // The line just stored was the last one a figure can hold.
        figure.DrawingLine = false;
        figure.StartY = -1;
    } else {
        figure.Line1.push_back(LineElement{figure.StartX, figure.StartY, figure.StartX, figure.StartY, true});
        figure.DrawingLine = true;
        window.OverlayLineChanged(figure.Line1.back());
    }
    if (k - figure.SavedLineCount > 1) MarkDocumentChanged(state, window);
    ShowStatus(state, window, "212");
}

void SelectLineAt(Orvanta& state, ConstelWindow& window, float x, float y) {
    FigureLines& figure = state.figure;
    const auto found = FindLineAt(figure, x, y);
    if (!found) return;
    const TwipRect before = MarkerArea(figure);
    figure.SelectedLine = *found;
    const LineElement& line = figure.Line1[*found];
    figure.Picture1[0] = {line.X1 - kMarkerSizeTwips / 2, line.Y1 - kMarkerSizeTwips / 2, true};
    figure.Picture1[1] = {line.X2 - kMarkerSizeTwips / 2, line.Y2 - kMarkerSizeTwips / 2, true};
    window.OverlayChanged(before);
    window.OverlayChanged(MarkerArea(figure));
    window.MarkersChanged();
    ShowStatus(state, window, "214");
}

}  // namespace

std::optional<int32_t> StarHitBox(const StarCatalog& stars, const CataloguePoint& pointer) {
    const bool pointerInCap = std::fabs(pointer.dec) > kPolarCap;
    const int32_t n = stars.UpperBound();
    for (int32_t i = 0; i <= n; ++i) {
        const double ra = stars.StarRa[i], dec = stars.StarDec[i];
        const bool inBox = ra - kStarBoxHalfWidth < pointer.ra && pointer.ra < ra + kStarBoxHalfWidth &&
                           dec - kStarBoxHalfWidth < pointer.dec && pointer.dec < dec + kStarBoxHalfWidth;
        if (inBox || (pointerInCap && std::abs(stars.StarDec[i]) > kPolarCap)) return i;
    }
    return std::nullopt;
}

std::optional<int> FindLineAt(const FigureLines& figure, float x, float y) {
    const int last = figure.CompletedLineCount();
    for (int i = 1; i <= last; ++i) {
        const LineElement& e = figure.Line1[i];
        if (!e.Visible) continue;
        const float left = std::min(e.X1, e.X2), right = std::max(e.X1, e.X2);
        // A vertical line has no slope: it matches at any height within its band.
        const float yLine = e.X2 == e.X1
                                ? y
                                : static_cast<float>(static_cast<double>(x - e.X2) * (e.Y2 - e.Y1) / (e.X2 - e.X1) + e.Y2);
        if (y < yLine + kLineTolerance && y > yLine - kLineTolerance && left - kLineTolerance < x &&
            right + kLineTolerance > x)
            return i;
    }
    return std::nullopt;
}

void MapMouseDown(Orvanta& state, ConstelWindow& window, int button, int shift, float x, float y) {
    // Before a figure is open there is no map to click on, and nowhere to save a line.
    if (state.figure.CurrentFile.empty()) return;
    const CataloguePoint pointer = PointerToSky(state.view, x, y);
    if (shift == kShiftKey) {
        SelectLineAt(state, window, x, y);
        return;
    }
    if (button == kRightButton) {
        CancelDrawing(state, window);
        return;
    }
    const auto star = StarHitBox(state.stars, pointer);
    if (!star) return;
    Projection place;
    ProjectStar(state.view, state.stars.StarRa[*star] / 1000.0, state.stars.StarDec[*star] / 100.0, place);
    // A star below the map's edge has no place to start or end a line.
    if (!place.ProjVisible) return;
    CreateLineAt(state, window, *star, place);
}

void MapMouseMove(Orvanta& state, ConstelWindow& window, float x, float y) {
    FigureLines& figure = state.figure;
    if (!figure.DrawingLine) return;
    if (figure.Picture1[0].Visible || figure.Picture1[1].Visible) {
        window.OverlayChanged(MarkerArea(figure));
        HideMarkers(figure);
        window.MarkersChanged();
    }
    LineElement& band = figure.Line1.back();
    window.OverlayLineChanged(band);
    band = LineElement{figure.StartX, figure.StartY, x, y, true};
    window.OverlayLineChanged(band);
}

}  // namespace orvanta
