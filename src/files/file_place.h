#pragma once
// Where a path leads: an open folder and a name in it. Symbolic links of the
// last component are followed by hand (the careful writer needs the folder
// the file really lies in), but only where the kernel itself would follow
// them for this user: its protected-symlinks rule refuses a link in a sticky,
// world-writable folder (/tmp) unless the follower or the folder's owner owns
// it, so that a link planted there by another user leads nowhere.
#include <sys/stat.h>

#include <string>

#include "files/file_descriptor.h"

namespace orvanta {

struct FilePlace {
    FileDescriptor folder;
    std::string folderPath;  // as reached, for messages
    std::string name;        // one component, no slash
};

// Splits path into folder and name and follows links of the name; a name
// that does not exist yet is a place too. error says why on failure.
bool FindPlace(const std::string& path, FilePlace& place, std::string& error);
// The same for a name in an open folder.
bool FollowLinks(FilePlace& place, std::string& error);

// A sticky folder anyone may write, such as /tmp, where files of many users meet.
bool IsSharedFolder(const struct stat& folder);

// Whether the kernel would let this user follow a link (or, by its
// protected-regular rule, open an existing file for writing) owned by owner
// in a folder of this status.
bool MayUseInFolder(const struct stat& folder, unsigned owner);

}  // namespace orvanta
