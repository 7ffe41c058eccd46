// The anchor matrix of an illustration: anchors and their blends on their stars,
// anchors that place nothing, which way round a picture lies, and Stellarium's western pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "documents/culture/culture_folder.h"
#include "sky/art_placement.h"
#include "support/hipparcos_sky.h"

using namespace orvanta;

namespace {

using Pixels = std::array<std::array<double, 2>, 3>;
using Stars = std::array<SkyVector, 3>;
constexpr double kRad = std::numbers::pi / 180;

SkyVector Sky(double raHours, double decDegrees) { return UnitVector({raHours, decDegrees}); }
SkyVector Along(const SkyVector& c, double a, const SkyVector& p, double b, const SkyVector& q) {
    const SkyVector v{c.x + a * p.x + b * q.x, c.y + a * p.y + b * q.y, c.z + a * p.z + b * q.z};
    const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / n, v.y / n, v.z / n};
}
std::optional<ArtWarp> Warp(const Pixels& p, const Stars& s, WarpTrouble& trouble) {
    return WarpOf({AnchorPoint{p[0][0], p[0][1], s[0]}, {p[1][0], p[1][1], s[1]}, {p[2][0], p[2][1], s[2]}}, trouble);
}

// Betelgeuse, Bellatrix and Rigel (J2000).
const Stars kOrion = {Sky(5.919531, 7.407056), Sky(5.418850, 6.349694), Sky(5.242297, -8.201639)};

}  // namespace

TEST(ArtPlacement, AnchorsAndTheirBlendsLandOnTheirStars) {
    const std::pair<Pixels, Stars> cases[] = {
        {{{{120, 90}, {410, 130}, {330, 470}}}, kOrion},
        {{{{300, 40}, {20, 500}, {600, 560}}}, {Sky(0, -80), Sky(8, -83), Sky(16, -78)}},              // round the pole
        {{{{1800, 2100}, {3900, 2000}, {2900, 3950}}}, {Sky(14, 30), Sky(14.05, 30.2), Sky(14.02, 29.4)}},  // a degree
    };
    // M is linear, so a blend of the anchors' (x, y, 1) goes where the same blend of
    // their stars points; negative weights lie outside the anchors' triangle.
    const double weights[][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1. / 3, 1. / 3, 1. / 3}, {0.7, 0.2, 0.1}, {-0.4, 0.9, 0.5}};
    for (const auto& [p, s] : cases) {
        WarpTrouble trouble;
        const auto warp = Warp(p, s, trouble);
        ASSERT_TRUE(warp);
        for (const auto& w : weights) {
            const SkyVector d = warp->Direction(w[0] * p[0][0] + w[1] * p[1][0] + w[2] * p[2][0], w[0] * p[0][1] + w[1] * p[1][1] + w[2] * p[2][1]);
            const SkyVector e = Along({w[0] * s[0].x, w[0] * s[0].y, w[0] * s[0].z}, w[1], s[1], w[2], s[2]);
            EXPECT_LT(std::hypot(d.x - e.x, d.y - e.y, d.z - e.z), 1e-12) << p[0][0] << " " << w[0] << " " << w[1];
        }
    }
}

TEST(ArtPlacement, AnchorsThatPlaceNoPictureSayWhy) {
    const double e = 23.4393 * kRad;  // the obliquity: the ecliptic is a tilted great circle
    const auto ecliptic = [e](double l) { return SkyVector{std::cos(l * kRad), std::sin(l * kRad) * std::cos(e), std::sin(l * kRad) * std::sin(e)}; };
    const Pixels good = {{{100, 100}, {400, 120}, {250, 420}}};
    const std::tuple<const char*, Pixels, Stars, WarpTrouble> cases[] = {
        {"pixels on a line", {{{0, 0}, {50, 50}, {100, 100}}}, kOrion, WarpTrouble::CollinearAnchors},
        {"half a pixel's area", {{{0, 0}, {100, 0}, {50, 0.01}}}, kOrion, WarpTrouble::CollinearAnchors},
        {"a pixel and a half", {{{0, 0}, {100, 0}, {50, 0.03}}}, kOrion, WarpTrouble::None},
        {"on the equator", good, {Sky(1, 0), Sky(2, 0), Sky(3.5, 0)}, WarpTrouble::StarsOnOneCircle},
        {"on one hour circle", good, {Sky(5, 10), Sky(5, 60), Sky(17, 30)}, WarpTrouble::StarsOnOneCircle},
        {"on the ecliptic", good, {ecliptic(10), ecliptic(40), ecliptic(75)}, WarpTrouble::StarsOnOneCircle},
        {"a degree off the equator", good, {Sky(1, 0), Sky(2, 0), Sky(3.5, 1)}, WarpTrouble::None},
    };
    for (const auto& [name, pixels, stars, expected] : cases) {
        WarpTrouble trouble = WarpTrouble::StarsOnOneCircle;
        EXPECT_EQ(Warp(pixels, stars, trouble).has_value(), expected == WarpTrouble::None) << name;
        EXPECT_EQ(trouble, expected) << name;
    }
}

