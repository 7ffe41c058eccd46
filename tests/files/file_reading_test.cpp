// Reading the data files: whatever a name points at (a pipe, a device, a huge
// file, a file that keeps changing) the read ends at once with a reason; every
// reader counts lines and skips a byte-order mark alike, and a bad record fails
// at its line and leaves the table as it was.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>

#include "documents/exchange/exchange_fields.h"
#include "documents/figure_file.h"
#include "map/boundary_table.h"
#include "map/constellation_table.h"
#include "sky/catalogue.h"
#include "sky/constellation_bands.h"
#include "sky/star_identities.h"
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

// The tables the readers of the data files fill, each shown in short: its
// number of records and the fields of the last (for cons.txt, whose 89 places
// are always there, the first).
struct Tables {
    StarCatalog catalog;
    ConstellationTable constellations;
    BoundaryTable boundaries;
    StarIdentities identities;
    ConstellationBands bands;
    std::vector<LineRecord> figure;

    ReadFailure Parse(const std::string& kind, const std::string& text) {
        if (kind == "yale.dat") return ParseCatalogue(catalog, text, 60);
        if (kind == "cons.txt") return ParseConstellations(constellations, text, 1, "");
        if (kind == "bounds.txt") return ParseBoundaries(boundaries, text);
        if (kind == "star_ids.txt") return ParseStarIdentities(text, identities);
        if (kind == "cons_bands.txt") return ParseConstellationBands(text, bands);
        return ParseFigureFile(text, figure);
    }
    std::string Shown(const std::string& kind) const {
        const auto shown = [](const auto& records, auto fields) {
            return std::to_string(records.size()) + (records.empty() ? "" : " " + fields(records.back()));
        };
        const auto text = [](auto... values) { return ((std::to_string(values) + ",") + ...); };
        if (kind == "yale.dat") return shown(catalog.stars, [&](const Star& s) { return text(s.ra, s.dec, s.magnitude); });
        if (kind == "cons.txt")
            return shown(constellations.labels, [&](const ConstellationLabel&) {
                const ConstellationLabel& first = constellations.labels[0];
                return first.text + " " + text(first.ra, first.dec);
            });
        if (kind == "bounds.txt")
            return shown(boundaries.vertices, [&](const BoundaryVertex& v) { return text(v.pen, v.ra, v.dec); });
        if (kind == "star_ids.txt") return shown(identities.stars, [&](const StarIdentity& s) { return text(s.hip, s.hd); });
        if (kind == "cons_bands.txt")
            return shown(bands.rows, [&](const ConstellationBand& b) { return b.abbreviation + text(b.raLow, b.decLow); });
        return shown(figure, [&](const LineRecord& r) { return text(r.ra1, r.dec1, r.ra2, r.dec2); });
    }
};

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

