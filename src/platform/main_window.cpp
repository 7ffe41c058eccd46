#include "platform/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QTimer>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSessionManager>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include "commands/document_commands.h"
#include "commands/exchange_commands.h"
#include "commands/figure_edits.h"
#include "commands/map_editing.h"
#include "commands/map_redraw.h"
#include "commands/menu_commands.h"
#include "commands/pointer_readout.h"
#include "commands/recovery.h"
#include "commands/startup.h"
#include "commands/toolbar_commands.h"
#include "platform/map_picture.h"
#include "platform/mnemonics.h"
#include "platform/system_clock.h"

namespace orvanta {

namespace {

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Menu captions show "&" as it is rather than as a mnemonic marker.
QString MenuText(const std::string& caption) { return ToQString(caption).replace('&', "&&"); }

// Qt reads "[*]" in a title as the modified placeholder; doubled, it shows as itself.
QString LiteralTitle(const std::string& caption) { return ToQString(caption).replace("[*]", "[*][*]"); }

QString MessageText(const std::string& text) { return ToQString(text).replace("\r\n", "\n"); }

// The dialog's name filters from "description\0pattern\0..." pairs.
QStringList NameFilters(const std::string& filter) {
    QStringList parts = ToQString(filter).split(QChar(u'\0'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = parts[i + 1];
        const QString& description = parts[i];
        filters << (description.endsWith("(" + pattern + ")") ? description : description + " (" + pattern + ")");
    }
    return filters;
}

// A question that only Yes or No answers. A Yes/No message box would take
// Escape or its window's close button for No, and a No can lose the user's work.
class YesNoQuestion final : public QMessageBox {
public:
    YesNoQuestion(const QString& title, const QString& text, QWidget* owner)
        : QMessageBox(QMessageBox::Information, title, text, QMessageBox::Yes | QMessageBox::No, owner) {
        setDefaultButton(QMessageBox::Yes);
        setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) & ~Qt::WindowCloseButtonHint);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) return event->accept();
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

class QtDialogs final : public DialogResponder {
public:
    explicit QtDialogs(QWidget* owner) : owner_(owner) {}

    void Message(const std::string& text, const std::string& title, MessageIcon icon) override {
        QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                        ToQString(title), MessageText(text), QMessageBox::Ok, owner_);
        box.exec();
    }

    bool YesNo(const std::string& text, const std::string& title) override {
        YesNoQuestion box(ToQString(title), MessageText(text), owner_);
        return box.exec() == QMessageBox::Yes;
    }

    std::string OpenFileName(const FileDialogRequest& request) override {
        QFileDialog dialog(owner_, ToQString(request.title), ToQString(request.initialDirectory));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setNameFilters(NameFilters(request.filter));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().first().toStdString();
    }

    std::string SaveFileName(const FileDialogRequest& request) override {
        QFileDialog dialog(owner_, ToQString(request.title), ToQString(request.initialDirectory));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setNameFilters(NameFilters(request.filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
        if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(ToQString(request.defaultExtension));
        if (!request.defaultFileName.empty()) dialog.selectFile(ToQString(request.defaultFileName));
        while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            const QString chosen = dialog.selectedFiles().first();
            if (!request.createPrompt || QFileInfo::exists(chosen)) return chosen.toStdString();
            // A new file is made only when the user says so; otherwise choose again.
            if (YesNo(chosen.toStdString() + "\n\n" + createPromptText, request.title)) return chosen.toStdString();
        }
        return {};
    }

    void OpenUrl(const std::string& url) override { QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(url))); }

    std::string createPromptText;

private:
    QWidget* owner_;
};

}  // namespace

