// The commands of the window through a scripted user: Open, Save, Save As,
// the unsaved-changes guard, the View menu, the toolbar and About.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/startup.h"
#include "documents/document_commands.h"
#include "map/layers.h"
#include "support/scripted_window.h"
#include "support/temp_folder.h"
#include "ui/menu_commands.h"
#include "ui/toolbar_commands.h"

using namespace orvanta;
using namespace std::string_literals;
using orvanta::testing::CanvasCall;
using orvanta::testing::ScriptedWindow;
using orvanta::testing::TempFolder;

namespace {

const std::string kIdleStatus =
    "Click on star by left mouse button to create new line, use Shift + left mouse button for selecting current lines.";

class DocumentCommands : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"cons.txt", "bounds.txt", "yale.dat"})
            std::filesystem::copy_file(std::string(ORVANTA_DATA_DIR) + "/" + name, folder.File(name));
        Main(state, folder.Dir(), LocalDateTime{2024, 2, 15, 21, 0});
        ASSERT_FALSE(LoadCatalogue(state.stars, folder.File("yale.dat"), 40).failed);
    }

    void Open(const std::string& path) {
        window.openAnswers.push_back(path);
        mnuOpen_Click(state, window);
    }
    // Opens a figure of two lines and marks it changed by deleting the first.
    std::string OpenChanged(const std::string& path) {
        Open(path);
        DeleteLine(state.figure, 1);
        MarkDocumentChanged(state, window);
        return path;
    }
    // What the last full redraw painted.
    std::vector<CanvasCall> LastPicture(const std::string& op) const {
        const auto& calls = window.canvas.calls;
        auto it = std::find_if(calls.rbegin(), calls.rend(), [](const CanvasCall& c) { return c.op == "clear"; });
        std::vector<CanvasCall> out;
        for (auto at = it.base(); at != calls.end(); ++at)
            if (at->op == op) out.push_back(*at);
        return out;
    }
    std::string TwoLines(const std::string& name = "a.con") {
        return folder.Write(name, "5919,741,5242,-820\r\n100,200,300,400\r\n");
    }
    std::string Caption(const std::string& path, bool changed = false) {
        return "Orvanta [" + path + (changed ? "*]" : "]");
    }

    TempFolder folder;
    Orvanta state;
    ScriptedWindow window;
};

}  // namespace

TEST_F(DocumentCommands, OpenShowsTheFigure) {
    const std::string path = TwoLines();
    Open(path);
    EXPECT_EQ(window.caption, Caption(path));
    EXPECT_TRUE(window.backgroundBlack);
    for (MenuItem item : {MenuItem::Save, MenuItem::SaveAs, MenuItem::View}) EXPECT_TRUE(window.menuEnabled[item]);
    for (int button = 1; button <= 10; ++button) EXPECT_EQ(window.buttonEnabled[button], button != 10) << button;
    EXPECT_EQ(window.statusText, kIdleStatus);
    EXPECT_TRUE(window.messages.empty());

    ASSERT_EQ(window.openRequests.size(), 1u);
    const FileDialogRequest& request = window.openRequests[0];
    EXPECT_EQ(request.filter, "Constellation shapes (*.con)\0*.con\0"s);
    EXPECT_EQ(request.title, "Open file...");
    EXPECT_EQ(request.initialDirectory, folder.Dir());
    EXPECT_TRUE(request.fileMustExist);

    EXPECT_EQ(state.figure.SavedLineCount, 2);
    EXPECT_EQ(RecordAt(state.figure, 2), (FigureRecord{100, 200, 300, 400}));
    EXPECT_EQ(state.constellations.ConstellationLabel[0], "And");
    EXPECT_GT(state.boundaries.UpperBound(), 0);
    EXPECT_FALSE(LastPicture("circle").empty());
}

TEST_F(DocumentCommands, OpenCancelledOrMalformedKeepsTheDocument) {
    const std::string path = TwoLines();
    Open(path);
    Open("");  // cancelled
    EXPECT_EQ(state.figure.CurrentFile, path);
    EXPECT_TRUE(window.messages.empty());

    const std::string bad = folder.Write("bad.con", "1,2,3,4\r\n5,6,x,8\r\n");
    Open(bad);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].text.find(bad), std::string::npos);
    EXPECT_NE(window.messages[0].text.find("line 2"), std::string::npos);
    EXPECT_EQ(window.caption, Caption(path));
    EXPECT_EQ(state.figure.CurrentFile, path);
    EXPECT_EQ(state.figure.CompletedLineCount(), 2);
    EXPECT_EQ(RecordAt(state.figure, 1), (FigureRecord{5919, 741, 5242, -820}));
}

