#pragma once
// What the map layers paint on: a retained surface addressed in twips, with
// the pixel line calls used for the boundaries.
#include <cstdint>
#include <string>

namespace orvanta {

constexpr int kTwipsPerPixel = 15;

// Colours are red + 256 green + 65536 blue.
constexpr int32_t Rgb(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

enum class LineStyle { Solid, Dotted };

class MapCanvas {
public:
    virtual ~MapCanvas() = default;
    virtual void Clear() = 0;
    virtual void SetFillColour(int32_t colour) = 0;
    virtual void SetPenColour(int32_t colour) = 0;
    virtual void SetLineStyle(LineStyle style) = 0;
    virtual void SetPixel(int32_t x, int32_t y, int32_t colour) = 0;  // twips
    // A disc of radius r twips, outline colour c, filled with the fill colour.
    virtual void Circle(int32_t x, int32_t y, int32_t r, int32_t colour) = 0;
    // Text whose top-left corner lies at (x, y) twips, in the pen colour.
    virtual void PrintText(float x, float y, const std::string& text) = 0;
    // Pixel coordinates; LineTo draws from the last point in the pen.
    virtual void MoveToEx(int32_t px, int32_t py) = 0;
    virtual void LineTo(int32_t px, int32_t py) = 0;
};

}  // namespace orvanta
