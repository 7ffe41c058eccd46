#pragma once
// Export and Import: figures to and from the sky programs people use, and
// pictures of the map.
#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

// The star identities and constellation bands, read on first use; nullptr
// when they cannot be read (report says whether the user is told why).
const ExchangeSky* EnsureExchangeSky(ProgramState& state, Window* report);

void ExportCommand(ProgramState& state, Window& window);
// Replaces the figure the way Open does, by a figure read from a sky culture
// or a GeoJSON lines file: a new figure without a file, unsaved, whose
// import is one step of its history.
void ImportCommand(ProgramState& state, Window& window);
void PrintCommand(ProgramState& state, Window& window);

}  // namespace orvanta