TEST_F(DocumentCommands, MissingReferenceFilesAreReportedAndOpenGoesOn) {
    for (const char* name : {"cons.txt", "bounds.txt"}) {
        SCOPED_TRACE(name);
        std::filesystem::rename(folder.File(name), folder.File("moved"));
        window.messages.clear();
        const std::string path = TwoLines(std::string(name) + ".con");
        Open(path);
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].text.rfind("Loading Data Error. Check Destination of Application.", 0), 0u);
        EXPECT_NE(window.messages[0].text.find(folder.File(name)), std::string::npos);
        EXPECT_EQ(state.figure.CurrentFile, path);
        EXPECT_EQ(window.caption, Caption(path));
        std::filesystem::rename(folder.File("moved"), folder.File(name));
    }
}

TEST_F(DocumentCommands, SaveWritesAndCleansTheCaption) {
    const std::string path = OpenChanged(TwoLines());
    ASSERT_EQ(window.caption, Caption(path, true));
    mnuSave_Click(state, window);
    EXPECT_EQ(TempFolder::Read(path), "100,200,300,400\r\n");
    EXPECT_EQ(window.caption, Caption(path));
    EXPECT_EQ(state.figure.SavedLineCount, 1);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(DocumentCommands, FailedWritesKeepTheFigureMarked) {
    std::filesystem::create_directory(folder.File("gone"));
    const std::string path = OpenChanged(TwoLines("gone/a.con"));
    std::filesystem::remove_all(folder.File("gone"));
    mnuSave_Click(state, window);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].text.find(path), std::string::npos);
    EXPECT_EQ(window.caption, Caption(path, true));
    EXPECT_EQ(state.figure.CompletedLineCount(), 1);

    // Closing: Yes with a failing write keeps the window open; No lets it close.
    window.yesNoAnswers = {true, false};
    EXPECT_FALSE(Form_QueryUnload(state, window));
    EXPECT_EQ(window.messages.size(), 2u);
    EXPECT_TRUE(Form_QueryUnload(state, window));
    EXPECT_EQ(window.caption, Caption(path, true));
}

TEST_F(DocumentCommands, SaveAsSwitchesTheFile) {
    const std::string path = OpenChanged(TwoLines());
    const std::string other = folder.File("b.con");

    window.saveAnswers.push_back("");  // cancelled
    mnuSaveAs_Click(state, window);
    EXPECT_EQ(state.figure.CurrentFile, path);
    EXPECT_EQ(window.caption, Caption(path, true));

    window.saveAnswers.push_back(folder.File("missing/b.con"));  // cannot be written
    mnuSaveAs_Click(state, window);
    EXPECT_EQ(state.figure.CurrentFile, path);
    EXPECT_EQ(window.caption, Caption(path, true));
    EXPECT_FALSE(std::filesystem::exists(folder.File("missing")));
    EXPECT_TRUE(window.messages.empty());

    window.saveAnswers.push_back(other);
    mnuSaveAs_Click(state, window);
    EXPECT_EQ(state.figure.CurrentFile, other);
    EXPECT_EQ(window.caption, Caption(other));
    EXPECT_EQ(TempFolder::Read(other), "100,200,300,400\r\n");
    EXPECT_EQ(TempFolder::Read(path), "5919,741,5242,-820\r\n100,200,300,400\r\n");
}

TEST_F(DocumentCommands, GuardAsksOnlyForAChangedNamedFigure) {
    const std::string path = TwoLines();
    const std::string original = TempFolder::Read(path);
    Open(path);
    EXPECT_TRUE(Form_QueryUnload(state, window));  // clean
    EXPECT_TRUE(window.questions.empty());

    OpenChanged(path);
    window.yesNoAnswers = {false};
    EXPECT_TRUE(Form_QueryUnload(state, window));
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_EQ(window.questions[0], "Warning: Do you want to save this document?");
    EXPECT_EQ(TempFolder::Read(path), original);

    window.yesNoAnswers = {true};
    EXPECT_TRUE(Form_QueryUnload(state, window));
    EXPECT_EQ(TempFolder::Read(path), "100,200,300,400\r\n");

    // A changed caption without a file to write: nothing to ask.
    window.questions.clear();
    state.figure.CurrentFile.clear();
    window.caption = "Orvanta [x*]";
    EXPECT_TRUE(Form_QueryUnload(state, window));
    EXPECT_TRUE(window.questions.empty());
}

