#pragma once
// Reads one key of an INI file the way the Windows profile function does:
// names match without regard to case, blanks around names and values are
// dropped, a value in matching quotes loses them, and the value is cut to
// size - 1 characters. The file is read anew at every call.
#include <cstddef>
#include <string>

namespace orvanta {

// Copies the value (or the default when the section or key is missing) into
// value, in UTF-8, and returns the number of characters copied. A file that is
// not valid UTF-8 is taken as Latin-1.
size_t GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                               std::string& value, size_t size, const std::string& path);

// The same look-up over the text of a file; used by the function above.
size_t ProfileLookup(const std::string& fileText, const std::string& section, const std::string& key,
                     const std::string& defaultValue, std::string& value, size_t size);

// The text as UTF-8: kept when it is valid UTF-8, otherwise read as Latin-1.
std::string DecodeUtf8OrLatin1(const std::string& bytes);

}  // namespace orvanta
