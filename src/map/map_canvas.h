#pragma once
// What the map is painted on, in logical pixels: the window's retained
// picture, an exported picture or paper. Each call draws one kind of thing.
#include <string>
#include <vector>

#include "map/pixels.h"
#include "sky/colour.h"

namespace orvanta {

class MapCanvas {
public:
    virtual ~MapCanvas() = default;
    // The whole picture in its background colour.
    virtual void Clear() = 0;
    // A star: an antialiased disc with a one-pixel outline.
    virtual void DrawStarDisc(PixelPoint centre, double radius, Colour fill, Colour outline) = 0;
    // A faint star: the square of one pixel centred on the point.
    virtual void DrawStarPoint(PixelPoint centre, Colour colour) = 0;
    // A constellation boundary: a dotted line through the points.
    virtual void DrawBoundary(const std::vector<PixelPoint>& points, Colour colour) = 0;
    // A name, its top-left corner at the point.
    virtual void DrawName(PixelPoint topLeft, const std::string& text, Colour colour) = 0;
    // A figure line: one pixel wide, solid.
    virtual void DrawFigureLine(const PixelLine& line, Colour colour) = 0;
};

}  // namespace orvanta
