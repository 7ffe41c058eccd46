// Editing a figure with the mouse and the keyboard: star picking, chains of
// lines, the rubber band, cancelling, selecting and deleting.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "documents/document_commands.h"
#include "figure/keyboard_commands.h"
#include "figure/mouse_editing.h"
#include "support/scripted_window.h"

using namespace orvanta;
using orvanta::testing::ScriptedWindow;

namespace {

const std::string kIdleStatus =
    "Click on star by left mouse button to create new line, use Shift + left mouse button for selecting current lines.";
const std::string kDrawingStatus =
    "Click on star by left mouse button to create new line, use right mouse button to cancel this process.";
const std::string kSelectedStatus = "Selected line can be deleted only (press Del)";

using Ends = std::array<float, 4>;
Ends EndsOf(const LineElement& e) { return {e.X1, e.Y1, e.X2, e.Y2}; }

StarCatalog Catalog(std::initializer_list<std::pair<int32_t, int32_t>> positions) {
    StarCatalog c{{}, {}, {}, {}};
    for (const auto& [ra, dec] : positions) {
        c.StarRa.push_back(ra);
        c.StarDec.push_back(dec);
        c.StarMag.push_back(2.0f);
        c.StarColour.push_back(0);
    }
    return c;
}

class FigureEditing : public ::testing::Test {
protected:
    void SetUp() override {
        LoadDefaultGuiStrings(state.strings);
        ViewState& view = state.view;
        view.Latitude = 50.0f;
        UpdateLatitudeTerms(view);
        view.SiderealTime = 6.0f;
        view.ZoomUnit = 51;
        view.ScaleFactor = 2;
        view.CentreX = window.ClientWidthTwips() / 2.0f;
        // Well apart: more than the 20-unit pick box in RA or Dec.
        state.stars = Catalog({{6000, 2000}, {7000, 3000}, {5000, 4000}, {6500, 1000}});
        state.figure.CurrentFile = "/nowhere/figure.con";
        window.caption = CleanCaption();
    }

    std::string CleanCaption() const { return "Orvanta [" + state.figure.CurrentFile + "]"; }

    Projection Place(int star) const {
        Projection p;
        ProjectStar(state.view, state.stars.StarRa[star] / 1000.0, state.stars.StarDec[star] / 100.0, p);
        EXPECT_TRUE(p.ProjVisible);
        return p;
    }
    void Click(int star, int button = kLeftButton) {
        const Projection p = Place(star);
        MapMouseDown(state, window, button, 0, static_cast<float>(p.ProjX), static_cast<float>(p.ProjY));
    }
    FigureRecord Line(int a, int b) const {
        return {static_cast<int16_t>(state.stars.StarRa[a]), static_cast<int16_t>(state.stars.StarDec[a]),
                static_cast<int16_t>(state.stars.StarRa[b]), static_cast<int16_t>(state.stars.StarDec[b])};
    }
    // Three visible lines at hand-made places, as if drawn and placed.
    void ThreeLines() {
        ReplaceFigure(state.figure, {Line(0, 1), Line(1, 2), Line(2, 3)});
        state.figure.SavedLineCount = 3;
        state.figure.Line1[1] = {1000, 1000, 3000, 1000, true};  // horizontal
        state.figure.Line1[2] = {5000, 0, 5000, 4000, true};     // vertical
        state.figure.Line1[3] = {1000, 2000, 3000, 3000, true};  // sloping
    }

    Orvanta state;
    ScriptedWindow window;
};

}  // namespace

TEST(StarHitBox, FirstStarInCatalogueOrderWithinTheBox) {
    const StarCatalog c = Catalog({{1000, 1000}, {1010, 1000}, {23998, 0}, {3000, -8950}, {5000, 8901}});
    // Star 1 is nearer, but star 0 comes first.
    EXPECT_EQ(StarHitBox(c, {1015, 1000}), 0);
    EXPECT_EQ(StarHitBox(c, {1000, 1019.9}), 0);
    // The box is open: 20 units away no longer counts.
    EXPECT_EQ(StarHitBox(c, {1020, 1000}), 1);
    EXPECT_EQ(StarHitBox(c, {1030, 1000}), std::nullopt);
    EXPECT_EQ(StarHitBox(c, {1000, 1020}), std::nullopt);
    EXPECT_EQ(StarHitBox(c, {980, 1000}), std::nullopt);
    // RA does not wrap at 24 h.
    EXPECT_EQ(StarHitBox(c, {2, 0}), std::nullopt);
    EXPECT_EQ(StarHitBox(c, {23985, 5}), 2);
    // Inside a polar cap every star inside either cap matches.
    EXPECT_EQ(StarHitBox(c, {12000, 8950}), 3);
    EXPECT_EQ(StarHitBox(c, {12000, -8999}), 3);
    EXPECT_EQ(StarHitBox(c, {12000, 8900}), std::nullopt);
}

