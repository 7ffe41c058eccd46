// orvanta.ini look-ups: names, blanks, quotes, duplicates, length, encoding,
// and a file read anew at every call.
#include <gtest/gtest.h>

#include "ui/profile_file.h"
#include "support/temp_folder.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

static std::string Get(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& defaultValue = "DEF", size_t size = 255) {
    std::string value = "stale";
    GetPrivateProfileString(section, key, defaultValue, value, size, path);
    return value;
}

TEST(ProfileFile, Lookups) {
    TempFolder folder;
    const std::string path = folder.Write("a.ini",
                                          "[Other]\r\nTitle=wrong section\r\n"
                                          "  [ Gui_Strings ]  \r\n  Title  =   Sky map   \r\n\tEmpty=\r\n"
                                          "k=first\r\nK=second\r\n"
                                          "double=\"  padded  \"\nsingle='x'\nmixed=\"x'\nlone=\"\npunct=a,b=c\\d\n");
    const char* cases[][3] = {
        {"gui_STRINGS", "tITLE", "Sky map"},  // names ignore case and blanks
        {"other", "Title", "wrong section"},  {"GUI_Strings", "Empty", ""},  // empty, not the default
        {"GUI_Strings", "113", "DEF"},        {"Nowhere", "Title", "DEF"},
        {"GUI_Strings", "K", "first"},  // the first of duplicate keys wins
        // Matching quotes are dropped, blanks inside them kept.
        {"GUI_Strings", "double", "  padded  "}, {"GUI_Strings", "single", "x"}, {"GUI_Strings", "mixed", "\"x'"},
        {"GUI_Strings", "lone", "\""},           {"GUI_Strings", "punct", "a,b=c\\d"},
    };
    for (const auto& [section, key, expected] : cases) EXPECT_EQ(Get(path, section, key), expected) << key;

    // The file is read anew at every call; a missing file gives the default.
    folder.Write("a.ini", "[GUI_Strings]\r\nk=two\r\n");
    EXPECT_EQ(Get(path, "GUI_Strings", "k"), "two");
    std::filesystem::remove(path);
    EXPECT_EQ(Get(path, "GUI_Strings", "k"), "DEF");
}

TEST(ProfileFile, LengthAndEncoding) {
    TempFolder folder;
    const std::string v254(254, 'a'), v300(300, 'b'), v10000(10000, 'c');
    const std::string path = folder.Write("a.ini", "[S]\r\nk254=" + v254 + "\r\nk300=" + v300 + "\r\nbig=" + v10000 +
                                                       "\r\nshort=abcdef\r\nu=\xC3\xA9t\xC3\xA9\r\n");
    std::string value;
    EXPECT_EQ(Get(path, "S", "k254"), v254);
    EXPECT_EQ(GetPrivateProfileString("S", "k300", "", value, 255, path), 254u);
    EXPECT_EQ(value, v300.substr(0, 254));
    EXPECT_EQ(Get(path, "S", "big", "", 2000), v10000.substr(0, 1999));
    EXPECT_EQ(Get(path, "S", "short", "", 4), "abc");
    EXPECT_EQ(Get(path, "S", "short", "", 1), "");
    EXPECT_EQ(Get(path, "S", "none", "defaulted", 4), "def");
    // Characters, not bytes: "é" is one character of two bytes.
    EXPECT_EQ(GetPrivateProfileString("S", "u", "", value, 3, path), 2u);
    EXPECT_EQ(value, "\xC3\xA9t");
    // 0xE9 alone is not UTF-8: the whole file is Latin-1.
    EXPECT_EQ(Get(folder.Write("b.ini", "[S]\r\nk=caf\xE9\r\n"), "S", "k"), "caf\xC3\xA9");
    EXPECT_EQ(DecodeUtf8OrLatin1("caf\xC3\xA9"), "caf\xC3\xA9");  // valid UTF-8 stays
    EXPECT_EQ(DecodeUtf8OrLatin1("a\xC3"), "a\xC3\x83");          // a cut sequence is not UTF-8
}
