// The constellation labels beside the program (cons.txt), in each names mode.
// Read failures are met in file_reading_test.
#include <gtest/gtest.h>

#include <tuple>

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
    // No Latin name on a line: the line end still ends the record.
    const std::string bare = "1,100,200,Ab,\r\n2,300,400,Cd,Cee\r\n3,500,600,Ef,";
    const std::tuple<std::string, uint8_t, std::string, int16_t, std::string, std::string, std::string> cases[] = {
        {ConsRecords(89), 1, EnglishList(89), -50, "A1", "A2", "A89"},
        {ConsRecords(89), 2, EnglishList(89), -50, "Latin 1", "Latin 2", "Latin 89"},
        {ConsRecords(89), 3, swapped, -50, "English 2", "English 1", "English 89"},  // the list, in its own order
        {ConsRecords(89), 3, EnglishList(2), -50, "English 1", "English 2", ""},  // a short list leaves the rest unlabelled
        {ConsRecords(3), 1, "", -50, "A1", "A2", ""},                             // a short file too, without anchors
        {quoted, 2, "", 3700, "Andro, meda", "", ""},
        {bare, 2, "", 200, "", "Cee", ""},
        {bare, 1, "", 200, "Ab", "Cd", ""},
    };
    for (const auto& [text, mode, english, dec, first, second, last] : cases) {
        ConstellationTable t;
        ASSERT_FALSE(ParseConstellations(t, text, mode, english).failed) << text;
        ASSERT_EQ(t.labels.size(), 89u);
        EXPECT_EQ(std::tuple(t.labels[0].dec, t.labels[0].text, t.labels[1].text, t.labels[88].text),
                  std::tuple(dec, first, second, last)) << text;
        EXPECT_EQ(t.labels[88].ra, text == ConsRecords(89) ? 8900 : 0);
    }
}

