// Every writer of the program against the same hostile targets: whatever a
// name leads to, an output either lands whole where the user meant it, with
// the file's links, owner and mode as they were, or it is refused and the
// target is exactly as it was. Nothing of ours is left behind either way.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <functional>

#include "commands/figure_edits.h"
#include "commands/recovery.h"
#include "documents/culture/culture_export.h"
#include "documents/culture/current_form.h"
#include "documents/exchange/exchange.h"
#include "documents/figure_file.h"
#include "platform/map_picture.h"
#include "support/program_fixture.h"
#include "support/shipped_sky.h"
#include "support/small_disk.h"

using namespace orvanta;
using orvanta::testing::ShippedSky;
using orvanta::testing::SmallDisk;
using orvanta::testing::TempFolder;

namespace {

namespace fs = std::filesystem;

// A writer, and the file of its output that a hostile target replaces: for a
// sky-culture folder, the file that makes the folder a culture.
struct Writer {
    std::string name;
    std::string mainFile;  // empty: the output is a file
    std::function<WriteResult(ProgramState& state, const std::string& output)> write;
};

WriteResult FromExport(const ExportFailure& failure) { return {!failure.failed, failure.reason, {}}; }

// An open sky culture, written whole in either form: Save As, Install in Stellarium and Export take this path.
const ExchangeSky& Sky() {
    static const ExchangeSky sky = [] {
        ExchangeSky loaded;
        std::string failed;
        EXPECT_FALSE(LoadExchangeSky(std::string(ORVANTA_DATA_DIR) + "/", "", loaded, failed).failed) << failed;
        return loaded;
    }();
    return sky;
}
const Culture& OpenCultureModel() {
    static const Culture culture = [] {
        Culture read;
        read.id = "out";
        EXPECT_FALSE(ReadCurrentCulture(R"({"id": "out", "constellations": [{"id": "CON out Ori", "lines": [[26727, 27989]],
            "common_name": {"english": "Hunter", "native": "Orion"}}], "common_names": {"HIP 27989": [{"english": "Betelgeuse"}]}})",
                                        "# Out\n\n## Introduction\n\nA test.\n", read)
                         .failed);
        return read;
    }();
    return culture;
}

std::vector<Writer> EveryWriter() {
    const auto exporting = [](ExchangeFormat format) {
        return [format](ProgramState& state, const std::string& output) {
            return FromExport(ExportFigure(format, state.document.figure.Records(), ShippedSky::Get().Reference(),
                                           output, {}, SparingTheDocument(state.document)));
        };
    };
    const auto picture = [](ExportChoice choice) {
        return [choice](ProgramState& state, const std::string& output) {
            const std::string error = WriteMapPicture(state, choice, output, QSize(640, 360));
            return WriteResult{error.empty(), error, {}};
        };
    };
    return {
        {"figure", "", [](ProgramState& state, const std::string& output) {
             return WriteFigureFile(state.document.figure.Records(), output, SparingTheDocument(state.document));
         }},
        {"geojson", "", exporting(ExchangeFormat::GeoJson)},
        {"culture", "index.json", exporting(ExchangeFormat::Stellarium)},
        {"culture-fab", "constellationship.fab", exporting(ExchangeFormat::StellariumFab)},
        {"culture document", "index.json", [](ProgramState& state, const std::string& output) {
             return FromExport(ExportCulture(ExchangeFormat::Stellarium, OpenCultureModel(), Sky(), output,
                                             SparingTheDocument(state.document)));
         }},
        {"culture document, older form", "constellationship.fab", [](ProgramState& state, const std::string& output) {
             return FromExport(ExportCulture(ExchangeFormat::StellariumFab, OpenCultureModel(), Sky(), output,
                                             SparingTheDocument(state.document)));
         }},
        {"svg", "", picture(ExportChoice::Svg)},
        {"png", "", picture(ExportChoice::Png)},
        {"pdf", "", picture(ExportChoice::Pdf)},
        {"recovery", "", [](ProgramState& state, const std::string& output) {
             state.recoveryPath = output;
             state.recoveryRevision = 0;
             return KeepRecovery(state, LocalDateTime{2026, 12, 6, 5, 0});
         }},
    };
}

