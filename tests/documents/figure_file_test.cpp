// The figure file: its written form, reading it back and read failures.
// Writes that fail are met in faults_test.cpp.
#include <gtest/gtest.h>

#include "documents/figure_file.h"
#include "support/temp_folder.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

TEST(FigureFile, WrittenFormAndReadingItBack) {
    TempFolder folder;
    const std::vector<LineRecord> lines{{1, 1, 1, 1}, {5919, 741, 5242, -820}, {-32768, 32767, 23999, -9000}};
    ASSERT_TRUE(WriteFigureFile(lines, folder.File("f.con")).written);
    EXPECT_EQ(TempFolder::Read(folder.File("f.con")), "1,1,1,1\r\n5919,741,5242,-820\r\n-32768,32767,23999,-9000\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Dir()), {}), 1);  // no temporary left

    std::vector<LineRecord> copy{{7, 7, 7, 7}};
    ASSERT_FALSE(ReadFigureRecords(folder.File("f.con"), copy).failed);
    EXPECT_EQ(copy, lines);
    // An empty figure is an empty file.
    ASSERT_TRUE(WriteFigureFile({}, folder.File("f.con")).written);
    EXPECT_EQ(TempFolder::Read(folder.File("f.con")), "");
    ASSERT_FALSE(ReadFigureRecords(folder.File("f.con"), copy).failed);
    EXPECT_TRUE(copy.empty());
}

TEST(FigureFile, ReadsAStreamOfFourNumberRecords) {
    const std::vector<LineRecord> expected{{1, 2, 3, 4}, {5, 6, 7, 8}};
    std::vector<LineRecord> records;
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
        std::vector<LineRecord> records{{9, 9, 9, 9}};
        const ReadFailure failure = ParseFigureFile(text, records);
        EXPECT_TRUE(failure.failed && !failure.reason.empty()) << text;
        EXPECT_EQ(failure.line, line) << text;
        EXPECT_EQ(records, (std::vector<LineRecord>{{9, 9, 9, 9}})) << text;
    }
}
