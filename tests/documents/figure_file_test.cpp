// The figure file: its written form, reading it back, read failures, and
// writes that fail without harming the file already there.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "documents/figure_file.h"
#include "support/temp_folder.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

namespace {

// Everything in the folder, left-over temporaries included.
long FilesIn(const TempFolder& folder) {
    return std::distance(std::filesystem::directory_iterator(folder.Dir()), std::filesystem::directory_iterator());
}

FigureLines Figure(const std::vector<FigureRecord>& records) {
    FigureLines f;
    ReplaceFigure(f, records);
    return f;
}

}  // namespace

TEST(FigureFile, WrittenForm) {
    EXPECT_EQ(FormatFigureFile(Figure({{5919, 741, 5242, -820}, {0, -1, 23999, -9000}})),
              "5919,741,5242,-820\r\n0,-1,23999,-9000\r\n");
    EXPECT_EQ(FormatFigureFile(Figure({})), "");
    EXPECT_EQ(FormatFigureFile(FigureLines{}), "");

    // Deleted lines are not written, though their stale records remain behind the count.
    FigureLines f = Figure({{1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}, {4, 4, 4, 4}, {5, 5, 5, 5}});
    DeleteLine(f, 2);
    DeleteLine(f, 4);
    EXPECT_EQ(FormatFigureFile(f), "1,1,1,1\r\n3,3,3,3\r\n4,4,4,4\r\n");

    // The rubber band has no record and is not written.
    f.DrawingLine = true;
    f.Line1.push_back(LineElement{0, 0, 10, 10, true});
    EXPECT_EQ(FormatFigureFile(f), "1,1,1,1\r\n3,3,3,3\r\n4,4,4,4\r\n");
}

TEST(FigureFile, ParseReadsAStreamOfFourNumberRecords) {
    const std::vector<FigureRecord> expected{{1, 2, 3, 4}, {5, 6, 7, 8}};
    for (const std::string& text : {std::string("1,2,3,4\r\n5,6,7,8\r\n"), std::string("1,2,3,4\n5,6,7,8"),
                                    std::string("1,2,3,4,5,6,7,8\r\n"), std::string("1 2 3 4 5 6 7 8"),
                                    std::string("  1, 2 ,3,4\r\n\r\n5,6,\r\n7,8\r\n")}) {
        std::vector<FigureRecord> records;
        const ReadFailure failure = ParseFigureFile(text, records);
        EXPECT_FALSE(failure.failed) << text << ": " << failure.reason;
        EXPECT_EQ(records, expected) << text;
    }
    std::vector<FigureRecord> records{{9, 9, 9, 9}};
    ASSERT_FALSE(ParseFigureFile("", records).failed);
    EXPECT_TRUE(records.empty());
}

TEST(FigureFile, ParseFailuresNameTheLine) {
    struct Case {
        std::string text;
        int line;
    };
    const Case cases[] = {
        {"1,2,3,4\r\n5,6,7", 2},               // not a multiple of four
        {"1,2,3,4\r\n5,6,seven,8\r\n", 2},     // text
        {"1,2,3,4\r\n5,6,7,8\r\n9,32768,1,1\r\n", 3},  // beyond 16 bits
        {"1,2,3,-32769\r\n", 1},
        {"1.5,2,3,4\r\n", 1},
    };
    for (const Case& bad : cases) {
        std::vector<FigureRecord> records{{9, 9, 9, 9}};
        const ReadFailure failure = ParseFigureFile(bad.text, records);
        EXPECT_TRUE(failure.failed) << bad.text;
        EXPECT_EQ(failure.line, bad.line) << bad.text;
        EXPECT_FALSE(failure.reason.empty());
        EXPECT_EQ(records, (std::vector<FigureRecord>{{9, 9, 9, 9}})) << bad.text;
    }

    // A figure holds 32767 lines; the next record is refused where it starts.
    std::string text;
    for (int i = 0; i < kMaxLineCount; ++i) text += "1,2,3,4\r\n";
    std::vector<FigureRecord> records;
    ASSERT_FALSE(ParseFigureFile(text, records).failed);
    EXPECT_EQ(records.size(), 32767u);
    const ReadFailure failure = ParseFigureFile(text + "1,2,3,4\r\n", records);
    EXPECT_TRUE(failure.failed);
    EXPECT_EQ(failure.line, 32768);
}

