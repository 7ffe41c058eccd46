#pragma once
// The figure file: one CR LF-terminated line per figure line, four
// comma-separated 16-bit integers, no header.
#include <string>
#include <vector>

#include "figure/line_record.h"
#include "files/careful_writer.h"
#include "files/read_failure.h"

namespace orvanta {

// The written form of the lines.
std::string FormatFigureFile(const std::vector<LineRecord>& records);

// Takes the text as a stream of decimal integers, four to a record. A text
// that is not in that form fails with the line where reading stopped, and
// records is left as it was.
ReadFailure ParseFigureFile(const std::string& text, std::vector<LineRecord>& records);

// Writes the lines so that the old file stays whole if anything fails.
WriteResult WriteFigureFile(const std::vector<LineRecord>& records, const std::string& path,
                            const WriteOptions& options = {});

// Reads the file into records; on failure records is left as it was.
ReadFailure ReadFigureRecords(const std::string& path, std::vector<LineRecord>& records);

}  // namespace orvanta
