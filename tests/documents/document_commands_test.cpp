// The commands of the window through a scripted user: Open, Save, Save As, the
// unsaved-changes guard, the names menu and the toolbar; and the faults met on
// real files and data files: a message, and nothing lost.
#include <unistd.h>

#include <functional>
#include <random>

#include "commands/figure_edits.h"
#include "commands/map_editing.h"
#include "commands/menu_commands.h"
#include "commands/toolbar_commands.h"
#include "support/program_fixture.h"
#include "support/small_disk.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

namespace {

const std::string kTwoLines = "5919,741,5242,-820\r\n100,200,300,400\r\n";
constexpr size_t kNowhere = std::string::npos;

class DocumentCommands : public orvanta::testing::ProgramFixture {
protected:
    // Deletes line index as Shift, a click and Del do.
    void Delete(size_t index) {
        state.document.figure.Select(index);
        SelectionKeyDown(state, window, Key::Delete);
    }
    const std::string& LastMessage() const { return window.messages.back().text; }
    // The changed mark comes from the document, not the caption: a star in the name is no change.
    const std::string path = folder.Write("a*].con", kTwoLines);
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
    EXPECT_EQ(std::tuple(request.initialDirectory, request.fileMustExist, request.filters.size(), request.filters[0].patterns),
              std::tuple(folder.Dir(), true, 2u, std::vector<std::string>{"*.con"}));
    EXPECT_EQ(request.filters[1].patterns, (std::vector<std::string>{"index.json", "constellationship.fab"}));
    EXPECT_EQ(state.document.figure.Records(), (std::vector<LineRecord>{{5919, 741, 5242, -820}, {100, 200, 300, 400}}));
    EXPECT_EQ(window.caption, Caption(path));
    EXPECT_EQ(std::tuple(state.constellations.labels[88].text, state.boundaries.vertices[0].ra), std::tuple("Vul", 104));

