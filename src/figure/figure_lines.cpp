#include "figure/figure_lines.h"

#include <algorithm>


namespace orvanta {

FigureRecord RecordAt(const FigureLines& f, int k) {
    return {f.FigureRa1[k], f.FigureDec1[k], f.FigureRa2[k], f.FigureDec2[k]};
}

void StoreRecord(FigureLines& f, int k, const FigureRecord& record) {
    // The arrays only ever grow here; deletions leave stale records above the count.
    const size_t size = std::max(f.FigureRa1.size(), static_cast<size_t>(k) + 1);
    f.FigureRa1.resize(size);
    f.FigureDec1.resize(size);
    f.FigureRa2.resize(size);
    f.FigureDec2.resize(size);
    f.FigureRa1[k] = record.ra1;
    f.FigureDec1[k] = record.dec1;
    f.FigureRa2[k] = record.ra2;
    f.FigureDec2[k] = record.dec2;
}

void ReplaceFigure(FigureLines& f, const std::vector<FigureRecord>& records) {
    f.Line1.resize(1);
    f.DrawingLine = false;
    f.StartY = -1;
    // An empty file leaves the arrays as they were; the line count bounds every use.
    if (!records.empty()) {
        const size_t size = records.size() + 1;
        f.FigureRa1.resize(size);
        f.FigureDec1.resize(size);
        f.FigureRa2.resize(size);
        f.FigureDec2.resize(size);
    }
    f.Line1.reserve(records.size() + 1);
    for (size_t i = 0; i < records.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        f.FigureRa1[k] = records[i].ra1;
        f.FigureDec1[k] = records[i].dec1;
        f.FigureRa2[k] = records[i].ra2;
        f.FigureDec2[k] = records[i].dec2;
        f.Line1.push_back(LineElement{0, 0, 0, 0, true});
    }
}

void DeleteLine(FigureLines& f, int k) {
    const int last = f.LineCount();
    if (k < 1 || k > last) return;
    for (int i = k; i < last; ++i) {
        f.FigureRa1[i] = f.FigureRa1[i + 1];
        f.FigureDec1[i] = f.FigureDec1[i + 1];
        f.FigureRa2[i] = f.FigureRa2[i + 1];
        f.FigureDec2[i] = f.FigureDec2[i + 1];
        f.Line1[i] = f.Line1[i + 1];
    }
    f.Line1.pop_back();
}

TwipRect ElementArea(const LineElement& e) {
    return {std::min(e.X1, e.X2), std::min(e.Y1, e.Y2), std::max(e.X1, e.X2), std::max(e.Y1, e.Y2)};
}

TwipRect MarkerArea(const FigureLines& f) {
    TwipRect area{f.Picture1[0].Left, f.Picture1[0].Top, f.Picture1[0].Left, f.Picture1[0].Top};
    for (const SelectionMarker& m : f.Picture1) {
        area.left = std::min(area.left, m.Left);
        area.top = std::min(area.top, m.Top);
        area.right = std::max(area.right, m.Left + kMarkerSizeTwips);
        area.bottom = std::max(area.bottom, m.Top + kMarkerSizeTwips);
    }
    return area;
}

void HideMarkers(FigureLines& f) {
    f.Picture1[0].Visible = false;
    f.Picture1[1].Visible = false;
}

}  // namespace orvanta
