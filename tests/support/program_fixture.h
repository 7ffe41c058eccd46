#pragma once
// A program folder holding the shipped data, the state after start-up with
// the catalogue loaded, and a scripted window: the application without Qt.
#include <gtest/gtest.h>

#include <filesystem>

#include "commands/document_commands.h"
#include "commands/figure_edits.h"
#include "commands/startup.h"
#include "support/scripted_window.h"
#include "support/temp_folder.h"

namespace orvanta::testing {

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"cons.txt", "bounds.txt", "yale.dat"})
            std::filesystem::copy_file(std::string(ORVANTA_DATA_DIR) + "/" + name, folder.File(name));
        PrepareProgram(state, folder.Dir(), LocalDateTime{2024, 2, 15, 21, 0}, "");
        ASSERT_FALSE(LoadCatalogue(state.catalog, folder.File("yale.dat"), 40).failed);
    }

    void Open(const std::string& path) {
        window.openAnswers.push_back(path);
        OpenCommand(state, window);
    }
    // A change to the figure, as Del on its first line makes it.
    void DeleteFirstLine() {
        RecordEdit(state, window, FigureEdit{FigureEdit::Kind::DeleteLine, 0, state.document.figure.Record(0), {}, {}});
    }
    std::string Caption(const std::string& path, bool changed = false) const {
        return "Orvanta [" + path + (changed ? "*]" : "]");
    }

    TempFolder folder;
    ProgramState state;
    ScriptedWindow window;
};

}  // namespace orvanta::testing