MainWindow::MainWindow(ProgramState& state) : state_(state) {
    setObjectName("mainWindow");
    // No menu for hiding the toolbar: there would be no way to bring it back.
    setContextMenuPolicy(Qt::NoContextMenu);
    surface_ = new MapSurface(this);
    surface_->SetFigure(&state_.document.figure);
    setCentralWidget(surface_);
    createMenus();
    createToolBars();
    createStatusBar();
    connectHandlers();
    resize(1024, 768);
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::AddMenuEntry(QMenu* menu, const std::string& name, TextKey key) {
    QAction* action = menu->addAction(ToQString(KeyName(key)));
    action->setObjectName(ToQString(name));
    menuEntries_.push_back({name, KeyName(key), action});
    return action;
}

void MainWindow::AddSeparator(QMenu* menu) { separators_.push_back(menu->addSeparator()); }

QMenu* MainWindow::AddMenu(QMenu* parent, const std::string& name, TextKey key) {
    QMenu* menu = parent ? parent->addMenu(ToQString(KeyName(key))) : menuBar()->addMenu(ToQString(KeyName(key)));
    menu->menuAction()->setObjectName(ToQString(name));
    menuEntries_.push_back({name, KeyName(key), menu->menuAction()});
    return menu;
}

void MainWindow::createMenus() {
    QMenu* constellations = AddMenu(nullptr, "constellationsMenu", TextKey::ConstellationsMenu);
    actions_[MenuItem::Open] = AddMenuEntry(constellations, "openAction", TextKey::Open);
    recentMenu_ = AddMenu(constellations, "recentFilesMenu", TextKey::RecentFilesMenu);
    actions_[MenuItem::Save] = AddMenuEntry(constellations, "saveAction", TextKey::Save);
    actions_[MenuItem::SaveAs] = AddMenuEntry(constellations, "saveAsAction", TextKey::SaveAs);
    AddSeparator(constellations);
    actions_[MenuItem::Import] = AddMenuEntry(constellations, "importAction", TextKey::Import);
    actions_[MenuItem::Export] = AddMenuEntry(constellations, "exportAction", TextKey::Export);
    actions_[MenuItem::Print] = AddMenuEntry(constellations, "printAction", TextKey::Print);
    actions_[MenuItem::Print]->setShortcut(QKeySequence::Print);
    AddSeparator(constellations);
    actions_[MenuItem::Exit] = AddMenuEntry(constellations, "exitAction", TextKey::Exit);
    actions_[MenuItem::Exit]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    actions_[MenuItem::Exit]->setShortcutContext(Qt::ApplicationShortcut);
    // The usual desktop keys for the file commands.
    actions_[MenuItem::Open]->setShortcut(QKeySequence::Open);
    actions_[MenuItem::Save]->setShortcut(QKeySequence::Save);
    actions_[MenuItem::SaveAs]->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

    QMenu* edit = AddMenu(nullptr, "editMenu", TextKey::EditMenu);
    actions_[MenuItem::Edit] = edit->menuAction();
    actions_[MenuItem::Undo] = AddMenuEntry(edit, "undoAction", TextKey::Undo);
    actions_[MenuItem::Undo]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    actions_[MenuItem::Redo] = AddMenuEntry(edit, "redoAction", TextKey::Redo);
    actions_[MenuItem::Redo]->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    QMenu* view = AddMenu(nullptr, "viewMenu", TextKey::ViewMenu);
    actions_[MenuItem::View] = view->menuAction();
    QMenu* shown = AddMenu(view, "constellationsShownMenu", TextKey::ConstellationsMenu);
    actions_[MenuItem::Bounds] = AddMenuEntry(shown, "boundsAction", TextKey::Bounds);
    actions_[MenuItem::Bounds]->setCheckable(true);
    QMenu* names = AddMenu(shown, "namesMenu", TextKey::Names);
    actions_[MenuItem::NamesNone] = AddMenuEntry(names, "namesNoneAction", TextKey::NamesNone);
    actions_[MenuItem::NamesAbbreviations] = AddMenuEntry(names, "namesAbbreviationsAction", TextKey::NamesAbbreviations);
    actions_[MenuItem::NamesLatin] = AddMenuEntry(names, "namesLatinAction", TextKey::NamesLatin);
    actions_[MenuItem::NamesEnglish] = AddMenuEntry(names, "namesEnglishAction", TextKey::NamesEnglish);
    actions_[MenuItem::StarColours] = AddMenuEntry(view, "starColoursAction", TextKey::StarColours);
    actions_[MenuItem::StarColours]->setCheckable(true);
    viewMenu_ = view;

    QMenu* help = AddMenu(nullptr, "helpMenu", TextKey::HelpMenu);
    actions_[MenuItem::Help] = help->menuAction();
    actions_[MenuItem::OnlineHelp] = AddMenuEntry(help, "onlineHelpAction", TextKey::OnlineHelp);
    actions_[MenuItem::OnlineHelp]->setShortcut(QKeySequence::HelpContents);
    AddSeparator(help);
    actions_[MenuItem::About] = AddMenuEntry(help, "aboutAction", TextKey::About);
}

void MainWindow::createToolBars() {
    toolbar_ = addToolBar("toolbar");
    toolbar_->setObjectName("toolbar");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(16, 16));
    toolbarActions_.assign(kToolbarButtonCount + 1, nullptr);
    const std::pair<int, IconMotif> buttons[] = {
        {kMoveLeft, IconMotif::ArrowLeft},   {kMoveUp, IconMotif::ArrowUp},       {kMoveDown, IconMotif::ArrowDown},
        {kMoveRight, IconMotif::ArrowRight}, {kMoreStars, IconMotif::DenseDots},  {kFewerStars, IconMotif::SparseDots},
        {kZoomIn, IconMotif::ZoomIn},        {kZoomOut, IconMotif::ZoomOut}};
    int next = 0;
    for (int index = 1; index <= kToolbarButtonCount; ++index) {
        if (next < 8 && buttons[next].first == index) {
            QAction* action = toolbar_->addAction(QString());
            action->setObjectName(QString("toolbarButton%1").arg(index));
            action->setEnabled(false);  // nothing to move or zoom before a figure is open
            action->setShortcuts(ToolbarShortcuts(index));
            toolbarActions_[index] = action;
            toolbarMotifs_[index] = buttons[next].second;
            ++next;
        } else {
            toolbarActions_[index] = toolbar_->addSeparator();
        }
    }
    RefreshToolbarIcons();
}

