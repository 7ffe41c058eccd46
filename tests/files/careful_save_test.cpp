// Saving on real files, beyond what every writer meets in hostile_targets_test:
// links by relative names, attributes and the mode of a new file, leftovers of
// killed saves, and the stamp of a change.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <random>
#include <set>

#include "files/careful_writer.h"
#include "files/temporary_file.h"
#include "files/file_reading.h"
#include "support/temp_folder.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

namespace {

const std::string kOld = "5919,741,5242,-820\r\n";
const std::string kNew = "100,200,300,400\r\n500,600,700,800\r\n";

struct stat StatusOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

bool Save(const std::string& path, const std::string& bytes) { return WriteFileCarefully(path, bytes).written; }

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

}  // namespace

TEST(CarefulSave, LinksStayLinksAndAttributesStay) {
    TempFolder folder;
    std::filesystem::create_directories(folder.File("real"));
    const std::string target = folder.Write("real/figure.con", kOld);
    // A relative link, and a link to that link.
    std::filesystem::create_symlink("real/figure.con", folder.File("link.con"));
    std::filesystem::create_symlink("link.con", folder.File("second.con"));
    ::chmod(target.c_str(), 0640);
    ASSERT_TRUE(Save(folder.File("second.con"), kNew));
    EXPECT_EQ(TempFolder::Read(target), kNew);
    EXPECT_EQ(std::filesystem::read_symlink(folder.File("link.con")), "real/figure.con");
    EXPECT_EQ(std::filesystem::read_symlink(folder.File("second.con")), "link.con");
    EXPECT_EQ(StatusOf(target).st_mode & 07777, 0640u);
    // A link to a file not there yet creates the file, not a plain file in place of the link.
    std::filesystem::create_symlink("real/new.con", folder.File("dangling.con"));
    ASSERT_TRUE(Save(folder.File("dangling.con"), kNew));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("dangling.con")));
    EXPECT_EQ(TempFolder::Read(folder.File("real/new.con")), kNew);
    // Extended attributes (ACLs are some) stay with the file, where the file system has them.
    if (::setxattr(target.c_str(), "user.orvanta.test", "kept", 4, 0) == 0) {
        ASSERT_TRUE(Save(target, kOld));
        char value[8] = {};
        EXPECT_EQ(::getxattr(target.c_str(), "user.orvanta.test", value, sizeof value), 4);
        EXPECT_STREQ(value, "kept");
    }
    // A new file: 0666 less the umask.
    const mode_t mask = ::umask(027);
    ASSERT_TRUE(Save(folder.File("new.con"), kNew));
    ::umask(mask);
    EXPECT_EQ(StatusOf(folder.File("new.con")).st_mode & 07777, 0640u);
}

// A killed save leaves its temporary file; it goes once no living process
// holds its lock, whatever process number its name or its writer had. The
// user's own files that merely look like one stay.
TEST(CarefulSave, TemporaryFilesOfKilledSavesAreRemoved) {
    TempFolder folder;
    const std::string stale = TemporaryName(), held = TemporaryName();
    const std::string earlier = ".orvanta-save-" + std::to_string(::getpid()) + "-a1b2c3";  // an older version's
    const std::set<std::string> mine = {".orvanta-save-notes", ".orvanta-abcdefgh.tmp", ".orvanta-abcdefghij.tmp"};
    for (const std::string& name : {stale, held, earlier}) folder.Write(name, kOld);
    for (const std::string& name : mine) folder.Write(name, kOld);
    // A save under way in another process holds its file.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open(folder.File(held).c_str(), O_RDONLY);
        ::flock(fd, LOCK_EX);
        ::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char byte;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    const std::string path = folder.Write("figure.con", kOld);
    ASSERT_TRUE(Save(path, kNew));
    std::set<std::string> left = mine;
    left.insert({held, "figure.con"});
    EXPECT_EQ(NamesIn(folder.Dir()), left);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ASSERT_TRUE(Save(path, kOld));
    left.erase(held);
    EXPECT_EQ(NamesIn(folder.Dir()), left);
}

