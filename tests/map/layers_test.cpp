// The painted layers on a recording canvas, and the placing of figure lines.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "map/figure_placement.h"
#include "map/layers.h"
#include "support/recording_canvas.h"

using namespace orvanta;
using orvanta::testing::CanvasCall;
using orvanta::testing::RecordingCanvas;

namespace {

// Latitude 50, sidereal time 6 h, 102 twips to the degree, zenith at (5000, 0).
// On the 6 h meridian: dec 0 -> (5000, 5100), dec 70 -> (5000, -2040),
// dec -59 -> (5000, 11118), dec -61 below the map; 9 h, dec 0 -> about (-99, 3906).
ViewState WorkedView() {
    ViewState view;
    view.Latitude = 50.0f;
    UpdateLatitudeTerms(view);
    view.SiderealTime = 6.0f;
    view.ZoomUnit = 51;
    view.ScaleFactor = 2;
    view.CentreX = 5000;
    return view;
}

// What a canvas call did: op, x, y, radius, colour, fill.
using Call = std::tuple<std::string, int32_t, int32_t, int32_t, int32_t, int32_t>;
std::vector<Call> Calls(const RecordingCanvas& canvas) {
    std::vector<Call> out;
    for (const CanvasCall& c : canvas.calls) {
        const bool star = c.op == "circle" || c.op == "pixel";
        out.emplace_back(c.op, c.x, c.y, c.r, c.colour, star ? c.fill : 0);
    }
    return out;
}

StarCatalog FourStars() {
    StarCatalog c;
    c.StarRa = {6000, 6000, 6000, 6000};
    c.StarDec = {0, 7000, -6100, -5900};
    c.StarMag = {1.0f, 4.36f, 2.0f, 4.35f};
    c.StarColour = {Rgb(10, 20, 30), Rgb(40, 50, 60), Rgb(70, 80, 90), Rgb(1, 2, 3)};
    return c;
}

}  // namespace

TEST(Layers, StarRadiusFromMagnitude) {
    EXPECT_EQ(StarRadius(-1.46f), 50);
    EXPECT_EQ(StarRadius(0.0f), 40);
    EXPECT_EQ(StarRadius(1.0f), 33);
    EXPECT_EQ(StarRadius(2.0f), 26);
    EXPECT_EQ(StarRadius(3.0f), 19);
    EXPECT_EQ(StarRadius(4.0f), 12);
    EXPECT_EQ(StarRadius(4.35f), 10);  // 9.55: the faintest disc
    EXPECT_EQ(StarRadius(4.36f), 9);   // 9.48: a single point
}

TEST(Layers, StarsAreDiscsOrPointsInTheirColours) {
    RecordingCanvas canvas;
    DrawStars(canvas, WorkedView(), FourStars(), true, 0);
    // The star below the map is skipped; outline and fill take the star's colour.
    const std::vector<Call> expected{{"circle", 5000, 5100, 33, Rgb(10, 20, 30), Rgb(10, 20, 30)},
                                     {"pixel", 5000, -2040, 0, Rgb(40, 50, 60), Rgb(40, 50, 60)},
                                     {"circle", 5000, 11118, 10, Rgb(1, 2, 3), Rgb(1, 2, 3)}};
    EXPECT_EQ(Calls(canvas), expected);

    RecordingCanvas plain;
    DrawStars(plain, WorkedView(), FourStars(), false, 0);
    const std::vector<Call> white{{"circle", 5000, 5100, 33, Rgb(255, 255, 255), Rgb(255, 255, 255)},
                                  {"pixel", 5000, -2040, 0, Rgb(255, 255, 255), Rgb(255, 255, 255)},
                                  {"circle", 5000, 11118, 10, Rgb(255, 255, 255), Rgb(255, 255, 255)}};
    EXPECT_EQ(Calls(plain), white);
}

TEST(Layers, StarsFromAStartIndex) {
    RecordingCanvas canvas;
    DrawStars(canvas, WorkedView(), FourStars(), true, 2);
    EXPECT_EQ(Calls(canvas), (std::vector<Call>{{"circle", 5000, 11118, 10, Rgb(1, 2, 3), Rgb(1, 2, 3)}}));
    for (int32_t start : {4, 5, 1000}) {
        RecordingCanvas none;
        DrawStars(none, WorkedView(), FourStars(), true, start);
        EXPECT_TRUE(none.calls.empty()) << start;
    }
}

