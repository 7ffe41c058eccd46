// Orvanta: draws constellation figures over the sky of the present moment.
#include <QApplication>

#include "app/startup.h"
#include "platform/app_icon.h"
#include "platform/frm_constel.h"
#include "platform/system_clock.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Orvanta");
    QApplication::setDesktopFileName("orvanta");
    QApplication::setWindowIcon(orvanta::AppIcon());

    orvanta::Orvanta state;
    orvanta::Main(state, QCoreApplication::applicationDirPath().toStdString(), orvanta::PresentLocalTime());
    orvanta::FrmConstel window(state);
    // Without a star catalogue there is no map: the user has been told, and we end.
    if (!window.Load(orvanta::PresentLocalTime())) return 1;
    window.show();
    return QApplication::exec();
}
