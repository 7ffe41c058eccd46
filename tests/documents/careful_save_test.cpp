// Saving on real files: what the user sees of a file after a save (its links,
// owner, group, mode, folder) is what it was before, only with new contents;
// a failure leaves the old contents whole; leftovers of killed saves go.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <set>

#include "documents/atomic_file.h"
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
    std::string reason;
    const bool ok = WriteFileAtomically(path, bytes, reason);
    if (error) *error = reason;
    return ok;
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
    ::chmod(theirs.c_str(), 0600);
    ASSERT_TRUE(Save(theirs, kNew));
    EXPECT_EQ(TempFolder::Read(theirs), kNew);
    EXPECT_EQ(StatusOf(theirs).st_uid, nobody->pw_uid);
    EXPECT_EQ(StatusOf(theirs).st_gid, nogroup->gr_gid);
    EXPECT_EQ(StatusOf(theirs).st_mode & 07777, 0600u);
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

TEST(CarefulSave, TemporaryFilesOfKilledSavesAreRemoved) {
    TempFolder folder;
    // The pid of a process that has ended: our temporary files name their process.
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string stale = ".orvanta-save-" + std::to_string(gone) + "-a1b2c3";
    const std::string live = ".orvanta-save-" + std::to_string(::getpid()) + "-d4e5f6";
    // After a crash while writing in place, the copy holds the only whole version.
    const std::string backup = ".orvanta-backup-" + std::to_string(gone) + "-g7h8i9";
    for (const std::string& name : {stale, live, backup, std::string(".orvanta-save-notes")}) folder.Write(name, kOld);
    const std::string path = folder.Write("figure.con", kOld);
    ASSERT_TRUE(Save(path, kNew));
    EXPECT_EQ(NamesIn(folder.Dir()),
              (std::set<std::string>{live, backup, ".orvanta-save-notes", "figure.con"}));
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