TEST_F(FigureEditing, ChainOfLinesThroughFourStars) {
    Click(0);
    EXPECT_TRUE(state.figure.DrawingLine);
    EXPECT_EQ(state.figure.LineCount(), 1);  // only the rubber band
    EXPECT_EQ(window.statusText, kDrawingStatus);
    EXPECT_EQ(window.caption, CleanCaption());  // starting a chain changes nothing yet

    Click(1);
    EXPECT_EQ(window.caption, "Orvanta [/nowhere/figure.con*]");
    Click(2);
    Click(3);

    FigureLines& f = state.figure;
    EXPECT_TRUE(f.DrawingLine);
    EXPECT_EQ(f.CompletedLineCount(), 3);
    ASSERT_EQ(f.LineCount(), 4);
    EXPECT_EQ(RecordAt(f, 1), (FigureRecord{6000, 2000, 7000, 3000}));
    EXPECT_EQ(RecordAt(f, 2), (FigureRecord{7000, 3000, 5000, 4000}));
    EXPECT_EQ(RecordAt(f, 3), (FigureRecord{5000, 4000, 6500, 1000}));
    // Each element joins the places of its record's stars; the band starts at the last.
    for (int k = 1; k <= 4; ++k) {
        const Projection a = Place(k - 1), b = Place(k < 4 ? k : 3);
        EXPECT_EQ(EndsOf(f.Line1[k]), (Ends{float(a.ProjX), float(a.ProjY), float(b.ProjX), float(b.ProjY)})) << k;
        EXPECT_TRUE(f.Line1[k].Visible);
    }
    EXPECT_EQ(window.statusText, kDrawingStatus);
}

TEST_F(FigureEditing, RightButtonCancelsTheRubberBand) {
    Click(0);
    Click(1);
    ASSERT_EQ(state.figure.CompletedLineCount(), 1);
    Click(2, kRightButton);  // a right click ends the chain wherever it lands
    FigureLines& f = state.figure;
    EXPECT_FALSE(f.DrawingLine);
    EXPECT_EQ(f.LineCount(), 1);
    EXPECT_EQ(f.CompletedLineCount(), 1);
    EXPECT_EQ(RecordAt(f, 1), (FigureRecord{6000, 2000, 7000, 3000}));
    EXPECT_EQ(f.StartY, -1);
    EXPECT_EQ(window.statusText, kIdleStatus);
}

TEST_F(FigureEditing, SameStarTwiceAndClicksOnNothing) {
    // Empty sky: no star, no line, no status change.
    MapMouseDown(state, window, kLeftButton, 0, 7500, 100);
    EXPECT_EQ(state.figure.LineCount(), 0);
    EXPECT_EQ(window.statusText, "");

    Click(2);
    Click(2);
    ASSERT_EQ(state.figure.CompletedLineCount(), 1);
    EXPECT_EQ(RecordAt(state.figure, 1), (FigureRecord{5000, 4000, 5000, 4000}));
}

TEST_F(FigureEditing, CaptionMarksOnlyAfterALineIsAddedToASavedFigure) {
    ThreeLines();
    Click(0);
    ASSERT_EQ(state.figure.LineCount(), 4);
    EXPECT_EQ(window.caption, CleanCaption());
    Click(3);
    ASSERT_EQ(state.figure.CompletedLineCount(), 4);
    EXPECT_EQ(RecordAt(state.figure, 4), Line(0, 3));
    EXPECT_EQ(window.caption, "Orvanta [/nowhere/figure.con*]");
}

TEST_F(FigureEditing, ShiftClickSelectsTheFirstVisibleLineWithinReach) {
    ThreeLines();
    EXPECT_EQ(FindLineAt(state.figure, 2000, 1079), 1);
    EXPECT_EQ(FindLineAt(state.figure, 2000, 921), 1);
    EXPECT_EQ(FindLineAt(state.figure, 2000, 1081), std::nullopt);
    EXPECT_EQ(FindLineAt(state.figure, 921, 1000), 1);     // past the end, within reach
    EXPECT_EQ(FindLineAt(state.figure, 919, 1000), std::nullopt);
    EXPECT_EQ(FindLineAt(state.figure, 5079, 2500), 2);    // vertical: any height along it
    EXPECT_EQ(FindLineAt(state.figure, 4921, 100), 2);
    EXPECT_EQ(FindLineAt(state.figure, 5081, 2500), std::nullopt);
    EXPECT_EQ(FindLineAt(state.figure, 2000, 2550), 3);    // on the slope y = 2000 + (x - 1000) / 2
    EXPECT_EQ(FindLineAt(state.figure, 2000, 2400), std::nullopt);

    state.figure.Line1[1].Visible = false;
    EXPECT_EQ(FindLineAt(state.figure, 2000, 1000), std::nullopt);

    // The rubber band is never selected.
    state.figure.Line1.push_back({8000, 8000, 9000, 8000, true});
    state.figure.DrawingLine = true;
    EXPECT_EQ(FindLineAt(state.figure, 8500, 8000), std::nullopt);
}