// Each row in turn against the same tables: a read that succeeds leaves what
// is shown; one that fails names its line and leaves the table as it was.
TEST(FileReading, EveryReaderCountsLinesAndKeepsItsTableOnAFailure) {
    const std::string bom = "\xEF\xBB\xBF", good = "1000,500,120,10\r\n", label = "1,100,-50,A,Latin\r\n";
    const std::string identity = "27989,39801,,alpha,58,Ori,Betelgeuse,Ori\r\n";
    std::string ninety, most;
    for (int i = 1; i <= 90; ++i) ninety += std::to_string(i) + ",100,200,Abc,Latin\r\n";
    for (int i = 0; i < 32767; ++i) most += "1,2,3,4\r\n";
    const std::tuple<const char*, std::string, int, std::string> rows[] = {
        // kind, text, the line of the failure (0: none, -1: no line), what the table then shows
        {"yale.dat", bom + good, 0, "1 1000,500,1.200000,"},
        {"yale.dat", good + "2000,abc,130,10\r\n", 2, ""},          // not a number
        {"yale.dat", good + good + "24000,0,130,10\r\n", 3, ""},     // RA past 23999
        {"yale.dat", good + "2000,9001,130,10\r\n", 2, ""},          // Dec past +90
        {"yale.dat", good + "2000,100,1.3x,10\r\n", 2, ""},          // magnitude not a number
        {"yale.dat", good + "2000,100", 2, ""},                       // the record stops short
        {"yale.dat", "1000,500,120,10\n\n2000,x,1,1\n", 3, ""},       // every line end counts alike
        {"yale.dat", "1000,500,120,10\r\r2000,x,1,1\r", 3, ""},
        {"cons.txt", bom + "1,667,3700,And,Andromeda\r\n", 0, "89 And 667,3700,"},
        {"cons.txt", ninety, 90, ""},                                 // one record too many
        {"cons.txt", label + "2,40000,0,B,Bee\r\n", 2, ""},           // RA beyond 16 bits
        {"cons.txt", label + "2,1x0,0,B,Bee\r\n", 2, ""},             // not a number
        {"cons.txt", label + "2,100,0,B,\"Bee\r\n3,1,1,C,Cee\r\n", 2, ""},  // the quote never closes
        {"cons.txt", label + "2,100,0,B", 2, ""},                     // the record stops short
        {"cons.txt", "1,100,200,\"A\nb\",Ab\n\n2,x,0,B,Bee\n", 4, ""},   // a quoted field over lines counts them
        {"cons.txt", "1,100,200,\"A\rb\",Ab\r\r2,x,0,B,Bee\r", 4, ""},
        {"bounds.txt", bom + "0,104,-7430\r\n1,104,-7618\r\n-1,23999,9000\r\n", 0, "3 -1,23999,9000,"},
        {"bounds.txt", "", 0, "3 -1,23999,9000,"},                   // an empty file keeps what was there
        {"bounds.txt", "\r\n  \r\n", 0, "3 -1,23999,9000,"},
        {"bounds.txt", "0,1,2\r\n1,x,4\r\n", 2, ""},
        {"bounds.txt", "0,1,2\r\n1,40000,4\r\n", 2, ""},
        {"bounds.txt", "0,1,2\r\n1,3", 2, ""},
        {"star_ids.txt", identity, 0, "1 27989,39801,"},
        {"star_ids.txt", identity + "abc,1,,,,Ori,,\r\n", 2, ""},           // HIP not a number
        {"star_ids.txt", identity + "0,1,,,,Ori,,\r\n", 2, ""},             // HIP below 1
        {"star_ids.txt", identity + "120417,1,,,,Ori,,\r\n", 2, ""},        // HIP beyond the catalogue
        {"star_ids.txt", identity + ",1,,,,Ori,,\r\n", 2, ""},              // HIP missing
        {"star_ids.txt", identity + "5,1,,,,Ori,\r\n", 2, ""},              // a field short: the older seven-field form
        {"star_ids.txt", identity + "5,1,,,,Orion,,\r\n", 2, ""},           // not an abbreviation
        {"star_ids.txt", identity + "5,1,,,,Ori,\"open,\r\n", 2, ""},       // unclosed quote
        {"star_ids.txt", identity + "5,1,,beta,,Ori,,\r\n", 2, ""},         // a designation without its constellation
        {"star_ids.txt", identity + "5,1,,,12,Ori,,Orion\r\n", 2, ""},      // nor with a name for one
        {"star_ids.txt", identity + "5,1,,,,Ori,,Ori\r\n", 2, ""},          // a constellation for no designation
        {"star_ids.txt", "\r\n" + identity + identity, 3, ""},              // the same star twice
        {"cons_bands.txt", "0,86400,0,Aaa\r\n0,86400,-324000,Oct\r\n", 0, "2 Oct0,-324000,"},
        {"cons_bands.txt", "0,86400,-324000,Oct\r\n0,86400,0,Aaa\r\n", 2, ""},  // south before north
        {"cons_bands.txt", "100,100,0,Aaa\r\n", 1, ""},                         // empty band
        {"cons_bands.txt", "0,86401,0,Aaa\r\n", 1, ""},                         // RA past 24 h
        {"cons_bands.txt", "0,86400,324001,Aaa\r\n", 1, ""},                    // Dec past the pole
        {"cons_bands.txt", "0,86400,0\r\n", 1, ""},                             // abbreviation missing
        {"cons_bands.txt", "", -1, ""},                                           // no bands at all
        // Any blanks, commas and line ends part the four numbers of a line.
        {"figure.con", "1,2,3,4\r\n5,6,7,8\r\n", 0, "2 5,6,7,8,"},
        {"figure.con", "1,2,3,4\n5,6,7,8", 0, "2 5,6,7,8,"},
        {"figure.con", "1,2,3,4,5,6,7,8\r\n", 0, "2 5,6,7,8,"},
        {"figure.con", "1 2 3 4 5 6 7 8", 0, "2 5,6,7,8,"},
        {"figure.con", "  1, 2 ,3,4\r\n\r\n5,6,\r\n7,8\r\n", 0, "2 5,6,7,8,"},
        {"figure.con", bom + "5919,741,5242,-820\r\n", 0, "1 5919,741,5242,-820,"},
        {"figure.con", most, 0, "32767 1,2,3,4,"},                     // a figure holds 32767 lines
        {"figure.con", most + "1,2,3,4\r\n", 32768, ""},                // and no more
        {"figure.con", "1,2,3,4\r\n5,6,7", 2, ""},                     // not a multiple of four
        {"figure.con", "1,2,3,4\r\n5,6,seven,8\r\n", 2, ""},
        {"figure.con", "1,2,3,4\r\n5,6,7,8\r\n9,32768,1,1\r\n", 3, ""},  // beyond 16 bits
        {"figure.con", "1,2,3,-32769\r\n", 1, ""},
        {"figure.con", "1.5,2,3,4\r\n", 1, ""},
        {"figure.con", "1,2,3,4\r\n" + bom + "5,6,7,8\r\n", 2, ""},   // a byte-order mark only at the start
        {"figure.con", "1,2,3,4\n\n5,6,7,8\n9,10,x,12\n", 4, ""},
        {"figure.con", "1,2,3,4\r\r5,6,7,8\r9,10,x,12\r", 4, ""},
    };
    Tables tables;
    for (const auto& [kind, text, line, shown] : rows) {
        const std::string before = tables.Shown(kind);
        const ReadFailure failure = tables.Parse(kind, text);
        const std::string at = std::string(kind) + " " + text.substr(0, 80);
        EXPECT_EQ(std::pair(failure.failed, failure.line), std::pair(line != 0, std::max(line, 0))) << at;
        EXPECT_TRUE(line == 0 || !failure.reason.empty()) << at;
        EXPECT_EQ(tables.Shown(kind), line != 0 ? before : shown) << at;
    }
}

