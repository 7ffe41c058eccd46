// Orvanta: draws constellation figures over the sky of the present moment.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <optional>

#include "app/command_line.h"
#include "commands/document_commands.h"
#include "commands/exchange_commands.h"
#include "commands/recovery.h"
#include "commands/startup.h"
#include "platform/app_icon.h"
#include "platform/main_window.h"
#include "platform/session.h"
#include "platform/system_processes.h"
#include "platform/system_clock.h"
#include "platform/termination.h"
#include "files/user_folders.h"

namespace {

// Qt's own texts (dialog buttons, file dialogs, "replace?" prompts) in the
// user's language, from Qt's translations.
void InstallQtTranslations(QApplication& application) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale::system(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

void NameTheApplication() {
    // Settings go to ~/.config/orvanta/, beside the user's orvanta.ini. No
    // display name: Qt would append it to every window title.
    QCoreApplication::setOrganizationName("orvanta");
    QCoreApplication::setApplicationName("Orvanta");
    QCoreApplication::setApplicationVersion("1.4");
}

}  // namespace

int main(int argc, char* argv[]) {
    // The command line is read before anything needs a display, so that help,
    // the version and the verbs work without one.
    orvanta::CommandLine line;
    std::string programFolder;
    {
        QCoreApplication plain(argc, argv);
        NameTheApplication();
        line = orvanta::ParseCommandLine(QCoreApplication::arguments());
        programFolder = QCoreApplication::applicationDirPath().toStdString();
        switch (line.verb) {
            case orvanta::CommandLine::Verb::Help:
            case orvanta::CommandLine::Verb::Version: std::fputs(line.text.c_str(), stdout); return 0;
            case orvanta::CommandLine::Verb::Mistake: std::fprintf(stderr, "orvanta: %s", line.text.c_str()); return 2;
            case orvanta::CommandLine::Verb::Export:
            case orvanta::CommandLine::Verb::Import:
            case orvanta::CommandLine::Verb::Check:
                if (!orvanta::NeedsImages(line)) return orvanta::RunVerb(line, programFolder);
                break;
            case orvanta::CommandLine::Verb::Window: break;
        }
    }
    if (orvanta::NeedsImages(line)) {
        // A picture is painted, or converted, without a screen, whatever display there is.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication painter(argc, argv);
        NameTheApplication();
        return orvanta::RunVerb(line, programFolder);
    }

    QApplication application(argc, argv);
    NameTheApplication();
    QApplication::setDesktopFileName("io.github.orvanta.Orvanta");
    QApplication::setWindowIcon(orvanta::AppIcon());
    InstallQtTranslations(application);

    const orvanta::SystemProcesses processes;
    orvanta::ProgramState state;
    orvanta::PrepareProgram(state, programFolder, orvanta::PresentLocalTime(), orvanta::UserConfigFolder());
    state.processId = processes.Own();
    state.recoveryPath = orvanta::RecoveryPathFor(orvanta::RecoveryFolder(), state.processId);
    orvanta::MainWindow window(state);
    orvanta::KeepSessionSafe(window, state);
    // Without a star catalogue there is no map: the user has been told, and we end.
    if (!window.Load(orvanta::PresentLocalTime())) return 1;
    window.RestoreSettings();
    window.show();
    orvanta::HandleTerminationRequests([&window, &state] { orvanta::EndOnRequest(window, state); });
    QTimer::singleShot(0, &window, [&] {
        // The figure named on the command line opens as Open opens it; then the
        // changes a killed Orvanta left behind are offered.
        if (!line.file.empty()) orvanta::OpenFigureFile(state, window, line.file);
        orvanta::WarnIfRecoveryImpossible(state, window, processes);
        orvanta::OfferRecoveries(state, window, orvanta::RecoveryFolder(), processes);
    });
    // The star names for the read-out and the faint stars, read as soon as the
    // window is up rather than on the way to it or at the first movement of the pointer.
    QTimer::singleShot(50, &window, [&] { orvanta::EnsureExchangeSky(state, nullptr); });
    return QApplication::exec();
}
