// Faults met on real files: a message, nothing lost, records and line
// elements always paired.
#include <sys/mount.h>
#include <unistd.h>

#include <fstream>
#include <random>

#include "commands/figure_edits.h"
#include "commands/menu_commands.h"
#include "map/layers.h"
#include "support/program_fixture.h"

using namespace orvanta;
using orvanta::testing::ProgramFixture;
using orvanta::testing::RecordingCanvas;
using orvanta::testing::TempFolder;

namespace {

const std::string kTwoLines = "5919,741,5242,-820\r\n100,200,300,400\r\n";

// A small tmpfs of its own, for a full or read-only disk. Needs the right to mount.
class SmallDisk {
public:
    explicit SmallDisk(const std::string& path) : path_(path) {
        std::filesystem::create_directories(path);
        mounted_ = ::mount("tmpfs", path.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount(path_.c_str());
    }
    bool Mounted() const { return mounted_; }
    bool MakeReadOnly() { return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") == 0; }
    void Fill() {
        std::ofstream filler(path_ + "/filler", std::ios::binary);
        const std::string block(4096, 'x');
        for (int i = 0; i < 32 && filler; ++i) filler << block;
    }

private:
    std::string path_;
    bool mounted_ = false;
};

class Faults : public ProgramFixture {
protected:
    void DeleteFirstLine() {
        RecordEdit(state, window, FigureEdit{FigureEdit::Kind::DeleteLine, 0, state.document.figure.Record(0), {}, {}});
    }
    // Opens a figure at path, deletes a line, saves, and checks what must hold
    // after a failed save: a message, the old file whole, the figure kept, the mark.
    void ExpectSaveFailureLosesNothing(const std::string& path, const std::string& oldContents) {
        ASSERT_EQ(state.document.file, path);
        DeleteFirstLine();
        SaveCommand(state, window);
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_NE(window.messages[0].text.find(path), std::string::npos);
        if (std::filesystem::exists(path)) {
            EXPECT_EQ(TempFolder::Read(path), oldContents);
        }
        EXPECT_EQ(state.document.figure.LineCount(), 1u);
        EXPECT_EQ(window.caption, Caption(path, true));
    }
};

TEST_F(Faults, SaveToAFullDiskKeepsTheOldFileAndTheFigure) {
    SmallDisk disk(folder.File("disk"));
    if (!disk.Mounted()) GTEST_SKIP() << "no right to mount a small disk here";
    const std::string path = folder.File("disk") + "/figure.con";
    std::ofstream(path, std::ios::binary) << kTwoLines;
    Open(path);
    disk.Fill();
    // A figure larger than what is left of the disk.
    std::vector<LineRecord> many(3000, LineRecord{23999, -8999, 23999, -8999});
    RecordEdit(state, window, FigureEdit{FigureEdit::Kind::ReplaceLines, 0, {}, state.document.figure.Records(), many});
    SaveCommand(state, window);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(TempFolder::Read(path), kTwoLines);
    EXPECT_EQ(state.document.figure.LineCount(), 3000u);
    EXPECT_TRUE(state.document.Changed());
    for (const auto& entry : std::filesystem::directory_iterator(folder.File("disk")))
        EXPECT_TRUE(entry.path().filename() == "figure.con" || entry.path().filename() == "filler") << entry.path();
}

TEST_F(Faults, SaveToAReadOnlyDiskOrARemovedFolder) {
    SmallDisk disk(folder.File("disk"));
    if (disk.Mounted()) {
        const std::string path = folder.File("disk") + "/figure.con";
        std::ofstream(path, std::ios::binary) << kTwoLines;
        Open(path);
        ASSERT_TRUE(disk.MakeReadOnly());
        ExpectSaveFailureLosesNothing(path, kTwoLines);
        window.messages.clear();
    }
    std::filesystem::create_directories(folder.File("gone"));
    const std::string path = folder.Write("gone/figure.con", kTwoLines);
    Open(path);
    std::filesystem::remove_all(folder.File("gone"));
    ExpectSaveFailureLosesNothing(path, kTwoLines);
}

TEST_F(Faults, AFailedSaveAtCloseKeepsTheWindowToSaveElsewhere) {
    std::filesystem::create_directories(folder.File("gone"));
    const std::string path = folder.Write("gone/figure.con", kTwoLines);
    Open(path);
    DeleteFirstLine();
    std::filesystem::remove_all(folder.File("gone"));
    window.yesNoAnswers = {true};
    EXPECT_FALSE(MayClose(state, window));
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(state.document.figure.LineCount(), 1u);
    window.saveAnswers.push_back(folder.File("elsewhere.con"));
    SaveAsCommand(state, window);
    EXPECT_EQ(TempFolder::Read(folder.File("elsewhere.con")), "100,200,300,400\r\n");
    EXPECT_TRUE(MayClose(state, window));  // now clean: no question, the window closes
}

TEST_F(Faults, FilesThatAreNotFiguresLeaveTheFigureAsItWas) {
    const std::string good = folder.Write("good.con", kTwoLines);
    std::string random(100u << 20, '\0');
    std::mt19937 bytes(7);
    for (char& c : random) c = static_cast<char>(bytes());
    std::string tooMany;
    for (int i = 0; i < 32768; ++i) tooMany += "1,2,3,4\r\n";
    const std::string bad[] = {folder.Write("random.con", random), folder.Write("wide.con", "1,2,3,32768\r\n"),
                               folder.Write("many.con", tooMany), folder.Write("three.con", "1,2,3\r\n")};
    Open(good);
    for (const std::string& path : bad) {
        window.messages.clear();
        Open(path);
        ASSERT_EQ(window.messages.size(), 1u) << path;
        EXPECT_NE(window.messages[0].text.find(path), std::string::npos);
        EXPECT_EQ(state.document.file, good);
        EXPECT_EQ(state.document.figure.LineCount(), 2u);
        EXPECT_EQ(state.document.figure.Record(1), (LineRecord{100, 200, 300, 400}));
    }
}

TEST_F(Faults, ABadCatalogueIsReportedAndLoadsNothing) {
    const std::vector<Star> before = state.catalog.stars;
    for (const std::string contents : {"6752,-1672,-144,1\r\n6399,-5270\r\n", "6752,-1672,bright,1\r\n",
                                       "24000,-1672,-144,1\r\n", "6752,9001,-144,1\r\n"}) {
        window.messages.clear();
        folder.Write("yale.dat", contents);
        EXPECT_FALSE(LoadCatalogueOrReport(state, window, 40)) << contents;
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].text.rfind("Loading Data Error. Check Destination of Application.", 0), 0u);
        EXPECT_EQ(window.messages[0].icon, MessageIcon::Critical);
        EXPECT_EQ(state.catalog.stars.size(), before.size());
        EXPECT_EQ(state.catalog.stars.back().ra, before.back().ra);
    }
}

TEST_F(Faults, BadReferenceFilesAreReportedAndTheFigureStillOpens) {
    const std::string figure = folder.Write("figure.con", kTwoLines);
    Open(figure);
    const ConstellationTable constellations = state.constellations;
    const BoundaryTable boundaries = state.boundaries;
    std::string ninety;
    for (int i = 0; i < 90; ++i) ninety += "1,100,200,Abc,Latin\r\n";
    const std::pair<const char*, std::string> bad[] = {{"cons.txt", ninety},
                                                        {"cons.txt", "1,40000,200,And,Andromeda\r\n"},
                                                        {"cons.txt", "1,100,200,\"And,Andromeda\r\n"},
                                                        {"bounds.txt", "0,104,-7430\r\n1,104\r\n"}};
    for (const auto& [name, contents] : bad) {
        const std::string kept = TempFolder::Read(folder.File(name));
        folder.Write(name, contents);
        window.messages.clear();
        Open(figure);
        ASSERT_EQ(window.messages.size(), 1u) << contents;
        EXPECT_NE(window.messages[0].text.find(name), std::string::npos);
        EXPECT_EQ(state.document.figure.LineCount(), 2u);
        EXPECT_EQ(state.constellations.labels.size(), constellations.labels.size());
        EXPECT_EQ(state.constellations.labels[88].text, constellations.labels[88].text);
        EXPECT_EQ(state.boundaries.vertices.size(), boundaries.vertices.size());
        folder.Write(name, kept);
    }
}

TEST_F(Faults, AShortEnglishNamesListNeverReadsBeyondTheTable) {
    folder.Write("orvanta.ini", "[GUI_Strings]\r\n200=Andromeda,The Air Pump\r\n");
    state.strings.iniPath = folder.File("orvanta.ini");
    Open(folder.Write("figure.con", ""));
    ShowNames(state, window, 3);
    RecordingCanvas canvas;
    DrawConstellationNames(canvas, state.view, state.constellations);
    for (const auto& call : canvas.Only("text"))
        EXPECT_TRUE(call.text.empty() || call.text == "Andromeda" || call.text == "The Air Pump") << call.text;
}

}  // namespace

