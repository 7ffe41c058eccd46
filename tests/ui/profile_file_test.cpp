// orvanta.ini look-ups: names, blanks, quotes, length, encoding, and a file
// read anew at every call.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/profile_file.h"
#include "support/temp_folder.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

namespace {

std::string Get(const std::string& path, const std::string& section, const std::string& key,
                const std::string& defaultValue = "DEF", size_t size = 255) {
    std::string value = "stale";
    GetPrivateProfileString(section, key, defaultValue, value, size, path);
    return value;
}

}  // namespace

TEST(ProfileFile, NamesIgnoreCaseAndBlanks) {
    TempFolder folder;
    const std::string path = folder.Write("a.ini",
                                          "[Other]\r\n"
                                          "Title=wrong section\r\n"
                                          "  [ Gui_Strings ]  \r\n"
                                          "  Title  =   Sky map   \r\n"
                                          "\tEmpty=\r\n"
                                          "112=Open...\r\n");
    EXPECT_EQ(Get(path, "GUI_STRINGS", "title"), "Sky map");
    EXPECT_EQ(Get(path, "gui_strings", "TITLE"), "Sky map");
    EXPECT_EQ(Get(path, "GUI_Strings", "112"), "Open...");
    EXPECT_EQ(Get(path, "other", "Title"), "wrong section");
    // A key present with nothing after "=" is an empty value, not the default.
    EXPECT_EQ(Get(path, "GUI_Strings", "Empty"), "");
    // Missing key, missing section, missing file: the default.
    EXPECT_EQ(Get(path, "GUI_Strings", "113"), "DEF");
    EXPECT_EQ(Get(path, "Nowhere", "Title"), "DEF");
    EXPECT_EQ(Get(folder.File("missing.ini"), "GUI_Strings", "112"), "DEF");
}

TEST(ProfileFile, QuotesAndPlainPunctuation) {
    TempFolder folder;
    const std::string path = folder.Write("a.ini",
                                          "[S]\n"
                                          "double=\"  padded  \"\n"
                                          "single='x'\n"
                                          "mixed=\"x'\n"
                                          "lone=\"\n"
                                          "punct=a,b=c\\d\n");
    EXPECT_EQ(Get(path, "S", "double"), "  padded  ");
    EXPECT_EQ(Get(path, "S", "single"), "x");
    EXPECT_EQ(Get(path, "S", "mixed"), "\"x'");
    EXPECT_EQ(Get(path, "S", "lone"), "\"");
    EXPECT_EQ(Get(path, "S", "punct"), "a,b=c\\d");
}

TEST(ProfileFile, FirstOfDuplicateKeysWins) {
    TempFolder folder;
    const std::string path = folder.Write("a.ini", "[S]\r\nk=first\r\nK=second\r\n");
    EXPECT_EQ(Get(path, "S", "k"), "first");
}

TEST(ProfileFile, ValueIsCutToSizeLessOne) {
    TempFolder folder;
    const std::string v254(254, 'a'), v300(300, 'b'), v10000(10000, 'c');
    const std::string path = folder.Write("a.ini", "[S]\r\nk254=" + v254 + "\r\nk300=" + v300 + "\r\nbig=" + v10000 +
                                                       "\r\nshort=abcdef\r\n");
    std::string value;
    EXPECT_EQ(GetPrivateProfileString("S", "k254", "", value, 255, path), 254u);
    EXPECT_EQ(value, v254);
    EXPECT_EQ(GetPrivateProfileString("S", "k300", "", value, 255, path), 254u);
    EXPECT_EQ(value, v300.substr(0, 254));
    EXPECT_EQ(Get(path, "S", "big", "", 2000), v10000.substr(0, 1999));
    EXPECT_EQ(Get(path, "S", "short", "", 4), "abc");
    EXPECT_EQ(Get(path, "S", "short", "", 1), "");
    // The default is cut the same way.
    EXPECT_EQ(Get(path, "S", "none", "defaulted", 4), "def");
    // Characters, not bytes: "é" is one character of two bytes.
    folder.Write("u.ini", "[S]\r\nk=\xC3\xA9t\xC3\xA9\r\n");
    EXPECT_EQ(Get(folder.File("u.ini"), "S", "k", "", 3), "\xC3\xA9t");
}

TEST(ProfileFile, FileIsReadAgainAtEveryCall) {
    TempFolder folder;
    const std::string path = folder.Write("a.ini", "[S]\r\nk=one\r\n");
    EXPECT_EQ(Get(path, "S", "k"), "one");
    folder.Write("a.ini", "[S]\r\nk=two\r\n");
    EXPECT_EQ(Get(path, "S", "k"), "two");
    std::remove(path.c_str());
    EXPECT_EQ(Get(path, "S", "k"), "DEF");
}

TEST(ProfileFile, Latin1FileIsDecoded) {
    TempFolder folder;
    // 0xE9 alone is not UTF-8: the whole file is Latin-1.
    const std::string path = folder.Write("a.ini", "[S]\r\nk=caf\xE9\r\n");
    EXPECT_EQ(Get(path, "S", "k"), "caf\xC3\xA9");
    EXPECT_EQ(DecodeUtf8OrLatin1("caf\xC3\xA9"), "caf\xC3\xA9");  // valid UTF-8 stays
    EXPECT_EQ(DecodeUtf8OrLatin1("a\xC3"), "a\xC3\x83");          // a cut sequence is not UTF-8
}
