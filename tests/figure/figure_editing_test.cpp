// Editing a figure with the mouse and the keyboard: star picking, chains of
// lines, the rubber band, cancelling, selecting and deleting, and playing
// the edits back with Undo and Redo.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "commands/figure_edits.h"
#include "commands/map_editing.h"
#include "commands/window_state.h"
#include "map/figure_placement.h"
#include "map/layers.h"
#include "sky/star_pick.h"
#include "support/scripted_window.h"
#include "support/worked_view.h"

using namespace orvanta;

namespace {

const std::string kClean = "Orvanta [f.con]", kChanged = "Orvanta [f.con*]";

using Ends = std::array<float, 4>;
Ends EndsOf(const PlacedLine& e) { return {e.x1, e.y1, e.x2, e.y2}; }
// A place given in twips, as the window hands it over: in pixels.
PixelPoint At(float x, float y) { return {x * kPixelsPerTwip, y * kPixelsPerTwip}; }
constexpr Modifiers kShift{true, false, false}, kControl{false, true, false}, kNone{};

class FigureEditing : public ::testing::Test {
protected:
    void SetUp() override {
        state.view = orvanta::testing::WorkedView();
        // Well apart: more than the 20-unit pick box in RA or Dec.
        state.catalog.stars = {{6000, 2000, 1, {}}, {7000, 3000, 1, {}}, {5000, 4000, 1, {}}, {6500, 1000, 1, {}}};
        state.document.open = true;
        state.document.file = "f.con";
        RefreshWindowState(state, window);
    }

    // Clicks at the place of a star and gives that place.
    ScreenPoint Click(int star, MouseButton button = MouseButton::Left, Modifiers modifiers = kNone) {
        const Star& s = state.catalog.stars[star];
        const ScreenPoint p = *ProjectCatalogueUnits(state.view, s.ra, s.dec);
        MapMouseDown(state, window, button, modifiers, ToPixels(p));
        return p;
    }
    LineRecord Line(int a, int b) const {
        const auto& s = state.catalog.stars;
        return {int16_t(s[a].ra), int16_t(s[a].dec), int16_t(s[b].ra), int16_t(s[b].dec)};
    }
    // Three saved lines at hand-made places: horizontal, vertical, sloping.
    void ThreeLines() {
        f.ReplaceLines({Line(0, 1), Line(1, 2), Line(2, 3)});
        f.SetPlaced(0, {1000, 1000, 3000, 1000, true});
        f.SetPlaced(1, {5000, 0, 5000, 4000, true});
        f.SetPlaced(2, {1000, 2000, 3000, 3000, true});
    }
    // Every line lies where its record's stars are.
    void ExpectPlacedFromRecords() {
        ASSERT_EQ(f.PlacedLines().size(), f.Records().size());
        for (size_t i = 0; i < f.LineCount(); ++i)
            EXPECT_EQ(f.Placed(i), PlaceLine(state.view, f.Record(i))) << i;
    }

    ProgramState state;
    Figure& f = state.document.figure;
    orvanta::testing::ScriptedWindow window;
};

}  // namespace

TEST(StarHitBox, FirstStarInCatalogueOrderWithinTheOpenBox) {
    StarCatalog c;
    c.stars = {{1000, 1000, 0, {}}, {1010, 1000, 0, {}}, {23998, 0, 0, {}}, {3000, -8950, 0, {}}, {5000, 8901, 0, {}}};
    const std::tuple<double, double, std::optional<size_t>> cases[] = {
        {1015, 1000, 0},  // star 1 is nearer, but star 0 comes first
        {1000, 1019.9, 0}, {1020, 1000, 1}, {1030, 1000, {}},  // open: 20 units away no longer counts
        {1000, 1020, {}},  {980, 1000, {}}, {1000, 980, {}},
        {2, 0, {}},        {23985, 5, 2},  // RA does not wrap at 24 h
        {12000, 8950, 3},  {12000, -8999, 3}, {12000, 8900, {}},  // in a polar cap, any star in either cap
    };
    for (const auto& [ra, dec, star] : cases) EXPECT_EQ(StarHitBox(c, {ra, dec}), star) << ra << " " << dec;
    // The pick compares whole numbers; it must pick exactly what the open box in
    // doubles picks, on both sides of every edge and at whole-number pointers.
    c.stars = {{1000, -500, 0, {}}, {1040, -460, 0, {}}, {23999, 9000, 0, {}}};
    const auto inDoubles = [&](const CataloguePoint& p) -> std::optional<size_t> {
        for (size_t i = 0; i < c.stars.size(); ++i) {
            const double ra = c.stars[i].ra, dec = c.stars[i].dec;
            if (ra - 20 < p.ra && p.ra < ra + 20 && dec - 20 < p.dec && p.dec < dec + 20) return i;
        }
        return std::nullopt;
    };
    for (double ra = 970; ra <= 1070; ra += 0.25)
        for (double dec : {-520.0, -519.999, -500.5, -480.0, -479.75, -460.0, -440.0001, -440.0})
            for (double nudge : {0.0, 1e-9, -1e-9}) {
                const CataloguePoint p{ra + nudge, dec + nudge};
                ASSERT_EQ(StarHitBox(c, p), inDoubles(p)) << p.ra << " " << p.dec;
            }
}

