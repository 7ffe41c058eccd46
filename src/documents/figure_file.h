#pragma once
// The figure file: one CR LF-terminated line per figure line, four
// comma-separated 16-bit integers, no header.
#include <string>
#include <vector>

#include "figure/figure_lines.h"
#include "sky/read_failure.h"

namespace orvanta {

// The written form of the completed lines.
std::string FormatFigureFile(const FigureLines& figure);

// Takes the text as a stream of decimal integers, four to a record. A text
// that is not in that form fails with the line where reading stopped.
ReadFailure ParseFigureFile(const std::string& text, std::vector<FigureRecord>& records);

// Writes the completed lines atomically; written is the number of records.
bool WriteFigureFile(const FigureLines& figure, const std::string& path, int& written, std::string& error);

// Reads the file into records without touching the figure.
ReadFailure ReadFigureRecords(const std::string& path, std::vector<FigureRecord>& records);
// Puts records read from a file in place of the figure, as read: saved.
void TakeFigureRecords(FigureLines& figure, const std::vector<FigureRecord>& records);
// Replaces the figure by the file's lines and sets SavedLineCount. On failure
// the figure is left as it was.
ReadFailure ReadFigureFile(FigureLines& figure, const std::string& path);

}  // namespace orvanta
