// The main window: built in short steps, each event handed to its command,
// and what the commands ask of the Window interface shown.
#include "platform/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QWindowStateChangeEvent>

#include "commands/culture_commands.h"
#include "commands/document_commands.h"
#include "commands/illustrations.h"
#include "commands/map_redraw.h"
#include "commands/recovery.h"
#include "commands/startup.h"
#include "platform/constellation_panel.h"
#include "platform/map_picture.h"
#include "platform/status_field.h"
#include "platform/window_settings.h"

namespace orvanta {

namespace {

// Qt reads "[*]" in a title as the modified placeholder; doubled, it shows as itself.
QString LiteralTitle(const std::string& caption) { return ToQString(caption).replace("[*]", "[*][*]"); }

// The read-out's width: its longest line, a star's names and designations included.
constexpr int kReadoutCharacters = 86;

}  // namespace

MainWindow::MainWindow(ProgramState& state) : state_(state) {
    setObjectName("mainWindow");
    // No menu for hiding the toolbar: there would be no way to bring it back.
    setContextMenuPolicy(Qt::NoContextMenu);
    surface_ = new MapSurface(this);
    surface_->SetFigure(&state_.document.figure);
    surface_->SetPictures(&pictures_);
    setCentralWidget(surface_);
    CreatePanel();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    ConnectCommands();
    SetDialogResponder(nullptr);
    resize(1024, 768);
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateStatusBar() {
    // The hint takes what the read-out leaves, and is cut short rather than run under it.
    hint_ = new StatusField(this, 0);
    hint_->setObjectName("statusHint");
    statusBar()->addWidget(hint_, 1);
    readout_ = new StatusField(this, kReadoutCharacters);
    readout_->setObjectName("pointerReadout");
    statusBar()->addPermanentWidget(readout_);
}

CultureDialogTexts MainWindow::DialogTexts() const {
    const auto text = [this](TextKey key) { return ToQString(Text(state_.strings, key)); };
    return {text(TextKey::IdField),          text(TextKey::NamesEnglish), text(TextKey::NativeColumn),
            text(TextKey::PronunciationField), text(TextKey::DescriptionField), text(TextKey::AddName),
            text(TextKey::RemoveName)};
}

bool MainWindow::Load(const LocalDateTime& now) {
    ApplyTexts();
    return LoadWindow(state_, *this, now);
}

void MainWindow::SetDialogResponder(DialogResponder* responder) {
    if (!responder) {
        qtDialogs_ = std::make_unique<QtDialogs>(this, Text(state_.strings, TextKey::CreatePrompt));
        responder = qtDialogs_.get();
    }
    dialogs_ = responder;
}

void MainWindow::RestoreSettings() {
    RestoreWindowSettings(*this, state_);
    ShowRecentFiles(state_.recentFiles);
}

void MainWindow::changeEvent(QEvent* event) {
    // A new theme or palette: the icons take its text colours.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) RefreshToolbarIcons();
    // Restored from minimised: a resize, which resets the zoom as every resize does,
    // though the map itself kept its size.
    if (event->type() == QEvent::WindowStateChange &&
        (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized) && !isMinimized())
        ResizeMap(state_, *this);
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!MayClose(state_, *this)) return event->ignore();
    RemoveRecovery(state_);  // saved, let go, or nothing to keep
    SaveWindowSettings(*this, state_);
    event->accept();
}

void MainWindow::ShowRecentFiles(const std::vector<std::string>& files) {
    recentMenu_->clear();
    for (size_t i = 0; i < files.size(); ++i) {
        // Numbered as desktop programs do; the number is the mnemonic.
        QString name = ToQString(files[i]);
        QAction* entry = recentMenu_->addAction(QString("&%1 %2").arg(i + 1).arg(name.replace('&', "&&")));
        connect(entry, &QAction::triggered, this, [this, i] { OpenRecentCommand(state_, *this, i); });
    }
    recentMenu_->setEnabled(!files.empty());
}

QString MainWindow::StatusText() const { return hint_->Text(); }

QString MainWindow::PointerReadout() const { return readout_->Text(); }

void MainWindow::SetCaption(const std::string& caption) {
    caption_ = caption;
    setWindowTitle(LiteralTitle(caption));
}

void MainWindow::SetStatusText(const std::string& text) { hint_->SetText(ToQString(text)); }

void MainWindow::SetPointerReadout(const std::string& text) { readout_->SetText(ToQString(text)); }

int MainWindow::MapWidthPixels() const { return surface_->width(); }

int MainWindow::ScreenHeightPixels() const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? shown->geometry().height() : 768;
}

