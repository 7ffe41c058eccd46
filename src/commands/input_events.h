#pragma once
// The mouse buttons, modifier keys and keys the map's commands tell apart,
// as the window translates its toolkit's events into them.
namespace orvanta {

enum class MouseButton { Left, Right, Middle, Other };

struct Modifiers {
    bool shift = false, control = false, alt = false;
    // Shift and nothing else: what selects a line.
    bool ShiftAlone() const { return shift && !control && !alt; }
};

// Only Del does something to a selected line; every other key does nothing.
enum class Key { Delete, Other };

}  // namespace orvanta
