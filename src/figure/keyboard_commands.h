#pragma once
#include "app/shared_state.h"
#include "ui/constel_window.h"

namespace orvanta {

constexpr int kDeleteKeyCode = 46;

// A key pressed on a selection marker: Del deletes the selected line; every
// other key, and Del while a line is being drawn, is ignored.
void Picture1_KeyDown(Orvanta& state, ConstelWindow& window, int keyCode);

}  // namespace orvanta
