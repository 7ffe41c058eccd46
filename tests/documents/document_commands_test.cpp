// The commands of the window through a scripted user: Open, Save, Save As,
// the unsaved-changes guard, the names menu and the toolbar.
#include <unistd.h>

#include <algorithm>

#include "commands/figure_edits.h"
#include "commands/map_editing.h"
#include "commands/menu_commands.h"
#include "commands/toolbar_commands.h"
#include "support/program_fixture.h"

using namespace orvanta;
using namespace std::string_literals;
using orvanta::testing::TempFolder;

namespace {

const std::string kTwoLines = "5919,741,5242,-820\r\n100,200,300,400\r\n";

class DocumentCommands : public orvanta::testing::ProgramFixture {
protected:
    // Deletes line index as Shift, a click and Del do.
    void Delete(size_t index) {
        state.document.figure.Select(index);
        SelectionKeyDown(state, window, Key::Delete);
    }
    // Opens the figure of two lines and changes it by deleting the first.
    void OpenChanged() {
        Open(path);
        RecordEdit(state, window, FigureEdit{FigureEdit::Kind::DeleteLine, 0, state.document.figure.Record(0), {}, {}});
    }
    const std::string path = folder.Write("a.con", kTwoLines);
};

}  // namespace

TEST_F(DocumentCommands, OpenReadsTheFigureAndTheShippedTables) {
    Open(path);
    Open("");  // cancelled: the document stays
    EXPECT_EQ(state.document.file, path);
    // The first dialog starts in the program's folder, which is writable here; later ones where the last ended.
    EXPECT_EQ(window.openRequests.at(0).initialDirectory, folder.Dir());
    const FileDialogRequest& request = window.openRequests.at(1);
    // Figures first, then sky cultures by their main files.
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].description, "Constellation shapes");
    EXPECT_EQ(request.filters[0].patterns, std::vector<std::string>{"*.con"});
    EXPECT_EQ(request.filters[1].patterns, (std::vector<std::string>{"index.json", "constellationship.fab"}));
    EXPECT_EQ(request.title, "Open file...");
    EXPECT_EQ(request.initialDirectory, folder.Dir());
    EXPECT_TRUE(request.fileMustExist);
    EXPECT_EQ(state.document.figure.Records(), (std::vector<LineRecord>{{5919, 741, 5242, -820}, {100, 200, 300, 400}}));
    EXPECT_EQ(window.caption, Caption(path));

    const std::vector<ConstellationLabel>& labels = state.constellations.labels;
    EXPECT_EQ(labels[0].text, "And");
    EXPECT_EQ(labels[88].text, "Vul");
    EXPECT_EQ(std::count_if(labels.begin(), labels.end(), [](const auto& l) { return l.text == "Ser"; }), 2);
    EXPECT_EQ(state.boundaries.vertices[0].ra, 104);
    EXPECT_EQ(state.boundaries.vertices[0].dec, -7430);
}

TEST_F(DocumentCommands, SaveAsSwitchesTheFileAndSaveWritesIt) {
    OpenChanged();
    // Cancelled: nothing; then a folder that does not exist: told, and the figure stays as it was.
    const std::string other = folder.File("b.con");
    window.saveAnswers = {"", folder.File("missing/b.con"), other};
    SaveAsCommand(state, window);
    EXPECT_TRUE(window.messages.empty());
    SaveAsCommand(state, window);
    EXPECT_EQ(window.caption, Caption(path, true));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].text.find(folder.File("missing/b.con")), std::string::npos);
    SaveAsCommand(state, window);
    EXPECT_EQ(window.caption, Caption(other));
    EXPECT_EQ(TempFolder::Read(other), "100,200,300,400\r\n");
    EXPECT_EQ(TempFolder::Read(path), kTwoLines);

    Delete(0);
    EXPECT_EQ(window.caption, Caption(other, true));
    SaveCommand(state, window);
    EXPECT_EQ(TempFolder::Read(other), "");
    EXPECT_EQ(window.caption, Caption(other));
    // Undo back past the save: changed again, and the file keeps what was saved.
    UndoCommand(state, window);
    EXPECT_EQ(window.caption, Caption(other, true));
    EXPECT_EQ(TempFolder::Read(other), "");
}

