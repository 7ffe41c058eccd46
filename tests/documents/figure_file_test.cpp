// The figure file: its written form, reading it back and read failures.
// Writes that fail are met in faults_test.cpp.
#include <gtest/gtest.h>

#include "documents/figure_file.h"
#include "support/temp_folder.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

TEST(FigureFile, WrittenFormAndReadingItBack) {
    TempFolder folder;
    FigureLines f, copy;
    ReplaceFigure(f, {{1, 1, 1, 1}, {2, 2, 2, 2}, {5919, 741, 5242, -820}, {-32768, 32767, 23999, -9000}});
    // Deleted lines are not written, though their stale records remain behind
    // the count; nor is the rubber band, which has no record.
    DeleteLine(f, 2);
    f.DrawingLine = true;
    f.Line1.push_back(LineElement{0, 0, 10, 10, true});
    int written = -1;
    std::string error;
    ASSERT_TRUE(WriteFigureFile(f, folder.File("f.con"), written, error)) << error;
    EXPECT_EQ(written, 3);
    EXPECT_EQ(TempFolder::Read(folder.File("f.con")), "1,1,1,1\r\n5919,741,5242,-820\r\n-32768,32767,23999,-9000\r\n");

    ReplaceFigure(copy, {{7, 7, 7, 7}});
    ASSERT_FALSE(ReadFigureFile(copy, folder.File("f.con")).failed);
    EXPECT_EQ(copy.LineCount(), 3);
    EXPECT_EQ(copy.SavedLineCount, 3);
    EXPECT_EQ(RecordAt(copy, 3), (FigureRecord{-32768, 32767, 23999, -9000}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Dir()), {}), 1);  // no temporary left

    // An empty file: no lines, no drawing, and the arrays as they were.
    copy.DrawingLine = true;
    copy.Line1.push_back(LineElement{});
    ASSERT_FALSE(ReadFigureFile(copy, folder.Write("empty.con", "")).failed);
    EXPECT_EQ(copy.LineCount(), 0);
    EXPECT_EQ(copy.SavedLineCount, 0);
    EXPECT_FALSE(copy.DrawingLine);
    EXPECT_EQ(copy.FigureRa1.size(), 4u);
}

TEST(FigureFile, ReadsAStreamOfFourNumberRecords) {
    const std::vector<FigureRecord> expected{{1, 2, 3, 4}, {5, 6, 7, 8}};
    std::vector<FigureRecord> records;
    for (const std::string text : {"1,2,3,4\r\n5,6,7,8\r\n", "1,2,3,4\n5,6,7,8", "1,2,3,4,5,6,7,8\r\n",
                                   "1 2 3 4 5 6 7 8", "  1, 2 ,3,4\r\n\r\n5,6,\r\n7,8\r\n"}) {
        EXPECT_FALSE(ParseFigureFile(text, records).failed) << text;
        EXPECT_EQ(records, expected) << text;
    }
    // A figure holds 32767 lines.
    std::string most;
    for (int i = 0; i < 32767; ++i) most += "1,2,3,4\r\n";
    ASSERT_FALSE(ParseFigureFile(most, records).failed);
    EXPECT_EQ(records.size(), 32767u);
}

TEST(FigureFile, FailuresNameTheLineAndLeaveTheRecords) {
    const std::pair<std::string, int> cases[] = {
        {"1,2,3,4\r\n5,6,7", 2},                       // not a multiple of four
        {"1,2,3,4\r\n5,6,seven,8\r\n", 2},             // text
        {"1,2,3,4\r\n5,6,7,8\r\n9,32768,1,1\r\n", 3},  // beyond 16 bits
        {"1,2,3,-32769\r\n", 1},
        {"1.5,2,3,4\r\n", 1},
    };
    for (const auto& [text, line] : cases) {
        std::vector<FigureRecord> records{{9, 9, 9, 9}};
        const ReadFailure failure = ParseFigureFile(text, records);
        EXPECT_TRUE(failure.failed && !failure.reason.empty()) << text;
        EXPECT_EQ(failure.line, line) << text;
        EXPECT_EQ(records, (std::vector<FigureRecord>{{9, 9, 9, 9}})) << text;
    }
}
