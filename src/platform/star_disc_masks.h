#pragma once
// How much of each device pixel a star's disc and its outline cover, as the
// antialiased painter covers them, for each radius and each place of the
// centre within a pixel. A star's centre lies on a grid of fifteenths of a
// pixel, so at an integer device-pixel ratio it falls on one of 15 × 15 places
// in its pixel
// (a few more, as the painter's rounding of far and near places differs in
// the last bit). Kept by the surface across redraws; a star is stamped from
// its mask with the painter's own blending arithmetic instead of being
// rasterized again.
//
// Not at ratio 1: there the one-pixel outline goes to the painter's cosmetic
// stroker and a few radii (a disc of one pixel) to a flattening of the circle
// whose pixels depend on the centre's whole place, not only on its place
// within the pixel; a stamp would differ from the painted disc by up to a
// sixteenth of the colour along the rim.
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace orvanta {

class StarDiscMasks {
public:
    struct Mask {
        int left = 0, top = 0;         // device pixels from the centre's pixel to the mask's corner
        int width = 0, height = 0;
        std::vector<uint8_t> fill;     // width × height coverages of the disc
        std::vector<uint8_t> outline;  // and of its outline, one logical pixel wide
    };
    // Only integer ratios put star centres on a fixed set of places in a pixel.
    static bool Serves(int ratio) { return ratio >= 2 && ratio <= 4; }
    // offsetX and offsetY: the centre's place within its device pixel, 0 to 1.
    const Mask& Find(double radius, double offsetX, double offsetY, int ratio);

private:
    struct Key {
        double radius;
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

}  // namespace orvanta
