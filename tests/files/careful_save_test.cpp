// Saving on real files: what the user sees of a file after a save (its links,
// owner, group, mode, folder) is what it was before, only with new contents;
// a failure leaves the old contents whole; leftovers of killed saves go.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/xattr.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <random>
#include <set>

#include "files/careful_writer.h"
#include "files/file_reading.h"
#include "support/temp_folder.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

namespace {

const std::string kOld = "5919,741,5242,-820\r\n";
const std::string kNew = "100,200,300,400\r\n500,600,700,800\r\n";

struct stat StatusOf(const std::string& path, bool followLinks = true) {
    struct stat info {};
    EXPECT_EQ(followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info), 0) << path;
    return info;
}

bool Save(const std::string& path, const std::string& bytes, std::string* error = nullptr) {
    const WriteResult result = WriteFileCarefully(path, bytes);
    if (error) *error = result.error;
    return result.written;
}

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

// Runs body in a child process and returns its exit code, so that limits and
// a changed user stay in the child.
int InChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

TEST(CarefulSave, LinksStayLinks) {
    TempFolder folder;
    std::filesystem::create_directories(folder.File("real"));
    const std::string target = folder.Write("real/figure.con", kOld);
    // A relative link, and a link to that link.
    std::filesystem::create_symlink("real/figure.con", folder.File("link.con"));
    std::filesystem::create_symlink("link.con", folder.File("second.con"));
    ASSERT_TRUE(Save(folder.File("second.con"), kNew));
    EXPECT_EQ(TempFolder::Read(target), kNew);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.con")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("second.con")));
    EXPECT_EQ(std::filesystem::read_symlink(folder.File("link.con")), "real/figure.con");

    // A link to a file not there yet creates the file, not a plain file in place of the link.
    std::filesystem::create_symlink("real/new.con", folder.File("dangling.con"));
    ASSERT_TRUE(Save(folder.File("dangling.con"), kNew));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("dangling.con")));
    EXPECT_EQ(TempFolder::Read(folder.File("real/new.con")), kNew);

    // Both names of a hard-linked file see the new contents: it is still one file.
    const std::string first = folder.Write("first.con", kOld);
    std::filesystem::create_hard_link(first, folder.File("other.con"));
    const ino_t inode = StatusOf(first).st_ino;
    ASSERT_TRUE(Save(folder.File("other.con"), kNew));
    EXPECT_EQ(TempFolder::Read(first), kNew);
    EXPECT_EQ(StatusOf(first).st_ino, inode);
    EXPECT_EQ(StatusOf(first).st_nlink, 2u);
    // No copy of the old contents is left behind after a save in place.
    EXPECT_EQ(NamesIn(folder.Dir()), (std::set<std::string>{"real", "link.con", "second.con", "dangling.con",
                                                            "first.con", "other.con"}));
}

