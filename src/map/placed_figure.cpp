// The figure as placed on the map: its edits, the line under a point, the markers.
#include "map/placed_figure.h"

#include <algorithm>
#include <stdexcept>

namespace orvanta {

void Figure::InsertLine(size_t index, const LineRecord& record, const PlacedLine& placed) {
    if (index > records_.size()) throw std::out_of_range("line index");
    records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(index), record);
    placed_.insert(placed_.begin() + static_cast<std::ptrdiff_t>(index), placed);
    selection_.reset();
}

void Figure::RemoveLine(size_t index) {
    if (index >= records_.size()) throw std::out_of_range("line index");
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
    placed_.erase(placed_.begin() + static_cast<std::ptrdiff_t>(index));
    selection_.reset();
}

void Figure::ReplaceLines(std::vector<LineRecord> records) {
    records_ = std::move(records);
    placed_.assign(records_.size(), PlacedLine{});
    band_.reset();
    selection_.reset();
}

std::optional<size_t> FindLineAt(const Figure& figure, float x, float y) {
    const std::vector<PlacedLine>& lines = figure.PlacedLines();
    for (size_t i = 0; i < lines.size(); ++i) {
        const PlacedLine& e = lines[i];
        if (!e.visible) continue;
        const float left = std::min(e.x1, e.x2), right = std::max(e.x1, e.x2);
        // A vertical line has no slope: it matches at any height within its band.
        const float yLine = e.x2 == e.x1
                                ? y
                                : static_cast<float>(static_cast<double>(x - e.x2) * (e.y2 - e.y1) / (e.x2 - e.x1) + e.y2);
        if (y < yLine + kLineTolerance && y > yLine - kLineTolerance && left - kLineTolerance < x &&
            right + kLineTolerance > x)
            return i;
    }
    return std::nullopt;
}

std::optional<std::array<TwipRect, 2>> SelectionMarkers(const Figure& figure) {
    const auto selected = figure.Selection();
    if (!selected) return std::nullopt;
    const PlacedLine& line = figure.Placed(*selected);
    const auto square = [](float x, float y) {
        const float half = kMarkerSizeTwips / 2;
        return TwipRect{x - half, y - half, x + half, y + half};
    };
    return std::array{square(line.x1, line.y1), square(line.x2, line.y2)};
}

std::optional<std::array<PixelRect, 2>> SelectionMarkersInPixels(const Figure& figure) {
    const auto squares = SelectionMarkers(figure);
    if (!squares) return std::nullopt;
    return std::array{(*squares)[0].InPixels(), (*squares)[1].InPixels()};
}

TwipRect LineArea(const PlacedLine& line) {
    return {std::min(line.x1, line.x2), std::min(line.y1, line.y2), std::max(line.x1, line.x2),
            std::max(line.y1, line.y2)};
}

TwipRect Union(const TwipRect& a, const TwipRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

}  // namespace orvanta
