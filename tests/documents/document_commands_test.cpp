// The commands of the window through a scripted user: Open, Save, Save As,
// the unsaved-changes guard, the names menu and the toolbar.
#include <algorithm>

#include "support/program_fixture.h"
#include "ui/menu_commands.h"
#include "ui/toolbar_commands.h"

using namespace orvanta;
using namespace std::string_literals;
using orvanta::testing::TempFolder;

namespace {

const std::string kTwoLines = "5919,741,5242,-820\r\n100,200,300,400\r\n";

class DocumentCommands : public orvanta::testing::ProgramFixture {
protected:
    // Opens the figure of two lines and marks it changed by deleting the first.
    void OpenChanged() {
        Open(path);
        DeleteLine(state.figure, 1);
        MarkDocumentChanged(state, window);
    }
    const std::string path = folder.Write("a.con", kTwoLines);
};

}  // namespace

TEST_F(DocumentCommands, OpenReadsTheFigureAndTheShippedTables) {
    Open(path);
    Open("");  // cancelled: the document stays
    EXPECT_EQ(state.figure.CurrentFile, path);
    const FileDialogRequest& request = window.openRequests.at(1);
    EXPECT_EQ(request.filter, "Constellation shapes (*.con)\0*.con\0"s);
    EXPECT_EQ(request.title, "Open file...");
    EXPECT_EQ(request.initialDirectory, folder.Dir());
    EXPECT_TRUE(request.fileMustExist);
    EXPECT_EQ(state.figure.SavedLineCount, 2);
    EXPECT_EQ(RecordAt(state.figure, 2), (FigureRecord{100, 200, 300, 400}));

    const std::vector<std::string>& labels = state.constellations.ConstellationLabel;
    EXPECT_EQ(labels[0], "And");
    EXPECT_EQ(labels[88], "Vul");
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "Ser"), 2);  // the serpent's head and tail
    EXPECT_EQ(state.boundaries.BoundaryRa[1], 104);
    EXPECT_EQ(state.boundaries.BoundaryDec[1], -7430);
}

TEST_F(DocumentCommands, SaveAsSwitchesTheFileAndSaveWritesIt) {
    OpenChanged();
    // Cancelled, then a folder that does not exist: silently nothing.
    const std::string other = folder.File("b.con");
    window.saveAnswers = {"", folder.File("missing/b.con"), other};
    mnuSaveAs_Click(state, window);
    mnuSaveAs_Click(state, window);
    EXPECT_EQ(window.caption, Caption(path, true));
    EXPECT_TRUE(window.messages.empty());
    mnuSaveAs_Click(state, window);
    EXPECT_EQ(window.caption, Caption(other));
    EXPECT_EQ(TempFolder::Read(other), "100,200,300,400\r\n");
    EXPECT_EQ(TempFolder::Read(path), kTwoLines);

    DeleteLine(state.figure, 1);
    MarkDocumentChanged(state, window);
    mnuSave_Click(state, window);
    EXPECT_EQ(TempFolder::Read(other), "");
    EXPECT_EQ(window.caption, Caption(other));
    EXPECT_EQ(state.figure.SavedLineCount, 0);
}

TEST_F(DocumentCommands, GuardAsksOnlyForAChangedNamedFigure) {
    OpenChanged();
    window.yesNoAnswers = {false, true};
    EXPECT_TRUE(Form_QueryUnload(state, window));  // No: the window closes, the file untouched
    EXPECT_EQ(TempFolder::Read(path), kTwoLines);
    Open("");  // Yes: written before the open dialog, which is then cancelled
    EXPECT_EQ(TempFolder::Read(path), "100,200,300,400\r\n");
    EXPECT_EQ(window.caption, Caption(path));
    EXPECT_EQ(window.questions, std::vector<std::string>(2, "Warning: Do you want to save this document?"));

    EXPECT_TRUE(Form_QueryUnload(state, window));  // clean: nothing to ask
    // A changed caption without a file to write: nothing to ask either.
    state.figure.CurrentFile.clear();
    window.caption = "Orvanta [x*]";
    EXPECT_TRUE(Form_QueryUnload(state, window));
    EXPECT_EQ(window.questions.size(), 2u);
}

