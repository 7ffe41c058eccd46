// orvanta.ini look-ups: names, blanks, quotes, duplicates, length, encoding,
// line ends, a file kept until it changes, and a file refused.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ui/gui_strings.h"
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

// The bytes of UTF-16 text with its byte-order mark.
static std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(ProfileFile, LineEndsAndEncodings) {
    TempFolder folder;
    // CR alone ends lines as CR LF and LF do.
    const std::string crOnly = folder.Write("cr.ini", "[S]\rk=one\r\rj = two\r[T]\rk=three\r");
    EXPECT_EQ(Get(crOnly, "S", "k"), "one");
    EXPECT_EQ(Get(crOnly, "S", "j"), "two");
    EXPECT_EQ(Get(crOnly, "T", "k"), "three");
    // UTF-16 either way round, with a character outside the basic plane.
    const std::u16string text = u"[GUI_Strings]\r\n112=\u00D6ffnen\u2026\r\n113=\U0001F31F Stern\r\n";
    for (bool bigEndian : {false, true}) {
        const std::string path = folder.Write("utf16.ini", Utf16(text, bigEndian));
        EXPECT_EQ(Get(path, "GUI_Strings", "112"), "\xC3\x96" "ffnen\xE2\x80\xA6") << bigEndian;
        EXPECT_EQ(Get(path, "GUI_Strings", "113"), "\xF0\x9F\x8C\x9F Stern") << bigEndian;
    }
    // One Latin-1 line leaves the UTF-8 lines as they are; a UTF-8 mark is no part of the first name.
    const std::string mixed = folder.Write("mixed.ini", "\xEF\xBB\xBF[S]\r\nlatin=caf\xE9\r\nutf=caf\xC3\xA9\r\n");
    EXPECT_EQ(Get(mixed, "S", "latin"), "caf\xC3\xA9");
    EXPECT_EQ(Get(mixed, "S", "utf"), "caf\xC3\xA9");
}

TEST(ProfileFile, KeptUntilItsSizeOrTimeChanges) {
    TempFolder folder;
    const std::string path = folder.Write("orvanta.ini", "[S]\r\nk=one\r\n");
    const auto SetTime = [&](int64_t ns) {
        const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    };
    const auto Value = [](ProfileFile& file, const std::string& at) {
        const ProfileTable* table = file.Table(at);
        const std::string* found = table ? table->Find("s", "K") : nullptr;
        return found ? *found : std::string("(none)");
    };
    ProfileFile file;
    EXPECT_EQ(Value(file, path), "one");
    const int64_t readAt = StampOf(path)->modifiedNs;
    // Same size, same time: not read again, so the old answer stays.
    folder.Write("orvanta.ini", "[S]\r\nk=two\r\n");
    SetTime(readAt);
    EXPECT_EQ(Value(file, path), "one");
    // A later time, or another size at the same time, is read anew.
    SetTime(readAt + 1000);
    EXPECT_EQ(Value(file, path), "two");
    folder.Write("orvanta.ini", "[S]\r\nk=three\r\n");
    SetTime(readAt + 1000);
    EXPECT_EQ(Value(file, path), "three");
    // Another file is another file.
    EXPECT_EQ(Value(file, folder.Write("other.ini", "[S]\nk=four\n")), "four");

    // The texts of the window follow the file the same way.
    GuiStrings strings;
    LoadDefaultGuiStrings(strings);
    strings.iniPath = folder.Write("orvanta.ini", "[GUI_Strings]\r\n112=Ouvrir\r\n");
    EXPECT_EQ(GetGuiString(strings, "112"), "Ouvrir");
    folder.Write("orvanta.ini", "[GUI_Strings]\r\n112=\xC3\x96" "ffnen\r\n");
    EXPECT_EQ(GetGuiString(strings, "112"), "\xC3\x96" "ffnen");
}

TEST(ProfileFile, ARefusedFileGivesItsReasonAndTheBuiltInTexts) {
    TempFolder folder;
    GuiStrings strings;
    LoadDefaultGuiStrings(strings);
    strings.iniPath = folder.File("orvanta.ini");
    std::string big = "[GUI_Strings]\r\n112=Ouvrir\r\n";
    while (big.size() <= kProfileFileLimit) big += "; padding padding padding padding padding\r\n";
    folder.Write("orvanta.ini", big);
    EXPECT_NE(GuiStringsFileRefusal(strings).find("too large"), std::string::npos) << GuiStringsFileRefusal(strings);
    EXPECT_EQ(GetGuiString(strings, "112"), "Open...");
    std::string value;
    EXPECT_EQ(GetPrivateProfileString("GUI_Strings", "112", "DEF", value, 255, strings.iniPath), 3u);

    // A pipe in its place is refused at once, not waited on.
    std::filesystem::remove(strings.iniPath);
    ASSERT_EQ(::mkfifo(strings.iniPath.c_str(), 0600), 0);
    ::alarm(20);
    EXPECT_NE(GuiStringsFileRefusal(strings).find("pipe"), std::string::npos);
    EXPECT_EQ(GetGuiString(strings, "110"), "Constellations");
    ::alarm(0);

    // A good file in its place is used, and nothing is refused any more.
    std::filesystem::remove(strings.iniPath);
    folder.Write("orvanta.ini", "[GUI_Strings]\r\n112=Ouvrir\r\n");
    EXPECT_EQ(GuiStringsFileRefusal(strings), "");
    EXPECT_EQ(GetGuiString(strings, "112"), "Ouvrir");
}