TEST_F(FigureEditing, ChainOfLinesThroughTheStarsClicked) {
    MapMouseDown(state, window, MouseButton::Left, kNone, At(5000, 0));  // the zenith: no star, nothing happens
    EXPECT_FALSE(f.Drawing());
    std::vector<ScreenPoint> at{Click(0)};
    EXPECT_TRUE(f.Drawing());
    EXPECT_EQ(f.LineCount(), 0u);
    EXPECT_EQ(window.caption, kClean);  // starting a chain changes nothing yet
    at.push_back(Click(1));
    EXPECT_EQ(window.caption, kChanged);
    // The rubber band runs from the last star to the pointer.
    MapMouseMove(state, window, At(4320, 1230));
    EXPECT_EQ(EndsOf(f.Band()->line), (Ends{float(at[1].x), float(at[1].y), 4320, 1230}));
    // The start star again (a double click) stores no line of no length and keeps the chain going.
    Click(1);
    EXPECT_EQ(f.LineCount(), 1u);
    EXPECT_TRUE(f.Drawing());
    for (int star : {2, 3}) at.push_back(Click(star, MouseButton::Left, kControl));  // Ctrl changes nothing
    Click(0, MouseButton::Right);  // a right click ends the chain wherever it lands
    EXPECT_FALSE(f.Drawing());
    ASSERT_EQ(f.LineCount(), 3u);
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(f.Record(k), Line(int(k), int(k + 1))) << k;
        // Each line joins the places of its record's stars.
        EXPECT_EQ(EndsOf(f.Placed(k)), (Ends{float(at[k].x), float(at[k].y), float(at[k + 1].x), float(at[k + 1].y)}));
    }
    EXPECT_EQ(window.statusText.rfind("Click on star by left mouse button to create new line, use Shift", 0), 0u);
}

TEST_F(FigureEditing, FindLineAtTakesTheFirstVisibleLineWithinReach) {
    ThreeLines();
    // Reach is 80 twips across the line and past its ends; y on the slope is 2000 + (x - 1000) / 2.
    const std::tuple<float, float, std::optional<size_t>> cases[] = {
        {2000, 1079, 0}, {2000, 921, 0}, {2000, 1080, {}}, {921, 1000, 0}, {920, 1000, {}},
        {5079, 2500, 1}, {4921, 100, 1}, {5081, 2500, {}},  // vertical: any height along it
        {2000, 2550, 2}, {2000, 2400, {}}};
    for (const auto& [x, y, line] : cases) EXPECT_EQ(FindLineAt(f, x, y), line) << x << " " << y;
    f.SetPlaced(0, {1000, 1000, 3000, 1000, false});
    EXPECT_EQ(FindLineAt(f, 2000, 1000), std::nullopt);
    f.SetBand(RubberBand{0, 0, {8000, 8000, 9000, 8000, true}});  // the rubber band is never selected
    EXPECT_EQ(FindLineAt(f, 8500, 8000), std::nullopt);
}

TEST_F(FigureEditing, ShiftClickSelectsAndDelDeletesOnlyThatLine) {
    ThreeLines();
    MapMouseDown(state, window, MouseButton::Right, kShift, At(3000, 2990));  // any button with Shift
    EXPECT_EQ(f.Selection(), 2u);
    // 135-twip squares centred on the ends (1000, 2000) and (3000, 3000).
    const auto markers = SelectionMarkers(f);
    ASSERT_TRUE(markers);
    EXPECT_EQ((Ends{(*markers)[0].left, (*markers)[0].top, (*markers)[1].left, (*markers)[1].top}),
              (Ends{932.5f, 1932.5f, 2932.5f, 2932.5f}));

    const PlacedLine third = f.Placed(2);
    MapMouseDown(state, window, MouseButton::Left, kShift, At(5000, 2000));
    SelectionKeyDown(state, window, Key::Other);
    EXPECT_EQ(f.LineCount(), 3u);
    EXPECT_EQ(window.caption, kClean);
    SelectionKeyDown(state, window, Key::Delete);
    SelectionKeyDown(state, window, Key::Delete);  // the markers are gone: nothing more
    ASSERT_EQ(f.LineCount(), 2u);
    EXPECT_EQ(f.Record(0), Line(0, 1));
    EXPECT_EQ(f.Record(1), Line(2, 3));
    EXPECT_EQ(f.Placed(1), third);  // the lines after it keep their places
    EXPECT_EQ(window.caption, kChanged);
    EXPECT_FALSE(f.Selection());

    // Nor does Del while a line is being drawn, markers or not; moving while drawing hides them.
    MapMouseDown(state, window, MouseButton::Left, kShift, At(2000, 1000));
    Click(0);
    ASSERT_TRUE(f.Selection() && f.Drawing());
    SelectionKeyDown(state, window, Key::Delete);
    EXPECT_EQ(f.LineCount(), 2u);
    MapMouseMove(state, window, At(4320, 1230));
    EXPECT_FALSE(f.Selection());
}

