// The figure's undoable steps, and Undo and Redo playing them.
#include "commands/figure_edits.h"

#include "commands/culture_commands.h"
#include "commands/map_redraw.h"
#include "commands/window_state.h"
#include "map/figure_placement.h"

namespace orvanta {

namespace {

void InsertLine(ProgramState& state, Window& window, size_t index, const LineRecord& record) {
    // Placed from its record, the line is drawn and found exactly like one drawn by hand.
    const PlacedLine placed = PlaceLine(state.view, record);
    state.document.figure.InsertLine(index, record, placed);
    window.OverlayLineChanged(placed.InPixels());
}

void RemoveLine(ProgramState& state, Window& window, size_t index) {
    const PlacedLine placed = state.document.figure.Placed(index);
    state.document.figure.RemoveLine(index);
    window.OverlayLineChanged(placed.InPixels());
}

// Plays an edit forwards (do, redo) or backwards (undo).
void Play(ProgramState& state, Window& window, const DocumentEdit& step, bool forwards) {
    HideSelection(state, window);
    ++state.document.revision;
    if (const auto* culture = std::get_if<CultureEdit>(&step)) return PlayCultureEdit(state, window, *culture, forwards);
    const FigureEdit& edit = std::get<FigureEdit>(step);
    switch (edit.kind) {
        case FigureEdit::Kind::AddLine:
        case FigureEdit::Kind::DeleteLine:
            if (forwards == (edit.kind == FigureEdit::Kind::AddLine))
                InsertLine(state, window, edit.index, edit.record);
            else
                RemoveLine(state, window, edit.index);
            break;
        case FigureEdit::Kind::ReplaceLines:
            state.document.figure.ReplaceLines(forwards ? edit.after : edit.before);
            RedrawMap(state, window);
            break;
    }
}

}  // namespace

void EndDrawing(ProgramState& state, Window& window) {
    Figure& figure = state.document.figure;
    if (!figure.Drawing()) return;
    const PlacedLine band = figure.Band()->line;
    figure.EndBand();
    window.OverlayLineChanged(band.InPixels());
}

void RecordEdit(ProgramState& state, Window& window, DocumentEdit edit) {
    Play(state, window, edit, true);
    state.document.history.Record(std::move(edit));
    RefreshWindowState(state, window);
}

void UndoCommand(ProgramState& state, Window& window) {
    EndDrawing(state, window);
    if (!state.document.history.CanUndo()) return;
    Play(state, window, state.document.history.StepBack(), false);
    window.SetStatusText(Text(state.strings, TextKey::HintIdle));
    RefreshWindowState(state, window);
}

void RedoCommand(ProgramState& state, Window& window) {
    if (!state.document.history.CanRedo()) return;
    // A line being drawn ends first, as for Undo: the band would start from a star of the old figure.
    EndDrawing(state, window);
    Play(state, window, state.document.history.StepForward(), true);
    window.SetStatusText(Text(state.strings, TextKey::HintIdle));
    RefreshWindowState(state, window);
}

}  // namespace orvanta
