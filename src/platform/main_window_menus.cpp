// The main window's menus and toolbar: their entries, keys and icons, and
// their texts, set from the text keys once the window loads.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "commands/illustrations.h"
#include "commands/toolbar_commands.h"
#include "platform/constellation_panel.h"
#include "platform/main_window.h"
#include "platform/mnemonics.h"

namespace orvanta {

namespace {

struct CommandLook {
    ToolbarCommand command;
    IconMotif motif;
    QList<QKeySequence> keys;  // the keys desktop programs use; the plain arrows stay free, as ever
};

const std::vector<CommandLook>& CommandLooks() {
    static const std::vector<CommandLook> looks = {
        {ToolbarCommand::MoveLeft, IconMotif::ArrowLeft, {QKeySequence(Qt::CTRL | Qt::Key_Left)}},
        {ToolbarCommand::MoveUp, IconMotif::ArrowUp, {QKeySequence(Qt::CTRL | Qt::Key_Up)}},
        {ToolbarCommand::MoveDown, IconMotif::ArrowDown, {QKeySequence(Qt::CTRL | Qt::Key_Down)}},
        {ToolbarCommand::MoveRight, IconMotif::ArrowRight, {QKeySequence(Qt::CTRL | Qt::Key_Right)}},
        {ToolbarCommand::MoreStars, IconMotif::DenseDots, {QKeySequence(Qt::CTRL | Qt::Key_BracketRight)}},
        {ToolbarCommand::FewerStars, IconMotif::SparseDots, {QKeySequence(Qt::CTRL | Qt::Key_BracketLeft)}},
        {ToolbarCommand::ZoomIn, IconMotif::ZoomIn,
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
          QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus))}},
        {ToolbarCommand::ZoomOut, IconMotif::ZoomOut,
         {QKeySequence(Qt::CTRL | Qt::Key_Minus), QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus))}},
    };
    return looks;
}

}  // namespace

QMenu* MainWindow::AddMenu(QMenu* parent, const char* name, TextKey key) {
    QMenu* menu = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
    menu->menuAction()->setObjectName(name);
    texts_.emplace_back(menu->menuAction(), key);
    return menu;
}

QAction* MainWindow::AddEntry(QMenu* menu, const char* name, TextKey key, MenuItem item) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(name);
    texts_.emplace_back(action, key);
    actions_[item] = action;
    return action;
}

