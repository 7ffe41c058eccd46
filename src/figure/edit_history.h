#pragma once
// The undo history of a figure: every completed line, deletion and import is
// one step. The state last saved is remembered by its place in the history
// (the clean index), so undoing back to it makes the document clean again.
// Qt's QUndoStack works the same way but lives in Qt Gui; the model stays
// free of Qt so that the tests and fuzzers link it directly.
#include <cstddef>
#include <optional>
#include <vector>

#include "figure/line_record.h"

namespace orvanta {

struct FigureEdit {
    enum class Kind { AddLine, DeleteLine, ReplaceLines };
    Kind kind = Kind::AddLine;
    size_t index = 0;                       // AddLine, DeleteLine: where the line is
    LineRecord record;                      // AddLine, DeleteLine: the line
    std::vector<LineRecord> before, after;  // ReplaceLines: the whole figure
};

class EditHistory {
public:
    // A new step after the current one; steps that were undone are dropped.
    void Record(FigureEdit edit);
    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ < steps_.size(); }
    // The step to take back, or to do again; the place in the history moves.
    const FigureEdit& StepBack();
    const FigureEdit& StepForward();

    // The figure is saved as it stands now.
    void MarkClean() { clean_ = current_; }
    bool IsClean() const { return clean_ == current_; }
    // A fresh history whose start is the saved state.
    void Clear();
    size_t StepCount() const { return steps_.size(); }

private:
    std::vector<FigureEdit> steps_;
    size_t current_ = 0;            // steps before this are done
    std::optional<size_t> clean_ = 0;  // none once the saved state was dropped with the steps after it
};

}  // namespace orvanta
