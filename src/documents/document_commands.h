#pragma once
// Open, Save and Save As, the caption that names the document, and the close path.
#include <string>

#include "app/shared_state.h"
#include "ui/constel_window.h"

namespace orvanta {

// "Orvanta [file]" when clean, "Orvanta [file*]" when changed.
std::string DocumentCaption(const Orvanta& state, bool changed);
void MarkDocumentChanged(Orvanta& state, ConstelWindow& window);

// The filter both dialogs offer: one entry for figure files.
std::string FigureFileFilter(const Orvanta& state);

// Tells the user that the figure could not be written, and that it is kept.
void ReportSaveFailure(const Orvanta& state, ConstelWindow& window, const std::string& path, const std::string& error);
// Tells the user that a data file beside the program could not be read.
void ReportDataFailure(const Orvanta& state, ConstelWindow& window, const std::string& path, const ReadFailure& failure);

void mnuOpen_Click(Orvanta& state, ConstelWindow& window);
void mnuSave_Click(Orvanta& state, ConstelWindow& window);
void mnuSaveAs_Click(Orvanta& state, ConstelWindow& window);

// Reloads the reference tables and puts the records read into the figure.
void ReopenDocument(Orvanta& state, ConstelWindow& window, const std::vector<FigureRecord>& records);

// Asked before the window closes: runs the guard. False keeps the window open,
// which happens only when the user said Yes and the write failed.
bool Form_QueryUnload(Orvanta& state, ConstelWindow& window);

}  // namespace orvanta