const passwd* Nobody() { return ::getpwnam("nobody"); }
bool IsRoot() { return ::geteuid() == 0; }

// One row's world: a folder of its own, the writer's output and the file in it
// that the row makes hostile, and the figure being written, from its own file.
struct Scene {
    TempFolder top;
    std::string folder;  // where the output goes
    std::string output;
    std::string file;    // the output itself, or the culture's main file in it
    std::string oldBytes;
    std::map<std::string, std::string> guarded;  // paths that must be exactly as they were, with their bytes
    std::unique_ptr<SmallDisk> disk;
    ino_t inode = 0;  // of the old file, where a row needs it
    bool fillsPartWay = false;  // the write may put no more than 16 bytes in any file

    void Aim(const Writer& writer, const std::string& inFolder, const std::string& name = "out") {
        folder = inFolder;
        output = folder + "/" + name + (writer.mainFile.empty() ? ".out" : "");
        file = writer.mainFile.empty() ? output : output + "/" + writer.mainFile;
        // A culture folder's main file names its culture, so that it is a folder the export may write into.
        oldBytes = writer.mainFile == "index.json" ? "{\"id\": \"" + name + "\"}\n" : "old contents\n";
    }
    // The culture folder around the main file, as an earlier export left it.
    void MakeCultureFolder(const Writer& writer) const {
        if (writer.mainFile.empty()) return;
        fs::create_directories(output);
        if (writer.mainFile == "constellationship.fab") std::ofstream(output + "/info.ini") << "[info]\nname = out\n";
    }
    // The old file in its place, inside its culture folder.
    void Plant(const Writer& writer) const {
        MakeCultureFolder(writer);
        std::ofstream(file) << oldBytes;
    }
    void Guard(const std::string& path) { guarded[path] = TempFolder::Read(path); }
};

struct stat Status(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
}

enum class Expect { Written, Refused };

struct Row {
    std::string name;
    Expect expect;
    // Makes the target hostile; returns why the row cannot run here, or "".
    std::function<std::string(Scene&, const Writer&)> prepare;
    // What must hold afterwards besides the guarded paths being untouched.
    std::function<void(Scene&, const Writer&, ProgramState&)> check = [](Scene&, const Writer&, ProgramState&) {};
};

