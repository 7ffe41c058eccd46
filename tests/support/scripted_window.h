#pragma once
// A main window whose user is a script: dialogs and questions answer from
// queues set by the test, and everything shown is recorded.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "support/recording_canvas.h"
#include "commands/window.h"

namespace orvanta::testing {

// What the user will answer, in order; a cancel (or No) once the script has run out.
struct ScriptedUser {
    std::deque<std::string> openAnswers, saveAnswers;
    std::deque<bool> yesNoAnswers;
    std::deque<ExportTarget> exportAnswers;

    template <typename T>
    static T Take(std::deque<T>& answers) {
        if (answers.empty()) return T{};
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

struct ShownMessage {
    std::string text, title;
    MessageIcon icon;
};

class ScriptedWindow : public Window, public ScriptedUser {
public:
    // What the program showed, as far as the tests look at it.
    std::string caption, statusText;
    std::vector<ShownMessage> messages;
    std::vector<std::string> questions;
    std::vector<FileDialogRequest> openRequests;
    std::map<MenuItem, bool> menuEnabled;
    std::map<ToolbarCommand, bool> commandEnabled;
    int screenHeightPixels = 960;
    RecordingCanvas canvas;

    void SetCaption(const std::string& text) override { caption = text; }
    void SetStatusText(const std::string& text) override { statusText = text; }
    void SetPointerReadout(const std::string&) override {}
    void ShowRecentFiles(const std::vector<std::string>&) override {}
    int MapWidthPixels() const override { return 1000; }
    int ScreenHeightPixels() const override { return screenHeightPixels; }
    void SetBackgroundBlack() override {}
    void SetMenuEnabled(MenuItem item, bool enabled) override { menuEnabled[item] = enabled; }
    void SetMenuChecked(MenuItem, bool) override {}
    void SetCommandEnabled(ToolbarCommand command, bool enabled) override { commandEnabled[command] = enabled; }
    MapCanvas& BeginMapPainting() override { return canvas; }
    void EndMapPainting() override {}
    void OverlayChanged(const PixelRect&) override {}
    void OverlayLineChanged(const PixelLine&) override {}
    void MarkersChanged() override {}
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    bool AskYesNo(const std::string& text, const std::string& title) override {
        questions.push_back(title + ": " + text);
        return Take(yesNoAnswers);
    }
    std::string GetOpenFileName(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return Take(openAnswers);
    }
    std::string GetSaveFileName(const FileDialogRequest&) override { return Take(saveAnswers); }
    ExportTarget GetExportTarget(const ExportRequest&) override { return Take(exportAnswers); }
    std::string WritePicture(ExportChoice, const std::string&) override { return {}; }
    void OpenUrl(const std::string&) override {}
    void PrintMap() override {}
    void EndProgram() override {}
};

}  // namespace orvanta::testing
