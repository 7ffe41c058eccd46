#pragma once
// The status bar's read-out of what lies under the pointer.
#include <string>

#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

// The sky position under (x, y) twips (right ascension and declination,
// altitude and azimuth) and, over a star, what the star is.
std::string DescribePointer(const ProgramState& state, float x, float y);

// Shows the read-out for the pointer at (x, y), or nothing before a figure is shown.
void ShowPointerReadout(ProgramState& state, Window& window, float x, float y);

// "5h 55m 10s": right ascension in thousandths of an hour.
std::string FormatRightAscension(double raUnits);
// "+7° 24′ 30″": declination in hundredths of a degree.
std::string FormatDeclination(double decUnits);

}  // namespace orvanta