TEST_F(DocumentCommands, NamesMenu) {
    Open(path);
    const auto painted = [&](const char* op, auto command) {  // what the command paints
        window.canvas.calls.clear();
        command();
        return window.canvas.Only(op);
    };
    const auto english = painted("text", [&] { mnuConstel_Click(state, window, 3); });
    ASSERT_FALSE(english.empty());
    EXPECT_EQ(state.constellations.ConstellationLabel[0], "Andromeda");
    const auto abbreviations = painted("text", [&] { mnuConstel_Click(state, window, 1); });
    ASSERT_EQ(abbreviations.size(), english.size());  // the same anchors
    for (const auto& t : abbreviations) EXPECT_EQ(t.text.size(), 3u) << t.text;
    EXPECT_TRUE(painted("text", [&] { mnuConstel_Click(state, window, 0); }).empty());
}

TEST_F(DocumentCommands, ToolbarZoomsAndMoves) {
    // Base = screen height / 225, limits base and 5 * base; steps of 1.5 rounded to even.
    const auto zoom = [&](int button, std::initializer_list<int> units) {
        for (int expected : units) {
            Toolbar1_ButtonClick(state, window, button);
            EXPECT_EQ(state.view.ZoomUnit, expected);
            EXPECT_TRUE(window.buttonEnabled[button == kZoomIn ? kZoomOut : kZoomIn]);
        }
        EXPECT_FALSE(window.buttonEnabled[button]);
    };
    Open(path);  // base 14400 / 225 = 64
    zoom(kZoomIn, {96, 144, 216, 320});  // 324 is past 320
    zoom(kZoomOut, {213, 142, 95, 64});  // 63 is below 64
    window.screenHeightTwips = 11475;
    Open(path);  // base 11475 / 225 = 51
    zoom(kZoomIn, {76, 114, 171, 255});  // 76.5 rounds to even; 256 is past 255

    const float sidereal = state.view.SiderealTime;
    Toolbar1_ButtonClick(state, window, kMoveLeft);  // thirty degrees: two hours
    EXPECT_NEAR(state.view.SiderealTime, sidereal - 2, 1e-4);
    Toolbar1_ButtonClick(state, window, kMoveRight);
    EXPECT_EQ(state.view.SiderealTime, sidereal);
    Toolbar1_ButtonClick(state, window, kMoveUp);
    Toolbar1_ButtonClick(state, window, kMoveUp);
    EXPECT_FLOAT_EQ(state.view.Latitude, -40.0f);
    EXPECT_NEAR(state.view.SinLatitude, -0.6427876, 1e-6);  // the redraw updates the latitude terms
}

TEST_F(DocumentCommands, MoreAndFewerStars) {
    Open(path);
    // Half a magnitude a step between 3.0 and 5.5. More reads down to the first
    // star fainter than the limit and paints only the new stars; fewer cuts
    // after the first star not brighter and redraws.
    const std::pair<int, int> steps[] = {{kMoreStars, 45},  {kMoreStars, 50},  {kMoreStars, 55},  {kFewerStars, 50},
                                         {kFewerStars, 45}, {kFewerStars, 40}, {kFewerStars, 35}, {kFewerStars, 30}};
    for (const auto& [button, tenths] : steps) {
        window.canvas.calls.clear();
        Toolbar1_ButtonClick(state, window, button);
        const std::vector<float>& mags = state.stars.StarMag;
        const float limit = tenths / 10.0f, before = mags[mags.size() - 2], last = mags.back();
        EXPECT_EQ(state.view.MagLimitTenths, tenths);
        EXPECT_TRUE(button == kMoreStars ? before <= limit && limit < last : before < limit && limit <= last) << limit;
        EXPECT_EQ(window.canvas.Only("clear").size(), button == kMoreStars ? 0u : 1u);
        EXPECT_FALSE(window.canvas.calls.empty());
        EXPECT_EQ(window.buttonEnabled[kMoreStars], tenths < 55);
        EXPECT_EQ(window.buttonEnabled[kFewerStars], tenths > 30);
    }
}
