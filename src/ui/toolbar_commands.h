#pragma once
// The toolbar: turn and tilt the sky, change the star limit, zoom.
#include "app/shared_state.h"
#include "ui/constel_window.h"

namespace orvanta {

enum ToolbarButton : int {
    kMoveLeft = 1, kMoveUp = 2, kMoveDown = 3, kMoveRight = 4,
    kMoreStars = 6, kFewerStars = 7, kZoomIn = 9, kZoomOut = 10
};
constexpr int kToolbarButtonCount = 10;

// The tooltip key of each button (1 to 10); separators have none.
const char* ToolbarButtonTag(int index);

void Toolbar1_ButtonClick(Orvanta& state, ConstelWindow& window, int index);
// Loads the stars down to a limit half a magnitude fainter and draws only the new ones.
void MoreStars(Orvanta& state, ConstelWindow& window);
// Cuts the catalogue half a magnitude brighter and redraws.
void FewerStars(Orvanta& state, ConstelWindow& window);

}  // namespace orvanta