// A write in place killed at any moment leaves the file whole once it is next
// opened or saved, by any of its names: the copy of its old contents puts it
// back, or is dropped when the new contents were all written.
TEST(CarefulSave, AKilledWriteInPlaceIsFinishedOrUndoneByAnyName) {
    TempFolder folder, stateFolder;
    ::setenv("XDG_STATE_HOME", stateFolder.Dir().c_str(), 1);
    std::filesystem::create_directories(folder.File("a"));
    std::filesystem::create_directories(folder.File("b"));
    const std::string path = folder.Write("a/figure.con", kOld);
    const std::string otherName = folder.File("b/same.con");
    std::filesystem::create_hard_link(path, otherName);
    // Large contents, so that a kill often falls inside the write.
    const std::string first(2 << 20, '1'), second(3 << 20, '2');
    std::mt19937 random(20261206);
    int mended = 0;
    for (int round = 0; round < 40; ++round) {
        const pid_t writer = ::fork();
        if (writer == 0) {
            for (int i = 0;; ++i) Save(path, i % 2 ? first : second);
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(2000, 40000)(random));
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
        const InterruptedSave found = FinishInterruptedSave(round % 2 ? path : otherName);
        EXPECT_NE(found.outcome, InterruptedSave::Outcome::KeptAside);
        mended += found.outcome != InterruptedSave::Outcome::None;
        const std::string now = TempFolder::Read(path);
        EXPECT_TRUE(now == first || now == second || now == kOld) << now.size() << " bytes";
        EXPECT_EQ(NamesIn(folder.File("a")), (std::set<std::string>{"figure.con"}));
        EXPECT_FALSE(std::filesystem::exists(stateFolder.File("orvanta/interrupted-saves")) &&
                     !std::filesystem::is_empty(stateFolder.File("orvanta/interrupted-saves")));
    }
    EXPECT_GT(mended, 0) << "no kill fell inside a write";
    EXPECT_EQ(StatusOf(path).st_nlink, 2u);
    ::unsetenv("XDG_STATE_HOME");
}

// The stamp tells the program that another writer changed the file since it
// was read: even another file renamed over it with the same size and time
// (a later time alone is met in gui_strings_test), and our own save.
TEST(CarefulSave, AChangeByAnotherWriterChangesTheStamp) {
    TempFolder folder;
    const std::string path = folder.Write("figure.con", kOld);
    const auto read = StampOf(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->size, static_cast<int64_t>(kOld.size()));
    const std::string other = folder.Write("other.con", kOld);
    const timespec same[2] = {{0, UTIME_OMIT}, {read->modifiedNs / 1000000000, read->modifiedNs % 1000000000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), same, 0), 0);
    std::filesystem::rename(other, path);
    EXPECT_NE(StampOf(path), read);
    const auto beforeSave = StampOf(path);
    ASSERT_TRUE(Save(path, kNew));
    EXPECT_NE(StampOf(path), beforeSave);
    EXPECT_FALSE(StampOf(folder.File("missing.con")).has_value());
}

// A folder write with a file in a subfolder: a subfolder that would refuse
// its file refuses the whole write before any file of it is replaced.
TEST(CarefulSave, AFolderWriteIsRefusedWholeForItsSubfolder) {
    struct Case {
        std::string name;
        std::function<void(const TempFolder&)> prepare;  // makes "culture/illustrations" what the case says
        bool written;
    };
    const std::vector<Case> cases{
        {"missing", [](const TempFolder&) {}, true},
        {"a link to a folder elsewhere", [](const TempFolder& t) {
             std::filesystem::create_directories(t.File("pictures"));
             std::filesystem::create_symlink("../pictures", t.File("culture/illustrations"));
         }, true},
        {"a plain file", [](const TempFolder& t) { t.Write("culture/illustrations", "x"); }, false},
        {"a link to itself", [](const TempFolder& t) {
             std::filesystem::create_symlink("illustrations", t.File("culture/illustrations"));
         }, false},
        {"a link into a folder that is not there", [](const TempFolder& t) {
             std::filesystem::create_symlink("../gone/pictures", t.File("culture/illustrations"));
         }, false},
        {"a read-only folder", [](const TempFolder& t) {
             std::filesystem::create_directories(t.File("culture/illustrations"));
             ::chmod(t.File("culture/illustrations").c_str(), 0555);
         }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder t;
        std::filesystem::create_directories(t.File("culture"));
        t.Write("culture/names.fab", kOld);
        c.prepare(t);
        const WriteResult result = WriteFilesIntoFolder(
            t.File("culture"), {{"names.fab", kNew}, {"illustrations/bear.png", "png"}, {"index.json", "{}"}});
        EXPECT_EQ(result.written, c.written) << result.error;
        EXPECT_EQ(TempFolder::Read(t.File("culture/names.fab")), c.written ? kNew : kOld);
        EXPECT_EQ(std::filesystem::exists(t.File("culture/index.json")), c.written);
        if (c.written) {
            EXPECT_EQ(TempFolder::Read(t.File("culture/illustrations/bear.png")), "png");
        }
        ::chmod(t.File("culture/illustrations").c_str(), 0755);
    }
}
