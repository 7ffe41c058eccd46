// The main window's wiring: which command each menu item, toolbar button,
// panel choice and event on the map runs, and the map's context menu.
#include <QAction>
#include <QCursor>
#include <QMenu>

#include "commands/culture_commands.h"
#include "commands/document_commands.h"
#include "commands/exchange_commands.h"
#include "commands/figure_edits.h"
#include "commands/find_star.h"
#include "commands/illustrations.h"
#include "commands/map_editing.h"
#include "commands/map_redraw.h"
#include "commands/menu_commands.h"
#include "commands/pointer_readout.h"
#include "commands/toolbar_commands.h"
#include "platform/constellation_panel.h"
#include "platform/main_window.h"
#include "platform/map_surface.h"
#include "platform/status_field.h"

namespace orvanta {

void MainWindow::ConnectCommands() {
    using Command = void (*)(ProgramState&, Window&);
    // The model owns the check marks: the commands set them from it.
    const std::pair<MenuItem, Command> commands[] = {
        {MenuItem::Open, OpenCommand},
        {MenuItem::Save, SaveCommand},
        {MenuItem::SaveAs, SaveAsCommand},
        {MenuItem::Import, ImportCommand},
        {MenuItem::Export, ExportCommand},
        {MenuItem::Print, PrintCommand},
        {MenuItem::Undo, UndoCommand},
        {MenuItem::Redo, RedoCommand},
        {MenuItem::Bounds, ToggleBounds},
        {MenuItem::StarColours, ToggleStarColours},
        {MenuItem::FaintStars, ToggleFaintStars},
        {MenuItem::FindStar, FindStarCommand},
        {MenuItem::Illustrations, ToggleIllustrations},
        {MenuItem::Asterisms, ToggleAsterisms},
        {MenuItem::AddIllustration, AddIllustrationCommand},
        {MenuItem::RemoveIllustration, RemoveIllustrationCommand},
        {MenuItem::NewCultureFromFigure, NewCultureFromFigureCommand},
        {MenuItem::CheckCulture, CheckCultureCommand},
        {MenuItem::InstallInStellarium, InstallInStellariumCommand},
        {MenuItem::NewConstellation, NewConstellationCommand},
        {MenuItem::EditNames, EditNamesCommand},
        {MenuItem::DeleteConstellation, DeleteConstellationCommand},
        {MenuItem::MoveLine, MoveLineCommand},
        {MenuItem::About, ShowAbout},
        {MenuItem::OnlineHelp, OpenHelp},
    };
    for (const auto& [item, command] : commands)
        connect(actions_[item], &QAction::triggered, this, [this, command = command] { command(state_, *this); });
    connect(actions_[MenuItem::Exit], &QAction::triggered, this, [this] { close(); });
    const MenuItem names[] = {MenuItem::NamesNone, MenuItem::NamesAbbreviations, MenuItem::NamesLatin,
                              MenuItem::NamesEnglish};
    for (int i = 0; i < 4; ++i)
        connect(actions_[names[i]], &QAction::triggered, this, [this, i] { ShowNames(state_, *this, i); });
    const MenuItem brightness[] = {MenuItem::Brightness25, MenuItem::Brightness50, MenuItem::Brightness75,
                                   MenuItem::Brightness100};
    for (size_t i = 0; i < std::size(brightness); ++i)
        connect(actions_[brightness[i]], &QAction::triggered, this,
                [this, i] { SetIllustrationBrightness(state_, *this, kIllustrationBrightnesses[i]); });
    connect(actions_[MenuItem::NameStar], &QAction::triggered, this,
            [this] { NameStarCommand(state_, *this, PointerOnMap()); });
    panel_->onSelected = [this](std::optional<uint64_t> uid) { SelectConstellation(state_, *this, uid); };
    for (const auto& [command, action] : commands_)
        connect(action, &QAction::triggered, this, [this, command = command] { RunToolbarCommand(state_, *this, command); });

    surface_->onResize = [this] { ResizeMap(state_, *this); };
    surface_->onMouseDown = [this](MouseButton button, Modifiers modifiers, PixelPoint at) {
        if (button == MouseButton::Right && state_.document.IsCulture() && !state_.document.figure.Band())
            return MapContextPress(at);
        // A press on an anchor or a handle of the illustration being placed picks it up.
        if (button == MouseButton::Left && !modifiers.shift && StartAnchorDrag(state_, *this, at)) return;
        MapMouseDown(state_, *this, button, modifiers, at);
    };
    surface_->onMouseMove = [this](PixelPoint at) {
        if (state_.illustrations.drag) DragAnchor(state_, *this, at);
        else MapMouseMove(state_, *this, at);
        ShowPointerReadout(state_, *this, at);
    };
    surface_->onMouseUp = [this](PixelPoint at) { EndAnchorDrag(state_, *this, at); };
    surface_->onLeave = [this] { readout_->SetText(QString()); };
    surface_->onMarkerKey = [this](Key key) { SelectionKeyDown(state_, *this, key); };
}

void MainWindow::CreatePanel() {
    panel_ = new ConstellationPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, panel_);
    panel_->hide();  // until a culture opens
}

void MainWindow::MapContextPress(PixelPoint at) {
    QMenu menu(this);
    menu.addAction(actions_.at(MenuItem::NameStar)->text(), this, [this, at] { NameStarCommand(state_, *this, at); });
    menu.addAction(actions_.at(MenuItem::NewConstellation));
    menu.exec(surface_->mapToGlobal(QPoint(at.x, at.y)));
}

PixelPoint MainWindow::PointerOnMap() const {
    const QPoint at = surface_->mapFromGlobal(QCursor::pos());
    return {static_cast<double>(at.x()), static_cast<double>(at.y())};
}

}  // namespace orvanta
