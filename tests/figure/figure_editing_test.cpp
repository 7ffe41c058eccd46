// Editing a figure with the mouse and the keyboard: star picking, chains of
// lines, the rubber band, cancelling, selecting and deleting.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "figure/keyboard_commands.h"
#include "figure/mouse_editing.h"
#include "support/scripted_window.h"
#include "support/worked_view.h"

using namespace orvanta;

namespace {

const std::string kClean = "Orvanta [f.con]", kChanged = "Orvanta [f.con*]";

using Ends = std::array<float, 4>;
Ends EndsOf(const LineElement& e) { return {e.X1, e.Y1, e.X2, e.Y2}; }

class FigureEditing : public ::testing::Test {
protected:
    void SetUp() override {
        LoadDefaultGuiStrings(state.strings);
        state.view = orvanta::testing::WorkedView();
        // Well apart: more than the 20-unit pick box in RA or Dec.
        state.stars = {{6000, 7000, 5000, 6500}, {2000, 3000, 4000, 1000}, {2, 2, 2, 2}, {0, 0, 0, 0}};
        state.figure.CurrentFile = "f.con";
        window.caption = kClean;
    }

    // Clicks at the place of a star and gives that place.
    Projection Click(int star, int button = kLeftButton) {
        Projection p;
        ProjectStar(state.view, state.stars.StarRa[star] / 1000.0, state.stars.StarDec[star] / 100.0, p);
        MapMouseDown(state, window, button, 0, static_cast<float>(p.ProjX), static_cast<float>(p.ProjY));
        return p;
    }
    FigureRecord Line(int a, int b) const {
        const auto& s = state.stars;
        return {int16_t(s.StarRa[a]), int16_t(s.StarDec[a]), int16_t(s.StarRa[b]), int16_t(s.StarDec[b])};
    }
    // Three saved lines at hand-made places: horizontal, vertical, sloping.
    void ThreeLines() {
        ReplaceFigure(f, {Line(0, 1), Line(1, 2), Line(2, 3)});
        f.SavedLineCount = 3;
        f.Line1[1] = {1000, 1000, 3000, 1000, true};
        f.Line1[2] = {5000, 0, 5000, 4000, true};
        f.Line1[3] = {1000, 2000, 3000, 3000, true};
    }

    Orvanta state;
    FigureLines& f = state.figure;
    orvanta::testing::ScriptedWindow window;
};

}  // namespace

TEST(StarHitBox, FirstStarInCatalogueOrderWithinTheOpenBox) {
    const StarCatalog c{{1000, 1010, 23998, 3000, 5000}, {1000, 1000, 0, -8950, 8901}, {}, {}};
    const std::tuple<double, double, std::optional<int32_t>> cases[] = {
        {1015, 1000, 0},  // star 1 is nearer, but star 0 comes first
        {1000, 1019.9, 0}, {1020, 1000, 1}, {1030, 1000, {}},  // open: 20 units away no longer counts
        {1000, 1020, {}},  {980, 1000, {}}, {1000, 980, {}},
        {2, 0, {}},        {23985, 5, 2},  // RA does not wrap at 24 h
        {12000, 8950, 3},  {12000, -8999, 3}, {12000, 8900, {}},  // in a polar cap, any star in either cap
    };
    for (const auto& [ra, dec, star] : cases) EXPECT_EQ(StarHitBox(c, {ra, dec}), star) << ra << " " << dec;
}

TEST_F(FigureEditing, ChainOfLinesThroughTheStarsClicked) {
    MapMouseDown(state, window, kLeftButton, 0, 5000, 0);  // the zenith: no star, nothing happens
    EXPECT_EQ(f.LineCount(), 0);
    std::vector<Projection> at{Click(0)};
    EXPECT_EQ(f.LineCount(), 1);        // only the rubber band
    EXPECT_EQ(window.caption, kClean);  // starting a chain changes nothing yet
    at.push_back(Click(1));
    EXPECT_EQ(window.caption, kChanged);
    for (int star : {2, 3, 3}) at.push_back(Click(star));  // the same star twice is a line too
    Click(0, kRightButton);  // a right click ends the chain wherever it lands
    ASSERT_EQ(f.LineCount(), 4);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(RecordAt(f, k), Line(std::min(k - 1, 3), std::min(k, 3))) << k;
        // Each element joins the places of its record's stars.
        EXPECT_EQ(EndsOf(f.Line1[k]), (Ends{float(at[k - 1].ProjX), float(at[k - 1].ProjY), float(at[k].ProjX),
                                            float(at[k].ProjY)})) << k;
    }
}

