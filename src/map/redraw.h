#pragma once
#include "app/shared_state.h"
#include "ui/constel_window.h"

namespace orvanta {

// kresli: the map redraw. Rebuilds the whole picture in its layer order:
// boundaries, figure lines, stars, names. Does nothing until a figure is open.
void kresli(Orvanta& state, ConstelWindow& window);

// Sets the zoom to its base, the screen height in twips / 225, and its limits.
void ResetZoom(ViewState& view, const ConstelWindow& window);

// The window's resize: spans the status panel, resets the zoom, redraws.
void Form_Resize(Orvanta& state, ConstelWindow& window);

}  // namespace orvanta
