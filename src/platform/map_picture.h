#pragma once
// Pictures of the map as it is shown (SVG, PNG, PDF), and the map on paper.
#include <QPainter>
#include <QSize>
#include <QWidget>
#include <string>

#include "commands/program_state.h"
#include "commands/window.h"
#include "platform/picture_store.h"

namespace orvanta {

enum class PictureColours { Screen, Print };

// Paints the map of the state's view, its figure lines included, onto painter
// over size logical pixels, with the zenith at the middle of the top edge.
// The illustrations come from pictures; without it they are left out.
void PaintMapPicture(QPainter& painter, const ProgramState& state, QSize size, PictureColours colours,
                     const PictureStore* pictures = nullptr);

// Writes a picture of size logical pixels to path, whole or not at all; the
// reason when it could not. choice is one of the picture formats.
std::string WriteMapPicture(const ProgramState& state, ExportChoice choice, const std::string& path, QSize size,
                            const PictureStore* pictures = nullptr);

// Prints the map in print colours through the printing dialog over owner.
void PrintMap(QWidget* owner, const ProgramState& state, QSize size, const PictureStore* pictures = nullptr);

}  // namespace orvanta
