// The undo history of a figure and its clean mark.
#include "figure/edit_history.h"

#include <stdexcept>

namespace orvanta {

void EditHistory::Record(FigureEdit edit) {
    steps_.resize(current_);
    // The saved state lay among the dropped steps: no undo can reach it now.
    if (clean_ && *clean_ > current_) clean_.reset();
    steps_.push_back(std::move(edit));
    ++current_;
}

const FigureEdit& EditHistory::StepBack() {
    if (!CanUndo()) throw std::logic_error("nothing to undo");
    return steps_[--current_];
}

const FigureEdit& EditHistory::StepForward() {
    if (!CanRedo()) throw std::logic_error("nothing to redo");
    return steps_[current_++];
}

void EditHistory::Clear() {
    steps_.clear();
    steps_.shrink_to_fit();
    current_ = 0;
    clean_ = 0;
}

}  // namespace orvanta
