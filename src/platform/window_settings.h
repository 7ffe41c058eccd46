#pragma once
// What the window remembers between runs through QSettings: its size and
// place, the last folder of a file dialog, and the recent files.
class QMainWindow;

namespace orvanta {

struct ProgramState;

void RestoreWindowSettings(QMainWindow& window, ProgramState& state);
void SaveWindowSettings(const QMainWindow& window, const ProgramState& state);

}  // namespace orvanta
