// The window's settings between runs.
#include "platform/window_settings.h"

#include <QMainWindow>
#include <QSettings>

#include "commands/document_commands.h"

namespace orvanta {

void RestoreWindowSettings(QMainWindow& window, ProgramState& state) {
    QSettings settings;
    // Only the window's size and place: the view starts as it always does.
    window.restoreGeometry(settings.value("window/geometry").toByteArray());
    state.lastFolder = settings.value("dialogs/lastFolder").toString().toStdString();
    state.faintStars = settings.value("view/faintStars", false).toBool();
    state.illustrations.shown = settings.value("view/illustrations", true).toBool();
    state.illustrations.percent = settings.value("view/illustrationBrightness", 50).toInt();
    state.showAsterisms = settings.value("view/asterisms", false).toBool();
    state.recentFiles.clear();
    for (const QString& file : settings.value("recentFiles").toStringList())
        if (state.recentFiles.size() < kRecentFileCount) state.recentFiles.push_back(file.toStdString());
}

void SaveWindowSettings(const QMainWindow& window, const ProgramState& state) {
    QSettings settings;
    settings.setValue("window/geometry", window.saveGeometry());
    settings.setValue("dialogs/lastFolder", QString::fromStdString(state.lastFolder));
    settings.setValue("view/faintStars", state.faintStars);
    settings.setValue("view/illustrations", state.illustrations.shown);
    settings.setValue("view/illustrationBrightness", state.illustrations.percent);
    settings.setValue("view/asterisms", state.showAsterisms);
    QStringList recent;
    for (const std::string& file : state.recentFiles) recent.append(QString::fromStdString(file));
    settings.setValue("recentFiles", recent);
}

}  // namespace orvanta
