// The texts of the program: built-in English, orvanta.ini when present, and
// the window's captions and tooltips filled in from their keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/temp_folder.h"
#include "ui/gui_strings.h"
#include "ui/localise_form.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

namespace {

GuiStrings BuiltIn() {
    GuiStrings strings;
    LoadDefaultGuiStrings(strings);
    return strings;
}

// A translation holding only the Open item.
GuiStrings OnlyOpen(const TempFolder& folder) {
    GuiStrings strings = BuiltIn();
    strings.IniPath = folder.Write("orvanta.ini", "[GUI_Strings]\r\n112=Ouvrir...\r\n");
    return strings;
}

// Menu items Open, a separator and View; a toolbar; a label with tag and tooltip keys.
FormTexts MainForm() {
    using Kind = ControlTexts::Kind;
    const auto control = [](Kind kind, const char* caption, const char* tag = "", const char* toolTip = "") {
        ControlTexts c;
        c.kind = kind, c.caption = caption, c.tag = tag, c.toolTip = toolTip;
        return c;
    };
    FormTexts form{"100", "design caption", {}};
    ControlTexts toolbar = control(Kind::Toolbar, "");
    toolbar.buttonTags = {"180", "181", "", "185", "189"};
    form.controls = {control(Kind::Menu, "112"), control(Kind::Menu, "-"), control(Kind::Menu, "120"), toolbar,
                     control(Kind::Other, "design", "124", "186")};
    return form;
}

}  // namespace

TEST(GuiStrings, BuiltInTexts) {
    const GuiStrings strings = BuiltIn();
    EXPECT_EQ(GetGuiString(strings, "100"), "Orvanta");
    EXPECT_EQ(GetGuiString(strings, "166"), "Do you want to save this document?");
    EXPECT_EQ(GetGuiString(strings, "CharSet"), "");
    EXPECT_EQ(GetGuiString(strings, "999"), "");
    EXPECT_EQ(GetGuiString(strings, "-5"), "");

    const std::string names = GetGuiString(strings, "200");
    EXPECT_EQ(names.size(), 1129u);
    EXPECT_EQ(std::count(names.begin(), names.end(), ','), 88);  // 89 names
    EXPECT_EQ(names.rfind("Andromeda,The Air Pump,", 0), 0u);
    EXPECT_EQ(names.substr(names.size() - 8), ",The Fox");
    EXPECT_EQ(EnglishConstellationNames(strings), names);
}

TEST(GuiStrings, IniFileReplacesTheBuiltInTable) {
    TempFolder folder;
    const GuiStrings strings = OnlyOpen(folder);
    EXPECT_EQ(GetGuiString(strings, "112"), "Ouvrir...");
    // Keys the file lacks are not taken from the built-in table.
    EXPECT_EQ(GetGuiString(strings, "100"), "");
    EXPECT_EQ(GetGuiString(strings, "166"), "");
    EXPECT_EQ(GetGuiString(strings, "100", "fallback"), "fallback");
    EXPECT_EQ(EnglishConstellationNames(strings), "");
    // Our own keys fall back to their English text.
    EXPECT_EQ(GetGuiTextOrBuiltIn(strings, "170"), GetGuiString(BuiltIn(), "170"));
    EXPECT_FALSE(GetGuiTextOrBuiltIn(strings, "170").empty());
}

TEST(GuiStrings, EnglishNamesFromIniAreCutTo1999Characters) {
    TempFolder folder;
    std::string longList;
    for (int i = 0; longList.size() < 2500; ++i) longList += "Name" + std::to_string(i) + ",";
    GuiStrings strings = BuiltIn();
    strings.IniPath = folder.Write("orvanta.ini", "[GUI_Strings]\r\n200=" + longList + "\r\n");
    const std::string names = EnglishConstellationNames(strings);
    EXPECT_EQ(names, longList.substr(0, 1999));
    // Other keys stay at 254.
    EXPECT_EQ(GetGuiString(strings, "200").size(), 254u);
}

TEST(LocaliseForm, FillsCaptionsAndTooltipsFromKeys) {
    FormTexts form = MainForm();
    LocaliseForm(form, BuiltIn());
    EXPECT_EQ(form.caption, "Orvanta");
    EXPECT_EQ(form.controls[0].caption, "Open...");
    EXPECT_EQ(form.controls[1].caption, "-");
    EXPECT_EQ(form.controls[2].caption, "View");
    EXPECT_EQ(form.controls[3].buttonToolTips,
              (std::vector<std::string>{"Move Left", "Move Up", "", "More stars", "Zoom -"}));
    EXPECT_EQ(form.controls[4].caption, "Names");
    EXPECT_EQ(form.controls[4].toolTip, "Fewer stars");
}

TEST(LocaliseForm, TranslationWithOneKeyLeavesTheRestEmpty) {
    TempFolder folder;
    FormTexts form = MainForm();
    LocaliseForm(form, OnlyOpen(folder));
    EXPECT_EQ(form.caption, "");
    EXPECT_EQ(form.controls[0].caption, "Ouvrir...");
    EXPECT_EQ(form.controls[1].caption, "-");
    EXPECT_EQ(form.controls[2].caption, "");
    EXPECT_EQ(form.controls[3].buttonToolTips, std::vector<std::string>(5, ""));
    EXPECT_EQ(form.controls[4].caption, "");
    EXPECT_EQ(form.controls[4].toolTip, "");
}