TEST(CarefulSave, ModesAndOwnersAreKept) {
    TempFolder folder;
    const std::string path = folder.Write("figure.con", kOld);
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(Save(path, kNew));
    EXPECT_EQ(StatusOf(path).st_mode & 07777, 0640u);
    // Extended attributes (ACLs are some) stay with the file, where the file system has them.
    if (::setxattr(path.c_str(), "user.orvanta.test", "kept", 4, 0) == 0) {
        ASSERT_TRUE(Save(path, kNew));
        char value[8] = {};
        EXPECT_EQ(::getxattr(path.c_str(), "user.orvanta.test", value, sizeof value), 4);
        EXPECT_STREQ(value, "kept");
    }

    // Nobody may write it: refused with a reason, even for root, and left alone.
    ::chmod(path.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(Save(path, kOld, &error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(TempFolder::Read(path), kNew);
    EXPECT_EQ(StatusOf(path).st_mode & 07777, 0444u);

    // A new file: 0666 less the umask.
    const mode_t mask = ::umask(027);
    ASSERT_TRUE(Save(folder.File("new.con"), kNew));
    ::umask(mask);
    EXPECT_EQ(StatusOf(folder.File("new.con")).st_mode & 07777, 0640u);

    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another owner";
    const passwd* nobody = ::getpwnam("nobody");
    const group* nogroup = ::getgrnam("nogroup");
    ASSERT_TRUE(nobody && nogroup);
    const std::string theirs = folder.Write("theirs.con", kOld);
    ASSERT_EQ(::chown(theirs.c_str(), nobody->pw_uid, nogroup->gr_gid), 0);
    // Set-group-ID: giving the file to its owner clears the bit, so the mode comes after.
    ::chmod(theirs.c_str(), 02640);
    ASSERT_TRUE(Save(theirs, kNew));
    EXPECT_EQ(TempFolder::Read(theirs), kNew);
    EXPECT_EQ(StatusOf(theirs).st_uid, nobody->pw_uid);
    EXPECT_EQ(StatusOf(theirs).st_gid, nogroup->gr_gid);
    EXPECT_EQ(StatusOf(theirs).st_mode & 07777, 02640u);
}

// A writable file in a folder that takes no new files is written in place.
// Root may create files anywhere, so as root the save runs as nobody, for whom
// the folder's mode counts.
TEST(CarefulSave, AWritableFileInAFolderThatTakesNoNewFiles) {
    TempFolder folder;
    std::filesystem::create_directories(folder.File("shut"));
    const std::string path = folder.Write("shut/figure.con", kOld);
    uid_t uid = ::geteuid();
    gid_t gid = ::getegid();
    if (uid == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        ASSERT_NE(nobody, nullptr);
        uid = nobody->pw_uid;
        gid = nobody->pw_gid;
        ::chmod(folder.Dir().c_str(), 0755);
        ASSERT_EQ(::chown(folder.File("shut").c_str(), uid, gid), 0);
        ASSERT_EQ(::chown(path.c_str(), uid, gid), 0);
    }
    ::chmod(folder.File("shut").c_str(), 0555);
    const ino_t inode = StatusOf(path).st_ino;
    const int result = InChild([&] {
        if (::geteuid() == 0 && (::setgid(gid) != 0 || ::setuid(uid) != 0)) return 2;
        return Save(path, kNew) ? 0 : 1;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(TempFolder::Read(path), kNew);
    EXPECT_EQ(StatusOf(path).st_ino, inode);
    EXPECT_EQ(NamesIn(folder.File("shut")), std::set<std::string>{"figure.con"});
}

// A write in place that fails puts the old contents back. The child may write
// files of at most 1000 bytes, so the new contents cannot be written.
TEST(CarefulSave, AFailedWriteInPlaceKeepsTheOldContents) {
    TempFolder folder;
    const std::string path = folder.Write("figure.con", kOld);
    std::filesystem::create_hard_link(path, folder.File("link.con"));
    std::string large;
    while (large.size() < 5000) large += kNew;
    const int result = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        return Save(path, large) ? 1 : 0;
    });
    EXPECT_EQ(result, 0) << "the save should fail";
    EXPECT_EQ(TempFolder::Read(path), kOld);
    EXPECT_EQ(StatusOf(path).st_nlink, 2u);
    EXPECT_EQ(NamesIn(folder.Dir()), (std::set<std::string>{"figure.con", "link.con"}));
}

// A killed save leaves its temporary file; it goes once no living process
// holds its lock, whatever process number its name or its writer had.
TEST(CarefulSave, TemporaryFilesOfKilledSavesAreRemoved) {
    TempFolder folder;
    const std::string stale = ".orvanta-k3j2h1g0.tmp";
    const std::string held = ".orvanta-a1b2c3d4.tmp";
    const std::string earlier = ".orvanta-save-" + std::to_string(::getpid()) + "-a1b2c3";  // an older version's
    for (const std::string& name : {stale, held, earlier, std::string(".orvanta-save-notes")}) folder.Write(name, kOld);
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
    EXPECT_EQ(NamesIn(folder.Dir()), (std::set<std::string>{held, ".orvanta-save-notes", "figure.con"}));
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ASSERT_TRUE(Save(path, kOld));
    EXPECT_EQ(NamesIn(folder.Dir()), (std::set<std::string>{".orvanta-save-notes", "figure.con"}));
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

// The stamp tells the program that another writer changed the file since it was read.
TEST(CarefulSave, AChangeByAnotherWriterChangesTheStamp) {
    TempFolder folder;
    const std::string path = folder.Write("figure.con", kOld);
    const auto read = StampOf(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(StampOf(path), read);
    EXPECT_EQ(read->size, static_cast<int64_t>(kOld.size()));

    // The same size, a later time.
    std::string sameSize = kOld;
    sameSize[0] = '6';
    folder.Write("figure.con", sameSize);
    const timespec later[2] = {{0, UTIME_OMIT}, {read->modifiedNs / 1000000000 + 5, 123}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), later, 0), 0);
    const auto touched = StampOf(path);
    ASSERT_TRUE(touched.has_value());
    EXPECT_NE(touched, read);
    EXPECT_EQ(touched->modifiedNs, read->modifiedNs / 1000000000 * 1000000000 + 5000000123);

    // Replaced by another file under the same name, with the same size and time.
    const std::string other = folder.Write("other.con", sameSize);
    ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), later, 0), 0);
    std::filesystem::rename(other, path);
    EXPECT_NE(StampOf(path), touched);

    // Our own save changes it too, so the stamp must be taken again after a save.
    const auto beforeSave = StampOf(path);
    ASSERT_TRUE(Save(path, kNew));
    EXPECT_NE(StampOf(path), beforeSave);
    EXPECT_FALSE(StampOf(folder.File("missing.con")).has_value());
}