QList<QKeySequence> MainWindow::ToolbarShortcuts(int index) {
    // The keys desktop programs use for these; the plain arrows stay free, as ever.
    switch (index) {
        case kMoveLeft: return {QKeySequence(Qt::CTRL | Qt::Key_Left)};
        case kMoveUp: return {QKeySequence(Qt::CTRL | Qt::Key_Up)};
        case kMoveDown: return {QKeySequence(Qt::CTRL | Qt::Key_Down)};
        case kMoveRight: return {QKeySequence(Qt::CTRL | Qt::Key_Right)};
        case kMoreStars: return {QKeySequence(Qt::CTRL | Qt::Key_BracketRight)};
        case kFewerStars: return {QKeySequence(Qt::CTRL | Qt::Key_BracketLeft)};
        case kZoomIn:
            return {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
                    QKeySequence(Qt::CTRL | Qt::KeypadModifier | Qt::Key_Plus)};
        case kZoomOut:
            return {QKeySequence(Qt::CTRL | Qt::Key_Minus), QKeySequence(Qt::CTRL | Qt::KeypadModifier | Qt::Key_Minus)};
        default: return {};
    }
}

void MainWindow::RefreshToolbarIcons() {
    for (const auto& [index, motif] : toolbarMotifs_) toolbarActions_[index]->setIcon(MakeToolbarIcon(motif, palette()));
}

void MainWindow::changeEvent(QEvent* event) {
    // A new theme or palette: the icons take its text colours.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) RefreshToolbarIcons();
    QMainWindow::changeEvent(event);
}

