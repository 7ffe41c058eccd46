#pragma once
// A canvas that remembers every call, for checking what the layers draw.
#include <cmath>
#include <string>
#include <vector>

#include "map/map_canvas.h"

namespace orvanta::testing {

struct CanvasCall {
    std::string op;  // "clear", "disc", "point", "boundary", "name", "line"
    std::vector<PixelPoint> points;
    double radius = 0;
    Colour colour, fill;  // fill: of a disc
    std::string text;
};

class RecordingCanvas : public MapCanvas {
public:
    std::vector<CanvasCall> calls;

    void Clear() override { calls.push_back({"clear", {}, 0, {}, {}, {}}); }
    void DrawStarDisc(PixelPoint centre, double radius, Colour fill, Colour outline) override {
        calls.push_back({"disc", {centre}, radius, outline, fill, {}});
    }
    void DrawStarPoint(PixelPoint centre, Colour colour) override { calls.push_back({"point", {centre}, 0, colour, {}, {}}); }
    void DrawBoundary(const std::vector<PixelPoint>& points, Colour colour) override {
        calls.push_back({"boundary", points, 0, colour, {}, {}});
    }
    void DrawName(PixelPoint topLeft, const std::string& text, Colour colour) override {
        calls.push_back({"name", {topLeft}, 0, colour, {}, text});
    }
    void DrawFigureLine(const PixelLine& line, Colour colour) override {
        calls.push_back({"line", {{line.x1, line.y1}, {line.x2, line.y2}}, 0, colour, {}, {}});
    }

    std::vector<CanvasCall> Only(const std::string& op) const {
        std::vector<CanvasCall> out;
        for (const CanvasCall& call : calls)
            if (call.op == op) out.push_back(call);
        return out;
    }
};

// A place in pixels back in the twips the map computed it in.
inline long Twips(double pixels) { return std::lround(pixels * 15); }

}  // namespace orvanta::testing
