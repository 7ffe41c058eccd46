// Reading the data files on real files: whatever a name points at (a pipe, a
// device, a huge file, a file that keeps changing) the read ends at once with a
// reason; and what is read is counted and quoted the same whatever wrote it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>

#include "documents/figure_file.h"
#include "map/boundary_table.h"
#include "map/constellation_table.h"
#include "sky/catalogue.h"
#include "files/file_reading.h"
#include "support/temp_folder.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

namespace {

// Every reader of a data file, by the name the program gives the file.
ReadFailure LoadAs(const std::string& kind, const std::string& path) {
    if (kind == "yale.dat") {
        StarCatalog catalog;
        return LoadCatalogue(catalog, path, 60);
    }
    if (kind == "cons.txt") {
        ConstellationTable table;
        return LoadConstellations(table, path, 2, "");
    }
    if (kind == "bounds.txt") {
        BoundaryTable table;
        return LoadBoundaries(table, path);
    }
    std::vector<LineRecord> records;
    return ReadFigureRecords(path, records);
}

const char* const kKinds[] = {"yale.dat", "cons.txt", "bounds.txt", "figure.con"};

// A read that blocks would hang the test; the alarm ends it as a failure instead.
class NoHang {
public:
    NoHang() { ::alarm(20); }
    ~NoHang() { ::alarm(0); }
};

}  // namespace

TEST(FileReading, WhatIsNotARegularFileIsRefusedAtOnce) {
    TempFolder folder;
    NoHang guard;
    const std::string fifo = folder.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string socketPath = folder.File("socket");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::pair<std::string, std::string> cases[] = {
        {fifo, "pipe"}, {"/dev/zero", "device"}, {"/dev/urandom", "device"}, {folder.Dir(), "folder"},
        {socketPath, "socket"}};
    for (const char* kind : kKinds) {
        for (const auto& [path, word] : cases) {
            const ReadFailure failure = LoadAs(kind, path);
            EXPECT_TRUE(failure.failed) << kind << " " << path;
            EXPECT_NE(failure.reason.find(word), std::string::npos) << kind << " " << path << ": " << failure.reason;
            EXPECT_EQ(failure.line, 0);
        }
        // A symbolic link is judged by what it leads to.
        std::filesystem::remove(folder.File(kind));
        std::filesystem::create_symlink("/dev/zero", folder.File(kind));
        EXPECT_NE(LoadAs(kind, folder.File(kind)).reason.find("device"), std::string::npos) << kind;
    }
    ::close(listener);
}

TEST(FileReading, SizeLimits) {
    TempFolder folder;
    // A sparse file of 3 GB: refused by its size, before a byte is read or held.
    const std::string huge = folder.File("huge");
    {
        const int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0600);
        ASSERT_EQ(::ftruncate(fd, 3LL << 30), 0);
        ::close(fd);
    }
    const auto start = std::chrono::steady_clock::now();
    for (const char* kind : kKinds) {
        const ReadFailure failure = LoadAs(kind, huge);
        EXPECT_NE(failure.reason.find("too large"), std::string::npos) << kind << ": " << failure.reason;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    // The limit itself is allowed, one byte more is not; a refused read leaves no text.
    std::string text = "old";
    const std::string path = folder.Write("limit", std::string(100, '7'));
    EXPECT_FALSE(ReadWholeFile(path, text, 100).failed);
    EXPECT_EQ(text, std::string(100, '7'));
    EXPECT_TRUE(ReadWholeFile(path, text, 99).failed);
    EXPECT_EQ(text, "");

    // Files whose size says nothing of their contents (those under /proc say 0)
    // are refused rather than read as empty or read without end.
    EXPECT_NE(ReadWholeFile("/proc/self/status", text, 1 << 20).reason.find("changed"), std::string::npos);

    // The stamp handed back is that of the file read.
    FileStamp stamp;
    ASSERT_FALSE(ReadWholeFile(path, text, 100, &stamp).failed);
    EXPECT_EQ(StampOf(path), stamp);
}

