#pragma once
// The toolbar's icons, drawn in the theme's own colours.
#include <QIcon>
#include <QPalette>

namespace orvanta {

enum class IconMotif { ArrowLeft, ArrowUp, ArrowDown, ArrowRight, DenseDots, SparseDots, ZoomIn, ZoomOut };

// A toolbar icon in the palette's text colour, and its disabled text colour when
// disabled, so it reads in light and dark themes; drawn at 16 and 32 pixels.
QIcon MakeToolbarIcon(IconMotif motif, const QPalette& palette);

}  // namespace orvanta
