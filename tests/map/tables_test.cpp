// The reference tables beside the program: constellation labels (cons.txt)
// and boundaries (bounds.txt).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "map/boundary_table.h"
#include "map/constellation_table.h"
#include "ui/gui_strings.h"

using namespace orvanta;

namespace {

std::string ConsRecords(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += std::to_string(i) + "," + std::to_string(100 * i) + "," + std::to_string(-50 * i) + ",A" +
                std::to_string(i) + ",Latin " + std::to_string(i) + "\r\n";
    return text;
}

std::string EnglishList(int count) {
    std::string list;
    for (int i = 1; i <= count; ++i) list += (i > 1 ? "," : "") + std::string("English ") + std::to_string(i);
    return list;
}

std::string Data(const char* name) { return std::string(ORVANTA_DATA_DIR) + "/" + name; }

}  // namespace

TEST(ConstellationTable, LabelsFollowTheMode) {
    const std::string text = ConsRecords(kConstellationCount);
    ConstellationTable t;
    ASSERT_FALSE(ParseConstellations(t, text, 1, EnglishList(89)).failed);
    ASSERT_EQ(t.ConstellationLabel.size(), 89u);
    EXPECT_EQ(t.ConstellationLabel[0], "A1");
    EXPECT_EQ(t.ConstellationLabel[88], "A89");
    EXPECT_EQ(t.ConstellationRa[4], 500);
    EXPECT_EQ(t.ConstellationDec[4], -250);

    ASSERT_FALSE(ParseConstellations(t, text, 2, EnglishList(89)).failed);
    EXPECT_EQ(t.ConstellationLabel[0], "Latin 1");
    EXPECT_EQ(t.ConstellationLabel[88], "Latin 89");

    std::string swapped = EnglishList(89);
    swapped.replace(0, std::string("English 1,English 2").size(), "English 2,English 1");
    ASSERT_FALSE(ParseConstellations(t, text, 3, swapped).failed);
    EXPECT_EQ(t.ConstellationLabel[0], "English 2");
    EXPECT_EQ(t.ConstellationLabel[1], "English 1");
    EXPECT_EQ(t.ConstellationLabel[88], "English 89");
    EXPECT_EQ(t.ConstellationRa[0], 100);  // the anchors still come from the file
}

TEST(ConstellationTable, QuotedFieldsMayHoldCommas) {
    const std::string text = "\"1,a\",667,3700,\"An,d\",\"Andro, meda\"\r\n";
    ConstellationTable t;
    ASSERT_FALSE(ParseConstellations(t, text, 2, "").failed);
    EXPECT_EQ(t.ConstellationDec[0], 3700);
    EXPECT_EQ(t.ConstellationLabel[0], "Andro, meda");
    ASSERT_FALSE(ParseConstellations(t, text, 1, "").failed);
    EXPECT_EQ(t.ConstellationLabel[0], "An,d");
}

TEST(ConstellationTable, ShortFileAndShortListLeaveTheRestEmpty) {
    ConstellationTable t;
    ASSERT_FALSE(ParseConstellations(t, ConsRecords(3), 1, "").failed);
    ASSERT_EQ(t.ConstellationRa.size(), 89u);
    ASSERT_EQ(t.ConstellationLabel.size(), 89u);
    EXPECT_EQ(t.ConstellationLabel[2], "A3");
    for (int i = 3; i < 89; ++i)
        EXPECT_TRUE(!t.ConstellationRa[i] && !t.ConstellationDec[i] && t.ConstellationLabel[i].empty()) << i;

    ASSERT_FALSE(ParseConstellations(t, ConsRecords(89), 3, EnglishList(10)).failed);
    ASSERT_EQ(t.ConstellationLabel.size(), 89u);
    EXPECT_EQ(t.ConstellationLabel[9], "English 10");
    EXPECT_EQ(t.ConstellationLabel[10], "");
    EXPECT_EQ(t.ConstellationLabel[88], "");
}

