// The adaptive mesh of an illustration on the map.
#include "map/illustration_mesh.h"

#include <cmath>
#include <optional>

#include "map/layers.h"

namespace orvanta {

namespace {

constexpr int kDeepestSplit = 7;         // 128 x 128 cells at most
constexpr double kMostError = 0.5;       // pixels
constexpr int kFirstCells = 4;           // a picture spans tens of degrees: start from a grid, not one cell

struct Corner {
    std::optional<PixelPoint> at;
    float u = 0, v = 0;
};

class Mesher {
public:
    Mesher(const ViewState& view, const ArtWarp& warp) : view_(view), warp_(warp) {}

    Corner At(double u, double v) const {
        const SkyVector d = warp_.Direction(u, v);
        const auto place = ProjectDirection(view_, d.x, d.y, d.z);
        return {place ? std::optional(ToPixels(*place)) : std::nullopt, static_cast<float>(u), static_cast<float>(v)};
    }

    void Cell(const Corner& a, const Corner& b, const Corner& c, const Corner& d, int depth) {
        // a b on top, d c below.
        const bool whole = a.at && b.at && c.at && d.at;
        // Below the map's edge in part: split while that can still keep the part above.
        if (!whole && (!(a.at || b.at || c.at || d.at) || depth >= kDeepestSplit)) return;
        if (whole && depth >= kDeepestSplit) return Emit(a, b, c, d);
        const double mu = (a.u + b.u) / 2, mv = (a.v + d.v) / 2;
        const Corner mid = At(mu, mv), top = At(mu, a.v), left = At(a.u, mv);
        // Straight enough: the middles of the cell and of its top and left edges lie where straight edges put them.
        if (whole && mid.at && top.at && left.at && Apart(*mid.at, *a.at, *c.at) <= kMostError &&
            Apart(*top.at, *a.at, *b.at) <= kMostError && Apart(*left.at, *a.at, *d.at) <= kMostError)
            return Emit(a, b, c, d);
        const Corner bottom = At(mu, d.v), right = At(b.u, mv);
        Cell(a, top, mid, left, depth + 1);
        Cell(top, b, right, mid, depth + 1);
        Cell(mid, right, c, bottom, depth + 1);
        Cell(left, mid, bottom, d, depth + 1);
    }

    std::vector<MeshTriangle> triangles;

private:
    static double Apart(const PixelPoint& p, const PixelPoint& q, const PixelPoint& r) {
        // How far p lies from the middle of q and r.
        return std::hypot(p.x - (q.x + r.x) / 2, p.y - (q.y + r.y) / 2);
    }

    void Emit(const Corner& a, const Corner& b, const Corner& c, const Corner& d) {
        triangles.push_back({{*a.at, *b.at, *c.at}, {a.u, b.u, c.u}, {a.v, b.v, c.v}});
        triangles.push_back({{*a.at, *c.at, *d.at}, {a.u, c.u, d.u}, {a.v, c.v, d.v}});
    }

    const ViewState& view_;
    const ArtWarp& warp_;
};

}  // namespace

std::vector<MeshTriangle> WarpMesh(const ViewState& view, const ArtWarp& warp, double width, double height) {
    Mesher mesher(view, warp);
    std::vector<std::vector<Corner>> grid(kFirstCells + 1);
    for (int row = 0; row <= kFirstCells; ++row)
        for (int column = 0; column <= kFirstCells; ++column)
            grid[row].push_back(mesher.At(width * column / kFirstCells, height * row / kFirstCells));
    for (int row = 0; row < kFirstCells; ++row)
        for (int column = 0; column < kFirstCells; ++column)
            mesher.Cell(grid[row][column], grid[row][column + 1], grid[row + 1][column + 1], grid[row + 1][column], 2);
    return std::move(mesher.triangles);
}

}  // namespace orvanta