// A folder is remembered only where a file was read or written; a failed Save
// As of an unchanged figure says that it is unchanged, as its caption does.
TEST_F(DocumentCommands, AFailedSaveAsLeavesTheFolderAndSaysWhatIsTrue) {
    Open(path);
    TempFolder elsewhere;
    window.saveAnswers = {elsewhere.Dir() + "missing/b.con"};
    SaveAsCommand(state, window);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].text.find("still open as it was"), std::string::npos) << window.messages[0].text;
    EXPECT_EQ(window.caption, Caption(path));
    Open("");
    EXPECT_EQ(window.openRequests.back().initialDirectory, folder.Dir());
}

TEST_F(DocumentCommands, GuardAsksOnlyForAChangedFigure) {
    OpenChanged();
    window.yesNoAnswers = {false, true};
    EXPECT_TRUE(MayClose(state, window));  // No: the window closes, the file untouched
    EXPECT_EQ(TempFolder::Read(path), kTwoLines);
    Open("");  // Yes: written before the open dialog, which is then cancelled
    EXPECT_EQ(TempFolder::Read(path), "100,200,300,400\r\n");
    EXPECT_EQ(window.caption, Caption(path));
    EXPECT_EQ(window.questions, std::vector<std::string>(2, "Warning: Do you want to save this document?"));
    EXPECT_TRUE(MayClose(state, window));  // clean: nothing to ask
    EXPECT_EQ(window.questions.size(), 2u);

    // Undone back to the saved state: clean, no question either.
    Delete(0);
    UndoCommand(state, window);
    EXPECT_TRUE(MayClose(state, window));
    EXPECT_EQ(window.questions.size(), 2u);
}

// The changed mark comes from the document, not the caption: a file name with a star is no change.
TEST_F(DocumentCommands, AStarInTheFileNameIsNotAChange) {
    const std::string starred = folder.Write("a*].con", kTwoLines);
    Open(starred);
    EXPECT_EQ(window.caption, Caption(starred));
    EXPECT_FALSE(state.document.Changed());
    window.yesNoAnswers = {true};
    EXPECT_TRUE(MayClose(state, window));
    EXPECT_TRUE(window.questions.empty());
}

// What Undo and Redo leave is what Save writes and Open reads back.
TEST_F(DocumentCommands, UndoneAndRedoneEditsReachTheFile) {
    Open(path);
    Delete(1);                    // 5919,741,5242,-820 left
    UndoCommand(state, window);   // both again
    Delete(0);                    // 100,200,300,400 left
    UndoCommand(state, window);
    RedoCommand(state, window);   // 100,200,300,400 left again
    SaveCommand(state, window);
    EXPECT_EQ(TempFolder::Read(path), "100,200,300,400\r\n");
    UndoCommand(state, window);
    Open(path);  // the guard asks; the script answers No
    EXPECT_EQ(state.document.figure.Records(), (std::vector<LineRecord>{{100, 200, 300, 400}}));
    EXPECT_FALSE(state.document.history.CanUndo());  // Open starts a fresh history
    EXPECT_EQ(window.questions.size(), 1u);
}

