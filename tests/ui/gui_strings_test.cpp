// The texts of the program: built-in English, or orvanta.ini when present,
// read as the profile reader always read it (names without case, quotes
// dropped, values cut, any line end and encoding), kept until it changes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>


#include "support/temp_folder.h"
#include "ui/gui_strings.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

namespace {

// The bytes of UTF-16 text with its byte-order mark.
std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::string TextFrom(const TempFolder& folder, const std::string& bytes, TextKey key) {
    GuiStrings strings;
    strings.iniPath = folder.Write("orvanta.ini", bytes);
    return Text(strings, key);
}

}  // namespace

TEST(GuiStrings, TheFileAsTheProfileReaderReadsIt) {
    TempFolder folder;
    const std::string open = "[GUI_Strings]\n112=", v254(254, 'a'), v300(300, 'b'), a253(253, 'a');
    const std::string mixed = "\xEF\xBB\xBF[GUI_Strings]\r\n112=caf\xE9\r\n114=caf\xC3\xA9\r\n";
    const std::u16string open16 = u"[GUI_Strings]\r\n112=", star16 = open16 + u"\u00D6ffnen\U0001F31F\r\n";
    const std::string star = "\xC3\x96" "ffnen\xF0\x9F\x8C\x9F", replaced = "a\xEF\xBF\xBD";
    const struct {
        const char* what;
        std::string file;
        TextKey key;
        std::string expected;
    } cases[] = {
        {"a key of the file", open + "Ouvrir...\r\n", TextKey::Open, "Ouvrir..."},
        {"a key it lacks", open + "Ouvrir...\r\n", TextKey::Title, ""},
        {"a key of our own it lacks", "[GUI_Strings]\r\n", TextKey::Redo, "Redo"},
        {"names without case or blanks", "[Other]\r\n112=no\r\n  [ gui_STRINGS ]  \r\n  112  =   Sky map   \r\n",
         TextKey::Open, "Sky map"},
        {"the first key of a name", open + "first\n112=second\n[gui_strings]\n112=third\n", TextKey::Open, "first"},
        {"matching quotes dropped", open + "\"  padded  \"\n", TextKey::Open, "  padded  "},
        {"quotes that do not match kept", open + "\"x'\n", TextKey::Open, "\"x'"},
        {"254 characters whole", open + v254 + "\n", TextKey::Open, v254},
        {"300 characters cut to 254", open + v300 + "\n", TextKey::Open, v300.substr(0, 254)},
        {"characters, not bytes", open + a253 + "\xC3\xA9\xC3\xA9\n", TextKey::Open, a253 + "\xC3\xA9"},
        {"CR alone ends lines", "[GUI_Strings]\r112=one\r\r114 = two\r", TextKey::Save, "two"},
        {"a Latin-1 line", mixed, TextKey::Open, "caf\xC3\xA9"},
        {"a UTF-8 line beside it", mixed, TextKey::Save, "caf\xC3\xA9"},
        {"UTF-16, little end first", Utf16(star16, false), TextKey::Open, star},
        {"UTF-16, big end first", Utf16(star16, true), TextKey::Open, star},
        // A lone surrogate, high or low, or a high one at the very end, is U+FFFD.
        {"a lone high surrogate", Utf16(open16 + u"a" + char16_t(0xD800) + u"b\r\n", false), TextKey::Open, replaced + "b"},
        {"a lone low surrogate", Utf16(open16 + u"a" + char16_t(0xDC00) + u"b\r\n", true), TextKey::Open, replaced + "b"},
        {"a high surrogate at the end", Utf16(open16 + u"a" + char16_t(0xDBFF), false), TextKey::Open, replaced},
    };
    for (const auto& c : cases) EXPECT_EQ(TextFrom(folder, c.file, c.key), c.expected) << c.what;

    // The English names are cut to 1999 characters.
    std::string longList;
    for (int i = 0; longList.size() < 2500; ++i) longList += "Name" + std::to_string(i) + ",";
    GuiStrings strings;
    strings.iniPath = folder.Write("orvanta.ini", "[GUI_Strings]\r\n200=" + longList + "\r\n");
    EXPECT_EQ(EnglishConstellationNames(strings), longList.substr(0, 1999));
}

TEST(GuiStrings, KeptUntilTheFileChanges) {
    TempFolder folder;
    GuiStrings strings;
    strings.iniPath = folder.Write("orvanta.ini", "[GUI_Strings]\r\n112=one\r\n");
    const auto setTime = [&](int64_t ns) {
        const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)}};
        ASSERT_EQ(::utimensat(AT_FDCWD, strings.iniPath.c_str(), times, 0), 0);
    };
    EXPECT_EQ(Text(strings, TextKey::Open), "one");
    const int64_t readAt = StampOf(strings.iniPath)->modifiedNs;
    // Same size, same time: not read again, so the old answer stays.
    folder.Write("orvanta.ini", "[GUI_Strings]\r\n112=two\r\n");
    setTime(readAt);
    EXPECT_EQ(Text(strings, TextKey::Open), "one");
    // A later time, or another size at the same time, is read anew.
    setTime(readAt + 1000);
    EXPECT_EQ(Text(strings, TextKey::Open), "two");
    folder.Write("orvanta.ini", "[GUI_Strings]\r\n112=three\r\n");
    setTime(readAt + 1000);
    EXPECT_EQ(Text(strings, TextKey::Open), "three");
}

// A pipe in the file's place is refused at once, not waited on, and the
// built-in texts are shown; a good file in its place is used again. (A file
// too large is met in document_commands_test.)
TEST(GuiStrings, ARefusedFileGivesItsReasonAndTheBuiltInTexts) {
    TempFolder folder;
    GuiStrings strings;
    strings.iniPath = folder.File("orvanta.ini");
    ASSERT_EQ(::mkfifo(strings.iniPath.c_str(), 0600), 0);
    ::alarm(20);
    EXPECT_NE(GuiStringsFileRefusal(strings).find("pipe"), std::string::npos);
    EXPECT_EQ(Text(strings, TextKey::ConstellationsMenu), "Constellations");
    ::alarm(0);
    std::filesystem::remove(strings.iniPath);
    folder.Write("orvanta.ini", "[GUI_Strings]\r\n112=Ouvrir\r\n");
    EXPECT_EQ(GuiStringsFileRefusal(strings), "");
    EXPECT_EQ(Text(strings, TextKey::Open), "Ouvrir");
}