TEST(Layers, BoundariesAreDottedPixelPolylinesBrokenBelowTheMap) {
    BoundaryTable table;
    table.BoundaryPen = {0, 0, 1, 1, 1, 2, -1, 1};
    table.BoundaryRa = {0, 6000, 6000, 6000, 6000, 9000, 6000, 9000};
    table.BoundaryDec = {0, 0, 7000, -6100, -5900, 0, 7000, 0};
    RecordingCanvas canvas;
    DrawBoundaries(canvas, WorkedView(), table);

    // Twips / 15, rounded: 5000 -> 333, 11118 -> 741, -99 -> -7, 3906 -> 260.
    const int32_t grey = Rgb(128, 128, 128);
    const std::vector<Call> expected{
        {"move", 333, 340, 0, grey, 0}, {"line", 333, -136, 0, grey, 0},   // vertex 3 is below the map
        {"move", 333, 741, 0, grey, 0}, {"line", -7, 260, 0, grey, 0},     // so vertex 4 starts afresh
        {"move", 333, -136, 0, grey, 0}, {"line", -7, 260, 0, grey, 0}};
    EXPECT_EQ(Calls(canvas), expected);
    for (const CanvasCall& call : canvas.calls) EXPECT_EQ(call.style, LineStyle::Dotted);
}

TEST(Layers, NamesAtTheirAnchors) {
    ConstellationTable table;
    table.ConstellationRa = {6000, 6000, 6000};
    table.ConstellationDec = {0, -6100, 7000};
    table.ConstellationLabel = {"Ori", "Hidden", "UMa"};
    RecordingCanvas canvas;
    DrawConstellationNames(canvas, WorkedView(), table);
    const auto texts = canvas.Only("text");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(Calls(canvas), (std::vector<Call>{{"text", 5000, 5100, 0, Rgb(250, 200, 100), 0},
                                                {"text", 5000, -2040, 0, Rgb(250, 200, 100), 0}}));
    EXPECT_EQ(texts[0].text, "Ori");
    EXPECT_EQ(texts[1].text, "UMa");
}

TEST(FigurePlacement, LinesFollowTheViewAndHideOffTheMap) {
    using Ends = std::array<float, 4>;
    const auto ends = [](const LineElement& e) { return Ends{e.X1, e.Y1, e.X2, e.Y2}; };
    FigureLines figure;
    ReplaceFigure(figure, {{6000, 0, 6000, 7000}, {6000, 7000, 9000, 0}});
    ViewState view = WorkedView();
    PlaceFigureLines(view, figure);
    ASSERT_EQ(figure.LineCount(), 2);
    EXPECT_TRUE(figure.Line1[1].Visible && figure.Line1[2].Visible);
    EXPECT_EQ(ends(figure.Line1[1]), (Ends{5000, 5100, 5000, -2040}));
    EXPECT_NEAR(figure.Line1[2].X2, -99, 1);
    EXPECT_NEAR(figure.Line1[2].Y2, 3906, 1);

    // Twelve hours on, 6 h dec 0 is at altitude -40 and 9 h dec 0 at -27:
    // line 1 loses its start, line 2 its end.
    view.SiderealTime = 18.0f;
    PlaceFigureLines(view, figure);
    EXPECT_FALSE(figure.Line1[1].Visible || figure.Line1[2].Visible);

    // Back in view, at the places of the new view.
    view.SiderealTime = 6.0f;
    view.CentreX = 6000;
    PlaceFigureLines(view, figure);
    EXPECT_TRUE(figure.Line1[1].Visible && figure.Line1[2].Visible);
    EXPECT_EQ(ends(figure.Line1[1]), (Ends{6000, 5100, 6000, -2040}));
    EXPECT_NEAR(figure.Line1[2].X2, 901, 1);

    // A figure with no lines: nothing to place.
    FigureLines empty;
    PlaceFigureLines(view, empty);
    EXPECT_EQ(empty.LineCount(), 0);
    EXPECT_FALSE(empty.Line1[0].Visible);
}
