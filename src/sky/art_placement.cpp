// The anchor matrix of an illustration.
#include "sky/art_placement.h"

#include <algorithm>
#include <cmath>

namespace orvanta {

namespace {
using Matrix = std::array<std::array<double, 3>, 3>;

double Determinant(const Matrix& a) {
    return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
           a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
}

Matrix Inverse(const Matrix& a, double det) {
    Matrix r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            // The cofactor of a[j][i], over the determinant.
            const int r0 = (j + 1) % 3, r1 = (j + 2) % 3, c0 = (i + 1) % 3, c1 = (i + 2) % 3;
            r[i][j] = (a[r0][c0] * a[r1][c1] - a[r0][c1] * a[r1][c0]) / det;
        }
    return r;
}


}  // namespace

SkyVector ArtWarp::Direction(double x, double y) const {
    const SkyVector v{m[0][0] * x + m[0][1] * y + m[0][2], m[1][0] * x + m[1][1] * y + m[1][2],
                      m[2][0] * x + m[2][1] * y + m[2][2]};
    const double length = std::sqrt(Dot(v, v));
    return length > 0 ? SkyVector{v.x / length, v.y / length, v.z / length} : v;
}

std::optional<ArtWarp> WarpOf(const std::array<AnchorPoint, 3>& anchors, WarpTrouble& trouble) {
    trouble = WarpTrouble::None;
    // The image points as columns (x, y, 1), the stars as columns: M = S P^-1.
    Matrix p{}, s{};
    for (int k = 0; k < 3; ++k) {
        p[0][k] = anchors[k].x, p[1][k] = anchors[k].y, p[2][k] = 1;
        s[0][k] = anchors[k].star.x, s[1][k] = anchors[k].star.y, s[2][k] = anchors[k].star.z;
    }
    const double area2 = Determinant(p);  // twice the anchors' triangle's area in pixels
    if (std::fabs(area2) < 2.0) {
        trouble = WarpTrouble::CollinearAnchors;
        return std::nullopt;
    }
    // Three stars on one great circle span no volume with the centre.
    if (std::fabs(Determinant(s)) < 1e-9) {
        trouble = WarpTrouble::StarsOnOneCircle;
        return std::nullopt;
    }
    const Matrix inverse = Inverse(p, area2);
    ArtWarp warp;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) warp.m[i][j] = s[i][0] * inverse[0][j] + s[i][1] * inverse[1][j] + s[i][2] * inverse[2][j];
    // The image's right and down, seen from the centre looking out at the anchors' middle:
    // right x down points outwards for a picture the right way round.
    const double cx = (anchors[0].x + anchors[1].x + anchors[2].x) / 3, cy = (anchors[0].y + anchors[1].y + anchors[2].y) / 3;
    const SkyVector right{warp.m[0][0], warp.m[1][0], warp.m[2][0]}, down{warp.m[0][1], warp.m[1][1], warp.m[2][1]};
    warp.mirrored = Dot(Cross(right, down), warp.Direction(cx, cy)) < 0;
    return warp;
}

HandleDirections HandlesOf(const ArtWarp& warp, double width, double height) {
    return {warp.Direction(width / 2, height / 2), warp.Direction(width / 2, 0), warp.Direction(width, height)};
}

namespace {
// Below this a pointer movement or a distance from the centre gives no direction to follow.
constexpr double kTiny = 1e-9;

SkyVector Unit(const SkyVector& v) {
    const double length = std::sqrt(Dot(v, v));
    return {v.x / length, v.y / length, v.z / length};
}

SkyVector Across(const SkyVector& v, const SkyVector& centre) {
    const double along = Dot(v, centre);
    return {v.x - along * centre.x, v.y - along * centre.y, v.z - along * centre.z};
}
}  // namespace

std::array<SkyVector, 3> FollowHandle(PictureHandle handle, const std::array<SkyVector, 3>& anchors, SkyVector centre,
                                      SkyVector from, SkyVector to) {
    std::array<SkyVector, 3> moved = anchors;
    switch (handle) {
    case PictureHandle::Move: {
        // The turn of the sphere that takes the pressed point to the pointer.
        const SkyVector axis = Cross(from, to);
        const double sine = std::sqrt(Dot(axis, axis));
        if (sine < kTiny) break;
        for (SkyVector& a : moved) a = Turned(a, Unit(axis), std::atan2(sine, Dot(from, to)));
        break;
    }
    case PictureHandle::Turn: {
        const SkyVector u = Across(from, centre), v = Across(to, centre);
        if (Dot(u, u) < kTiny || Dot(v, v) < kTiny) break;
        const double angle = std::atan2(Dot(Cross(u, v), centre), Dot(u, v));
        for (SkyVector& a : moved) a = Turned(a, centre, angle);
        break;
    }
    case PictureHandle::Scale: {
        const double before = std::atan2(std::sqrt(Dot(Cross(centre, from), Cross(centre, from))), Dot(centre, from));
        const double after = std::atan2(std::sqrt(Dot(Cross(centre, to), Cross(centre, to))), Dot(centre, to));
        if (before < 1e-6) break;
        const double factor = std::clamp(after / before, 0.02, 50.0);
        for (SkyVector& a : moved) {
            const SkyVector axis = Cross(centre, a);
            const double sine = std::sqrt(Dot(axis, axis));
            if (sine < kTiny) continue;  // the anchor is the centre: it stays
            // No further than most of the way round: beyond, the picture would fold over.
            const double angle = std::min(factor * std::atan2(sine, Dot(centre, a)), 0.9 * 3.14159265358979);
            a = Turned(centre, Unit(axis), angle);
        }
        break;
    }
    }
    return moved;
}

}  // namespace orvanta
