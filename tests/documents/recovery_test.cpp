// Unsaved changes kept in a recovery file, removed when they are saved or let
// go, and offered back after the program was killed.
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>

#include "commands/figure_edits.h"
#include "commands/recovery.h"
#include "platform/system_processes.h"
#include "support/program_fixture.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

namespace {

const std::string kTwoLines = "5919,741,5242,-820\r\n100,200,300,400\r\n";
const LocalDateTime kNow{2026, 12, 6, 1, 30};

// The number of a process that has ended.
int EndedProcessId() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

class Recoveries : public orvanta::testing::ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        state.processId = processes.Own();
        state.recoveryPath = RecoveryPathFor(stateFolder.Dir(), state.processId);
    }
    bool Kept() const { return std::filesystem::exists(state.recoveryPath); }
    // A recovery file as a killed Orvanta leaves it.
    std::string LeaveOrphan(const std::string& documentFile, std::vector<LineRecord> records, int processId) {
        const Recovery recovery{"", processId, documentFile, "2026-12-05 23:59", std::move(records), {}};
        const std::string kept = RecoveryPathFor(stateFolder.Dir(), processId);
        std::ofstream(kept, std::ios::binary) << FormatRecovery(recovery);
        return kept;
    }

    TempFolder stateFolder;
    const SystemProcesses processes;
    // Any name a file system allows comes back whole, a line end in it too.
    const std::string path = folder.Write("a\nfigure.con", kTwoLines);
};

TEST_F(Recoveries, ChangesAreKeptUntilSavedOrLetGo) {
    Open(path);
    KeepRecovery(state, kNow);
    EXPECT_FALSE(Kept());  // nothing unsaved
    DeleteFirstLine();
    KeepRecovery(state, kNow);
    ASSERT_TRUE(Kept());
    Recovery kept;
    ASSERT_FALSE(ReadRecovery(state.recoveryPath, kept).failed);
    EXPECT_EQ(std::tuple(kept.documentFile, kept.time, kept.records),
              std::tuple(path, "2026-12-06 01:30", std::vector<LineRecord>{{100, 200, 300, 400}}));
    UndoCommand(state, window);  // back to the file: nothing to keep
    KeepRecovery(state, kNow);
    EXPECT_FALSE(Kept());
    RedoCommand(state, window);
    KeepRecovery(state, kNow);
    ASSERT_TRUE(Kept());
    SaveCommand(state, window);
    EXPECT_FALSE(Kept());
    DeleteFirstLine();
    KeepRecovery(state, kNow);
    window.yesNoAnswers = {false};
    EXPECT_TRUE(MayClose(state, window));  // No: the changes are let go, and so is their copy
    EXPECT_FALSE(Kept());
}

TEST_F(Recoveries, KilledChangesAreOfferedAndRestoredOntoTheirFile) {
    const std::string restored = LeaveOrphan(path, {{1, 2, 3, 4}, {5, 6, 7, 8}}, EndedProcessId());
    // A running Orvanta's own file is not offered: it is still at work.
    const std::string sleeper = folder.File("orvanta");
    std::filesystem::copy_file("/bin/sleep", sleeper);
    const pid_t running = fork();
    if (running == 0) {
        execl(sleeper.c_str(), "orvanta", "30", nullptr);
        _exit(1);
    }
    usleep(200000);
    const std::string busy = LeaveOrphan(path, {}, running);

    window.yesNoAnswers = {true};
    EXPECT_EQ(FindOrphanedRecoveries(stateFolder.Dir(), processes), std::vector<std::string>{restored});
    OfferRecoveries(state, window, stateFolder.Dir(), processes);
    kill(running, SIGKILL);
    waitpid(running, nullptr, 0);
    EXPECT_TRUE(std::filesystem::exists(busy));
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_NE(window.questions[0].find(path), std::string::npos);
    EXPECT_NE(window.questions[0].find("2026-12-05 23:59"), std::string::npos);
    EXPECT_EQ(std::tuple(state.document.file, state.document.figure.Records(), window.caption),
              std::tuple(path, std::vector<LineRecord>{{1, 2, 3, 4}, {5, 6, 7, 8}}, Caption(path, true)));
    EXPECT_FALSE(std::filesystem::exists(restored));
    UndoCommand(state, window);  // back to what the file holds
    EXPECT_EQ(std::tuple(state.document.figure.Records(), window.caption),
              std::tuple(std::vector<LineRecord>{{5919, 741, 5242, -820}, {100, 200, 300, 400}}, Caption(path)));
}

TEST_F(Recoveries, DeclinedChangesAreRemovedAndBrokenFilesLeftAlone) {
    const std::string declined = LeaveOrphan("", {{9, 9, 9, 9}}, EndedProcessId());
    const std::string broken = RecoveryPathFor(stateFolder.Dir(), EndedProcessId());
    std::ofstream(broken) << "junk";
    window.yesNoAnswers = {false};
    OfferRecoveries(state, window, stateFolder.Dir(), processes);
    EXPECT_EQ(window.questions.size(), 1u);
    EXPECT_NE(window.questions[0].find("Untitled"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(declined));
    EXPECT_TRUE(std::filesystem::exists(broken));
    EXPECT_FALSE(state.document.open);
}

TEST_F(Recoveries, AFolderThatCannotBeWrittenIsToldOnce) {
    WarnIfRecoveryImpossible(state, window, processes);
    EXPECT_TRUE(window.messages.empty());
    state.recoveryPath = "/proc/orvanta-no-such-folder/recovery-1.txt";
    WarnIfRecoveryImpossible(state, window, processes);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].text.find("/proc/orvanta-no-such-folder/"), std::string::npos);
    EXPECT_NE(window.messages[0].text.find("sudo chown -R"), std::string::npos);
}

}  // namespace