TEST_F(DocumentCommands, DialogsStartWhereTheLastEndedElseInAWritableProgramFolderElseHome) {
    std::filesystem::create_directories(folder.File("sub"));
    const std::string inSub = folder.Write("sub/b.con", "");
    Open(inSub);
    Open("");
    EXPECT_EQ(window.openRequests.at(1).initialDirectory, folder.File("sub") + "/");
    // A read-only program folder (installed) is no place to start; only root could write there.
    if (geteuid() != 0) {
        state.lastFolder.clear();
        std::filesystem::permissions(folder.Dir(), std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
        Open("");
        EXPECT_EQ(window.openRequests.back().initialDirectory, std::string(getenv("HOME")));
        std::filesystem::permissions(folder.Dir(), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    }
}

TEST_F(DocumentCommands, TheUsersTranslationComesBeforeTheOneBesideTheProgram) {
    TempFolder config;
    folder.Write("orvanta.ini", "[GUI_Strings]\r\n100=Beside\r\n");
    EXPECT_EQ(FindIniPath(config.Dir(), folder.Dir()), folder.File("orvanta.ini"));
    config.Write("orvanta.ini", "[GUI_Strings]\r\n100=Mine\r\n");
    EXPECT_EQ(FindIniPath(config.Dir(), folder.Dir()), config.File("orvanta.ini"));
    EXPECT_EQ(FindIniPath("", folder.Dir()), folder.File("orvanta.ini"));
}

TEST_F(DocumentCommands, NamesMenu) {
    Open(path);
    const auto painted = [&](const char* op, auto command) {  // what the command paints
        window.canvas.calls.clear();
        command();
        return window.canvas.Only(op);
    };
    const auto english = painted("name", [&] { ShowNames(state, window, 3); });
    ASSERT_FALSE(english.empty());
    EXPECT_EQ(state.constellations.labels[0].text, "Andromeda");
    const auto abbreviations = painted("name", [&] { ShowNames(state, window, 1); });
    ASSERT_EQ(abbreviations.size(), english.size());  // the same anchors
    for (const auto& t : abbreviations) EXPECT_EQ(t.text.size(), 3u) << t.text;
    EXPECT_TRUE(painted("name", [&] { ShowNames(state, window, 0); }).empty());
}

TEST_F(DocumentCommands, ToolbarZoomsAndMoves) {
    // Base = screen height / 225, limits base and 5 * base; steps of 1.5 rounded to even.
    const auto zoom = [&](ToolbarCommand command, std::initializer_list<int> units) {
        const ToolbarCommand other = command == ToolbarCommand::ZoomIn ? ToolbarCommand::ZoomOut : ToolbarCommand::ZoomIn;
        for (int expected : units) {
            RunToolbarCommand(state, window, command);
            EXPECT_EQ(state.view.zoom.unit, expected);
            EXPECT_TRUE(window.commandEnabled[other]);
        }
        EXPECT_FALSE(window.commandEnabled[command]);
    };
    Open(path);  // base 960 pixels = 14400 twips / 225 = 64
    zoom(ToolbarCommand::ZoomIn, {96, 144, 216, 320});  // 324 is past 320
    zoom(ToolbarCommand::ZoomOut, {213, 142, 95, 64});  // 63 is below 64
    window.screenHeightPixels = 765;
    Open(path);  // base 11475 / 225 = 51
    zoom(ToolbarCommand::ZoomIn, {76, 114, 171, 255});  // 76.5 rounds to even; 256 is past 255

    const float sidereal = state.view.observer.siderealTime;
    RunToolbarCommand(state, window, ToolbarCommand::MoveLeft);  // thirty degrees: two hours
    EXPECT_NEAR(state.view.observer.siderealTime, sidereal - 2, 1e-4);
    RunToolbarCommand(state, window, ToolbarCommand::MoveRight);
    EXPECT_EQ(state.view.observer.siderealTime, sidereal);
    RunToolbarCommand(state, window, ToolbarCommand::MoveUp);
    RunToolbarCommand(state, window, ToolbarCommand::MoveUp);
    EXPECT_FLOAT_EQ(state.view.observer.latitude, -40.0f);
    EXPECT_NEAR(state.view.observer.sinLatitude, -0.6427876, 1e-6);  // the redraw updates the latitude terms
}

TEST_F(DocumentCommands, MoreAndFewerStars) {
    Open(path);
    // Half a magnitude a step between 3.0 and 5.5. More reads down to the first
    // star fainter than the limit and paints only the new stars; fewer cuts
    // after the first star not brighter and redraws.
    constexpr ToolbarCommand more = ToolbarCommand::MoreStars, fewer = ToolbarCommand::FewerStars;
    const std::pair<ToolbarCommand, int> steps[] = {{more, 45},  {more, 50},  {more, 55},  {fewer, 50},
                                                    {fewer, 45}, {fewer, 40}, {fewer, 35}, {fewer, 30}};
    for (const auto& [button, tenths] : steps) {
        window.canvas.calls.clear();
        RunToolbarCommand(state, window, button);
        const std::vector<Star>& stars = state.catalog.stars;
        const float limit = tenths / 10.0f, before = stars[stars.size() - 2].magnitude, last = stars.back().magnitude;
        EXPECT_EQ(state.starLimit.tenths, tenths);
        EXPECT_TRUE(button == more ? before <= limit && limit < last : before < limit && limit <= last) << limit;
        EXPECT_EQ(window.canvas.Only("clear").size(), button == more ? 0u : 1u);
        EXPECT_FALSE(window.canvas.calls.empty());
        EXPECT_EQ(window.commandEnabled[more], tenths < 55);
        EXPECT_EQ(window.commandEnabled[fewer], tenths > 30);
    }
}
