// The figure file: its written form and reading it back. Read failures are met
// in file_reading_test, writes that fail in hostile_targets_test.
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

