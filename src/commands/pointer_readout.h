#pragma once
// The status bar's read-out of what lies under the pointer.
#include <string>

#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

// The sky position under the pointer (right ascension and declination,
// altitude and azimuth) and, over a star, what the star is.
std::string DescribePointer(const ProgramState& state, PixelPoint at);

// Shows the read-out for the pointer, or nothing before a figure is shown.
void ShowPointerReadout(ProgramState& state, Window& window, PixelPoint at);

}  // namespace orvanta
