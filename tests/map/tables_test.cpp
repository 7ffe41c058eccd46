// The reference tables beside the program: constellation labels (cons.txt)
// and boundaries (bounds.txt).
#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "map/boundary_table.h"
#include "map/constellation_table.h"

using namespace orvanta;

// Record i of count: anchor (100 i, -50 i), abbreviation "Ai", Latin name "Latin i".
static std::string ConsRecords(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += std::to_string(i) + "," + std::to_string(100 * i) + "," + std::to_string(-50 * i) + ",A" +
                std::to_string(i) + ",Latin " + std::to_string(i) + "\r\n";
    return text;
}

static std::string EnglishList(int count) {
    std::string list;
    for (int i = 1; i <= count; ++i) list += (i > 1 ? ",English " : "English ") + std::to_string(i);
    return list;
}

TEST(ConstellationTable, LabelsFollowTheModeAndAnchorsTheFile) {
    const std::string swapped = "English 2,English 1" + EnglishList(89).substr(EnglishList(2).size());
    const std::string quoted = "\"1,a\",667,3700,\"An,d\",\"Andro, meda\"\r\n";  // commas inside quotes
    const std::tuple<std::string, uint8_t, std::string, int16_t, std::string, std::string> cases[] = {
        {ConsRecords(89), 1, EnglishList(89), -50, "A1", "A89"},
        {ConsRecords(89), 2, EnglishList(89), -50, "Latin 1", "Latin 89"},
        {ConsRecords(89), 3, swapped, -50, "English 2", "English 89"},  // the list, in its own order
        {ConsRecords(89), 3, EnglishList(2), -50, "English 1", ""},     // a short list leaves the rest unlabelled
        {ConsRecords(3), 1, "", -50, "A1", ""},                         // a short file too, without anchors
        {quoted, 2, "", 3700, "Andro, meda", ""},
    };
    for (const auto& [text, mode, english, dec, first, last] : cases) {
        ConstellationTable t;
        ASSERT_FALSE(ParseConstellations(t, text, mode, english).failed) << text;
        ASSERT_EQ(t.labels.size(), 89u);
        EXPECT_EQ(t.labels[0].dec, dec);
        EXPECT_EQ(t.labels[0].text, first);
        EXPECT_EQ(t.labels[88].text, last);
        EXPECT_EQ(t.labels[88].ra, text == ConsRecords(89) ? 8900 : 0);
    }
}

TEST(ConstellationTable, BadFilesFailAtTheirLineAndKeepTheTable) {
    ConstellationTable t;
    ASSERT_FALSE(ParseConstellations(t, ConsRecords(89), 1, "").failed);
    const std::string first = ConsRecords(1);
    const std::pair<std::string, int> cases[] = {
        {ConsRecords(90), 90},                              // one record too many
        {first + "2,40000,0,B,Bee\r\n", 2},                 // RA beyond 16 bits
        {first + "2,1x0,0,B,Bee\r\n", 2},                   // not a number
        {first + "2,100,0,B,\"Bee\r\n3,1,1,C,Cee\r\n", 2},  // the quote never closes
        {first + "2,100,0,B", 2},                           // the record stops short
    };
    for (const auto& [text, line] : cases) {
        const ReadFailure failure = ParseConstellations(t, text, 1, "");
        EXPECT_EQ(std::pair(failure.failed, failure.line), std::pair(true, line)) << text;
        EXPECT_EQ(t.labels[88].text, "A89");
    }
}

static std::vector<std::array<int16_t, 3>> Vertices(const BoundaryTable& t) {
    std::vector<std::array<int16_t, 3>> out;
    for (const BoundaryVertex& v : t.vertices) out.push_back({v.pen, v.ra, v.dec});
    return out;
}

TEST(BoundaryTable, RecordsInFileOrder) {
    BoundaryTable t;
    ASSERT_FALSE(ParseBoundaries(t, "0,104,-7430\r\n1,104,-7618\r\n-1,23999,9000\r\n").failed);
    const std::vector<std::array<int16_t, 3>> expected{{0, 104, -7430}, {1, 104, -7618}, {-1, 23999, 9000}};
    EXPECT_EQ(Vertices(t), expected);
    // An empty file keeps what was there; so does a bad one, which fails at its line.
    const std::pair<std::string, int> cases[] = {
        {"", 0}, {"\r\n  \r\n", 0}, {"0,1,2\r\n1,x,4\r\n", 2}, {"0,1,2\r\n1,40000,4\r\n", 2}, {"0,1,2\r\n1,3", 2}};
    for (const auto& [text, line] : cases) {
        const ReadFailure failure = ParseBoundaries(t, text);
        EXPECT_EQ(std::pair(failure.failed, failure.line), std::pair(line > 0, line)) << text;
        EXPECT_EQ(Vertices(t), expected) << text;
    }
}
