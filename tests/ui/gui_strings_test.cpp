// The texts of the program: built-in English, orvanta.ini when present, and
// a window's captions and tooltips filled in from their keys.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/temp_folder.h"
#include "ui/gui_strings.h"
#include "ui/localise_form.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

TEST(GuiStrings, BuiltInTexts) {
    GuiStrings strings;
    LoadDefaultGuiStrings(strings);
    EXPECT_EQ(Text(strings, TextKey::Title), "Orvanta");
    EXPECT_EQ(Text(strings, TextKey::Undo), "Undo");
    for (const char* unknown : {"CharSet", "999", "-5"}) EXPECT_EQ(GetGuiString(strings, unknown), "") << unknown;

    const std::string names = EnglishConstellationNames(strings);
    EXPECT_EQ(std::count(names.begin(), names.end(), ','), 88);  // 89 names
    EXPECT_EQ(names.rfind("Andromeda,The Air Pump,", 0), 0u);
    EXPECT_EQ(names.substr(names.size() - 8), ",The Fox");
}

TEST(GuiStrings, IniFileReplacesTheBuiltInTable) {
    TempFolder folder;
    std::string longList;
    for (int i = 0; longList.size() < 2500; ++i) longList += "Name" + std::to_string(i) + ",";
    GuiStrings strings;
    LoadDefaultGuiStrings(strings);
    strings.iniPath = folder.Write("orvanta.ini", "[GUI_Strings]\r\n112=Ouvrir...\r\n200=" + longList + "\r\n");
    EXPECT_EQ(Text(strings, TextKey::Open), "Ouvrir...");
    // Keys the file lacks are not taken from the built-in table...
    EXPECT_EQ(Text(strings, TextKey::Title), "");
    EXPECT_EQ(GetGuiString(strings, "100", "fallback"), "fallback");
    // ...except our own keys, which fall back to their English text, also for a window's design keys.
    EXPECT_EQ(Text(strings, TextKey::SaveFailed).rfind("The figure could not be saved.", 0), 0u);
    EXPECT_EQ(TextOfKey(strings, KeyName(TextKey::Redo)), "Redo");
    EXPECT_EQ(TextOfKey(strings, "114"), "");
    // The English names are cut to 1999 characters, other keys to 254.
    EXPECT_EQ(EnglishConstellationNames(strings), longList.substr(0, 1999));
    EXPECT_EQ(GetGuiString(strings, "200").size(), 254u);
}

// Menus and toolbar are checked on the real window; other controls take their
// caption from the tag and their tooltip from its key.
TEST(LocaliseForm, FillsTheCaptionAndTooltipsFromNumericKeys) {
    GuiStrings strings;
    LoadDefaultGuiStrings(strings);
    FormTexts form{"100", "design caption", std::vector<ControlTexts>(1)};
    ControlTexts& label = form.controls[0];
    label.caption = "design";
    label.tag = "124";
    label.toolTip = "186";
    LocaliseForm(form, strings);
    EXPECT_EQ(form.caption, "Orvanta");
    EXPECT_EQ(label.caption, "Names");
    EXPECT_EQ(label.toolTip, "Fewer stars");
}