TEST_F(FigureEditing, SelectionShowsMarkersOnTheEnds) {
    ThreeLines();
    MapMouseDown(state, window, kRightButton, kShiftKey, 3000, 2990);  // any button with Shift
    FigureLines& f = state.figure;
    EXPECT_EQ(f.SelectedLine, 3);
    EXPECT_EQ(f.LineCount(), 3);  // nothing drawn or cancelled
    EXPECT_TRUE(f.Picture1[0].Visible && f.Picture1[1].Visible);
    // 135-twip squares centred on (1000, 2000) and (3000, 3000).
    EXPECT_EQ((Ends{f.Picture1[0].Left, f.Picture1[0].Top, f.Picture1[1].Left, f.Picture1[1].Top}),
              (Ends{932.5f, 1932.5f, 2932.5f, 2932.5f}));
    EXPECT_EQ(window.statusText.rfind(kSelectedStatus, 0), 0u);
    EXPECT_EQ(window.caption, CleanCaption());
}

TEST_F(FigureEditing, DelDeletesTheSelectedLineOnly) {
    ThreeLines();
    const LineElement third = state.figure.Line1[3];
    MapMouseDown(state, window, kLeftButton, kShiftKey, 5000, 2000);
    ASSERT_EQ(state.figure.SelectedLine, 2);

    // The file had two lines and one was added: after the deletion the count is
    // the file's again, but the lines differ, so the figure still counts as changed.
    state.figure.SavedLineCount = 2;
    for (int key : {8, 37, 38, 39, 40, 45}) Picture1_KeyDown(state, window, key);
    EXPECT_EQ(state.figure.LineCount(), 3);
    EXPECT_EQ(window.caption, CleanCaption());

    Picture1_KeyDown(state, window, kDeleteKeyCode);
    FigureLines& f = state.figure;
    ASSERT_EQ(f.LineCount(), 2);
    EXPECT_EQ(RecordAt(f, 1), Line(0, 1));
    EXPECT_EQ(RecordAt(f, 2), Line(2, 3));
    EXPECT_EQ(EndsOf(f.Line1[2]), EndsOf(third));
    EXPECT_EQ(window.caption, "Orvanta [/nowhere/figure.con*]");
    EXPECT_EQ(window.statusText, kIdleStatus);
    EXPECT_FALSE(f.Picture1[0].Visible || f.Picture1[1].Visible);

    // With the markers gone a second Del deletes nothing more.
    Picture1_KeyDown(state, window, kDeleteKeyCode);
    EXPECT_EQ(f.LineCount(), 2);

    // Nor does Del while a line is being drawn, markers or not.
    MapMouseDown(state, window, kLeftButton, kShiftKey, 2000, 1000);
    Click(0);
    ASSERT_TRUE(f.Picture1[0].Visible && f.DrawingLine);
    Picture1_KeyDown(state, window, kDeleteKeyCode);
    EXPECT_EQ(f.CompletedLineCount(), 2);
    EXPECT_TRUE(f.DrawingLine);
}

TEST_F(FigureEditing, MouseMoveStretchesOnlyTheRubberBand) {
    ThreeLines();
    const std::vector<LineElement> before(state.figure.Line1.begin(), state.figure.Line1.end());
    MapMouseMove(state, window, 100, 200);  // not drawing: nothing happens
    EXPECT_EQ(state.figure.LineCount(), 3);

    MapMouseDown(state, window, kLeftButton, kShiftKey, 2000, 1000);
    Click(1);
    ASSERT_EQ(state.figure.LineCount(), 4);
    ASSERT_TRUE(state.figure.Picture1[0].Visible);
    const int redraws = window.redraws;
    MapMouseMove(state, window, 4321, 1234);
    const FigureLines& f = state.figure;
    const Projection start = Place(1);
    EXPECT_EQ(EndsOf(f.Line1[4]), (Ends{float(start.ProjX), float(start.ProjY), 4321, 1234}));
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(EndsOf(f.Line1[k]), EndsOf(before[k])) << k;
    EXPECT_FALSE(f.Picture1[0].Visible || f.Picture1[1].Visible);
    EXPECT_EQ(window.redraws, redraws);
    EXPECT_EQ(f.CompletedLineCount(), 3);
}
