// An illustration's mesh against the exact projection of its warp: straight
// insides within half a pixel, the picture covered up to the map's edge, and
// nothing for a picture below it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "map/illustration_mesh.h"
#include "map/pixels.h"
#include "support/worked_view.h"

using namespace orvanta;
using orvanta::testing::WorkedViewAt;

namespace {

ArtWarp WarpOrDie(const std::array<AnchorPoint, 3>& anchors) {
    WarpTrouble trouble;
    const auto warp = WarpOf(anchors, trouble);
    EXPECT_TRUE(warp);
    return warp.value_or(ArtWarp{});
}

// A 512 x 512 picture on Betelgeuse, Bellatrix and Rigel: about 25 degrees across.
const ArtWarp kOrion = WarpOrDie({AnchorPoint{120, 90, UnitVector({5.919531, 7.407056})},
                                  {410, 130, UnitVector({5.418850, 6.349694})}, {330, 470, UnitVector({5.242297, -8.201639})}});

bool Inside(const MeshTriangle& t, double u, double v) {
    int sides = 0;
    for (int i = 0, j = 1; i < 3; ++i, j = (i + 1) % 3)
        sides += ((t.u[j] - t.u[i]) * (v - t.v[i]) - (t.v[j] - t.v[i]) * (u - t.u[i]) >= 0) ? 1 : -1;
    return std::abs(sides) == 3;
}

}  // namespace

TEST(IllustrationMesh, FollowsTheWarpWithinHalfAPixel) {
    const std::tuple<const char*, ViewState, bool> cases[] = {  // name, view, all of the picture on the map
        {"high in the worked view", WorkedViewAt(50, 6, 51), true}, {"zoomed in five times", WorkedViewAt(50, 6, 255), true},
        {"round the zenith", WorkedViewAt(-2, 5.6f, 255), true},    {"far from the zenith", WorkedViewAt(50, 11, 51), true},
        {"low, fully zoomed", WorkedViewAt(50, 10.5f, 360), true},  {"setting, cut by the map's edge", WorkedViewAt(50, 12.5f, 51), false},
    };
    // Corners and the exact places are each rounded to whole twips.
    const double allowed = 0.5 + 2 * std::sqrt(0.5) / kTwipsPerPixel;
    const double weights[][3] = {{1. / 3, 1. / 3, 1. / 3}, {0.5, 0.5, 0}, {0, 0.5, 0.5}, {0.5, 0, 0.5}, {0.7, 0.2, 0.1}, {0.1, 0.15, 0.75}};
    for (const auto& [name, view, whole] : cases) {
        SCOPED_TRACE(name);
        const auto mesh = WarpMesh(view, kOrion, 512, 512);
        ASSERT_FALSE(mesh.empty());
        double worst = 0, area = 0;
        for (const MeshTriangle& t : mesh) {
            area += std::fabs((t.u[1] - t.u[0]) * (t.v[2] - t.v[0]) - (t.u[2] - t.u[0]) * (t.v[1] - t.v[0])) / 2;
            for (const auto& w : weights) {
                const auto blend = [&w](const auto& c) { return w[0] * c[0] + w[1] * c[1] + w[2] * c[2]; };
                const SkyVector d = kOrion.Direction(blend(t.u), blend(t.v));
                const auto exact = ProjectDirection(view, d.x, d.y, d.z);
                if (!exact) continue;  // past the map's edge
                const double x = w[0] * t.at[0].x + w[1] * t.at[1].x + w[2] * t.at[2].x;
                const double y = w[0] * t.at[0].y + w[1] * t.at[1].y + w[2] * t.at[2].y;
                worst = std::max(worst, std::hypot(x - exact->x / 15.0, y - exact->y / 15.0));
            }
        }
        EXPECT_LE(worst, allowed);
        // No overlaps: the triangles' area is the picture's where all of it is on the map.
        if (whole) {
            EXPECT_NEAR(area, 512.0 * 512, 0.1);
        }
        // No gaps: every image point a degree above the map's edge (-20 degrees) is drawn.
        for (double u = 1; u < 512; u += 10)
            for (double v = 1; v < 512; v += 10) {
                const SkyVector d = kOrion.Direction(u, v);
                const auto at = ProjectDirection(view, d.x, d.y, d.z);
                if (!at || std::hypot(at->x - view.centreX, at->y - view.centreY) / (2.0 * view.zoom.unit) > 109) continue;
                EXPECT_TRUE(std::any_of(mesh.begin(), mesh.end(), [&](const MeshTriangle& t) { return Inside(t, u, v); })) << u << ", " << v;
            }
    }
}

TEST(IllustrationMesh, PictureBelowTheMapHasNoTriangles) {
    // The image points all lie in the plane z = -sin 80 deg, so 80 degrees south or
    // further: never above -40 degrees at latitude 50.
    const double z = -std::sin(80 * std::numbers::pi / 180), r = std::cos(80 * std::numbers::pi / 180);
    const ArtWarp south = WarpOrDie({AnchorPoint{0, 0, {r, 0, z}}, {100, 0, {0, r, z}}, {0, 100, {0, -r, z}}});
    for (const float sidereal : {0.0f, 6.0f, 13.5f, 20.0f})
        EXPECT_TRUE(WarpMesh(WorkedViewAt(50, sidereal, 51), south, 100, 100).empty()) << sidereal;
}