TEST_F(FigureEditing, UndoAndRedoPlayTheStepsBackAndTheCleanMarkFollows) {
    Click(0);
    Click(1);
    Click(2);  // lines 0-1 and 1-2, drawing on from 2
    const std::vector<LineRecord> drawn = f.Records();
    EXPECT_TRUE(window.menuEnabled[MenuItem::Undo]);
    EXPECT_FALSE(window.menuEnabled[MenuItem::Redo]);
    UndoCommand(state, window);  // ends the drawing first, then takes back line 1-2
    EXPECT_FALSE(f.Drawing());
    EXPECT_EQ(f.Records(), std::vector<LineRecord>{Line(0, 1)});
    EXPECT_EQ(window.caption, kChanged);
    UndoCommand(state, window);
    EXPECT_TRUE(f.Records().empty());
    EXPECT_EQ(window.caption, kClean);  // back where the file was
    EXPECT_FALSE(window.menuEnabled[MenuItem::Undo]);
    UndoCommand(state, window);  // nothing more to undo
    RedoCommand(state, window);
    RedoCommand(state, window);
    EXPECT_EQ(f.Records(), drawn);
    ExpectPlacedFromRecords();
    EXPECT_FALSE(window.menuEnabled[MenuItem::Redo]);

    // A redone line is selected and deleted like one drawn by hand, and the deletion is a step too.
    const PlacedLine second = f.Placed(1);
    MapMouseDown(state, window, MouseButton::Left, kShift, At((second.x1 + second.x2) / 2, (second.y1 + second.y2) / 2));
    ASSERT_EQ(f.Selection(), 1u);
    SelectionKeyDown(state, window, Key::Delete);
    EXPECT_EQ(f.Records(), std::vector<LineRecord>{Line(0, 1)});
    state.document.history.MarkClean();  // as a save does
    RefreshWindowState(state, window);
    UndoCommand(state, window);
    EXPECT_EQ(f.Records(), drawn);
    EXPECT_EQ(window.caption, kChanged);  // moving away from the saved state marks it
    // A new step after an undo drops the redo and, with it, the saved state.
    Click(3);
    Click(0);
    EXPECT_FALSE(window.menuEnabled[MenuItem::Redo]);
    EXPECT_EQ(window.caption, kChanged);  // as many steps as the saved state, yet not it
    UndoCommand(state, window);
    EXPECT_EQ(f.Records(), drawn);
    EXPECT_EQ(window.caption, kChanged);
}

// Any sequence of drawing, deleting, undoing, redoing and replacing keeps every
// record paired with its placed line, and undoing everything restores the start.
TEST_F(FigureEditing, RecordsAndPlacedLinesNeverFallOutOfStep) {
    std::mt19937 random(11);
    const std::vector<LineRecord> start{Line(3, 2)};
    RecordEdit(state, window, FigureEdit{FigureEdit::Kind::ReplaceLines, 0, {}, {}, start});
    for (int step = 0; step < 400; ++step) {
        switch (random() % 6) {
            case 0: case 1: Click(int(random() % 4)); break;
            case 2: Click(0, MouseButton::Right); break;
            case 3:
                if (f.LineCount() > 0) {
                    const PlacedLine& line = f.Placed(random() % f.LineCount());
                    MapMouseDown(state, window, MouseButton::Left, kShift, At((line.x1 + line.x2) / 2, (line.y1 + line.y2) / 2));
                    SelectionKeyDown(state, window, Key::Delete);
                }
                break;
            case 4: UndoCommand(state, window); break;
            case 5: RedoCommand(state, window); break;
        }
        ASSERT_EQ(f.PlacedLines().size(), f.Records().size()) << step;
        ExpectPlacedFromRecords();
        for (const LineRecord& r : f.Records()) ASSERT_FALSE(r.ra1 == r.ra2 && r.dec1 == r.dec2) << step;
    }
    while (state.document.history.CanUndo()) UndoCommand(state, window);
    EXPECT_TRUE(f.Records().empty());
    RedoCommand(state, window);
    EXPECT_EQ(f.Records(), start);
    ExpectPlacedFromRecords();
}