namespace {

// Another program writes the file while it is open: Save asks before replacing
// that, and only Yes replaces it. Our own saves ask nothing.
TEST_F(Faults, SaveAsksBeforeReplacingAnotherProgramsChange) {
    const std::string path = folder.Write("figure.con", kTwoLines);
    Open(path);
    DeleteFirstLine();
    folder.Write("figure.con", "1,2,3,4\r\n");
    window.yesNoAnswers = {false};
    SaveCommand(state, window);
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_NE(window.questions[0].find("Another program has changed this file"), std::string::npos);
    EXPECT_EQ(TempFolder::Read(path), "1,2,3,4\r\n");
    EXPECT_TRUE(state.document.Changed());
    window.yesNoAnswers = {true};
    SaveCommand(state, window);
    EXPECT_EQ(TempFolder::Read(path), "100,200,300,400\r\n");
    UndoCommand(state, window);
    SaveCommand(state, window);  // the file is as we wrote it: no question
    EXPECT_EQ(window.questions.size(), 2u);
    EXPECT_EQ(TempFolder::Read(path), kTwoLines);
}

// A name ending in a blank is another file: saving under it never touches the file without the blank.
TEST_F(Faults, ANameIsKeptExactlyAsChosen) {
    const std::string victim = folder.Write("victim.con", kTwoLines);
    Open(folder.Write("mine.con", "1,2,3,4\r\n"));
    window.saveAnswers = {victim + " "};
    SaveAsCommand(state, window);
    EXPECT_EQ(TempFolder::Read(victim), kTwoLines);
    EXPECT_EQ(TempFolder::Read(victim + " "), "1,2,3,4\r\n");
    EXPECT_EQ(state.document.file, victim + " ");
    Open(" " + victim.substr(1));  // a leading blank is no path at all here: nothing opens
    EXPECT_EQ(state.document.file, victim + " ");
}

TEST_F(Faults, ATranslationFileThatCannotBeUsedIsReportedAndEnglishShown) {
    const std::string ini = folder.Write("orvanta.ini", "[GUI_Strings]\r\n112=" + std::string(2u << 20, 'x') + "\r\n");
    state.strings.iniPath = ini;
    EXPECT_TRUE(LoadWindow(state, window, LocalDateTime{2024, 2, 15, 21, 0}));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].text.find("could not be used"), std::string::npos);
    EXPECT_LT(window.messages[0].text.size(), 400u);
    EXPECT_EQ(Text(state.strings, TextKey::Open), "Open...");
}

}  // namespace