void MainWindow::createStatusBar() {
    statusPanel_ = new QLabel(this);
    statusPanel_->setObjectName("statusPanel");
    // Long hints must not widen the window: the panel takes the width it is given.
    statusPanel_->setMinimumWidth(1);
    statusPanel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(statusPanel_, 1);
    pointerReadout_ = new QLabel(this);
    pointerReadout_->setObjectName("pointerReadout");
    // A width of its own, so that a new text repaints the field alone and never
    // lays out the status bar again: the read-out follows every movement.
    pointerReadout_->setFixedWidth(pointerReadout_->fontMetrics().horizontalAdvance(QString(86, QChar('0'))));
    statusBar()->addPermanentWidget(pointerReadout_);
}

void MainWindow::connectHandlers() {
    const auto on = [this](MenuItem item, auto command) {
        connect(actions_[item], &QAction::triggered, this, [this, command] { command(state_, *this); });
    };
    on(MenuItem::Open, OpenCommand);
    on(MenuItem::Save, SaveCommand);
    on(MenuItem::SaveAs, SaveAsCommand);
    on(MenuItem::Import, ImportCommand);
    on(MenuItem::Export, ExportCommand);
    on(MenuItem::Print, PrintCommand);
    connect(actions_[MenuItem::Exit], &QAction::triggered, this, [this] { close(); });
    on(MenuItem::Undo, UndoCommand);
    on(MenuItem::Redo, RedoCommand);
    // The model owns the check marks: the commands set them from it.
    on(MenuItem::Bounds, ToggleBounds);
    on(MenuItem::StarColours, ToggleStarColours);
    const MenuItem names[] = {MenuItem::NamesNone, MenuItem::NamesAbbreviations, MenuItem::NamesLatin,
                              MenuItem::NamesEnglish};
    for (int i = 0; i < 4; ++i)
        connect(actions_[names[i]], &QAction::triggered, this, [this, i] { ShowNames(state_, *this, i); });
    on(MenuItem::About, ShowAbout);
    on(MenuItem::OnlineHelp, OpenHelp);
    for (int index = 1; index <= kToolbarButtonCount; ++index)
        connect(toolbarActions_[index], &QAction::triggered, this,
                [this, index] { RunToolbarCommand(state_, *this, index); });

    surface_->onResize = [this] { ResizeMap(state_, *this); };
    surface_->onMouseDown = [this](int button, int shift, float x, float y) {
        MapMouseDown(state_, *this, button, shift, x, y);
    };
    surface_->onMouseMove = [this](float x, float y) {
        MapMouseMove(state_, *this, x, y);
        ShowPointerReadout(state_, *this, x, y);
    };
    surface_->onLeave = [this] { pointerReadout_->clear(); };
    surface_->onMarkerKey = [this](int keyCode) { SelectionKeyDown(state_, *this, keyCode); };

    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        // The session is ending: offer to save, as a close would; when no
        // question may be asked, the recovery file keeps the changes.
        KeepRecovery(state_, PresentLocalTime());
        if (manager.allowsInteraction()) {
            MayClose(state_, *this);
            manager.release();
        }
    });
    // Unsaved changes go to the recovery file every few seconds.
    auto* recoveryTimer = new QTimer(this);
    connect(recoveryTimer, &QTimer::timeout, this, [this] { KeepRecovery(state_, PresentLocalTime()); });
    recoveryTimer->start(kRecoveryIntervalMs);
}

FormTexts MainWindow::DesignTexts() const {
    FormTexts texts;
    texts.tag = KeyName(TextKey::Title);
    for (const MenuEntry& entry : menuEntries_) {
        ControlTexts control;
        control.kind = ControlTexts::Kind::Menu;
        control.name = entry.name;
        control.caption = entry.designCaption;
        texts.controls.push_back(control);
    }
    ControlTexts toolbar;
    toolbar.kind = ControlTexts::Kind::Toolbar;
    toolbar.name = "toolbar";
    for (int index = 1; index <= kToolbarButtonCount; ++index) toolbar.buttonTags.push_back(ToolbarButtonKey(index));
    texts.controls.push_back(toolbar);
    return texts;
}

