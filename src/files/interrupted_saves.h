#pragma once
// A write in place replaces a file's contents where it lies, so that its
// other hard links see them. First its old contents are copied aside: beside
// the file, under a name made of its device and inode, or, where the folder
// takes no new files, into the user's state folder; the state folder also
// notes where a copy beside a file is, so that the file reached by another of
// its names, in another folder, finds it too. A write that is interrupted
// (the program killed) leaves the copy; the next open or save of the file
// finishes it (the new contents were all written) or undoes it.
#include <sys/stat.h>

#include <string>
#include <string_view>

#include "files/file_descriptor.h"

namespace orvanta {

struct InterruptedSave {
    enum class Outcome {
        None,       // nothing was interrupted
        Finished,   // the new contents had all been written: the copy was removed
        Restored,   // the file was put back as it was before that save
        KeptAside,  // the file could not be mended: its old contents are in copyPath
    };
    Outcome outcome = Outcome::None;
    std::string copyPath;
};

// The old contents of a file while it is written in place; the copy is
// removed when this goes, unless putting them back failed.
class OldContentsCopy {
public:
    OldContentsCopy() = default;
    OldContentsCopy(const OldContentsCopy&) = delete;
    OldContentsCopy& operator=(const OldContentsCopy&) = delete;
    ~OldContentsCopy();

    // Copies the contents of file (status info, in folder) aside before
    // newBytes are written over them.
    bool Take(int folder, int file, const struct stat& info, std::string_view newBytes, std::string& error);
    // Writes the old contents back after a failed write.
    bool PutBack(int file);
    // Where the copy is kept; empty when it is only in memory.
    const std::string& Path() const { return path_; }

private:
    FileDescriptor copy_;
    std::string path_;      // of the copy
    std::string notePath_;  // of the note in the state folder, when the copy lies beside the file
    std::string memory_;    // the old contents, also where no folder took a copy
    bool keep_ = false;
};

// Looks for a copy left by an interrupted write in place of the file name in
// folder, and finishes or undoes that write.
InterruptedSave FinishInterruptedSaveAt(int folder, const std::string& name);

}  // namespace orvanta