TEST(FileReading, LinesCountTheSameForEveryLineEnd) {
    // The bad number is on the fourth line, after an empty one.
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const std::string text = "1,2,3,4" + end + end + "5,6,7,8" + end + "9,10,x,12" + end;
        std::vector<LineRecord> records;
        const ReadFailure figure = ParseFigureFile(text, records);
        EXPECT_EQ(figure.line, 4) << "line end " << static_cast<int>(end.back());
        StarCatalog catalog;
        const ReadFailure stars = ParseCatalogue(catalog, "1000,500,120,10" + end + end + "2000,x,1,1" + end, 60);
        EXPECT_EQ(stars.line, 3);
        // A quoted field over lines counts its lines too.
        ConstellationTable table;
        const ReadFailure names = ParseConstellations(
            table, "1,100,200,\"A" + end + "b\",Ab" + end + end + "2,x,0,B,Bee" + end, 2, "");
        EXPECT_EQ(names.line, 4);
    }
}

TEST(FileReading, AByteOrderMarkIsSkipped) {
    const std::string bom = "\xEF\xBB\xBF";
    std::vector<LineRecord> records;
    ASSERT_FALSE(ParseFigureFile(bom + "5919,741,5242,-820\r\n", records).failed);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].ra1, 5919);
    StarCatalog catalog;
    ASSERT_FALSE(ParseCatalogue(catalog, bom + "1000,500,120,10\r\n", 60).failed);
    EXPECT_EQ(catalog.stars[0].ra, 1000);
    BoundaryTable bounds;
    ASSERT_FALSE(ParseBoundaries(bounds, bom + "0,104,-7430\r\n1,104,-7618\r\n").failed);
    ASSERT_EQ(bounds.vertices.size(), 2u);
    EXPECT_EQ(bounds.vertices[0].ra, 104);
    ConstellationTable table;
    ASSERT_FALSE(ParseConstellations(table, bom + "1,667,3700,And,Andromeda\r\n", 1, "").failed);
    EXPECT_EQ(table.labels[0].text, "And");
    // Only at the start: elsewhere it is a bad field.
    EXPECT_TRUE(ParseFigureFile("1,2,3,4\r\n" + bom + "5,6,7,8\r\n", records).failed);
}

TEST(FileReading, MessagesQuoteAtMostFortyCharacters) {
    std::vector<LineRecord> records;
    const std::string longField(1 << 20, 'x');
    const ReadFailure letters = ParseFigureFile("1,2,3," + longField + "\r\n", records);
    EXPECT_EQ(letters.reason, "\"" + std::string(40, 'x') + "\xE2\x80\xA6\" is not a whole number");
    // Too many digits for any number: the message stays short too.
    const ReadFailure digits = ParseFigureFile(std::string(1 << 20, '7') + ",1,2,3\r\n", records);
    EXPECT_LT(digits.reason.size(), 80u) << digits.reason.substr(0, 80);
    EXPECT_EQ(digits.line, 1);
    // A cut never splits a character: the two bytes of "é" stay together or go together.
    const ReadFailure accented = ParseFigureFile(std::string(39, 'a') + "\xC3\xA9zzzz,1,2,3\r\n", records);
    EXPECT_EQ(accented.reason, "\"" + std::string(39, 'a') + "\xE2\x80\xA6\" is not a whole number");
    // A short field is quoted whole.
    EXPECT_EQ(ParseFigureFile("1,2,3,4x\r\n", records).reason, "\"4x\" is not a whole number");
}

TEST(FileReading, ALineEndEndsTheLastConstellationField) {
    ConstellationTable table;
    // No Latin name on the first line: the second line is still the second record.
    const std::string text = "1,100,200,Ab,\r\n2,300,400,Cd,Cee\r\n3,500,600,Ef,";
    ASSERT_FALSE(ParseConstellations(table, text, 2, "").failed);
    EXPECT_EQ(table.labels[0].text, "");
    EXPECT_EQ(table.labels[1].text, "Cee");
    EXPECT_EQ(table.labels[2].text, "");
    EXPECT_EQ(table.labels[1].ra, 300);
    EXPECT_EQ(table.labels[2].dec, 600);
    ASSERT_FALSE(ParseConstellations(table, text, 1, "").failed);
    EXPECT_EQ(table.labels[1].text, "Cd");
    EXPECT_EQ(table.labels[3].text, "");  // no fourth record
}