void MainWindow::ApplyTexts(const FormTexts& texts) {
    SetCaption(texts.caption);
    for (size_t i = 0; i < menuEntries_.size(); ++i)
        menuEntries_[i].action->setProperty(kPlainTextProperty, ToQString(texts.controls[i].caption));
    const ControlTexts& toolbar = texts.controls.back();
    // The toolbar's commands also stand in the View menu, under their tooltips' texts.
    viewMenu_->addSeparator();
    for (int index = 1; index <= kToolbarButtonCount; ++index) {
        QAction* action = toolbarActions_[index];
        if (action->isSeparator()) continue;
        const QString text = ToQString(toolbar.buttonToolTips[index - 1]);
        action->setProperty(kPlainTextProperty, text);
        const QString keys = action->shortcut().toString(QKeySequence::NativeText);
        action->setToolTip(text.isEmpty() || keys.isEmpty() ? text : text + " (" + keys + ")");
        viewMenu_->addAction(action);
    }
    AssignMnemonics(menuBar());
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

void MainWindow::SetPointerReadout(const std::string& text) {
    const QString shown = ToQString(text);
    if (pointerReadout_->text() != shown) pointerReadout_->setText(shown);
}

QString MainWindow::PointerReadout() const { return pointerReadout_->text(); }

bool MainWindow::Load(const LocalDateTime& now) {
    FormTexts texts = DesignTexts();
    const bool loaded = LoadWindow(state_, *this, texts, now);
    ApplyTexts(texts);
    return loaded;
}

QAction* MainWindow::Action(MenuItem item) const { return actions_.at(item); }

QAction* MainWindow::ToolbarAction(int index) const { return toolbarActions_.at(index); }

QString MainWindow::StatusText() const { return statusPanel_->text(); }

void MainWindow::SetCaption(const std::string& caption) {
    caption_ = caption;
    setWindowTitle(LiteralTitle(caption));
}

std::string MainWindow::Caption() const { return caption_; }

void MainWindow::SetStatusText(const std::string& text) { statusPanel_->setText(ToQString(text)); }

void MainWindow::SetStatusPanelWidth(int twips) { statusPanel_->setMinimumWidth(std::max(1, twips / kTwipsPerPixel - 16)); }

int MainWindow::ClientWidthTwips() const { return surface_->width() * kTwipsPerPixel; }

int MainWindow::ScreenHeightTwips() const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return (shown ? shown->geometry().height() : 768) * kTwipsPerPixel;
}

void MainWindow::SetBackgroundBlack() { surface_->SetBackground(Qt::black); }

void MainWindow::SetMenuEnabled(MenuItem item, bool enabled) { actions_.at(item)->setEnabled(enabled); }

void MainWindow::SetMenuChecked(MenuItem item, bool checked) { actions_.at(item)->setChecked(checked); }

void MainWindow::SetToolbarButtonEnabled(int index, bool enabled) {
    if (index >= 1 && index <= kToolbarButtonCount && !toolbarActions_[index]->isSeparator())
        toolbarActions_[index]->setEnabled(enabled);
}

MapCanvas& MainWindow::BeginMapPainting() { return surface_->BeginPainting(); }

void MainWindow::EndMapPainting() { surface_->EndPainting(); }

void MainWindow::OverlayChanged(const TwipRect& area) {
    surface_->UpdateTwipArea(area.left, area.top, area.right, area.bottom);
}

void MainWindow::OverlayLineChanged(const PlacedLine& line) {
    surface_->UpdateLineBand(line.x1, line.y1, line.x2, line.y2);
}

void MainWindow::MarkersChanged() { surface_->PlaceMarkers(); }

void MainWindow::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    if (responder_) return responder_->Message(text, title, icon);
    QtDialogs(this).Message(text, title, icon);
}

