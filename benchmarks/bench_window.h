#pragma once
// The benchmarks' window: a program folder with the shipped data, dialogs
// that answer at once, and the real main window (offscreen) whose map is
// 1920 x 1080.
#include <QApplication>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "commands/startup.h"
#include "platform/main_window.h"

namespace orvanta {

inline const LocalDateTime kBenchViewTime{2026, 12, 5, 22, 0};

class FixedAnswers final : public DialogResponder {
public:
    std::string openPath;
    void Message(const std::string&, const std::string&, MessageIcon) override {}
    bool YesNo(const std::string&, const std::string&) override { return false; }
    std::string OpenFileName(const FileDialogRequest&) override { return openPath; }
    std::string SaveFileName(const FileDialogRequest&) override { return {}; }
    ExportTarget ExportTargetFor(const ExportRequest&) override { return {}; }
    void OpenUrl(const std::string&) override {}
};

// Copies every shipped data file into folder, prepares the program there and shows its window.
inline std::unique_ptr<MainWindow> OpenBenchWindow(const std::filesystem::path& folder, ProgramState& state,
                                                   FixedAnswers& answers) {
    std::filesystem::create_directories(folder);
    for (const auto& entry : std::filesystem::directory_iterator(ORVANTA_DATA_DIR))
        if (entry.is_regular_file())
            std::filesystem::copy_file(entry.path(), folder / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
    PrepareProgram(state, folder.string(), kBenchViewTime, "");
    auto window = std::make_unique<MainWindow>(state);
    window->SetDialogResponder(&answers);
    window->Load(kBenchViewTime);
    window->show();
    (void)QTest::qWaitForWindowExposed(window.get());
    const QSize frame = window->size() - window->Surface()->size();
    window->resize(QSize(1920, 1080) + frame);
    QApplication::processEvents();
    return window;
}

}  // namespace orvanta
