#pragma once
// The figure: line records by catalogue coordinates, paired one to one with
// the line elements shown over the map, and the editing state.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvanta {

// A line drawn over the map, end points in twips.
struct LineElement {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool Visible = false;
};

// A small square centred on one end of the selected line.
struct SelectionMarker {
    float Left = 0, Top = 0;
    bool Visible = false;
};

constexpr float kMarkerSizeTwips = 135;
constexpr int32_t kLineColour = 128 + 256 * 128 + 65536 * 128;
constexpr int kMaxLineCount = 32767;  // the 16-bit element index

// The four record arrays hold lines at 1 to n; element 0 is never used.
// Line1[0] is the hidden template; Line1[i] shows record i.
struct FigureLines {
    std::vector<int16_t> FigureRa1, FigureDec1, FigureRa2, FigureDec2;
    std::vector<LineElement> Line1{LineElement{}};

    int32_t StartRa = 0, StartDec = 0;  // the current start star, catalogue units
    float StartX = 0, StartY = -1;      // its screen position, twips
    bool DrawingLine = false;           // the last element is the rubber band
    int SelectedLine = 0;
    int SavedLineCount = 0;
    std::string CurrentFile;
    std::array<SelectionMarker, 2> Picture1{};

    // Elements beyond the template, the rubber band included.
    int LineCount() const { return static_cast<int>(Line1.size()) - 1; }
    // Lines that have a record.
    int CompletedLineCount() const { return LineCount() - (DrawingLine ? 1 : 0); }
};

// One record of the figure.
struct FigureRecord {
    int16_t ra1 = 0, dec1 = 0, ra2 = 0, dec2 = 0;
    bool operator==(const FigureRecord&) const = default;
};

FigureRecord RecordAt(const FigureLines& figure, int k);
// Stores a record at k, growing the arrays to upper bound k.
void StoreRecord(FigureLines& figure, int k, const FigureRecord& record);
// Replaces every record and element by those given; the elements start visible
// and unplaced. Ends any drawing state.
void ReplaceFigure(FigureLines& figure, const std::vector<FigureRecord>& records);
// Moves records and elements above k down by one and destroys the last element.
void DeleteLine(FigureLines& figure, int k);
// The area covered by an element, for repainting.
struct TwipRect {
    float left = 0, top = 0, right = 0, bottom = 0;
};
TwipRect ElementArea(const LineElement& element);
TwipRect MarkerArea(const FigureLines& figure);
void HideMarkers(FigureLines& figure);

}  // namespace orvanta
