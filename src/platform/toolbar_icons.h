#pragma once
#include <QIcon>

namespace orvanta {

enum class IconMotif { ArrowLeft, ArrowUp, ArrowDown, ArrowRight, DenseDots, SparseDots, ZoomIn, ZoomOut };

// A toolbar icon drawn at 16 and 32 pixels, so it stays crisp at 1x and 2x.
QIcon MakeToolbarIcon(IconMotif motif);

}  // namespace orvanta