TEST(FileReading, MessagesQuoteAtMostFortyCharacters) {
    std::vector<LineRecord> records;
    const std::string x40(40, 'x'), cut = "\"" + x40 + "\xE2\x80\xA6\"";
    const std::pair<std::string, std::string> cases[] = {
        {"4x", "\"4x\""},                 // a short field whole
        {x40, "\"" + x40 + "\""},          // forty characters whole
        {x40 + "y", cut},                  // one more: cut at forty
        {x40 + std::string(1 << 20, 'y'), cut},
        // Characters as shown count, not bytes: "é" is one and is never split;
        // a control byte shows as four ("\x12"), and the message stays short.
        {std::string(39, 'a') + "\xC3\xA9zzzz", "\"" + std::string(39, 'a') + "\xC3\xA9\xE2\x80\xA6\""},
        {"ab" + std::string(40, '\x12'), "\"ab\\x12\\x12\\x12\\x12\\x12\\x12\\x12\\x12\\x12\xE2\x80\xA6\""},
        // Bytes that are not UTF-8 (a stray byte, a cut character, a surrogate) are shown escaped.
        {"\xFF\xFE" "a\xC3" "b\xED\xA0\x80", "\"\\xFF\\xFE" "a\\xC3" "b\\xED\\xA0\\x80\""},
    };
    for (const auto& [field, quoted] : cases)
        EXPECT_EQ(ParseFigureFile("1,2,3," + field + "\r\n", records).reason, quoted + " is not a whole number") << field.size();
    // Too many digits for any number: the message stays short too.
    const ReadFailure digits = ParseFigureFile(std::string(1 << 20, '7') + ",1,2,3\r\n", records);
    EXPECT_LT(digits.reason.size(), 80u) << digits.reason.substr(0, 80);
    EXPECT_EQ(digits.line, 1);
    // A JSON number of a million digits overflows; the message quotes it short.
    nlohmann::json root;
    const ReadFailure json = ParseJson("[" + std::string(1 << 20, '9') + "]", root);
    EXPECT_TRUE(json.failed);
    EXPECT_LT(json.reason.size(), 120u) << json.reason.substr(0, 120);
}
