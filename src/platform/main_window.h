#pragma once
// The main window: menus, toolbar, status bar and the map surface. It
// forwards each event to the command it belongs to, and shows what the
// commands tell it to.
#include <QMainWindow>
#include <map>
#include <memory>
#include <vector>

#include "commands/program_state.h"
#include "commands/window.h"
#include "platform/map_surface.h"
#include "platform/picture_store.h"
#include "platform/qt_dialogs.h"
#include "platform/toolbar_icons.h"

class QAction;
class QMenu;
class QToolBar;

namespace orvanta {

class ConstellationPanel;
class StatusField;

class MainWindow final : public QMainWindow, public Window {
    Q_OBJECT
public:
    explicit MainWindow(ProgramState& state);
    ~MainWindow() override;

    // Runs the window's load and sets its texts; false when the program must end.
    bool Load(const LocalDateTime& now);
    // Who answers the dialogs: Qt's dialogs unless a test puts a script here (nullptr: Qt's again).
    void SetDialogResponder(DialogResponder* responder);
    // The window's size and place, the last folder and the recent files, from the previous run.
    void RestoreSettings();

    MapSurface* Surface() const { return surface_; }
    QAction* Action(MenuItem item) const { return actions_.at(item); }
    QAction* CommandAction(ToolbarCommand command) const { return commands_.at(command); }
    QToolBar* Toolbar() const { return toolbar_; }
    QMenu* RecentFilesMenu() const { return recentMenu_; }
    QString StatusText() const;
    QString PointerReadout() const;
    std::string Caption() const { return caption_; }
    const StatusField* HintField() const { return hint_; }
    const StatusField* ReadoutField() const { return readout_; }
    ConstellationPanel* Panel() const { return panel_; }
    // Lets go of the decoded illustrations, so that the next use reads them again.
    void ForgetPictures() { pictures_.Clear(); }

    // Window
    void SetCaption(const std::string& caption) override;
    void SetStatusText(const std::string& text) override;
    void SetPointerReadout(const std::string& text) override;
    void ShowRecentFiles(const std::vector<std::string>& files) override;
    int MapWidthPixels() const override;
    int ScreenHeightPixels() const override;
    void SetBackgroundBlack() override;
    void SetMenuEnabled(MenuItem item, bool enabled) override;
    void SetMenuChecked(MenuItem item, bool checked) override;
    void SetCommandEnabled(ToolbarCommand command, bool enabled) override;
    MapCanvas& BeginMapPainting() override;
    void EndMapPainting() override;
    void OverlayChanged(const PixelRect& area) override;
    void OverlayLineChanged(const PixelLine& line) override;
    void MarkersChanged() override;
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    std::string GetOpenFileName(const FileDialogRequest& request) override;
    std::string GetSaveFileName(const FileDialogRequest& request) override;
    ExportTarget GetExportTarget(const ExportRequest& request) override;
    std::string WritePicture(ExportChoice choice, const std::string& path) override;
    void PrintMap() override;
    void OpenUrl(const std::string& url) override;
    void EndProgram() override;
    void HighlightLines(const std::vector<bool>& highlighted) override;
    void ShowConstellations(const std::vector<ConstellationRow>& rows, std::optional<uint64_t> selected) override;
    std::optional<ConstellationNames> AskConstellationNames(const ConstellationNames& now, const std::string& title) override;
    std::optional<std::vector<StarNameFields>> AskStarNames(const std::string& star,
                                                            const std::vector<StarNameFields>& names) override;
    std::optional<size_t> AskChoice(const std::string& title, const std::string& text,
                                    const std::vector<std::string>& options) override;
    void ShowReport(const std::string& title, const std::string& text) override;
    std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                       const std::vector<std::string>& completions) override;
    void MarkStar(std::optional<PixelPoint> at) override;
    void MarkPicture(const PictureMarks& marks) override;
    std::string PreparePicture(const std::string& path) override;
    void PreparePictures(const std::vector<std::string>& paths) override { pictures_.PrepareAll(paths); }
    std::optional<std::string> PictureAsPng(std::string_view bytes) override { return PngOf(bytes); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The menus and toolbar are built in main_window_menus.cpp.
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void ConnectCommands();
    void ApplyTexts();
    QMenu* AddMenu(QMenu* parent, const char* name, TextKey key);
    QAction* AddEntry(QMenu* menu, const char* name, TextKey key, MenuItem item);
    void RefreshToolbarIcons();
    void CreatePanel();
    CultureDialogTexts DialogTexts() const;
    // Where the pointer is over the map, for commands started by a key.
    PixelPoint PointerOnMap() const;
    // The right button over the map: a culture's star gets a menu; otherwise it cancels a line, as ever.
    void MapContextPress(PixelPoint at);

    ProgramState& state_;
    MapSurface* surface_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    StatusField* hint_ = nullptr;
    StatusField* readout_ = nullptr;
    ConstellationPanel* panel_ = nullptr;
    bool panelSized_ = false;
    QMenu* viewMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    std::vector<std::pair<QObject*, TextKey>> texts_;  // what ApplyTexts names
    std::map<MenuItem, QAction*> actions_;
    std::map<ToolbarCommand, QAction*> commands_;
    std::string caption_;
    std::unique_ptr<QtDialogs> qtDialogs_;
    PictureStore pictures_;
    DialogResponder* dialogs_ = nullptr;
};

}  // namespace orvanta
