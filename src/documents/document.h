#pragma once
// The document: the figure being edited, the file it belongs to and its
// history, from which its changed state follows.
#include <string>

#include <optional>

#include "figure/edit_history.h"
#include "map/placed_figure.h"
#include "files/careful_writer.h"
#include "files/file_reading.h"

namespace orvanta {

struct Document {
    bool open = false;  // a figure is shown: opened or imported
    std::string file;   // where Save writes; empty for an imported figure not yet saved
    Figure figure;
    EditHistory history;
    std::optional<FileStamp> stamp;  // the file as last read or written, to notice other writers
    uint64_t revision = 0;           // counts every change of the figure, for the recovery file

    // Unsaved changes: the figure differs from the state last read or written.
    bool Changed() const { return open && !history.IsClean(); }
};

// What an export or a recovery file must not write over: the document's own
// file, which another format would replace.
inline WriteOptions SparingTheDocument(const Document& document) {
    WriteOptions options;
    if (!document.file.empty())
        if (const auto identity = IdentityOf(document.file)) options.inputs.push_back(*identity);
    return options;
}

}  // namespace orvanta
