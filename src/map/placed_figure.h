#pragma once
// The figure being edited as the map shows it: its line records, where each
// line lies on the map (in twips), the rubber band of a line being drawn, and
// the selected line with its markers.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "figure/line_record.h"
#include "map/pixels.h"

namespace orvanta {

// A line as placed on the map, ends in twips.
struct PlacedLine {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool visible = false;
    bool operator==(const PlacedLine&) const = default;
    PixelLine InPixels() const { return {x1 * kPixelsPerTwip, y1 * kPixelsPerTwip, x2 * kPixelsPerTwip, y2 * kPixelsPerTwip}; }
};

// The line being drawn: from its start star to the pointer.
struct RubberBand {
    int32_t startRa = 0, startDec = 0;  // the start star, catalogue units
    PlacedLine line;                    // starts at the star's place, ends at the pointer
};

// An area of the map in twips, for repainting.
struct TwipRect {
    float left = 0, top = 0, right = 0, bottom = 0;
    PixelRect InPixels() const {
        return {left * kPixelsPerTwip, top * kPixelsPerTwip, right * kPixelsPerTwip, bottom * kPixelsPerTwip};
    }
};

constexpr float kMarkerSizeTwips = 135;
constexpr size_t kMaxLineCount = 32767;  // what the file format and its readers have always held

// Records and placed lines are kept in step by every operation: line i of the
// figure is record i, shown as placed line i.
class Figure {
public:
    size_t LineCount() const { return records_.size(); }
    const std::vector<LineRecord>& Records() const { return records_; }
    const std::vector<PlacedLine>& PlacedLines() const { return placed_; }
    const LineRecord& Record(size_t index) const { return records_.at(index); }
    const PlacedLine& Placed(size_t index) const { return placed_.at(index); }

    // Structural changes end any selection: the markers would name another line.
    void InsertLine(size_t index, const LineRecord& record, const PlacedLine& placed);
    void RemoveLine(size_t index);
    // Every line replaced; none is placed until the next placement.
    void ReplaceLines(std::vector<LineRecord> records);
    void SetPlaced(size_t index, const PlacedLine& placed) { placed_.at(index) = placed; }

    const std::optional<RubberBand>& Band() const { return band_; }
    bool Drawing() const { return band_.has_value(); }
    void SetBand(const RubberBand& band) { band_ = band; }
    void SetBandLine(const PlacedLine& line) { band_->line = line; }
    void EndBand() { band_.reset(); }

    // The selected line while its markers are shown.
    std::optional<size_t> Selection() const { return selection_; }
    void Select(size_t index) { selection_ = index < records_.size() ? std::optional(index) : std::nullopt; }
    void ClearSelection() { selection_.reset(); }

private:
    std::vector<LineRecord> records_;
    std::vector<PlacedLine> placed_;
    std::optional<RubberBand> band_;
    std::optional<size_t> selection_;
};

constexpr float kLineTolerance = 80;  // twips

// The first visible line within reach of (x, y) twips: within the tolerance of
// its extension across, and of its ends along x. The rubber band is never found.
std::optional<size_t> FindLineAt(const Figure& figure, float x, float y);

// The two squares centred on the ends of the selected line.
std::optional<std::array<TwipRect, 2>> SelectionMarkers(const Figure& figure);
// The same in pixels, for the window.
std::optional<std::array<PixelRect, 2>> SelectionMarkersInPixels(const Figure& figure);
// The area covered by a placed line, for repainting.
TwipRect LineArea(const PlacedLine& line);
// One area covering both rectangles.
TwipRect Union(const TwipRect& a, const TwipRect& b);

}  // namespace orvanta
