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

// What a canvas call did: op, its places in twips, radius in twips, colour, and the fill of a disc.
using Call = std::tuple<std::string, std::vector<long>, long, Colour, Colour>;
static std::vector<Call> Calls(const RecordingCanvas& canvas) {
    std::vector<Call> out;
    for (const auto& c : canvas.calls) {
        std::vector<long> places;
        for (const PixelPoint& p : c.points) places.insert(places.end(), {orvanta::testing::Twips(p.x), orvanta::testing::Twips(p.y)});
        out.emplace_back(c.op, places, orvanta::testing::Twips(c.radius), c.colour, c.fill);
    }
    return out;
}

TEST(Layers, StarsAreDiscsOrPointsInTheirColours) {
    // 40 - 7 magnitude, rounded; below 10 the star is a single point.
    const std::pair<float, int> cases[] = {{-1.46f, 50}, {0.0f, 40}, {1.0f, 33}, {2.0f, 26}, {3.0f, 19},
                                           {4.0f, 12},   {4.35f, 10} /* 9.55 */,   {4.36f, 9} /* 9.48 */};
    for (const auto& [magnitude, radius] : cases) EXPECT_EQ(StarRadius(magnitude), radius) << magnitude;

    // On the 6 h meridian: dec 0, 70, -61 (below the map) and -59.
    const Colour a{10, 20, 30}, b{40, 50, 60}, c{70, 80, 90}, d{1, 2, 3};
    const StarCatalog stars{{{6000, 0, 1.0f, a}, {6000, 7000, 4.36f, b}, {6000, -6100, 2.0f, c}, {6000, -5900, 4.35f, d}}};
    for (const bool colours : {true, false}) {
        const auto shown = [&](Colour colour) { return colours ? colour : kWhite; };
        RecordingCanvas canvas;
        DrawStars(canvas, WorkedView(), stars, colours, 0);
        EXPECT_EQ(Calls(canvas), (std::vector<Call>{{"disc", {5000, 5100}, 33, shown(a), shown(a)},
                                                    {"point", {5000, -2040}, 0, shown(b), {}},
                                                    {"disc", {5000, 11118}, 10, shown(d), shown(d)}}));
    }
    // From a start index on, for the stars added by a fainter limit.
    for (const auto& [start, count] : {std::pair{size_t(2), 1u}, {size_t(3), 1u}, {size_t(4), 0u}}) {
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
    // Each vertex at its whole pixel, twips / 15 rounded: 5000 -> 333, 5100 -> 340,
    // 11118 -> 741, -99 -> -7, 3906 -> 260; a run breaks below the map and at a pen below 1.
    std::vector<std::vector<double>> runs;
    for (const auto& call : canvas.Only("boundary")) {
        EXPECT_EQ(call.colour, kBoundaryColour);
        runs.emplace_back();
        for (const PixelPoint& p : call.points) runs.back().insert(runs.back().end(), {p.x, p.y});
    }
    EXPECT_EQ(runs, (std::vector<std::vector<double>>{
                        {333, 340, 333, -136}, {333, 741, -7, 260}, {333, -136, -7, 260}, {333, 340, -7, 260}}));
}

TEST(Layers, NamesAtTheirAnchors) {
    const ConstellationTable table{{{6000, 0, "Ori"}, {6000, -6100, "Hidden"}, {6000, 7000, "UMa"}}};
    RecordingCanvas canvas;
    DrawConstellationNames(canvas, WorkedView(), table);
    EXPECT_EQ(Calls(canvas), (std::vector<Call>{{"name", {5000, 5100}, 0, kLabelColour, {}},
                                                {"name", {5000, -2040}, 0, kLabelColour, {}}}));
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
    view.observer.siderealTime = 18.0f;
    PlaceFigureLines(view, figure);
    EXPECT_FALSE(figure.Placed(0).visible || figure.Placed(1).visible);

    // Back in view, shown again at the places of the new view.
    view.observer.siderealTime = 6.0f;
    view.centreX = 6000;
    PlaceFigureLines(view, figure);
    EXPECT_TRUE(figure.Placed(0).visible && figure.Placed(1).visible);
    EXPECT_EQ(ends(figure.Placed(1)), (std::array{6000.f, -2040.f, 901.f, 3906.f}));

    // A rubber band restarts at its start star, and ends when the star leaves the map.
    ASSERT_TRUE(StartBand(figure, view, Star{9000, 0, 1.0f, {}}));
    StretchBand(figure, PixelPoint{1, 2});
    PlaceFigureLines(view, figure);
    EXPECT_EQ(ends(figure.Band()->line), (std::array{901.f, 3906.f, 901.f, 3906.f}));
    view.observer.siderealTime = 18.0f;
    PlaceFigureLines(view, figure);
    EXPECT_FALSE(figure.Drawing());
}
