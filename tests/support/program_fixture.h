#pragma once
// A program folder holding the shipped data, the state after start-up with
// the catalogue loaded, and a scripted window: the application without Qt.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/startup.h"
#include "documents/document_commands.h"
#include "support/scripted_window.h"
#include "support/temp_folder.h"

namespace orvanta::testing {

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"cons.txt", "bounds.txt", "yale.dat"})
            std::filesystem::copy_file(std::string(ORVANTA_DATA_DIR) + "/" + name, folder.File(name));
        Main(state, folder.Dir(), LocalDateTime{2024, 2, 15, 21, 0});
        ASSERT_FALSE(LoadCatalogue(state.stars, folder.File("yale.dat"), 40).failed);
    }

    void Open(const std::string& path) {
        window.openAnswers.push_back(path);
        mnuOpen_Click(state, window);
    }
    std::string Caption(const std::string& path, bool changed = false) const {
        return "Orvanta [" + path + (changed ? "*]" : "]");
    }

    TempFolder folder;
    Orvanta state;
    ScriptedWindow window;
};

}  // namespace orvanta::testing
