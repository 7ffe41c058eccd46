#pragma once
// The temporary files the careful writer writes before a rename: unnamed
// where the file system allows it, else under short names of our own beside
// the target, locked for as long as a save uses them, so that what a killed
// save left behind is told from what a living one still writes.
#include <string>

#include "files/file_descriptor.h"

namespace orvanta {

struct Temporary {
    FileDescriptor fd;
    std::string name;  // empty while unnamed
};

// A new temporary file in folder, locked; false with errno set on failure.
bool CreateTemporary(int folder, Temporary& temporary);
// Links the unnamed temporary file into folder under name; false (EEXIST) when the name is taken.
bool LinkTemporary(int folder, const Temporary& temporary, const std::string& name);
// A fresh name of our own for a temporary file.
std::string TemporaryName();
// Closes the temporary file and removes its name, if it has one.
void RemoveTemporary(int folder, Temporary& temporary);
// Removes the temporary files in folder that no living process holds.
void RemoveStaleTemporaries(int folder);

}  // namespace orvanta
