#pragma once
// The map in print colours: on white paper the sky is white, and stars,
// lines and names are dark. Nobody prints a black sky.
#include <cstdint>

#include "map/map_canvas.h"

namespace orvanta {

constexpr int32_t kPaperColour = Rgb(255, 255, 255);
constexpr int32_t kPrintLineColour = Rgb(40, 40, 40);

// A screen colour as it is printed: the same hue, dark enough to read on white.
int32_t PrintColourOf(int32_t screenColour);

// Passes every call on to another canvas with its colours in print colours.
class PrintColourCanvas final : public MapCanvas {
public:
    explicit PrintColourCanvas(MapCanvas& paper) : paper_(paper) {}
    void Clear() override { paper_.Clear(); }
    void SetFillColour(int32_t colour) override { paper_.SetFillColour(PrintColourOf(colour)); }
    void SetPenColour(int32_t colour) override { paper_.SetPenColour(PrintColourOf(colour)); }
    void SetLineStyle(LineStyle style) override { paper_.SetLineStyle(style); }
    void SetPixel(int32_t x, int32_t y, int32_t colour) override { paper_.SetPixel(x, y, PrintColourOf(colour)); }
    void Circle(int32_t x, int32_t y, int32_t r, int32_t colour) override { paper_.Circle(x, y, r, PrintColourOf(colour)); }
    void PrintText(float x, float y, const std::string& text) override { paper_.PrintText(x, y, text); }
    void MoveToEx(int32_t px, int32_t py) override { paper_.MoveToEx(px, py); }
    void LineTo(int32_t px, int32_t py) override { paper_.LineTo(px, py); }

private:
    MapCanvas& paper_;
};

}  // namespace orvanta
