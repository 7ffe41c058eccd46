#pragma once
// What the map is painted on, in logical pixels: the window's retained
// picture, an exported picture or paper. Each call draws one kind of thing.
#include <string>
#include <vector>

#include "map/illustration_mesh.h"
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
    // Many of them at once, for the tens of thousands of the faintest stars.
    virtual void DrawStarPoints(const std::vector<PixelPoint>& centres, const std::vector<Colour>& colours) {
        for (size_t i = 0; i < centres.size(); ++i) DrawStarPoint(centres[i], colours[i]);
    }
    // A constellation boundary: a dotted line through the points.
    virtual void DrawBoundary(const std::vector<PixelPoint>& points, Colour colour) = 0;
    // A name, its top-left corner at the point.
    virtual void DrawName(PixelPoint topLeft, const std::string& text, Colour colour) = 0;
    // A figure line: one pixel wide, solid.
    virtual void DrawFigureLine(const PixelLine& line, Colour colour) = 0;
    // An illustration (the image file at path, its pixels given in a width x
    // height frame) through the triangles of its mesh, added to what lies
    // beneath at intensity (0 to 1) as light adds to a dark sky. A canvas that
    // cannot show pictures leaves it out.
    virtual void DrawWarpedPicture(const std::string& path, double width, double height,
                                   const std::vector<MeshTriangle>& mesh, float intensity) {
        (void)path, (void)width, (void)height, (void)mesh, (void)intensity;
    }
    // The whole picture anew with the illustrations' layer on its background,
    // each picture through its mesh for the view; a canvas may keep the layer
    // of those that are not live for the next time.
    virtual void DrawIllustrations(const ViewState& view, const std::vector<ShownPicture>& pictures) {
        Clear();
        for (const ShownPicture& p : pictures)
            DrawWarpedPicture(p.path, p.width, p.height, WarpMesh(view, p.warp, p.width, p.height), p.intensity);
    }
};

}  // namespace orvanta
