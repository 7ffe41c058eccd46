#pragma once
// Every user-visible text, looked up by a numeric key in orvanta.ini's
// GUI_Strings section, or in the built-in English table when there is no file.
#include <string>
#include <vector>

#include "ui/profile_file.h"

namespace orvanta {

struct GuiStrings {
    std::string IniPath;  // orvanta.ini beside the program, or empty
    std::vector<std::string> DefaultGuiStrings;  // indices 0 to 250
    // orvanta.ini as last read; look-ups refresh it when the file changes.
    mutable ProfileFile IniFile;
};

// Texts of our own that the classic key table lacks; they carry an English
// default so that a translation file without them still shows a message.
namespace extra_text {
constexpr const char* kFigureUnreadable = "106";
constexpr const char* kReadingStoppedAt = "107";
constexpr const char* kAboutNotice = "154";
constexpr const char* kSaveFailed = "170";
constexpr const char* kCreateFilePrompt = "172";
}  // namespace extra_text

void LoadDefaultGuiStrings(GuiStrings& strings);

// The text of key (decimal text such as "166"). With orvanta.ini present a key
// missing from it yields defaultValue; size limits the length to size - 1.
// When orvanta.ini is refused (unreadable, not a file, too large) the
// built-in English texts are used, as without the file.
std::string GetGuiString(const GuiStrings& strings, const std::string& key, const std::string& defaultValue = "",
                         size_t size = 255);

// For our own keys: the built-in text doubles as the default when a translation lacks the key.
std::string GetGuiTextOrBuiltIn(const GuiStrings& strings, const std::string& key);

// Why orvanta.ini was refused, for the window to show; empty when there is no
// such file to use or it was read.
std::string GuiStringsFileRefusal(const GuiStrings& strings);

// The English constellation names, key 200, comma-separated in table order.
std::string EnglishConstellationNames(const GuiStrings& strings);

}  // namespace orvanta
