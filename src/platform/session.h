#pragma once
// The end of a session and the keeping of unsaved changes: the recovery file
// every few seconds, the desktop's logout, and a request to end (SIGTERM).
#include <QObject>

namespace orvanta {

class MainWindow;
struct ProgramState;

constexpr int kRecoveryIntervalMs = 3000;

// Keeps the window's unsaved changes safe for as long as it lives.
void KeepSessionSafe(MainWindow& window, ProgramState& state);

// The process is asked to end: keeps the unsaved changes, then closes as Exit does.
void EndOnRequest(MainWindow& window, ProgramState& state);

}  // namespace orvanta
