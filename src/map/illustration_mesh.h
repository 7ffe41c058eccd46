#pragma once
// An illustration through the map's projection: a mesh of triangles fine
// enough to follow the warp within half a pixel.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "map/pixels.h"
#include "sky/art_placement.h"
#include "sky/projection.h"

namespace orvanta {

// A triangle of the mesh: where its corners lie on the map and which pixels of the image they show.
struct MeshTriangle {
    std::array<PixelPoint, 3> at;
    std::array<float, 3> u, v;  // image pixels, in the size the anchors are given in
};

// An illustration as the map shows it.
struct ShownPicture {
    std::string path;              // the image file
    double width = 0, height = 0;  // the frame its anchors are given in
    ArtWarp warp;
    float intensity = 0.5f;
    bool live = false;  // being placed: it changes at every movement, the others stay
    uint64_t uid = 0;   // whose constellation
};

// The mesh of an image width x height placed by warp, for the view: cells
// are split until the projected middle of each edge and of the cell lies
// within half a pixel of where the cell's straight edges put it. Cells with a
// corner below the map's lowest altitude are left out, as stars are.
std::vector<MeshTriangle> WarpMesh(const ViewState& view, const ArtWarp& warp, double width, double height);

}  // namespace orvanta
