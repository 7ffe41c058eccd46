#pragma once
// The document: the figure being edited, the file it belongs to and its
// history, from which its changed state follows. A document is a figure of
// lines (a .con file), or a sky culture, whose constellations the figure
// shows.
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "documents/culture/culture.h"
#include "documents/culture/culture_edit.h"
#include "documents/culture/culture_lines.h"
#include "figure/edit_history.h"
#include "files/careful_writer.h"
#include "files/file_reading.h"
#include "map/placed_figure.h"

namespace orvanta {

// One undoable step: of a figure's lines, or of a culture.
using DocumentEdit = std::variant<FigureEdit, CultureEdit>;

// What a sky culture adds to the document: the culture itself, which
// constellation drew each line of the figure, and the selected constellation.
struct CultureDocument {
    Culture culture;
    std::vector<LineOwner> owners;  // owners[i] drew the figure's line i
    std::optional<uint64_t> selected;
    std::vector<LineRecord> asterismLines;  // drawn when asked for
};

struct Document {
    bool open = false;  // a figure is shown: opened or imported
    std::string file;   // where Save writes; empty for an imported figure not yet saved; a culture's folder
    Figure figure;
    EditHistory<DocumentEdit> history;
    std::optional<FileStamp> stamp;  // the file as last read or written, to notice other writers
    uint64_t revision = 0;           // counts every change of the figure, for the recovery file
    std::shared_ptr<CultureDocument> culture;  // set when the document is a sky culture

    // Unsaved changes: the figure differs from the state last read or written.
    bool Changed() const { return open && !history.IsClean(); }
    bool IsCulture() const { return culture != nullptr; }
};

// What an export or a recovery file must not write over: the document's own
// file, which another format would replace.
inline WriteOptions SparingTheDocument(const Document& document) {
    WriteOptions options;
    if (!document.file.empty() && !document.IsCulture())
        if (const auto identity = IdentityOf(document.file)) options.inputs.push_back(*identity);
    return options;
}

}  // namespace orvanta