TEST(FigureFile, FailedReadLeavesTheFigure) {
    TempFolder folder;
    FigureLines f = Figure({{1, 2, 3, 4}, {5, 6, 7, 8}});
    f.SavedLineCount = 2;
    ASSERT_TRUE(ReadFigureFile(f, folder.Write("bad.con", "1,2,3,4\r\nx\r\n")).failed);
    EXPECT_TRUE(ReadFigureFile(f, folder.File("missing.con")).failed);
    EXPECT_TRUE(ReadFigureFile(f, folder.Dir()).failed);
    EXPECT_EQ(f.LineCount(), 2);
    EXPECT_EQ(f.SavedLineCount, 2);
    EXPECT_EQ(RecordAt(f, 1), (FigureRecord{1, 2, 3, 4}));
    EXPECT_EQ(RecordAt(f, 2), (FigureRecord{5, 6, 7, 8}));
}

TEST(FigureFile, EmptyFileGivesNoLinesAndKeepsTheArrays) {
    TempFolder folder;
    FigureLines f = Figure({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}});
    f.DrawingLine = true;
    f.Line1.push_back(LineElement{});
    ASSERT_FALSE(ReadFigureFile(f, folder.Write("empty.con", "")).failed);
    EXPECT_EQ(f.LineCount(), 0);
    EXPECT_EQ(f.SavedLineCount, 0);
    EXPECT_FALSE(f.DrawingLine);
    EXPECT_EQ(f.FigureRa1.size(), 4u);
}

TEST(FigureFile, WriteThenReadRoundTrips) {
    TempFolder folder;
    const std::vector<FigureRecord> records{{5919, 741, 5242, -820}, {0, 0, 0, 0}, {-32768, 32767, 23999, -9000}};
    const FigureLines original = Figure(records);
    int written = -1;
    std::string error;
    ASSERT_TRUE(WriteFigureFile(original, folder.File("f.con"), written, error)) << error;
    EXPECT_EQ(written, 3);
    EXPECT_EQ(TempFolder::Read(folder.File("f.con")), "5919,741,5242,-820\r\n0,0,0,0\r\n-32768,32767,23999,-9000\r\n");

    FigureLines copy = Figure({{7, 7, 7, 7}});
    ASSERT_FALSE(ReadFigureFile(copy, folder.File("f.con")).failed);
    EXPECT_EQ(copy.LineCount(), 3);
    EXPECT_EQ(copy.SavedLineCount, 3);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(RecordAt(copy, k), records[k - 1]) << k;
    EXPECT_EQ(FilesIn(folder), 1);
}

TEST(FigureFile, FailedWriteKeepsTheOldFileWhole) {
    TempFolder folder;
    const std::string old = "1,2,3,4\r\n";
    const std::string path = folder.Write("f.con", old);
    const FigureLines figure = Figure(std::vector<FigureRecord>(500, {5919, 741, 5242, -820}));
    int written = -1;
    std::string error;

    // The new text does not fit under the file size limit: the write fails half way.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = WriteFigureFile(figure, path, written, error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(written, -1);
    EXPECT_EQ(TempFolder::Read(path), old);
    EXPECT_EQ(FilesIn(folder), 1);  // no temporary left behind

    // A folder that cannot be written to (root writes anywhere: use a removed one).
    std::filesystem::create_directory(folder.File("sub"));
    const std::string inSub = folder.File("sub") + "/f.con";
    if (geteuid() == 0) {
        std::filesystem::remove(folder.File("sub"));
    } else {
        chmod(folder.File("sub").c_str(), 0555);
    }
    EXPECT_FALSE(WriteFigureFile(figure, inSub, written, error));
    EXPECT_FALSE(std::filesystem::exists(inSub));
    if (geteuid() != 0) {
        EXPECT_TRUE(std::filesystem::is_empty(folder.File("sub")));
    }
}