TEST(ConstellationTable, BadFilesFailAndKeepTheTable) {
    ConstellationTable t;
    ASSERT_FALSE(ParseConstellations(t, ConsRecords(89), 1, "").failed);
    const std::vector<std::string> before = t.ConstellationLabel;
    const std::string first = ConsRecords(1);
    struct Case {
        std::string text;
        int line;
    };
    const Case cases[] = {
        {ConsRecords(90), 90},                              // one record too many
        {first + "2,40000,0,B,Bee\r\n", 2},                 // RA beyond 16 bits
        {first + "2,1x0,0,B,Bee\r\n", 2},                   // not a number
        {first + "2,100,0,B,\"Bee\r\n3,1,1,C,Cee\r\n", 2},  // the quote never closes
        {first + "2,100,0,B", 2},                           // the record stops short
    };
    for (const Case& bad : cases) {
        ConstellationTable copy = t;
        const ReadFailure failure = ParseConstellations(copy, bad.text, 1, "");
        EXPECT_TRUE(failure.failed) << bad.text;
        EXPECT_EQ(failure.line, bad.line) << bad.text;
        EXPECT_EQ(copy.ConstellationLabel, before);
        EXPECT_EQ(copy.ConstellationRa, t.ConstellationRa);
    }
}

TEST(ConstellationTable, ShippedFile) {
    ConstellationTable t;
    GuiStrings strings;
    LoadDefaultGuiStrings(strings);
    ASSERT_FALSE(LoadConstellations(t, Data("cons.txt"), 1, EnglishConstellationNames(strings)).failed);
    ASSERT_EQ(t.ConstellationLabel.size(), 89u);
    EXPECT_EQ(t.ConstellationLabel[0], "And");
    EXPECT_EQ(t.ConstellationLabel[88], "Vul");
    EXPECT_EQ(std::count(t.ConstellationLabel.begin(), t.ConstellationLabel.end(), "Ser"), 2);
}

TEST(BoundaryTable, RecordsFromElementOne) {
    BoundaryTable t;
    ASSERT_FALSE(ParseBoundaries(t, "0,104,-7430\r\n1,104,-7618\r\n-1,23999,9000\r\n").failed);
    EXPECT_EQ(t.UpperBound(), 3);
    EXPECT_EQ(t.BoundaryPen, (std::vector<int16_t>{0, 0, 1, -1}));
    EXPECT_EQ(t.BoundaryRa, (std::vector<int16_t>{0, 104, 104, 23999}));
    EXPECT_EQ(t.BoundaryDec, (std::vector<int16_t>{0, -7430, -7618, 9000}));

    // An empty file keeps what was there.
    ASSERT_FALSE(ParseBoundaries(t, "").failed);
    ASSERT_FALSE(ParseBoundaries(t, "\r\n  \r\n").failed);
    EXPECT_EQ(t.BoundaryRa, (std::vector<int16_t>{0, 104, 104, 23999}));
}

TEST(BoundaryTable, BadRecordFailsAndKeepsTheTable) {
    BoundaryTable t;
    ASSERT_FALSE(ParseBoundaries(t, "0,1,2\r\n1,3,4\r\n").failed);
    for (const std::string& bad : {std::string("0,1,2\r\n1,x,4\r\n"), std::string("0,1,2\r\n1,40000,4\r\n"),
                                   std::string("0,1,2\r\n1,3")}) {
        const ReadFailure failure = ParseBoundaries(t, bad);
        EXPECT_TRUE(failure.failed) << bad;
        EXPECT_EQ(failure.line, 2) << bad;
        EXPECT_EQ(t.BoundaryRa, (std::vector<int16_t>{0, 1, 3})) << bad;
    }
}

TEST(BoundaryTable, ShippedFile) {
    BoundaryTable t;
    ASSERT_FALSE(LoadBoundaries(t, Data("bounds.txt")).failed);
    EXPECT_GT(t.UpperBound(), 1000);
    EXPECT_LT(t.UpperBound(), 32767);
    EXPECT_EQ(t.BoundaryPen[1], 0);
    EXPECT_EQ(t.BoundaryRa[1], 104);
    EXPECT_EQ(t.BoundaryDec[1], -7430);
}
