#pragma once
// Places on the screen in logical pixels, as the window speaks of them. The
// map computes in twips (15 to a pixel), which nothing above it sees.
namespace orvanta {

constexpr int kTwipsPerPixel = 15;
constexpr double kPixelsPerTwip = 1.0 / kTwipsPerPixel;

struct PixelPoint {
    double x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};

struct PixelLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct PixelRect {
    double left = 0, top = 0, right = 0, bottom = 0;
};

}  // namespace orvanta
