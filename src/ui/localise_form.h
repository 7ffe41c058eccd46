#pragma once
// Replaces the numeric keys that a window's captions, tags and tooltips hold
// at design time by their texts, once, when the window loads.
#include <string>
#include <vector>

#include "ui/gui_strings.h"

namespace orvanta {

// The localisable texts of one control, as the window describes itself.
struct ControlTexts {
    enum class Kind { Menu, Toolbar, Other };
    Kind kind = Kind::Other;
    std::string name;
    std::string caption;
    std::string tag;
    std::string toolTip;
    std::string charSet;
    std::vector<std::string> buttonTags;      // toolbar only, one per button
    std::vector<std::string> buttonToolTips;  // toolbar only, filled from the tags
};

struct FormTexts {
    std::string tag;
    std::string caption;
    std::vector<ControlTexts> controls;  // in the window's control order
};

// True when the text reads as a number; an empty text does not.
bool IsNumericText(const std::string& text);

void LocaliseForm(FormTexts& form, const GuiStrings& strings);

}  // namespace orvanta
