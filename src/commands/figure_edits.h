#pragma once
// The figure's undoable steps: a completed line, a deletion, a whole new
// figure (an import); and Undo and Redo, which play them back.
#include "commands/program_state.h"
#include "commands/window.h"

namespace orvanta {

// Makes the edit and keeps it in the history as one step.
void RecordEdit(ProgramState& state, Window& window, DocumentEdit edit);

// Undo while a line is being drawn ends the drawing first.
void UndoCommand(ProgramState& state, Window& window);
void RedoCommand(ProgramState& state, Window& window);

// Ends the drawing of a line: the rubber band goes, the finished lines stay.
void EndDrawing(ProgramState& state, Window& window);

}  // namespace orvanta