TEST_F(FigureEditing, FindLineAtTakesTheFirstVisibleLineWithinReach) {
    ThreeLines();
    // Reach is 80 twips across the line and past its ends; y on the slope is 2000 + (x - 1000) / 2.
    const std::tuple<float, float, std::optional<int>> cases[] = {
        {2000, 1079, 1}, {2000, 921, 1}, {2000, 1080, {}}, {921, 1000, 1}, {920, 1000, {}},
        {5079, 2500, 2}, {4921, 100, 2}, {5081, 2500, {}},  // vertical: any height along it
        {2000, 2550, 3}, {2000, 2400, {}}};
    for (const auto& [x, y, line] : cases) EXPECT_EQ(FindLineAt(f, x, y), line) << x << " " << y;
    f.Line1[1].Visible = false;
    EXPECT_EQ(FindLineAt(f, 2000, 1000), std::nullopt);
    f.Line1.push_back({8000, 8000, 9000, 8000, true});  // the rubber band is never selected
    f.DrawingLine = true;
    EXPECT_EQ(FindLineAt(f, 8500, 8000), std::nullopt);
}

TEST_F(FigureEditing, ShiftClickSelectsAndDelDeletesOnlyThatLine) {
    ThreeLines();
    MapMouseDown(state, window, kRightButton, kShiftKey, 3000, 2990);  // any button with Shift
    EXPECT_EQ(f.SelectedLine, 3);
    // 135-twip squares centred on the ends (1000, 2000) and (3000, 3000).
    EXPECT_TRUE(f.Picture1[0].Visible && f.Picture1[1].Visible);
    EXPECT_EQ((Ends{f.Picture1[0].Left, f.Picture1[0].Top, f.Picture1[1].Left, f.Picture1[1].Top}),
              (Ends{932.5f, 1932.5f, 2932.5f, 2932.5f}));

    const LineElement third = f.Line1[3];
    MapMouseDown(state, window, kLeftButton, kShiftKey, 5000, 2000);
    for (int key : {8, 37, 38, 39, 40, 45}) Picture1_KeyDown(state, window, key);
    EXPECT_EQ(f.LineCount(), 3);
    f.SavedLineCount = 2;  // after the deletion as many lines as saved, but other ones: still changed
    Picture1_KeyDown(state, window, kDeleteKeyCode);
    Picture1_KeyDown(state, window, kDeleteKeyCode);  // the markers are gone: nothing more
    ASSERT_EQ(f.LineCount(), 2);
    EXPECT_EQ(RecordAt(f, 1), Line(0, 1));
    EXPECT_EQ(RecordAt(f, 2), Line(2, 3));
    EXPECT_EQ(EndsOf(f.Line1[2]), EndsOf(third));
    EXPECT_EQ(window.caption, kChanged);

    // Nor does Del while a line is being drawn, markers or not.
    MapMouseDown(state, window, kLeftButton, kShiftKey, 2000, 1000);
    Click(0);
    ASSERT_TRUE(f.Picture1[0].Visible && f.DrawingLine);
    Picture1_KeyDown(state, window, kDeleteKeyCode);
    EXPECT_EQ(f.CompletedLineCount(), 2);
}

TEST_F(FigureEditing, TheRubberBandFollowsThePointerOnASavedFigure) {
    ThreeLines();
    const std::vector<LineElement> before(f.Line1.begin(), f.Line1.end());
    MapMouseMove(state, window, 100, 200);  // not drawing: nothing happens
    MapMouseDown(state, window, kLeftButton, kShiftKey, 2000, 1000);
    const Projection start = Click(1);
    EXPECT_EQ(window.caption, kClean);  // no line added yet
    MapMouseMove(state, window, 4321, 1234);
    EXPECT_EQ(EndsOf(f.Line1[4]), (Ends{float(start.ProjX), float(start.ProjY), 4321, 1234}));
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(EndsOf(f.Line1[k]), EndsOf(before[k])) << k;
    EXPECT_FALSE(f.Picture1[0].Visible || f.Picture1[1].Visible);
    Click(3);
    EXPECT_EQ(RecordAt(f, 4), Line(1, 3));
    EXPECT_EQ(window.caption, kChanged);
}
