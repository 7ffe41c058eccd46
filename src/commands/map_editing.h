#pragma once
// Drawing lines in chains by clicking stars, cancelling with the right button,
// selecting a line with Shift and a click, the rubber band, and Del.
#include <optional>

#include "commands/input_events.h"
#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

// The star a press here picks: a star of yale.dat as the map always picked
// them, else, with Faint Stars on, the brightest faint star in the same box.
struct PickedStar {
    Star star;
    std::optional<size_t> brightIndex;  // its index in the catalogue, for a star of yale.dat
    std::optional<int32_t> hip;         // its Hipparcos number, where known
};
std::optional<PickedStar> PickStar(ProgramState& state, PixelPoint at);

// A press on the map.
void MapMouseDown(ProgramState& state, Window& window, MouseButton button, Modifiers modifiers, PixelPoint at);
// The pointer moved over the map.
void MapMouseMove(ProgramState& state, Window& window, PixelPoint at);
// A key pressed while the selection markers have the keyboard: Del deletes the
// selected line; every other key, and Del while a line is being drawn, does nothing.
void SelectionKeyDown(ProgramState& state, Window& window, Key key);

}  // namespace orvanta
