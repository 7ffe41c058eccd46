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

// The user's next answer, or a cancel when the script has run out.
inline std::string TakeAnswer(std::deque<std::string>& answers) {
    if (answers.empty()) return {};
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
}

struct ShownMessage {
    std::string text, title;
    MessageIcon icon;
};

class ScriptedWindow : public Window {
public:
    // What the user will answer, in order.
    std::deque<std::string> openAnswers, saveAnswers;
    std::deque<bool> yesNoAnswers;

    // What the program showed.
    std::string caption, statusText, openedUrl, pointerReadout;
    std::vector<std::string> recentFiles;
    std::vector<ShownMessage> messages;
    std::vector<std::string> questions;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    std::map<MenuItem, bool> menuEnabled, menuChecked;
    std::map<ToolbarCommand, bool> commandEnabled;
    bool backgroundBlack = false;
    int mapWidthPixels = 1000, screenHeightPixels = 960;
    int redraws = 0, overlayUpdates = 0, markerUpdates = 0;
    RecordingCanvas canvas;

    void SetCaption(const std::string& text) override { caption = text; }
    void SetStatusText(const std::string& text) override { statusText = text; }
    void SetPointerReadout(const std::string& text) override { pointerReadout = text; }
    void ShowRecentFiles(const std::vector<std::string>& files) override { recentFiles = files; }
    int MapWidthPixels() const override { return mapWidthPixels; }
    int ScreenHeightPixels() const override { return screenHeightPixels; }
    void SetBackgroundBlack() override { backgroundBlack = true; }
    void SetMenuEnabled(MenuItem item, bool enabled) override { menuEnabled[item] = enabled; }
    void SetMenuChecked(MenuItem item, bool checked) override { menuChecked[item] = checked; }
    void SetCommandEnabled(ToolbarCommand command, bool enabled) override { commandEnabled[command] = enabled; }
    MapCanvas& BeginMapPainting() override {
        ++redraws;
        return canvas;
    }
    void EndMapPainting() override {}
    void OverlayChanged(const PixelRect&) override { ++overlayUpdates; }
    void OverlayLineChanged(const PixelLine&) override { ++overlayUpdates; }
    void MarkersChanged() override { ++markerUpdates; }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    bool AskYesNo(const std::string& text, const std::string& title) override {
        questions.push_back(title + ": " + text);
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    std::string GetOpenFileName(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return TakeAnswer(openAnswers);
    }
    std::string GetSaveFileName(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return TakeAnswer(saveAnswers);
    }
    void OpenUrl(const std::string& url) override { openedUrl = url; }
    ExportTarget GetExportTarget(const ExportRequest& request) override {
        exportRequests.push_back(request);
        if (exportAnswers.empty()) return {};
        const ExportTarget answer = exportAnswers.front();
        exportAnswers.pop_front();
        return answer;
    }
    std::string WritePicture(ExportChoice choice, const std::string& path) override {
        pictures.emplace_back(choice, path);
        return {};
    }
    void PrintMap() override { ++prints; }
    std::deque<ExportTarget> exportAnswers;
    std::vector<ExportRequest> exportRequests;
    std::vector<std::pair<ExportChoice, std::string>> pictures;
    int prints = 0;
    void EndProgram() override { programEnded = true; }
    bool programEnded = false;

};

}  // namespace orvanta::testing
