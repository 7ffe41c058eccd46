#include "platform/frm_constel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSessionManager>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include "app/startup.h"
#include "documents/document_commands.h"
#include "figure/keyboard_commands.h"
#include "figure/mouse_editing.h"
#include "map/redraw.h"
#include "platform/toolbar_icons.h"
#include "ui/menu_commands.h"
#include "ui/toolbar_commands.h"

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

class QtDialogs final : public DialogResponder {
public:
    explicit QtDialogs(QWidget* owner) : owner_(owner) {}

    void Message(const std::string& text, const std::string& title, MessageIcon icon) override {
        QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                        ToQString(title), MessageText(text), QMessageBox::Ok, owner_);
        box.exec();
    }

    bool YesNo(const std::string& text, const std::string& title) override {
        QMessageBox box(QMessageBox::Information, ToQString(title), MessageText(text),
                        QMessageBox::Yes | QMessageBox::No, owner_);
        box.setDefaultButton(QMessageBox::Yes);
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

FrmConstel::FrmConstel(Orvanta& state) : state_(state) {
    setObjectName("frmConstel");
    // No menu for hiding the toolbar: there would be no way to bring it back.
    setContextMenuPolicy(Qt::NoContextMenu);
    surface_ = new MapSurface(this);
    surface_->SetFigure(&state_.figure);
    setCentralWidget(surface_);
    createMenus();
    createToolBars();
    createStatusBar();
    connectHandlers();
    resize(1024, 768);
}

FrmConstel::~FrmConstel() = default;

QAction* FrmConstel::AddMenuEntry(QMenu* menu, const std::string& name, const std::string& key) {
    QAction* action = key == "-" ? menu->addSeparator() : menu->addAction(ToQString(key));
    action->setObjectName(ToQString(name));
    menuEntries_.push_back({name, key, action});
    if (key == "-") separators_.push_back(action);
    return action;
}

void FrmConstel::createMenus() {
    QMenu* nastav = menuBar()->addMenu("110");
    menuEntries_.push_back({"nastav", "110", nastav->menuAction()});
    actions_[MenuItem::Open] = AddMenuEntry(nastav, "mnuOpen", "112");
    actions_[MenuItem::Save] = AddMenuEntry(nastav, "mnuSave", "114");
    actions_[MenuItem::SaveAs] = AddMenuEntry(nastav, "mnuSaveAs", "116");
    AddMenuEntry(nastav, "mnuDi", "-");
    actions_[MenuItem::End] = AddMenuEntry(nastav, "mnuEnd", "118");
    actions_[MenuItem::End]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    // The usual desktop keys for the file commands.
    actions_[MenuItem::Open]->setShortcut(QKeySequence::Open);
    actions_[MenuItem::Save]->setShortcut(QKeySequence::Save);
    actions_[MenuItem::SaveAs]->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    actions_[MenuItem::End]->setShortcutContext(Qt::ApplicationShortcut);

    QMenu* view = menuBar()->addMenu("120");
    menuEntries_.push_back({"mnuView", "120", view->menuAction()});
    actions_[MenuItem::View] = view->menuAction();
    QMenu* constelShow = view->addMenu("110");
    menuEntries_.push_back({"mnuConstelShow", "110", constelShow->menuAction()});
    actions_[MenuItem::ConstelShow] = constelShow->menuAction();
    actions_[MenuItem::Bounds] = AddMenuEntry(constelShow, "mnuBounds", "122");
    actions_[MenuItem::Bounds]->setCheckable(true);
    QMenu* names = constelShow->addMenu("124");
    menuEntries_.push_back({"mnuConstelNames", "124", names->menuAction()});
    actions_[MenuItem::ConstelNames] = names->menuAction();
    actions_[MenuItem::ConstelNone] = AddMenuEntry(names, "mnuConstel(0)", "126");
    actions_[MenuItem::ConstelAbbrev] = AddMenuEntry(names, "mnuConstel(1)", "128");
    actions_[MenuItem::ConstelLatin] = AddMenuEntry(names, "mnuConstel(2)", "130");
    actions_[MenuItem::ConstelEnglish] = AddMenuEntry(names, "mnuConstel(3)", "132");
    actions_[MenuItem::StarColor] = AddMenuEntry(view, "mnuStarColor", "140");
    actions_[MenuItem::StarColor]->setCheckable(true);
    actions_[MenuItem::StarColor]->setChecked(true);

    QMenu* help = menuBar()->addMenu("150");
    menuEntries_.push_back({"mnuHelp", "150", help->menuAction()});
    actions_[MenuItem::Help] = help->menuAction();
    actions_[MenuItem::OnlineHelp] = AddMenuEntry(help, "mnuOnlineHelp", "151");
    AddMenuEntry(help, "mnuDiv", "-");
    actions_[MenuItem::About] = AddMenuEntry(help, "mnuAbout", "152");

    // Until a figure is open there is nothing to save or view.
    actions_[MenuItem::Save]->setEnabled(false);
    actions_[MenuItem::SaveAs]->setEnabled(false);
    actions_[MenuItem::View]->setEnabled(false);
}

void FrmConstel::createToolBars() {
    toolbar_ = addToolBar("Toolbar1");
    toolbar_->setObjectName("Toolbar1");
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
            QAction* action = toolbar_->addAction(MakeToolbarIcon(buttons[next].second), QString());
            action->setObjectName(QString("Toolbar1(%1)").arg(index));
            action->setEnabled(false);  // nothing to move or zoom before a figure is open
            toolbarActions_[index] = action;
            ++next;
        } else {
            toolbarActions_[index] = toolbar_->addSeparator();
        }
    }
}

