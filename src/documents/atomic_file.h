#pragma once
// Saving the way a careful editor does: the old file stays whole when anything
// fails, and what the user sees of the file afterwards is what it was before
// (its links, owner, group and mode), only with new contents.
#include <optional>
#include <string>

#include "sky/text_file.h"  // FileStamp and StampOf, to tell whether a file changed since it was read

namespace orvanta {

// Writes bytes to path; error says why on failure, and the file is then as it was.
//  - A symbolic link is followed: its target gets the bytes, the link stays.
//  - Normally a new file is written beside the target and renamed over it, and
//    the folder is synced; it takes the old file's mode, owner and group.
//  - Where a rename would lose something (the file has other hard links, its
//    owner or group cannot be given to a new file, the folder is not writable),
//    the file is written in place after its old contents are copied aside; the
//    copy puts them back if writing fails and is removed after success.
//  - A file without any write permission (mode 444) is refused, even for root.
//  - A new file gets mode 0666 less the umask.
//  - Temporary files of ours (.orvanta-save-<pid>-XXXXXX) left by a process
//    that is gone are removed from the folder.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace orvanta