void MainWindow::SetBackgroundBlack() { surface_->SetBackground(Qt::black); }

void MainWindow::SetMenuEnabled(MenuItem item, bool enabled) {
    QAction* action = actions_.at(item);
    // The panel comes with a culture and goes with it.
    if (item == MenuItem::ConstellationsPanel && enabled != action->isEnabled()) {
        panel_->setVisible(enabled);
        // Wide enough for names at first; the user's width after that.
        if (enabled && !panelSized_) resizeDocks({panel_}, {360}, Qt::Horizontal), panelSized_ = true;
    }
    action->setEnabled(enabled);
}

void MainWindow::SetMenuChecked(MenuItem item, bool checked) { actions_.at(item)->setChecked(checked); }

void MainWindow::SetCommandEnabled(ToolbarCommand command, bool enabled) { commands_.at(command)->setEnabled(enabled); }

MapCanvas& MainWindow::BeginMapPainting() { return surface_->BeginPainting(); }

void MainWindow::EndMapPainting() { surface_->EndPainting(); }

void MainWindow::OverlayChanged(const PixelRect& area) { surface_->UpdateArea(area); }

void MainWindow::OverlayLineChanged(const PixelLine& line) { surface_->UpdateLineBand(line); }

void MainWindow::MarkersChanged() { surface_->PlaceMarkers(); }

void MainWindow::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    dialogs_->Message(text, title, icon);
}

bool MainWindow::AskYesNo(const std::string& text, const std::string& title) { return dialogs_->YesNo(text, title); }

std::string MainWindow::GetOpenFileName(const FileDialogRequest& request) { return dialogs_->OpenFileName(request); }

std::string MainWindow::GetSaveFileName(const FileDialogRequest& request) { return dialogs_->SaveFileName(request); }

ExportTarget MainWindow::GetExportTarget(const ExportRequest& request) { return dialogs_->ExportTargetFor(request); }

void MainWindow::OpenUrl(const std::string& url) { dialogs_->OpenUrl(url); }

std::string MainWindow::WritePicture(ExportChoice choice, const std::string& path) {
    return WriteMapPicture(state_, choice, path, surface_->size(), &pictures_);
}

void MainWindow::PrintMap() { orvanta::PrintMap(this, state_, surface_->size(), &pictures_); }

void MainWindow::HighlightLines(const std::vector<bool>& highlighted) { surface_->SetHighlighted(highlighted); }

void MainWindow::ShowConstellations(const std::vector<ConstellationRow>& rows, std::optional<uint64_t> selected) {
    panel_->Show(rows, selected);
}

std::optional<ConstellationNames> MainWindow::AskConstellationNames(const ConstellationNames& now, const std::string& title) {
    return dialogs_->ConstellationNamesFor(title, now, DialogTexts());
}

std::optional<std::vector<StarNameFields>> MainWindow::AskStarNames(const std::string& star,
                                                                    const std::vector<StarNameFields>& names) {
    return dialogs_->StarNamesFor(star, names, DialogTexts());
}

std::optional<size_t> MainWindow::AskChoice(const std::string& title, const std::string& text,
                                            const std::vector<std::string>& options) {
    return dialogs_->Choice(title, text, options);
}

std::optional<std::string> MainWindow::AskText(const std::string& title, const std::string& prompt,
                                               const std::vector<std::string>& completions) {
    return dialogs_->TextFor(title, prompt, completions);
}

void MainWindow::MarkStar(std::optional<PixelPoint> at) { surface_->SetStarMark(at); }

void MainWindow::MarkPicture(const PictureMarks& marks) { surface_->SetPictureMarks(marks); }

std::string MainWindow::PreparePicture(const std::string& path) { return pictures_.Prepare(path); }

void MainWindow::ShowReport(const std::string& title, const std::string& text) { dialogs_->Report(title, text); }

void MainWindow::EndProgram() {
    if (close()) QCoreApplication::exit(1);
}

}  // namespace orvanta