void FrmConstel::createStatusBar() {
    statusPanel_ = new QLabel(this);
    statusPanel_->setObjectName("sbar");
    // Long hints must not widen the window: the panel takes the width it is given.
    statusPanel_->setMinimumWidth(1);
    statusPanel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(statusPanel_, 1);
}

void FrmConstel::connectHandlers() {
    connect(actions_[MenuItem::Open], &QAction::triggered, this, [this] { mnuOpen_Click(state_, *this); });
    connect(actions_[MenuItem::Save], &QAction::triggered, this, [this] { mnuSave_Click(state_, *this); });
    connect(actions_[MenuItem::SaveAs], &QAction::triggered, this, [this] { mnuSaveAs_Click(state_, *this); });
    connect(actions_[MenuItem::End], &QAction::triggered, this, [this] { close(); });  // mnuEnd_Click
    connect(actions_[MenuItem::Bounds], &QAction::triggered, this, [this] {
        // The handler owns the check mark, so undo Qt's own toggle first.
        actions_[MenuItem::Bounds]->setChecked(!actions_[MenuItem::Bounds]->isChecked());
        mnuBounds_Click(state_, *this);
    });
    connect(actions_[MenuItem::StarColor], &QAction::triggered, this, [this] {
        actions_[MenuItem::StarColor]->setChecked(!actions_[MenuItem::StarColor]->isChecked());
        mnuStarColor_Click(state_, *this);
    });
    const MenuItem names[] = {MenuItem::ConstelNone, MenuItem::ConstelAbbrev, MenuItem::ConstelLatin,
                              MenuItem::ConstelEnglish};
    for (int i = 0; i < 4; ++i)
        connect(actions_[names[i]], &QAction::triggered, this, [this, i] { mnuConstel_Click(state_, *this, i); });
    connect(actions_[MenuItem::About], &QAction::triggered, this, [this] { mnuAbout_Click(state_, *this); });
    connect(actions_[MenuItem::OnlineHelp], &QAction::triggered, this, [this] { mnuOnlineHelp_Click(state_, *this); });
    for (int index = 1; index <= kToolbarButtonCount; ++index)
        connect(toolbarActions_[index], &QAction::triggered, this,
                [this, index] { Toolbar1_ButtonClick(state_, *this, index); });

    surface_->onResize = [this] { Form_Resize(state_, *this); };
    surface_->onMouseDown = [this](int button, int shift, float x, float y) {
        MapMouseDown(state_, *this, button, shift, x, y);
    };
    surface_->onMouseMove = [this](float x, float y) { MapMouseMove(state_, *this, x, y); };
    surface_->onMarkerKey = [this](int keyCode) { Picture1_KeyDown(state_, *this, keyCode); };

    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        // The session is ending: offer to save, as a close would.
        if (manager.allowsInteraction()) {
            Form_QueryUnload(state_, *this);
            manager.release();
        }
    });
}

FormTexts FrmConstel::DesignTexts() const {
    FormTexts texts;
    texts.tag = "100";
    for (const MenuEntry& entry : menuEntries_) {
        ControlTexts control;
        control.kind = ControlTexts::Kind::Menu;
        control.name = entry.name;
        control.caption = entry.designCaption;
        texts.controls.push_back(control);
    }
    ControlTexts toolbar;
    toolbar.kind = ControlTexts::Kind::Toolbar;
    toolbar.name = "Toolbar1";
    for (int index = 1; index <= kToolbarButtonCount; ++index) toolbar.buttonTags.push_back(ToolbarButtonTag(index));
    texts.controls.push_back(toolbar);
    return texts;
}

