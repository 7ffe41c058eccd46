// The recovery timer, the desktop's logout, and a request to end.
#include "platform/session.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>

#include "commands/document_commands.h"
#include "commands/recovery.h"
#include "platform/main_window.h"
#include "platform/system_clock.h"

namespace orvanta {

void KeepSessionSafe(MainWindow& window, ProgramState& state) {
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window, [&window, &state](QSessionManager& manager) {
        // The session is ending: offer to save, as a close would; when no
        // question may be asked, the recovery file keeps the changes.
        KeepRecovery(state, PresentLocalTime());
        if (manager.allowsInteraction()) {
            MayClose(state, window);
            manager.release();
        }
    });
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, &window, [&state] { KeepRecovery(state, PresentLocalTime()); });
    timer->start(kRecoveryIntervalMs);
}

void EndOnRequest(MainWindow& window, ProgramState& state) {
    // Kept first: if the question goes unanswered and a harder signal follows, the changes survive.
    KeepRecovery(state, PresentLocalTime());
    if (window.isVisible() && window.close()) QCoreApplication::quit();
}

}  // namespace orvanta
