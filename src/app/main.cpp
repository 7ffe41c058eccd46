// Orvanta: draws constellation figures over the sky of the present moment.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <unistd.h>

#include "commands/recovery.h"
#include "commands/startup.h"
#include "platform/app_icon.h"
#include "platform/main_window.h"
#include "platform/system_clock.h"
#include "platform/termination.h"

namespace {

// Qt's own texts (dialog buttons, file dialogs, "replace?" prompts) in the
// user's language, from Qt's translations.
void InstallQtTranslations(QApplication& application) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale::system(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Settings go to ~/.config/orvanta/, beside the user's orvanta.ini. No
    // display name: Qt would append it to every window title.
    QApplication::setOrganizationName("orvanta");
    QApplication::setApplicationName("Orvanta");
    QApplication::setDesktopFileName("io.github.orvanta.Orvanta");
    QApplication::setWindowIcon(orvanta::AppIcon());
    InstallQtTranslations(application);

    orvanta::ProgramState state;
    orvanta::PrepareProgram(state, QCoreApplication::applicationDirPath().toStdString(), orvanta::PresentLocalTime(),
                            orvanta::UserConfigFolder());
    state.recoveryPath = orvanta::RecoveryPathFor(orvanta::RecoveryFolder(), static_cast<int>(::getpid()));
    orvanta::MainWindow window(state);
    // Without a star catalogue there is no map: the user has been told, and we end.
    if (!window.Load(orvanta::PresentLocalTime())) return 1;
    window.RestoreSettings();
    window.show();
    orvanta::HandleTerminationRequests([&window] { window.EndOnRequest(); });
    // Changes a killed Orvanta left behind are offered once the window is there.
    QTimer::singleShot(0, &window, [&] { orvanta::OfferRecoveries(state, window, orvanta::RecoveryFolder()); });
    return QApplication::exec();
}
