#pragma once
// The map in print colours: on white paper the sky is white, and stars,
// lines and names are dark. Nobody prints a black sky.
#include "map/map_canvas.h"

namespace orvanta {

constexpr Colour kPaperColour{255, 255, 255};
constexpr Colour kPrintLineColour{40, 40, 40};

// A screen colour as it is printed: the same hue, dark enough to read on white.
Colour PrintColourOf(Colour screen);

// Passes every call on to another canvas with its colours in print colours.
class PrintColourCanvas final : public MapCanvas {
public:
    explicit PrintColourCanvas(MapCanvas& paper) : paper_(paper) {}
    void Clear() override { paper_.Clear(); }
    void DrawStarDisc(PixelPoint centre, double radius, Colour fill, Colour outline) override {
        paper_.DrawStarDisc(centre, radius, PrintColourOf(fill), PrintColourOf(outline));
    }
    void DrawStarPoint(PixelPoint centre, Colour colour) override { paper_.DrawStarPoint(centre, PrintColourOf(colour)); }
    void DrawStarPoints(const std::vector<PixelPoint>& centres, const std::vector<Colour>& colours) override {
        std::vector<Colour> printed;
        for (const Colour& c : colours) printed.push_back(PrintColourOf(c));
        paper_.DrawStarPoints(centres, printed);
    }
    void DrawBoundary(const std::vector<PixelPoint>& points, Colour colour) override {
        paper_.DrawBoundary(points, PrintColourOf(colour));
    }
    void DrawName(PixelPoint topLeft, const std::string& text, Colour colour) override {
        paper_.DrawName(topLeft, text, PrintColourOf(colour));
    }
    void DrawFigureLine(const PixelLine& line, Colour) override { paper_.DrawFigureLine(line, kPrintLineColour); }
    // On paper a picture darkens as on the screen it lightens: the paper canvas knows its background.
    void DrawWarpedPicture(const std::string& path, double width, double height, const std::vector<MeshTriangle>& mesh,
                           float intensity) override {
        paper_.DrawWarpedPicture(path, width, height, mesh, intensity);
    }

private:
    MapCanvas& paper_;
};

}  // namespace orvanta
