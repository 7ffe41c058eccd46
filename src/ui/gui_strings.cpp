#include "ui/gui_strings.h"

#include <cmath>
#include <cstdlib>

#include "ui/profile_file.h"

namespace orvanta {

namespace {

constexpr int kTableSize = 251;

const char* const kEnglishNames =
    "Andromeda,The Air Pump,The Bird of Paradise,The Water Carrier,The Eagle,The Altar,The Ram,"
    "The Charioteer,The Herdsman,The Chisel,The Giraffe,The Crab,The Hunting Dogs,The Greater Dog,"
    "The Lesser Dog,The Sea Goat,The Keel,Cassiopeia,The Centaur,Cepheus,The Whale,The Chameleon,"
    "The Compasses,The Dove,Berenice's Hair,The Southern Crown,The Northern Crown,The Crow,The Cup,"
    "The Southern Cross,The Swan,The Dolphin,The Goldfish,The Dragon,The Little Horse,The River,"
    "The Furnace,The Twins,The Crane,Hercules,The Pendulum Clock,The Water Snake,"
    "The Lesser Water Snake,The Indian,The Lizard,The Lion,The Lesser Lion,The Hare,The Scales,"
    "The Wolf,The Lynx,The Lyre,The Table,The Microscope,The Unicorn,The Fly,The Level,The Octant,"
    "The Serpent Holder,The Hunter,The Peacock,The Winged Horse,Perseus,The Phoenix,"
    "The Painter's Easel,The Fishes,The Southern Fish,The Stern,The Compass,The Net,The Arrow,"
    "The Archer,The Scorpion,The Sculptor,The Shield,The Serpent's Head,The Serpent's Tail,"
    "The Sextant,The Bull,The Telescope,The Triangle,The Southern Triangle,The Toucan,The Great Bear,"
    "The Little Bear,The Sails,The Virgin,The Flying Fish,The Fox";

struct BuiltIn {
    int key;
    const char* text;
};

const BuiltIn kBuiltInTexts[] = {
    {100, "Orvanta"},
    {105, "Loading Data Error. Check Destination of Application."},
    {106, "This figure file could not be read, so the figure shown has not changed."},
    {107, "Reading stopped at line"},
    {110, "Constellations"},
    {112, "Open..."},
    {114, "Save"},
    {116, "Save As..."},
    {118, "Exit"},
    {120, "View"},
    {122, "Bounds"},
    {124, "Names"},
    {126, "None"},
    {128, "Abbrev."},
    {130, "Latin"},
    {132, "English"},
    {140, "Star Colours"},
    {150, "Help"},
    {151, "On-line Help"},
    {152, "About..."},
    {154, "Draws constellation figures over the sky of the moment. Free software."},
    {160, "Open file..."},
    {162, "Constellation shapes"},
    {164, "Warning"},
    {166, "Do you want to save this document?"},
    {168, "Save file as..."},
    {170, "The figure could not be saved. It is still open and marked as changed: "
          "use Save As to keep it elsewhere."},
    {172, "This file does not exist yet. Do you want to create it?"},
    {180, "Move Left"},
    {181, "Move Up"},
    {182, "Move Down"},
    {183, "Move Right"},
    {185, "More stars"},
    {186, "Fewer stars"},
    {188, "Zoom +"},
    {189, "Zoom -"},
    {200, kEnglishNames},
    {210, "Click on star by left mouse button to create new line, use Shift + left mouse button for selecting "
          "current lines."},
    {212, "Click on star by left mouse button to create new line, use right mouse button to cancel this process."},
    {214, "Selected line can be deleted only (press Del) - no other possibilities are available. The only way to "
          "change current lines is its deleting and creating the new ones."},
};

// The number at the start of the key, 0 when it does not begin with one.
int KeyIndex(const std::string& key) {
    const char* start = key.c_str();
    while (*start == ' ') ++start;
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start || !std::isfinite(value)) return 0;
    return static_cast<int>(std::nearbyint(std::fmin(std::fmax(value, -1e9), 1e9)));
}

}  // namespace

void LoadDefaultGuiStrings(GuiStrings& strings) {
    strings.DefaultGuiStrings.assign(kTableSize, std::string());
    for (const BuiltIn& entry : kBuiltInTexts) strings.DefaultGuiStrings[entry.key] = entry.text;
}

std::string GetGuiString(const GuiStrings& strings, const std::string& key, const std::string& defaultValue,
                         size_t size) {
    const ProfileTable* table = strings.IniPath.empty() ? nullptr : strings.IniFile.Table(strings.IniPath);
    if (!table) {
        const int index = KeyIndex(key);
        if (index < 0 || index >= static_cast<int>(strings.DefaultGuiStrings.size())) return {};
        return strings.DefaultGuiStrings[index];
    }
    std::string value;
    ProfileValue(table->Find("GUI_Strings", key), defaultValue, value, size);
    return value;
}

std::string GuiStringsFileRefusal(const GuiStrings& strings) {
    if (strings.IniPath.empty()) return {};
    strings.IniFile.Table(strings.IniPath);
    return strings.IniFile.Refusal();
}

std::string GetGuiTextOrBuiltIn(const GuiStrings& strings, const std::string& key) {
    const int index = KeyIndex(key);
    const std::string builtIn =
        index >= 0 && index < static_cast<int>(strings.DefaultGuiStrings.size()) ? strings.DefaultGuiStrings[index] : "";
    return GetGuiString(strings, key, builtIn);
}

std::string EnglishConstellationNames(const GuiStrings& strings) { return GetGuiString(strings, "200", "", 2000); }

}  // namespace orvanta