std::vector<Row> Targets() {
    return {
        {"a FIFO", Expect::Refused, [](Scene& s, const Writer& w) {
             s.MakeCultureFolder(w);
             fs::create_directories(fs::path(s.file).parent_path());
             EXPECT_EQ(::mkfifo(s.file.c_str(), 0644), 0);
             return std::string();
         }, [](Scene& s, const Writer&, ProgramState&) { EXPECT_TRUE(S_ISFIFO(Status(s.file).st_mode)); }},
        {"a device node", Expect::Refused, [](Scene& s, const Writer& w) {
             s.MakeCultureFolder(w);
             fs::create_directories(fs::path(s.file).parent_path());
             // The full device's numbers: a write to it would fail, a replacement would lose the device.
             if (::mknod(s.file.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) return std::string("no right to make a device");
             return std::string();
         }, [](Scene& s, const Writer&, ProgramState&) { EXPECT_TRUE(S_ISCHR(Status(s.file).st_mode)); }},
        {"a read-only file", Expect::Refused, [](Scene& s, const Writer& w) {
             s.Plant(w);
             ::chmod(s.file.c_str(), 0444);
             s.Guard(s.file);
             return std::string();
         }, [](Scene& s, const Writer&, ProgramState&) { EXPECT_EQ(Status(s.file).st_mode & 07777, 0444u); }},
        {"a hard link", Expect::Written, [](Scene& s, const Writer& w) {
             s.Plant(w);
             fs::create_hard_link(s.file, s.top.File("other-name"));
             return std::string();
         }, [](Scene& s, const Writer&, ProgramState&) {
             EXPECT_EQ(Status(s.file).st_ino, Status(s.top.File("other-name")).st_ino);
             EXPECT_NE(TempFolder::Read(s.top.File("other-name")), s.oldBytes);
         }},
        {"a symbolic link", Expect::Written, [](Scene& s, const Writer& w) {
             s.MakeCultureFolder(w);
             std::ofstream(s.top.File("real")) << s.oldBytes;
             fs::create_symlink(s.top.File("real"), s.file);
             return std::string();
         }, [](Scene& s, const Writer&, ProgramState&) {
             EXPECT_TRUE(fs::is_symlink(s.file));
             EXPECT_NE(TempFolder::Read(s.top.File("real")), s.oldBytes);
         }},
        {"a link planted in a shared folder by another user", Expect::Refused, [](Scene& s, const Writer& w) {
             if (!IsRoot() || !Nobody()) return std::string("needs root, to act as another user");
             // A root-only file that the link leads to, and a name it would create.
             fs::create_directories(s.top.File("private"));
             ::chmod(s.top.File("private").c_str(), 0700);
             std::ofstream(s.top.File("private/secret")) << "root's own\n";
             s.Guard(s.top.File("private/secret"));
             fs::create_directories(s.top.File("shared"));
             ::chmod(s.top.File("shared").c_str(), 01777);
             s.Aim(w, s.top.File("shared"));
             const std::string leadsTo = w.mainFile.empty() ? s.top.File("private/secret") : s.top.File("private");
             fs::create_symlink(leadsTo, s.output);
             EXPECT_EQ(::lchown(s.output.c_str(), Nobody()->pw_uid, Nobody()->pw_gid), 0);
             // A dangling one beside it, leading to where nothing is yet.
             fs::create_symlink(s.top.File("private/new"), s.top.File("shared/dangling"));
             EXPECT_EQ(::lchown(s.top.File("shared/dangling").c_str(), Nobody()->pw_uid, Nobody()->pw_gid), 0);
             return std::string();
         }, [](Scene& s, const Writer& w, ProgramState& state) {
             EXPECT_FALSE(fs::exists(s.top.File("private/index.json")) || fs::exists(s.top.File("private/info.ini")));
             EXPECT_FALSE(w.write(state, s.top.File("shared/dangling")).written);
             EXPECT_FALSE(fs::exists(s.top.File("private/new")));
         }},
        {"another user's set-group-ID file", Expect::Written, [](Scene& s, const Writer& w) {
             if (!IsRoot() || !Nobody()) return std::string("needs root, to give a file to another user");
             s.Plant(w);
             EXPECT_EQ(::chown(s.file.c_str(), Nobody()->pw_uid, Nobody()->pw_gid), 0);
             // Giving a file away clears set-group-ID when group-execute is set, so the mode must come after.
             ::chmod(s.file.c_str(), 02750);
             return std::string();
         }, [](Scene& s, const Writer&, ProgramState&) {
             EXPECT_EQ(Status(s.file).st_uid, Nobody()->pw_uid);
             EXPECT_EQ(Status(s.file).st_gid, Nobody()->pw_gid);
             EXPECT_EQ(Status(s.file).st_mode & 07777, 02750u);
         }},
        {"another user's file in a shared folder", Expect::Refused, [](Scene& s, const Writer& w) {
             if (!IsRoot() || !Nobody()) return std::string("needs root, to give a file to another user");
             fs::create_directories(s.top.File("shared"));
             ::chmod(s.top.File("shared").c_str(), 01777);
             s.Aim(w, s.top.File("shared"));
             s.Plant(w);
             EXPECT_EQ(::chown(s.file.c_str(), Nobody()->pw_uid, Nobody()->pw_gid), 0);
             EXPECT_EQ(::chown(s.output.c_str(), Nobody()->pw_uid, Nobody()->pw_gid), 0);
             s.Guard(s.file);
             return std::string();
         }},
        {"a full disk", Expect::Refused, [](Scene& s, const Writer& w) {
             s.disk = std::make_unique<SmallDisk>(s.top.File("disk"));
             if (!s.disk->Mounted()) return std::string("no right to mount a small disk");
             s.Aim(w, s.top.File("disk"));
             s.Plant(w);
             s.Guard(s.file);
             s.disk->Fill();
             return std::string();
         }},
        // Room for one file of a culture but not for them all: none of them changes.
        {"a disk with room for part of a culture", Expect::Refused, [](Scene& s, const Writer& w) {
             if (w.mainFile.empty()) return std::string("one file: the full disk above");
             s.disk = std::make_unique<SmallDisk>(s.top.File("disk"));
             if (!s.disk->Mounted()) return std::string("no right to mount a small disk");
             s.Aim(w, s.top.File("disk"));
             s.Plant(w);
             const std::string other =
                 s.output + (w.mainFile == "index.json" ? "/description.md" : "/constellation_names.eng.fab");
             std::ofstream(other) << "old\n";
             s.Guard(s.file);
             s.Guard(other);
             s.disk->Fill(4096);
             return std::string();
         }},
        {"a full disk, a new culture", Expect::Refused, [](Scene& s, const Writer& w) {
             if (w.mainFile.empty()) return std::string("one file: the full disk above");
             s.disk = std::make_unique<SmallDisk>(s.top.File("disk"));
             if (!s.disk->Mounted()) return std::string("no right to mount a small disk");
             s.Aim(w, s.top.File("disk"));
             s.disk->Fill();
             return std::string();
         }, [](Scene& s, const Writer&, ProgramState&) { EXPECT_FALSE(fs::exists(s.output)) << "an empty folder was left"; }},
        // The same full disk where mounting is not allowed: a limit on the size of the files this
        // process writes makes the write fail part-way, when the file is replaced and when, having
        // another link, it is written in place.
        {"a disk that fills part-way", Expect::Refused, [](Scene& s, const Writer& w) {
             s.Plant(w);
             s.Guard(s.file);
             s.fillsPartWay = true;
             return std::string();
         }},
        {"a disk that fills part-way, the file with another link", Expect::Refused, [](Scene& s, const Writer& w) {
             s.Plant(w);
             fs::create_hard_link(s.file, s.top.File("other-name"));
             s.Guard(s.file);
             s.fillsPartWay = true;
             return std::string();
         }, [](Scene& s, const Writer&, ProgramState&) { EXPECT_EQ(Status(s.file).st_nlink, 2u); }},
        {"a folder of other files", Expect::Refused, [](Scene& s, const Writer&) {
             fs::create_directories(s.output);
             std::ofstream(s.output + "/notes.txt") << "mine\n";
             s.Guard(s.output + "/notes.txt");
             return std::string();
         }, [](Scene& s, const Writer&, ProgramState&) { EXPECT_EQ(std::distance(fs::directory_iterator(s.output), {}), 1); }},
        {"a read-only folder", Expect::Refused, [](Scene& s, const Writer& w) {
             // A new file in it, or for a culture the folder itself, empty.
             fs::create_directories(s.top.File("shut"));
             s.Aim(w, s.top.File("shut"));
             if (!w.mainFile.empty()) s.output = s.top.File("shut");
             ::chmod(s.top.File("shut").c_str(), 0555);
             return std::string();
         }, [](Scene& s, const Writer&, ProgramState&) {
             EXPECT_EQ(std::distance(fs::directory_iterator(s.top.File("shut")), {}), 0);
         }},
        {"a writable file in a read-only folder", Expect::Written, [](Scene& s, const Writer& w) {
             if (!w.mainFile.empty()) return std::string("a culture's folder that takes no new files is refused, as above");
             s.Plant(w);
             s.inode = Status(s.file).st_ino;
             ::chmod(s.folder.c_str(), 0555);
             return std::string();
         }, [](Scene& s, const Writer&, ProgramState&) {
             EXPECT_EQ(Status(s.file).st_ino, s.inode);  // written in place, even by root
             EXPECT_EQ(std::distance(fs::directory_iterator(s.folder), {}), 1);
         }},
        {"a path of 4,000 characters", Expect::Written, [](Scene& s, const Writer& w) {
             std::string deep = s.top.Dir().substr(0, s.top.Dir().size() - 1);
             while (deep.size() < 3960 - w.mainFile.size()) deep += "/" + std::string(std::min<size_t>(200, 3960 - deep.size()), 'd');
             fs::create_directories(deep);
             s.Aim(w, deep);
             return std::string();
         }, [](Scene& s, const Writer&, ProgramState&) { EXPECT_GE(s.file.size(), 3960u); }},
        {"the file being read", Expect::Refused, [](Scene& s, const Writer& w) {
             if (w.name == "figure") return std::string("a figure's own file is where Save writes it");
             s.MakeCultureFolder(w);
             std::ofstream(s.file) << "100,200,300,400\r\n";
             s.Guard(s.file);
             return std::string("input");
         }},
    };
}

class HostileTargets : public ::testing::Test {
protected:
    // The state of a window with a changed figure of two lines from its own file.
    void Prepare(ProgramState& state, const std::string& input) {
        ASSERT_FALSE(LoadCatalogue(state.catalog, std::string(ORVANTA_DATA_DIR) + "/yale.dat", 40).failed);
        state.view.zoom.unit = 24;
        state.document.open = true;
        state.document.file = input;
        state.document.figure.ReplaceLines({{5919, 741, 5242, -820}, {5919, 741, 5418, 635}});
        state.document.history.Record(FigureEdit{FigureEdit::Kind::AddLine, 0, {}, {}, {}});
        ++state.document.revision;
    }
    // Nothing of ours is left beside the target, written or not.
    static void ExpectNothingLeftIn(const std::string& top) {
        std::error_code ignored;
        for (auto entry = fs::recursive_directory_iterator(top, ignored); entry != fs::recursive_directory_iterator();
             entry.increment(ignored))
            EXPECT_EQ(entry->path().filename().string().rfind(".orvanta-", 0), std::string::npos) << entry->path();
    }
};

TEST_F(HostileTargets, EveryWriterEitherWritesWholeOrLeavesTheTargetAsItWas) {
    rlimit unlimited {};
    ::getrlimit(RLIMIT_FSIZE, &unlimited);
    const rlimit small{16, unlimited.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    for (const Writer& writer : EveryWriter()) {
        for (const Row& row : Targets()) {
            SCOPED_TRACE(writer.name + " onto " + row.name);
            Scene scene;
            scene.Aim(writer, scene.top.Dir() + "work");
            fs::create_directories(scene.folder);
            std::string skip = row.prepare(scene, writer);
            ProgramState state;
            Prepare(state, skip == "input" ? scene.file : scene.top.Write("figure.con", "1,2,3,4\r\n"));
            if (skip == "input") skip.clear();
            if (!skip.empty()) {
                std::printf("  [skipped] %s onto %s: %s\n", writer.name.c_str(), row.name.c_str(), skip.c_str());
                continue;
            }
            // A refused culture folder is refused whole: none of its other files is replaced either.
            std::error_code ignored;
            if (row.expect == Expect::Refused && fs::is_directory(scene.output, ignored))
                for (const auto& entry : fs::recursive_directory_iterator(scene.output, ignored))
                    if (entry.is_regular_file(ignored) && !scene.guarded.count(entry.path().string()))
                        scene.Guard(entry.path().string());
            if (scene.fillsPartWay) ::setrlimit(RLIMIT_FSIZE, &small);
            const WriteResult attempt = writer.write(state, scene.output);
            ::setrlimit(RLIMIT_FSIZE, &unlimited);
            EXPECT_EQ(attempt.written, row.expect == Expect::Written) << attempt.error;
            EXPECT_TRUE(attempt.written || !attempt.error.empty());
            for (const auto& [path, bytes] : scene.guarded) EXPECT_EQ(TempFolder::Read(path), bytes) << path;
            row.check(scene, writer, state);
            ExpectNothingLeftIn(scene.top.Dir());
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
