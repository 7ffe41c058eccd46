// The painted layers on a recording canvas, and the placing of figure lines.
#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "map/figure_placement.h"
#include "map/layers.h"
#include "support/recording_canvas.h"
#include "support/worked_view.h"

using namespace orvanta;
using orvanta::testing::RecordingCanvas;
using orvanta::testing::WorkedView;

// What a canvas call did: op, x, y, radius, colour, and the fill of a star.
using Call = std::tuple<std::string, int32_t, int32_t, int32_t, int32_t, int32_t>;
static std::vector<Call> Calls(const RecordingCanvas& canvas) {
    std::vector<Call> out;
    for (const auto& c : canvas.calls)
        out.emplace_back(c.op, c.x, c.y, c.r, c.colour, c.op == "circle" || c.op == "pixel" ? c.fill : 0);
    return out;
}

TEST(Layers, StarsAreDiscsOrPointsInTheirColours) {
    // 40 - 7 magnitude, rounded; below 10 the star is a single point.
    const std::pair<float, int> cases[] = {{-1.46f, 50}, {0.0f, 40}, {1.0f, 33}, {2.0f, 26}, {3.0f, 19},
                                           {4.0f, 12},   {4.35f, 10} /* 9.55 */,   {4.36f, 9} /* 9.48 */};
    for (const auto& [magnitude, radius] : cases) EXPECT_EQ(StarRadius(magnitude), radius) << magnitude;

    // On the 6 h meridian: dec 0, 70, -61 (below the map) and -59.
    const StarCatalog stars{{{6000, 0, 1.0f, Rgb(10, 20, 30)},
                             {6000, 7000, 4.36f, Rgb(40, 50, 60)},
                             {6000, -6100, 2.0f, Rgb(70, 80, 90)},
                             {6000, -5900, 4.35f, Rgb(1, 2, 3)}}};
    for (const bool colours : {true, false}) {
        const auto c = [&](int32_t rgb) { return colours ? rgb : Rgb(255, 255, 255); };
        RecordingCanvas canvas;
        DrawStars(canvas, WorkedView(), stars, colours, 0);
        EXPECT_EQ(Calls(canvas), (std::vector<Call>{{"circle", 5000, 5100, 33, c(Rgb(10, 20, 30)), c(Rgb(10, 20, 30))},
                                                    {"pixel", 5000, -2040, 0, c(Rgb(40, 50, 60)), c(Rgb(40, 50, 60))},
                                                    {"circle", 5000, 11118, 10, c(Rgb(1, 2, 3)), c(Rgb(1, 2, 3))}}));
    }
    // From a start index on, for the stars added by a fainter limit; none past the last.
    for (const auto& [start, count] : {std::pair{size_t(2), 1u}, {size_t(3), 1u}, {size_t(4), 0u}, {size_t(1000), 0u}}) {
        RecordingCanvas canvas;
        DrawStars(canvas, WorkedView(), stars, true, start);
        EXPECT_EQ(canvas.calls.size(), count) << start;
    }
}

TEST(Layers, BoundariesAreDottedPixelPolylinesBrokenBelowTheMap) {
    // Pen, RA and Dec of each vertex.
    const BoundaryTable table{{{0, 6000, 0}, {1, 6000, 7000}, {1, 6000, -6100}, {1, 6000, -5900}, {2, 9000, 0},
                               {-1, 6000, 7000}, {1, 9000, 0}, {0, 6000, 0}, {1, 9000, 0}}};
    RecordingCanvas canvas;
    DrawBoundaries(canvas, WorkedView(), table);
    // Twips / 15, rounded: 5000 -> 333, 5100 -> 340, 11118 -> 741, -99 -> -7, 3906 -> 260.
    const int32_t grey = Rgb(128, 128, 128);
    const std::vector<Call> expected{
        {"move", 333, 340, 0, grey, 0},  {"line", 333, -136, 0, grey, 0},  // vertex 3 is below the map
        {"move", 333, 741, 0, grey, 0},  {"line", -7, 260, 0, grey, 0},    // so vertex 4 starts afresh
        {"move", 333, -136, 0, grey, 0}, {"line", -7, 260, 0, grey, 0},    // a pen below 1 starts a new run
        {"move", 333, 340, 0, grey, 0},  {"line", -7, 260, 0, grey, 0}};
    EXPECT_EQ(Calls(canvas), expected);
    for (const auto& call : canvas.calls) EXPECT_EQ(call.style, LineStyle::Dotted);
}

TEST(Layers, NamesAtTheirAnchors) {
    const ConstellationTable table{{{6000, 0, "Ori"}, {6000, -6100, "Hidden"}, {6000, 7000, "UMa"}}};
    RecordingCanvas canvas;
    DrawConstellationNames(canvas, WorkedView(), table);
    const int32_t gold = Rgb(250, 200, 100);
    EXPECT_EQ(Calls(canvas), (std::vector<Call>{{"text", 5000, 5100, 0, gold, 0}, {"text", 5000, -2040, 0, gold, 0}}));
    EXPECT_EQ(canvas.calls.at(0).text + canvas.calls.at(1).text, "OriUMa");
}

TEST(FigurePlacement, LinesFollowTheViewAndHideOffTheMap) {
    const auto ends = [](const PlacedLine& e) { return std::array{e.x1, e.y1, e.x2, e.y2}; };
    Figure figure;
    figure.ReplaceLines({{6000, 0, 6000, 7000}, {6000, 7000, 9000, 0}});
    ViewState view = WorkedView();
    PlaceFigureLines(view, figure);
    EXPECT_EQ(ends(figure.Placed(0)), (std::array{5000.f, 5100.f, 5000.f, -2040.f}));
    EXPECT_EQ(ends(figure.Placed(1)), (std::array{5000.f, -2040.f, -99.f, 3906.f}));

    // Twelve hours on, 6 h dec 0 is at altitude -40 and 9 h dec 0 at -27:
    // line 1 loses its start, line 2 its end.
    view.siderealTime = 18.0f;
    PlaceFigureLines(view, figure);
    EXPECT_FALSE(figure.Placed(0).visible || figure.Placed(1).visible);

    // Back in view, shown again at the places of the new view.
    view.siderealTime = 6.0f;
    view.centreX = 6000;
    PlaceFigureLines(view, figure);
    EXPECT_TRUE(figure.Placed(0).visible && figure.Placed(1).visible);
    EXPECT_EQ(ends(figure.Placed(1)), (std::array{6000.f, -2040.f, 901.f, 3906.f}));

    // A rubber band restarts at its start star, and ends when the star leaves the map.
    figure.SetBand(RubberBand{9000, 0, PlacedLine{1, 2, 3, 4, true}});
    PlaceFigureLines(view, figure);
    EXPECT_EQ(ends(figure.Band()->line), (std::array{901.f, 3906.f, 901.f, 3906.f}));
    view.siderealTime = 18.0f;
    PlaceFigureLines(view, figure);
    EXPECT_FALSE(figure.Drawing());
}
