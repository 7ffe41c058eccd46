#pragma once
// A canvas that remembers every call, for checking what the layers draw.
#include <string>
#include <vector>

#include "map/map_canvas.h"

namespace orvanta::testing {

struct CanvasCall {
    std::string op;  // "clear", "pixel", "circle", "text", "move", "line"
    int32_t x = 0, y = 0, r = 0;
    int32_t colour = 0;  // pixel/circle: the outline colour; text/line: the pen colour
    int32_t fill = 0;    // circle: the fill colour
    LineStyle style = LineStyle::Solid;
    std::string text;
};

class RecordingCanvas : public MapCanvas {
public:
    std::vector<CanvasCall> calls;

    void Clear() override { Record("clear", 0, 0, 0, 0); }
    void SetFillColour(int32_t colour) override { fill_ = colour; }
    void SetPenColour(int32_t colour) override { pen_ = colour; }
    void SetLineStyle(LineStyle style) override { style_ = style; }
    void SetPixel(int32_t x, int32_t y, int32_t colour) override { Record("pixel", x, y, 0, colour); }
    void Circle(int32_t x, int32_t y, int32_t r, int32_t colour) override { Record("circle", x, y, r, colour); }
    void PrintText(float x, float y, const std::string& text) override {
        Record("text", static_cast<int32_t>(x), static_cast<int32_t>(y), 0, pen_).text = text;
    }
    void MoveToEx(int32_t px, int32_t py) override { Record("move", px, py, 0, pen_); }
    void LineTo(int32_t px, int32_t py) override { Record("line", px, py, 0, pen_); }

    std::vector<CanvasCall> Only(const std::string& op) const {
        std::vector<CanvasCall> out;
        for (const CanvasCall& call : calls)
            if (call.op == op) out.push_back(call);
        return out;
    }

private:
    CanvasCall& Record(const char* op, int32_t x, int32_t y, int32_t r, int32_t colour) {
        CanvasCall call;
        call.op = op;
        call.x = x;
        call.y = y;
        call.r = r;
        call.colour = colour;
        call.fill = fill_;
        call.style = style_;
        return calls.emplace_back(std::move(call));
    }

    int32_t fill_ = 0, pen_ = 0;
    LineStyle style_ = LineStyle::Solid;
};

}  // namespace orvanta::testing
