#pragma once
// Orvanta's folders in the user's home, after the XDG base-directory rules.
#include <string>

namespace orvanta {

// Orvanta's folder in an XDG base folder: $variable/orvanta/, else
// ~/underHome/orvanta/; "" without either. Always ends in a separator.
std::string XdgFolder(const char* variable, const char* underHome);

// $XDG_CONFIG_HOME/orvanta/ or ~/.config/orvanta/: the user's orvanta.ini.
std::string UserConfigFolder();
// $XDG_STATE_HOME/orvanta/ or ~/.local/state/orvanta/: recovery files and
// the notes of interrupted saves.
std::string UserStateFolder();

// The user's home folder; "" without one.
std::string HomeFolder();

// Makes folder and every missing folder above it, private to the user (0700).
bool MakePrivateFolders(const std::string& folder);
// The same, as the user's umask allows: for folders other programs read, such as Stellarium's.
bool MakeFolders(const std::string& folder);

}  // namespace orvanta
