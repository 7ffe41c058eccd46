#pragma once
// The recovery file: a figure's unsaved lines, or a culture's changed files,
// kept every few seconds so that a program that is killed loses at most those seconds. It names the
// figure's own file as its raw bytes, so that any name a file system allows
// (a line end in it too) comes back whole.
#include <string>
#include <vector>

#include "figure/line_record.h"
#include "files/careful_writer.h"
#include "files/read_failure.h"

namespace orvanta {

struct Recovery {
    std::string path;          // the recovery file itself
    int processId = 0;         // the program that wrote it
    std::string documentFile;  // the figure's own file, or the culture's folder; empty when it had none
    std::string time;          // when the changes were kept, local time
    std::vector<LineRecord> records;
    // A culture's changed files, whole, as a save would write them into its folder.
    std::vector<FolderFile> cultureFiles;
};

// This process's recovery file in folder: folder/recovery-<pid>.txt.
std::string RecoveryPathFor(const std::string& folder, int processId);
// The process number in a recovery file's name; 0 for any other name.
int ProcessIdOfRecovery(const std::string& fileName);

std::string FormatRecovery(const Recovery& recovery);
ReadFailure ReadRecovery(const std::string& path, Recovery& recovery);

}  // namespace orvanta