void MainWindow::CreateMenus() {
    QMenu* constellations = AddMenu(nullptr, "constellationsMenu", TextKey::ConstellationsMenu);
    AddEntry(constellations, "openAction", TextKey::Open, MenuItem::Open)->setShortcut(QKeySequence::Open);
    recentMenu_ = AddMenu(constellations, "recentFilesMenu", TextKey::RecentFilesMenu);
    AddEntry(constellations, "saveAction", TextKey::Save, MenuItem::Save)->setShortcut(QKeySequence::Save);
    AddEntry(constellations, "saveAsAction", TextKey::SaveAs, MenuItem::SaveAs)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    constellations->addSeparator();
    AddEntry(constellations, "newCultureAction", TextKey::NewCultureFromFigure, MenuItem::NewCultureFromFigure);
    AddEntry(constellations, "checkCultureAction", TextKey::CheckCulture, MenuItem::CheckCulture);
    AddEntry(constellations, "installAction", TextKey::InstallInStellarium, MenuItem::InstallInStellarium);
    constellations->addSeparator();
    AddEntry(constellations, "importAction", TextKey::Import, MenuItem::Import);
    AddEntry(constellations, "exportAction", TextKey::Export, MenuItem::Export);
    AddEntry(constellations, "printAction", TextKey::Print, MenuItem::Print)->setShortcut(QKeySequence::Print);
    constellations->addSeparator();
    QAction* exit = AddEntry(constellations, "exitAction", TextKey::Exit, MenuItem::Exit);
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    exit->setShortcutContext(Qt::ApplicationShortcut);

    QMenu* edit = AddMenu(nullptr, "editMenu", TextKey::EditMenu);
    actions_[MenuItem::Edit] = edit->menuAction();
    AddEntry(edit, "undoAction", TextKey::Undo, MenuItem::Undo)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    AddEntry(edit, "redoAction", TextKey::Redo, MenuItem::Redo)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    AddEntry(edit, "newConstellationAction", TextKey::NewConstellation, MenuItem::NewConstellation);
    AddEntry(edit, "editNamesAction", TextKey::EditNames, MenuItem::EditNames);
    AddEntry(edit, "deleteConstellationAction", TextKey::DeleteConstellation, MenuItem::DeleteConstellation);
    AddEntry(edit, "moveLineAction", TextKey::MoveLine, MenuItem::MoveLine);
    // F2 names, as it renames in file managers: the star under the pointer.
    AddEntry(edit, "nameStarAction", TextKey::NameStar, MenuItem::NameStar)->setShortcut(QKeySequence(Qt::Key_F2));
    edit->addSeparator();
    AddEntry(edit, "addIllustrationAction", TextKey::AddIllustration, MenuItem::AddIllustration);
    AddEntry(edit, "removeIllustrationAction", TextKey::RemoveIllustration, MenuItem::RemoveIllustration);

    viewMenu_ = AddMenu(nullptr, "viewMenu", TextKey::ViewMenu);
    actions_[MenuItem::View] = viewMenu_->menuAction();
    QMenu* shown = AddMenu(viewMenu_, "constellationsShownMenu", TextKey::ConstellationsMenu);
    AddEntry(shown, "boundsAction", TextKey::Bounds, MenuItem::Bounds)->setCheckable(true);
    QMenu* names = AddMenu(shown, "namesMenu", TextKey::Names);
    AddEntry(names, "namesNoneAction", TextKey::NamesNone, MenuItem::NamesNone);
    AddEntry(names, "namesAbbreviationsAction", TextKey::NamesAbbreviations, MenuItem::NamesAbbreviations);
    AddEntry(names, "namesLatinAction", TextKey::NamesLatin, MenuItem::NamesLatin);
    AddEntry(names, "namesEnglishAction", TextKey::NamesEnglish, MenuItem::NamesEnglish);
    AddEntry(viewMenu_, "starColoursAction", TextKey::StarColours, MenuItem::StarColours)->setCheckable(true);
    AddEntry(viewMenu_, "faintStarsAction", TextKey::FaintStars, MenuItem::FaintStars)->setCheckable(true);
    AddEntry(viewMenu_, "illustrationsAction", TextKey::Illustrations, MenuItem::Illustrations)->setCheckable(true);
    AddEntry(viewMenu_, "asterismsAction", TextKey::AsterismsItem, MenuItem::Asterisms)->setCheckable(true);
    QMenu* brightness = AddMenu(viewMenu_, "brightnessMenu", TextKey::IllustrationBrightness);
    const MenuItem brightnessItems[] = {MenuItem::Brightness25, MenuItem::Brightness50, MenuItem::Brightness75,
                                        MenuItem::Brightness100};
    for (size_t i = 0; i < std::size(brightnessItems); ++i) {
        QAction* entry = brightness->addAction(QString());
        entry->setObjectName(QString("brightness%1Action").arg(kIllustrationBrightnesses[i]));
        entry->setProperty(kPlainTextProperty, QString("%1 %").arg(kIllustrationBrightnesses[i]));
        entry->setCheckable(true);
        actions_[brightnessItems[i]] = entry;
    }
    AddEntry(viewMenu_, "findStarAction", TextKey::FindStar, MenuItem::FindStar)->setShortcut(QKeySequence::Find);
    QAction* panel = panel_->toggleViewAction();
    panel->setObjectName("constellationsPanelAction");
    viewMenu_->addAction(panel);
    texts_.emplace_back(panel, TextKey::ConstellationsPanel);
    actions_[MenuItem::ConstellationsPanel] = panel;

    QMenu* help = AddMenu(nullptr, "helpMenu", TextKey::HelpMenu);
    actions_[MenuItem::Help] = help->menuAction();
    AddEntry(help, "onlineHelpAction", TextKey::OnlineHelp, MenuItem::OnlineHelp)->setShortcut(QKeySequence::HelpContents);
    help->addSeparator();
    AddEntry(help, "aboutAction", TextKey::About, MenuItem::About);
}

void MainWindow::CreateToolBar() {
    toolbar_ = addToolBar("toolbar");
    toolbar_->setObjectName("toolbar");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(16, 16));
    // The toolbar's commands also stand in the View menu, under their tooltips' texts.
    viewMenu_->addSeparator();
    for (const CommandLook& look : CommandLooks()) {
        // Three groups: turning and tilting, the star limit, the zoom.
        if (look.command == ToolbarCommand::MoreStars || look.command == ToolbarCommand::ZoomIn) toolbar_->addSeparator();
        QAction* action = toolbar_->addAction(QString());
        action->setEnabled(false);  // nothing to move or zoom before a figure is open
        action->setShortcuts(look.keys);
        viewMenu_->addAction(action);
        commands_[look.command] = action;
    }
    RefreshToolbarIcons();
}

void MainWindow::RefreshToolbarIcons() {
    for (const CommandLook& look : CommandLooks())
        commands_.at(look.command)->setIcon(MakeToolbarIcon(look.motif, palette()));
}

void MainWindow::ApplyTexts() {
    SetCaption(Text(state_.strings, TextKey::Title));
    const auto text = [this](TextKey key) { return ToQString(Text(state_.strings, key)); };
    panel_->setWindowTitle(text(TextKey::ConstellationsMenu));
    panel_->SetTexts({text(TextKey::NamesAbbreviations), text(TextKey::NamesEnglish), text(TextKey::NativeColumn),
                      text(TextKey::LinesColumn)},
                     text(TextKey::SearchField));
    for (const auto& [object, key] : texts_) object->setProperty(kPlainTextProperty, QString::fromStdString(Text(state_.strings, key)));
    for (const auto& [command, action] : commands_) {
        const QString text = QString::fromStdString(Text(state_.strings, ToolbarCommandText(command)));
        action->setProperty(kPlainTextProperty, text);
        const QString keys = action->shortcut().toString(QKeySequence::NativeText);
        action->setToolTip(text.isEmpty() || keys.isEmpty() ? text : text + " (" + keys + ")");
    }
    AssignMnemonics(menuBar());
}

}  // namespace orvanta