TEST(ArtPlacement, MirroredWhenSeenReversedFromInside) {
    // Looking out from the centre with north up, east (increasing RA) is on the left, as on
    // any chart of the sky overhead: Betelgeuse, east of Rigel, is on the left of Orion.
    // So a picture the right way round has its right (x) to the west and its down (y) to
    // the south. Each image offset goes through t to (west, south) about the picture's
    // middle; a t that turns the picture over (negative determinant) mirrors it.
    const std::pair<std::array<double, 4>, bool> turns[] = {
        {{1, 0, 0, 1}, false}, {{-1, 0, 0, 1}, true}, {{1, 0, 0, -1}, true},  {{-1, 0, 0, -1}, false},
        {{0, -1, 1, 0}, false}, {{0, 1, 1, 0}, true}, {{2, 0.5, 0.3, 1}, false}, {{0.4, 2, 1, 0.3}, true},
    };
    const Pixels pixels = {{{90, 60}, {430, 170}, {210, 380}}};
    for (const auto& [ra, dec] : {std::pair(0.0, 0.0), {12.0, 60.0}, {18.0, -80.0}, {3.0, 89.5}, {7.5, -35.0}})
        for (const auto& [t, mirrored] : turns) {
            const double a = ra * 15 * kRad, d = dec * kRad;
            const SkyVector west{std::sin(a), -std::cos(a), 0}, south{std::sin(d) * std::cos(a), std::sin(d) * std::sin(a), -std::cos(d)};
            Stars stars;
            for (int k = 0; k < 3; ++k) {
                const double dx = (pixels[k][0] - 256) * 4e-4, dy = (pixels[k][1] - 256) * 4e-4;  // radians
                stars[k] = Along(Sky(ra, dec), t[0] * dx + t[1] * dy, west, t[2] * dx + t[3] * dy, south);
            }
            WarpTrouble trouble;
            const auto warp = Warp(pixels, stars, trouble);
            ASSERT_TRUE(warp);
            EXPECT_EQ(warp->mirrored, mirrored) << ra << " h " << dec << " deg, turn " << t[0] << " " << t[1] << " " << t[2] << " " << t[3];
        }
}

TEST(ArtPlacement, StellariumWesternPicturesAllPlaceTheRightWayRound) {
    const std::filesystem::path folder = "/usr/share/stellarium/skycultures/western";
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "stellarium-data is not installed";
    Culture culture;
    ASSERT_FALSE(ReadCulture(folder.string(), culture).failed);
    const HipparcosCatalogue& hipparcos = orvanta::testing::HipparcosSky::Get().hipparcos;
    int placed = 0;
    for (const CultureConstellation& c : culture.constellations) {
        if (!c.art || c.art->anchors.size() < 3) continue;
        std::array<AnchorPoint, 3> anchors;
        for (int k = 0; k < 3; ++k) {
            const ArtAnchor& a = c.art->anchors[k];
            const HipparcosStar* star = hipparcos.Find(a.hip);
            ASSERT_NE(star, nullptr) << c.id << " HIP " << a.hip;
            anchors[k] = {a.x, a.y, UnitVector(star->Direction())};
        }
        WarpTrouble trouble;
        const auto warp = WarpOf(anchors, trouble);
        ASSERT_TRUE(warp) << c.id << " trouble " << static_cast<int>(trouble);
        EXPECT_FALSE(warp->mirrored) << c.id << " " << c.art->file;
        ++placed;
    }
    EXPECT_EQ(placed, 85);  // the pictures constellationsart.fab places
}

TEST(ArtPlacement, HandlesMoveTurnAndScaleTheWholePicture) {
    const SkyVector pole = Sky(0, 90), orionMiddle = Sky(5.6, 0);
    struct Case {
        const char* name;
        PictureHandle handle;
        SkyVector centre, from, to;
        Stars anchors, expected;
    };
    const Case cases[] = {
        // A move along the equator by an hour carries equatorial anchors an hour east.
        {"move", PictureHandle::Move, orionMiddle, Sky(5.6, 0), Sky(6.6, 0), {Sky(5, 0), Sky(5.6, 0), Sky(7, 0)},
         {Sky(6, 0), Sky(6.6, 0), Sky(8, 0)}},
        // A quarter turn about the pole, anticlockwise seen from outside looking in at it.
        {"turn", PictureHandle::Turn, pole, Sky(0, 60), Sky(6, 20), {Sky(2, 70), Sky(13, 85), pole},
         {Sky(8, 70), Sky(19, 85), pole}},
        // The pointer twice as far from the centre: each anchor too; the centre stays.
        {"scale", PictureHandle::Scale, pole, Sky(0, 80), Sky(3, 70), {Sky(5, 85), Sky(11, 89), pole},
         {Sky(5, 80), Sky(11, 88), pole}},
        {"scale down", PictureHandle::Scale, pole, Sky(0, 70), Sky(9, 85), {Sky(5, 50), Sky(11, 88), Sky(20, 80)},
         {Sky(5, 80), Sky(11, 89.5), Sky(20, 87.5)}},
        // Pressed on the centre itself, scaling has no direction to follow.
        {"scale from the centre", PictureHandle::Scale, pole, pole, Sky(3, 70), kOrion, kOrion},
        {"no movement", PictureHandle::Move, orionMiddle, Sky(5, 3), Sky(5, 3), kOrion, kOrion},
    };
    for (const Case& c : cases) {
        const Stars moved = FollowHandle(c.handle, c.anchors, c.centre, c.from, c.to);
        for (size_t k = 0; k < 3; ++k) EXPECT_LT(AngleDegrees(moved[k], c.expected[k]), 1e-9) << c.name << " anchor " << k;
    }
    // A move or a turn keeps the picture's shape: every distance between anchors stays.
    for (const PictureHandle handle : {PictureHandle::Move, PictureHandle::Turn}) {
        const Stars moved = FollowHandle(handle, kOrion, Sky(5.6, 0), Sky(5.3, 4), Sky(7.1, 31));
        for (size_t k = 0; k < 3; ++k)
            EXPECT_NEAR(AngleDegrees(moved[k], moved[(k + 1) % 3]), AngleDegrees(kOrion[k], kOrion[(k + 1) % 3]), 1e-9);
    }
}
