#pragma once
// The map canvas over a QPainter on the surface's retained image.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "map/map_canvas.h"

namespace orvanta {

QColor ToQColor(int32_t rgb);

// How much of each device pixel a star's disc and its outline cover, as the
// antialiased painter covers them, for each radius and each place of the
// centre within a pixel. A star's centre lies on the twip grid, so at an
// integer device-pixel ratio it falls on one of 15 × 15 places in its pixel
// (a few more, as the painter's rounding of far and near places differs in
// the last bit). Kept by the surface across redraws; a star is stamped from
// its mask with the painter's own blending arithmetic instead of being
// rasterized again.
//
// Not at ratio 1: there the one-pixel outline goes to the painter's cosmetic
// stroker and a few radii (15 twips, a disc of one pixel) to a flattening of
// the circle whose pixels depend on the centre's whole place, not only on its
// place within the pixel; a stamp would differ from the painted disc by up to
// a sixteenth of the colour along the rim.
class StarDiscMasks {
public:
    struct Mask {
        int left = 0, top = 0;         // device pixels from the centre's pixel to the mask's corner
        int width = 0, height = 0;
        std::vector<uint8_t> fill;     // width × height coverages of the disc
        std::vector<uint8_t> outline;  // and of its outline, one logical pixel wide
    };
    // Only integer ratios put star centres on a fixed set of places in a pixel.
    static bool Serves(qreal ratio) { return ratio >= 2 && ratio <= 4 && ratio == static_cast<int>(ratio); }
    // offsetX and offsetY: the centre's place within its device pixel, 0 to 1.
    const Mask& Find(int32_t radiusTwips, double offsetX, double offsetY, int ratio);

private:
    struct Key {
        int32_t radiusTwips;
        int ratio;
        double offsetX, offsetY;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& key) const;
    };
    std::unordered_map<Key, Mask, KeyHash> masks_;
    static constexpr int kScratchSide = 128;  // device pixels
    QImage scratch_;
    std::unique_ptr<QPainter> scratchPainter_;
};

class QtMapCanvas final : public MapCanvas {
public:
    // With masks and an image, stars are stamped and written into the image;
    // without, or at a ratio the masks do not serve, the painter draws them.
    QtMapCanvas(QPainter& painter, QColor background, QImage* image = nullptr, StarDiscMasks* masks = nullptr);
    ~QtMapCanvas() override;

    void Clear() override;
    void SetFillColour(int32_t colour) override;
    void SetPenColour(int32_t colour) override;
    void SetLineStyle(LineStyle style) override;
    void SetPixel(int32_t x, int32_t y, int32_t colour) override;
    void Circle(int32_t x, int32_t y, int32_t r, int32_t colour) override;
    void PrintText(float x, float y, const std::string& text) override;
    void MoveToEx(int32_t px, int32_t py) override;
    void LineTo(int32_t px, int32_t py) override;

private:
    // Consecutive LineTo calls are drawn as one polyline, so a dotted pattern
    // runs on along a boundary and the painter is called once per run.
    void FlushPolyline();
    void DrawCircle(int32_t x, int32_t y, int32_t r, const QColor& outline);
    void StampCircle(int32_t x, int32_t y, int32_t r, int32_t colour);

    QPainter& painter_;
    QColor background_;
    QColor fill_, pen_;
    int32_t fillRgb_ = 0;
    Qt::PenStyle style_ = Qt::SolidLine;
    QPolygonF run_;
    QImage* image_;
    StarDiscMasks* masks_;
    int ratio_ = 0;       // the image's integer device-pixel ratio when discs are stamped, else 0
    int pixelRatio_ = 0;  // the same when faint stars are written to the image directly, else 0
};

}  // namespace orvanta
