#pragma once
// The main window with its menus, toolbar, status bar and map surface. It
// forwards each event to the command it belongs to.
#include <QMainWindow>
#include <map>
#include <vector>

#include "commands/program_state.h"
#include "commands/window.h"
#include "platform/map_surface.h"
#include "platform/toolbar_icons.h"
#include "ui/localise_form.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace orvanta {

// Answers the modal questions in place of the user; the program uses Qt's
// dialogs, tests put a script here.
class DialogResponder {
public:
    virtual ~DialogResponder() = default;
    virtual void Message(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    virtual bool YesNo(const std::string& text, const std::string& title) = 0;
    virtual std::string OpenFileName(const FileDialogRequest& request) = 0;
    virtual std::string SaveFileName(const FileDialogRequest& request) = 0;
    virtual void OpenUrl(const std::string& url) = 0;
    virtual ExportTarget ExportTargetFor(const ExportRequest&) { return {}; }
};

class MainWindow final : public QMainWindow, public Window {
    Q_OBJECT
public:
    explicit MainWindow(ProgramState& state);
    ~MainWindow() override;

    // Runs the window's load; false when the program must end.
    bool Load(const LocalDateTime& now);
    void SetDialogResponder(DialogResponder* responder) { responder_ = responder; }
    // The window's size and place and the last folder, from the previous run.
    void RestoreSettings();
    void SaveSettings() const;
    // The process is asked to end (SIGTERM): keeps the unsaved changes, then closes as Exit does.
    void EndOnRequest();

    static constexpr int kRecoveryIntervalMs = 3000;

    MapSurface* Surface() const { return surface_; }
    QAction* Action(MenuItem item) const;
    QAction* ToolbarAction(int index) const;
    QToolBar* Toolbar() const { return toolbar_; }
    QString StatusText() const;
    QString PointerReadout() const;
    QMenu* RecentFilesMenu() const { return recentMenu_; }
    std::string Caption() const;
    const std::vector<QAction*>& SeparatorActions() const { return separators_; }

    // Window
    void SetCaption(const std::string& caption) override;
    void SetStatusText(const std::string& text) override;
    void SetPointerReadout(const std::string& text) override;
    void ShowRecentFiles(const std::vector<std::string>& files) override;
    void SetStatusPanelWidth(int twips) override;
    int ClientWidthTwips() const override;
    int ScreenHeightTwips() const override;
    void SetBackgroundBlack() override;
    void SetMenuEnabled(MenuItem item, bool enabled) override;
    void SetMenuChecked(MenuItem item, bool checked) override;
    void SetToolbarButtonEnabled(int index, bool enabled) override;
    MapCanvas& BeginMapPainting() override;
    void EndMapPainting() override;
    void OverlayChanged(const TwipRect& area) override;
    void OverlayLineChanged(const PlacedLine& line) override;
    void MarkersChanged() override;
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    std::string GetOpenFileName(const FileDialogRequest& request) override;
    std::string GetSaveFileName(const FileDialogRequest& request) override;
    void OpenUrl(const std::string& url) override;
    ExportTarget GetExportTarget(const ExportRequest& request) override;
    std::string WritePicture(ExportChoice choice, const std::string& path) override;
    void PrintMap() override;
    void EndProgram() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct MenuEntry {
        std::string name;
        std::string designCaption;  // the key of its text
        QAction* action;
    };

    void createMenus();
    void createToolBars();
    void createStatusBar();
    void connectHandlers();
    FormTexts DesignTexts() const;
    void ApplyTexts(const FormTexts& texts);
    QMenu* AddMenu(QMenu* parent, const std::string& name, TextKey key);
    QAction* AddMenuEntry(QMenu* menu, const std::string& name, TextKey key);
    void AddSeparator(QMenu* menu);
    static QList<QKeySequence> ToolbarShortcuts(int index);
    void RefreshToolbarIcons();

    ProgramState& state_;
    MapSurface* surface_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    QLabel* pointerReadout_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    std::map<int, IconMotif> toolbarMotifs_;
    std::vector<MenuEntry> menuEntries_;
    std::map<MenuItem, QAction*> actions_;
    std::vector<QAction*> toolbarActions_;  // index 1 to 10; 0 unused
    std::vector<QAction*> separators_;
    std::string caption_;
    DialogResponder* responder_ = nullptr;
};

}  // namespace orvanta
