#pragma once
// The one way Orvanta writes a file or a folder, whatever the format: the old
// file stays whole when anything fails, and what the user sees of it
// afterwards (its links, owner, group, mode, extended attributes) is what it
// was before, only with new contents.
//  - A symbolic link is followed only where the kernel would follow it for
//    this user: not a link another user put in a sticky, world-writable folder.
//  - A FIFO, a device, a socket or a folder is refused, and so is a file
//    nobody may write (mode 444), even for root, and a file that is one of
//    the inputs being read.
//  - Normally a new file is written beside the target and renamed over it,
//    and the folder is synced. Where a rename would lose something (other hard
//    links, an owner or an attribute that cannot be given to a new file, a
//    folder that takes no new files) the file is written in place after its
//    old contents are copied aside; an interrupted write in place is finished
//    or undone the next time the file is opened or saved.
//  - A new file gets mode 0666 less the umask, a new folder 0777 less it.
//  - Temporary and backup files live beside the target under short names of
//    their own, are locked while in use, and are removed on every way out;
//    leftovers of a process that was killed are removed once no living
//    process holds them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/interrupted_saves.h"

namespace orvanta {

// Which file a name leads to: the same device and inode are the same file.
struct FileIdentity {
    uint64_t device = 0, inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentityOf(const std::string& path);

struct WriteOptions {
    std::vector<FileIdentity> inputs;  // the files being read: an output that is one of them is refused
};

struct WriteResult {
    bool written = false;
    std::string error;   // why nothing was written
    InterruptedSave earlier;  // an earlier interrupted save of the file, found and mended on the way
};

WriteResult WriteFileCarefully(const std::string& path, std::string_view bytes, const WriteOptions& options = {});

// One file of a folder, by its name relative to the folder; one level of
// subfolder is allowed ("illustrations/orion.png").
struct FolderFile {
    std::string name;
    std::string bytes;
};

// Writes each file into folder through the careful writer, one after the
// other in the order given, creating the folder and its subfolders where
// missing. Nothing else in the folder is removed, moved or replaced. A path
// that is not a folder, and a folder nobody may write (mode 555), are refused.
// On a failure part-way the files written so far stay written.
WriteResult WriteFilesIntoFolder(const std::string& folder, const std::vector<FolderFile>& files,
                                 const WriteOptions& options = {});

// "-" as an output names standard output.
bool IsStandardOutput(const std::string& path);
WriteResult WriteToStandardOutput(std::string_view bytes);

// Finishes or undoes an interrupted write in place of the file at path (by
// any of its names), from the copy of its old contents that the write left.
InterruptedSave FinishInterruptedSave(const std::string& path);

}  // namespace orvanta