    std::filesystem::create_directories(folder.File("sub"));
    Open(folder.Write("sub/b.con", ""));
    Open("");
    EXPECT_EQ(window.openRequests.back().initialDirectory, folder.File("sub") + "/");
    // A read-only program folder (installed) is no place to start, else home; only root could write there.
    if (geteuid() != 0) {
        state.lastFolder.clear();
        std::filesystem::permissions(folder.Dir(), std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
        Open("");
        EXPECT_EQ(window.openRequests.back().initialDirectory, std::string(getenv("HOME")));
        std::filesystem::permissions(folder.Dir(), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    }
}

TEST_F(DocumentCommands, SaveAsSwitchesTheFileAndSaveWritesIt) {
    Open(path);
    // Cancelled: nothing. A folder that does not exist: told that the figure is
    // still open as it was, and that folder is not where the next dialog starts.
    TempFolder elsewhere;
    window.saveAnswers = {"", elsewhere.Dir() + "missing/b.con"};
    SaveAsCommand(state, window);
    EXPECT_TRUE(window.messages.empty());
    SaveAsCommand(state, window);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(LastMessage().find(elsewhere.Dir() + "missing/b.con"), kNowhere);
    EXPECT_NE(LastMessage().find("still open as it was"), kNowhere) << LastMessage();
    EXPECT_EQ(window.caption, Caption(path));
    Open("");
    EXPECT_EQ(window.openRequests.back().initialDirectory, folder.Dir());

    DeleteFirstLine();
    const std::string other = folder.File("b.con");
    window.saveAnswers = {other};
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

// A save that fails says so, naming the file, and loses nothing: the old file
// whole, the figure and its mark kept. At close the window stays, to save
// elsewhere. (Every writer meets a full disk in hostile_targets_test.)
TEST_F(DocumentCommands, AFailedSaveLosesNothing) {
    const orvanta::testing::SmallDisk disk(folder.File("read-only"));
    std::filesystem::create_directories(folder.File("gone"));
    const std::pair<std::string, std::function<bool()>> cases[] = {
        {"read-only/figure.con", [&] { return disk.Mounted() && disk.MakeReadOnly(); }},
        {"gone/figure.con", [&] { return std::filesystem::remove_all(folder.File("gone")) > 0; }},
    };
    for (const auto& [name, spoil] : cases) {
        const std::string file = folder.Write(name, kTwoLines);
        Open(file);
        if (!spoil()) continue;  // no right to mount a small disk here
        DeleteFirstLine();
        window.messages.clear();
        SaveCommand(state, window);
        ASSERT_EQ(window.messages.size(), 1u) << name;
        EXPECT_NE(LastMessage().find(file), kNowhere) << LastMessage();
        if (std::filesystem::exists(file)) { EXPECT_EQ(TempFolder::Read(file), kTwoLines) << name; }
        EXPECT_EQ(state.document.figure.LineCount(), 1u);
        EXPECT_EQ(window.caption, Caption(file, true));
    }
    window.yesNoAnswers = {true};
    EXPECT_FALSE(MayClose(state, window));
    EXPECT_EQ(window.messages.size(), 2u);
    window.saveAnswers.push_back(folder.File("elsewhere.con"));
    SaveAsCommand(state, window);
    EXPECT_EQ(TempFolder::Read(folder.File("elsewhere.con")), "100,200,300,400\r\n");
    EXPECT_TRUE(MayClose(state, window));  // now clean: no question, the window closes
}

TEST_F(DocumentCommands, GuardAsksOnlyForAChangedFigure) {
    Open(path);
    window.yesNoAnswers = {true};
    EXPECT_TRUE(MayClose(state, window));  // clean, though the name has a star: nothing to ask
    EXPECT_TRUE(window.questions.empty());
    DeleteFirstLine();
    window.yesNoAnswers = {false, true};
    EXPECT_TRUE(MayClose(state, window));  // No: the window closes, the file untouched
    EXPECT_EQ(TempFolder::Read(path), kTwoLines);
    Open("");  // Yes: written before the open dialog, which is then cancelled
    EXPECT_EQ(TempFolder::Read(path), "100,200,300,400\r\n");
    EXPECT_EQ(window.caption, Caption(path));
    EXPECT_EQ(window.questions, std::vector<std::string>(2, "Warning: Do you want to save this document?"));
    EXPECT_TRUE(MayClose(state, window));
    // Undone back to the saved state: clean, no question either.
    Delete(0);
    UndoCommand(state, window);
    EXPECT_TRUE(MayClose(state, window));
    EXPECT_EQ(window.questions.size(), 2u);
}

// What Undo and Redo leave is what Save writes and Open reads back. Another
// program writing the file meanwhile is asked about before Save replaces
// that, and only Yes replaces it; our own saves ask nothing.
TEST_F(DocumentCommands, UndoneAndRedoneEditsReachTheFile) {
    Open(path);
    Delete(1);                    // 5919,741,5242,-820 left
    UndoCommand(state, window);   // both again
    Delete(0);                    // 100,200,300,400 left
    UndoCommand(state, window);
    RedoCommand(state, window);   // 100,200,300,400 left again
    folder.Write("a*].con", "1,2,3,4\r\n");
    window.yesNoAnswers = {false, true};
    SaveCommand(state, window);
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_NE(window.questions[0].find("Another program has changed this file"), kNowhere);
    EXPECT_EQ(TempFolder::Read(path), "1,2,3,4\r\n");
    EXPECT_TRUE(state.document.Changed());
    SaveCommand(state, window);
    EXPECT_EQ(TempFolder::Read(path), "100,200,300,400\r\n");
    UndoCommand(state, window);
    SaveCommand(state, window);  // the file is as we wrote it: no question
    EXPECT_EQ(TempFolder::Read(path), kTwoLines);
    RedoCommand(state, window);
    Open(path);  // the guard asks; the script answers No
    EXPECT_EQ(window.questions.size(), 3u);
    EXPECT_EQ(state.document.figure.Records(), (std::vector<LineRecord>{{5919, 741, 5242, -820}, {100, 200, 300, 400}}));
    EXPECT_FALSE(state.document.history.CanUndo());  // Open starts a fresh history
}

// A name ending in a blank is another file: saving under it never touches the file without the blank.
TEST_F(DocumentCommands, ANameIsKeptExactlyAsChosen) {
    Open(folder.Write("mine.con", "1,2,3,4\r\n"));
    window.saveAnswers = {path + " "};
    SaveAsCommand(state, window);
    EXPECT_EQ(TempFolder::Read(path), kTwoLines);
    EXPECT_EQ(TempFolder::Read(path + " "), "1,2,3,4\r\n");
    EXPECT_EQ(state.document.file, path + " ");
    Open(" " + path.substr(1));  // a leading blank is no path at all here: nothing opens
    EXPECT_EQ(state.document.file, path + " ");
}

// A figure file or a data file beside the program that cannot be read is
// reported, naming it, and changes nothing: the figure, the catalogue and the
// tables stay as they were. (What each reader refuses is met in file_reading_test.)
TEST_F(DocumentCommands, BadFilesAreReportedAndChangeNothing) {
    Open(path);
    std::string random(1u << 16, '\0');
    std::mt19937 bytes(7);
    for (char& c : random) c = static_cast<char>(bytes());
    const auto shown = [&] {
        return std::tuple(state.document.file, window.caption, state.document.figure.Records(), state.catalog.stars.size(),
                          state.catalog.stars.back().ra, state.constellations.labels[88].text, state.boundaries.vertices.size());
    };
    const auto before = shown();
    const std::tuple<const char*, std::string, const char*> cases[] = {
        {"bad.con", random, ""},
        {"bad.con", "1,2,3,4\r\n5,6,x,8\r\n", "line 2"},
        {"yale.dat", "6752,-1672,-144,1\r\n6399,-5270\r\n", "Loading Data Error. Check Destination of Application."},
        {"cons.txt", "1,40000,200,And,Andromeda\r\n", "cons.txt"},
        {"bounds.txt", "0,104,-7430\r\n1,104\r\n", "bounds.txt"},
    };
    for (const auto& [name, contents, mention] : cases) {
        const std::string kept = TempFolder::Read(folder.File(name));
        const std::string file = folder.Write(name, contents);
        window.messages.clear();
        if (name == std::string("yale.dat")) {
            EXPECT_FALSE(LoadCatalogueOrReport(state, window, 40));
            EXPECT_EQ(window.messages.at(0).icon, MessageIcon::Critical);
        } else {
            Open(name == std::string("bad.con") ? file : path);
        }
        ASSERT_EQ(window.messages.size(), 1u) << name;
        EXPECT_NE(LastMessage().find(mention), kNowhere) << LastMessage();
        EXPECT_NE(LastMessage().find(file), kNowhere) << LastMessage();
        EXPECT_EQ(shown(), before) << name;
        folder.Write(name, kept);
    }
}

// The user's orvanta.ini comes before the one beside the program; one that
// cannot be used is reported, and the English texts are shown.
TEST_F(DocumentCommands, TranslationFiles) {
    TempFolder config;
    folder.Write("orvanta.ini", "[GUI_Strings]\r\n100=Beside\r\n");
    EXPECT_EQ(FindIniPath(config.Dir(), folder.Dir()), folder.File("orvanta.ini"));
    config.Write("orvanta.ini", "[GUI_Strings]\r\n100=Mine\r\n");
    EXPECT_EQ(FindIniPath(config.Dir(), folder.Dir()), config.File("orvanta.ini"));
    EXPECT_EQ(FindIniPath("", folder.Dir()), folder.File("orvanta.ini"));

    state.strings.iniPath = folder.Write("orvanta.ini", "[GUI_Strings]\r\n112=" + std::string(2u << 20, 'x') + "\r\n");
    EXPECT_TRUE(LoadWindow(state, window, LocalDateTime{2024, 2, 15, 21, 0}));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(LastMessage().find("could not be used"), kNowhere);
    EXPECT_LT(LastMessage().size(), 400u);
    EXPECT_EQ(Text(state.strings, TextKey::Open), "Open...");
}

TEST_F(DocumentCommands, NamesMenu) {
    Open(path);
    const auto painted = [&](int mode) {  // the names the command paints
        window.canvas.calls.clear();
        ShowNames(state, window, mode);
        return window.canvas.Only("name");
    };
    const auto english = painted(3);
    ASSERT_FALSE(english.empty());
    EXPECT_EQ(state.constellations.labels[0].text, "Andromeda");
    const auto abbreviations = painted(1);
    ASSERT_EQ(abbreviations.size(), english.size());  // the same anchors
    for (const auto& t : abbreviations) EXPECT_EQ(t.text.size(), 3u) << t.text;
    EXPECT_TRUE(painted(0).empty());
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