TEST_F(DocumentCommands, NamesAndBoundsMenus) {
    Open(TwoLines());
    mnuConstel_Click(state, window, 3);
    EXPECT_EQ(state.constellations.ConstellationLabel[0], "Andromeda");
    EXPECT_EQ(state.constellations.ConstellationLabel[88], "The Fox");
    const auto english = LastPicture("text");
    ASSERT_FALSE(english.empty());
    for (const CanvasCall& t : english) EXPECT_EQ(t.colour, kLabelColour);

    mnuConstel_Click(state, window, 1);
    EXPECT_EQ(state.constellations.ConstellationLabel[0], "And");
    const auto abbreviations = LastPicture("text");
    ASSERT_EQ(abbreviations.size(), english.size());  // the same anchors
    for (const CanvasCall& t : abbreviations) EXPECT_EQ(t.text.size(), 3u) << t.text;

    ASSERT_FALSE(window.IsMenuChecked(MenuItem::Bounds));
    EXPECT_TRUE(LastPicture("line").empty());
    const int redraws = window.redraws;
    mnuBounds_Click(state, window);
    EXPECT_TRUE(window.IsMenuChecked(MenuItem::Bounds));
    EXPECT_EQ(window.redraws, redraws + 1);
    EXPECT_FALSE(LastPicture("line").empty());
    mnuBounds_Click(state, window);
    EXPECT_FALSE(window.IsMenuChecked(MenuItem::Bounds));
    EXPECT_TRUE(LastPicture("line").empty());
}

TEST_F(DocumentCommands, ZoomStepsAndLimits) {
    // Base = screen height / 225, limits base and 5 * base; steps of 1.5 rounded to even.
    const auto zoom = [&](int button, std::initializer_list<int> units) {
        for (int expected : units) {
            Toolbar1_ButtonClick(state, window, button);
            EXPECT_EQ(state.view.ZoomUnit, expected);
            EXPECT_TRUE(window.buttonEnabled[button == kZoomIn ? kZoomOut : kZoomIn]);
        }
        EXPECT_FALSE(window.buttonEnabled[button]);
    };
    Open(TwoLines());
    ASSERT_EQ(state.view.ZoomUnit, 64);  // 14400 / 225
    zoom(kZoomIn, {96, 144, 216, 320});   // 324 is past 320
    zoom(kZoomOut, {213, 142, 95, 64});   // 63 is below 64

    window.screenHeightTwips = 11475;
    Open(TwoLines());
    ASSERT_EQ(state.view.ZoomUnit, 51);
    zoom(kZoomIn, {76, 114, 171, 255});   // 76.5 rounds to even; 256 is past 255
}

TEST_F(DocumentCommands, MovingTheView) {
    Open(TwoLines());
    Toolbar1_ButtonClick(state, window, kMoveUp);
    Toolbar1_ButtonClick(state, window, kMoveUp);
    EXPECT_FLOAT_EQ(state.view.Latitude, -40.0f);
    EXPECT_NEAR(state.view.SinLatitude, std::sin(-40.0 * M_PI / 180), 1e-6);
    Toolbar1_ButtonClick(state, window, kMoveUp);
    EXPECT_FLOAT_EQ(state.view.Latitude, -85.0f);

    const float sidereal = state.view.SiderealTime;
    Toolbar1_ButtonClick(state, window, kMoveLeft);
    Toolbar1_ButtonClick(state, window, kMoveRight);
    EXPECT_EQ(state.view.SiderealTime, sidereal);
}

TEST_F(DocumentCommands, AboutTextStartsWithTitleAndVersion) {
    EXPECT_EQ(AboutText(state).rfind("Orvanta v1.4\r\n\r\n", 0), 0u);
}

TEST_F(DocumentCommands, MoreAndFewerStars) {
    Open(TwoLines());
    const size_t clears = window.canvas.Only("clear").size();
    for (float limit : {4.5f, 5.0f, 5.5f}) {
        const size_t calls = window.canvas.calls.size();
        Toolbar1_ButtonClick(state, window, kMoreStars);
        const StarCatalog& c = state.stars;
        EXPECT_FLOAT_EQ(state.view.MagLimitTenths / 10.0f, limit);
        EXPECT_GT(c.StarMag.back(), limit);
        EXPECT_LE(c.StarMag[c.UpperBound() - 1], limit);
        // The new stars are painted over the picture already there, without clearing it.
        EXPECT_GT(window.canvas.calls.size(), calls);
        EXPECT_EQ(window.canvas.Only("clear").size(), clears);
        EXPECT_TRUE(window.buttonEnabled[kFewerStars]);
        EXPECT_EQ(window.buttonEnabled[kMoreStars], limit < 5.5f);
    }

    for (float limit : {5.0f, 4.5f, 4.0f, 3.5f, 3.0f}) {
        Toolbar1_ButtonClick(state, window, kFewerStars);
        const StarCatalog& c = state.stars;
        EXPECT_FLOAT_EQ(state.view.MagLimitTenths / 10.0f, limit);
        EXPECT_GE(c.StarMag.back(), limit);
        EXPECT_LT(c.StarMag[c.UpperBound() - 1], limit);
        EXPECT_TRUE(window.buttonEnabled[kMoreStars]);
        EXPECT_EQ(window.buttonEnabled[kFewerStars], limit > 3.0f);
    }
}

