#pragma once
// The undo history of a document: every completed line, deletion and import
// is one step. The state last saved is remembered by its place in the history
// (the clean index), so undoing back to it makes the document clean again.
// Qt's QUndoStack works the same way but lives in Qt Gui; the model stays
// free of Qt so that the tests and fuzzers link it directly.
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <vector>

#include "figure/line_record.h"

namespace orvanta {

// A step of a figure of lines.
struct FigureEdit {
    enum class Kind { AddLine, DeleteLine, ReplaceLines };
    Kind kind = Kind::AddLine;
    size_t index = 0;                       // AddLine, DeleteLine: where the line is
    LineRecord record;                      // AddLine, DeleteLine: the line
    std::vector<LineRecord> before, after;  // ReplaceLines: the whole figure
};

template <typename Step>
class EditHistory {
public:
    // A new step after the current one; steps that were undone are dropped.
    void Record(Step step) {
        steps_.resize(current_);
        // The saved state lay among the dropped steps: no undo can reach it now.
        if (clean_ && *clean_ > current_) clean_.reset();
        steps_.push_back(std::move(step));
        ++current_;
    }
    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ < steps_.size(); }
    // The step to take back, or to do again; the place in the history moves.
    const Step& StepBack() {
        if (!CanUndo()) throw std::logic_error("nothing to undo");
        return steps_[--current_];
    }
    const Step& StepForward() {
        if (!CanRedo()) throw std::logic_error("nothing to redo");
        return steps_[current_++];
    }

    // The document is saved as it stands now.
    void MarkClean() { clean_ = current_; }
    bool IsClean() const { return clean_ == current_; }
    // A fresh history whose start is the saved state.
    void Clear() {
        steps_.clear();
        steps_.shrink_to_fit();
        current_ = 0;
        clean_ = 0;
    }
    size_t StepCount() const { return steps_.size(); }

private:
    std::vector<Step> steps_;
    size_t current_ = 0;               // steps before this are done
    std::optional<size_t> clean_ = 0;  // none once the saved state was dropped with the steps after it
};

}  // namespace orvanta
