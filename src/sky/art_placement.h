#pragma once
// How an illustration lies on the sky: three anchors pair pixels of the image
// with stars, and the 3 x 3 matrix M with M (x, y, 1) = s for each of them
// takes every pixel to a direction, normalised. The same rule as Stellarium's,
// so that a picture placed here lands on the same stars there.
#include <array>
#include <optional>

#include "sky/sky_vector.h"

namespace orvanta {

struct ArtWarp {
    std::array<std::array<double, 3>, 3> m{};  // rows
    // Seen from inside the sphere, the picture is reversed: Stellarium leaves it out.
    bool mirrored = false;
    // The direction of the image point (x, y): unit length.
    SkyVector Direction(double x, double y) const;
};

// Why three anchors place no picture.
enum class WarpTrouble { None, CollinearAnchors, StarsOnOneCircle };

struct AnchorPoint {
    double x = 0, y = 0;  // pixels of the image, y downwards
    SkyVector star;       // the star's J2000 unit vector
};

// The warp of three anchors; trouble says why there is none. Anchors whose
// triangle in the image is smaller than a pixel's area are collinear.
std::optional<ArtWarp> WarpOf(const std::array<AnchorPoint, 3>& anchors, WarpTrouble& trouble);

// The handles that move a whole picture: its centre moves it, the middle of
// its top edge turns it about the centre, its bottom-right corner scales it
// about the centre.
enum class PictureHandle { Move, Turn, Scale };
struct HandleDirections {
    SkyVector move, turn, scale;
};
HandleDirections HandlesOf(const ArtWarp& warp, double width, double height);

// Where the anchors' stars go when a handle is dragged from one direction to
// another: the picture turns on the sphere as a whole, or each anchor's
// distance from the centre grows or shrinks by the same factor.
std::array<SkyVector, 3> FollowHandle(PictureHandle handle, const std::array<SkyVector, 3>& anchors, SkyVector centre,
                                      SkyVector from, SkyVector to);

}  // namespace orvanta