void FrmConstel::ApplyTexts(const FormTexts& texts) {
    SetCaption(texts.caption);
    for (size_t i = 0; i < menuEntries_.size(); ++i)
        if (menuEntries_[i].designCaption != "-") menuEntries_[i].action->setText(MenuText(texts.controls[i].caption));
    const ControlTexts& toolbar = texts.controls.back();
    for (int index = 1; index <= kToolbarButtonCount; ++index)
        if (!toolbarActions_[index]->isSeparator())
            toolbarActions_[index]->setToolTip(ToQString(toolbar.buttonToolTips[index - 1]));
}

bool FrmConstel::Load(const LocalDateTime& now) {
    FormTexts texts = DesignTexts();
    const bool loaded = Form_Load(state_, *this, texts, now);
    ApplyTexts(texts);
    return loaded;
}

QAction* FrmConstel::Action(MenuItem item) const { return actions_.at(item); }

QAction* FrmConstel::ToolbarAction(int index) const { return toolbarActions_.at(index); }

QString FrmConstel::StatusText() const { return statusPanel_->text(); }

void FrmConstel::SetCaption(const std::string& caption) {
    caption_ = caption;
    setWindowTitle(LiteralTitle(caption));
}

void FrmConstel::SetStatusText(const std::string& text) { statusPanel_->setText(ToQString(text)); }

void FrmConstel::SetStatusPanelWidth(int twips) { statusPanel_->setMinimumWidth(std::max(1, twips / kTwipsPerPixel - 16)); }

int FrmConstel::ClientWidthTwips() const { return surface_->width() * kTwipsPerPixel; }

int FrmConstel::ScreenHeightTwips() const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return (shown ? shown->geometry().height() : 768) * kTwipsPerPixel;
}

void FrmConstel::SetBackgroundBlack() { surface_->SetBackground(Qt::black); }

void FrmConstel::SetMenuEnabled(MenuItem item, bool enabled) { actions_.at(item)->setEnabled(enabled); }

bool FrmConstel::IsMenuChecked(MenuItem item) const { return actions_.at(item)->isChecked(); }

void FrmConstel::SetMenuChecked(MenuItem item, bool checked) { actions_.at(item)->setChecked(checked); }

void FrmConstel::SetToolbarButtonEnabled(int index, bool enabled) {
    if (index >= 1 && index <= kToolbarButtonCount && !toolbarActions_[index]->isSeparator())
        toolbarActions_[index]->setEnabled(enabled);
}

MapCanvas& FrmConstel::BeginMapPainting() { return surface_->BeginPainting(); }

void FrmConstel::EndMapPainting() { surface_->EndPainting(); }

void FrmConstel::OverlayChanged(const TwipRect& area) {
    surface_->UpdateTwipArea(area.left, area.top, area.right, area.bottom);
}

void FrmConstel::OverlayLineChanged(const LineElement& line) {
    surface_->UpdateLineBand(line.X1, line.Y1, line.X2, line.Y2);
}

void FrmConstel::MarkersChanged() { surface_->PlaceMarkers(); }

void FrmConstel::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    if (responder_) return responder_->Message(text, title, icon);
    QtDialogs(this).Message(text, title, icon);
}

bool FrmConstel::AskYesNo(const std::string& text, const std::string& title) {
    if (responder_) return responder_->YesNo(text, title);
    return QtDialogs(this).YesNo(text, title);
}

std::string FrmConstel::GetOpenFileName(const FileDialogRequest& request) {
    if (responder_) return responder_->OpenFileName(request);
    return QtDialogs(this).OpenFileName(request);
}

std::string FrmConstel::GetSaveFileName(const FileDialogRequest& request) {
    if (responder_) return responder_->SaveFileName(request);
    QtDialogs dialogs(this);
    dialogs.createPromptText = GetGuiTextOrBuiltIn(state_.strings, extra_text::kCreateFilePrompt);
    return dialogs.SaveFileName(request);
}

void FrmConstel::OpenUrl(const std::string& url) {
    if (responder_) return responder_->OpenUrl(url);
    QtDialogs(this).OpenUrl(url);
}

void FrmConstel::EndProgram() {
    if (close()) QCoreApplication::exit(1);
}

void FrmConstel::closeEvent(QCloseEvent* event) {
    if (Form_QueryUnload(state_, *this))
        event->accept();
    else
        event->ignore();
}

}  // namespace orvanta