bool MainWindow::AskYesNo(const std::string& text, const std::string& title) {
    if (responder_) return responder_->YesNo(text, title);
    return QtDialogs(this).YesNo(text, title);
}

std::string MainWindow::GetOpenFileName(const FileDialogRequest& request) {
    if (responder_) return responder_->OpenFileName(request);
    return QtDialogs(this).OpenFileName(request);
}

std::string MainWindow::GetSaveFileName(const FileDialogRequest& request) {
    if (responder_) return responder_->SaveFileName(request);
    QtDialogs dialogs(this);
    dialogs.createPromptText = Text(state_.strings, TextKey::CreatePrompt);
    return dialogs.SaveFileName(request);
}

void MainWindow::OpenUrl(const std::string& url) {
    if (responder_) return responder_->OpenUrl(url);
    QtDialogs(this).OpenUrl(url);
}

ExportTarget MainWindow::GetExportTarget(const ExportRequest& request) {
    if (responder_) return responder_->ExportTargetFor(request);
    QFileDialog dialog(this, ToQString(request.title), ToQString(request.initialDirectory));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const std::string& name : request.choiceNames) filters << ToQString(name);
    dialog.setNameFilters(filters);
    // The name typed gets the ending of the chosen format; a sky culture is a folder and gets none.
    const auto suffixFor = [](const QString& filter) {
        const qsizetype star = filter.lastIndexOf("(*.");
        return star < 0 ? QString() : filter.mid(star + 3).chopped(1);
    };
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, suffixFor](const QString& filter) { dialog.setDefaultSuffix(suffixFor(filter)); });
    dialog.setDefaultSuffix(suffixFor(filters.value(0)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const qsizetype choice = std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()));
    return {dialog.selectedFiles().first().toStdString(), static_cast<ExportChoice>(choice)};
}

std::string MainWindow::WritePicture(ExportChoice choice, const std::string& path) {
    return WriteMapPicture(state_, choice, path, surface_->size());
}

void MainWindow::PrintMap() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(surface_->width() > surface_->height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    // The map as it is shown, fitted to the page with its shape kept.
    const QSize size = surface_->size();
    const QRect page = painter.viewport();
    const QSize fitted = size.scaled(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(QRect(page.topLeft(), fitted));
    painter.setWindow(QRect(QPoint(0, 0), size));
    PaintMapPicture(painter, state_, size, PictureColours::Print);
}

void MainWindow::EndProgram() {
    if (close()) QCoreApplication::exit(1);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!MayClose(state_, *this)) return event->ignore();
    RemoveRecovery(state_);  // saved, let go, or nothing to keep
    SaveSettings();
    event->accept();
}

void MainWindow::EndOnRequest() {
    // Kept first: if the question goes unanswered and a harder signal follows, the changes survive.
    KeepRecovery(state_, PresentLocalTime());
    if (isVisible() && close()) QCoreApplication::quit();
}

void MainWindow::RestoreSettings() {
    QSettings settings;
    // Only the window's size and place: the view starts as it always does.
    restoreGeometry(settings.value("window/geometry").toByteArray());
    state_.lastFolder = settings.value("dialogs/lastFolder").toString().toStdString();
    state_.recentFiles.clear();
    for (const QString& file : settings.value("recentFiles").toStringList())
        if (state_.recentFiles.size() < kRecentFileCount) state_.recentFiles.push_back(file.toStdString());
    ShowRecentFiles(state_.recentFiles);
}

void MainWindow::SaveSettings() const {
    QSettings settings;
    settings.setValue("window/geometry", saveGeometry());
    settings.setValue("dialogs/lastFolder", QString::fromStdString(state_.lastFolder));
    QStringList recent;
    for (const std::string& file : state_.recentFiles) recent.append(QString::fromStdString(file));
    settings.setValue("recentFiles", recent);
}

}  // namespace orvanta
