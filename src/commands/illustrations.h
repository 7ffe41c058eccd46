#pragma once
// A culture's illustrations on the map: placed by their anchors, shown at
// the brightness the user chose, the selected constellation's at full.
#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

// The pictures the map shows, from the open culture as it now is. Pictures
// that cannot be shown are told in one message when told is true.
void RefreshPictures(ProgramState& state, Window& window, bool told);

void ToggleIllustrations(ProgramState& state, Window& window);
void SetIllustrationBrightness(ProgramState& state, Window& window, int percent);

// Add Illustration: a picture for the selected constellation, its anchors
// on three of its stars spread as they lie on the map. One undo step.
void AddIllustrationCommand(ProgramState& state, Window& window);
void RemoveIllustrationCommand(ProgramState& state, Window& window);

// Dragging an anchor or a handle of the selected constellation's
// illustration: a press on one starts it (false: none there), the picture
// follows the pointer, and the release puts each moved anchor on the star
// under it, or takes the move back when one has none. One undo step.
bool StartAnchorDrag(ProgramState& state, Window& window, PixelPoint at);
void DragAnchor(ProgramState& state, Window& window, PixelPoint at);
void EndAnchorDrag(ProgramState& state, Window& window, PixelPoint at);
// Where the selected illustration's anchors are on the map, for the window to mark.
void PlaceAnchorMarks(const ProgramState& state, Window& window);

// The brightnesses offered.
constexpr int kIllustrationBrightnesses[] = {25, 50, 75, 100};

}  // namespace orvanta
