#pragma once
// Drawing lines in chains by clicking stars, cancelling with the right button,
// selecting a line with Shift and a click, and the rubber band.
#include <cstdint>
#include <optional>

#include "app/shared_state.h"
#include "ui/constel_window.h"

namespace orvanta {

enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftState : int { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

constexpr int kStarBoxHalfWidth = 20;   // catalogue units in both coordinates
constexpr int kPolarCap = 8900;         // hundredths of a degree
constexpr float kLineTolerance = 80;    // twips

// The first star in catalogue order within the box around the pointer's sky
// position, or any star beyond the polar cap when the pointer is.
std::optional<int32_t> StarHitBox(const StarCatalog& stars, const CataloguePoint& pointer);

// The first visible line element within reach of (x, y), not the rubber band.
std::optional<int> FindLineAt(const FigureLines& figure, float x, float y);

void MapMouseDown(Orvanta& state, ConstelWindow& window, int button, int shift, float x, float y);
void MapMouseMove(Orvanta& state, ConstelWindow& window, float x, float y);

}  // namespace orvanta
