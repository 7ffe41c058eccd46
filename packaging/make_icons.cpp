// Writes the application icon as SVG and as PNGs of the hicolor sizes.
//   make_icons OUTPUT_FOLDER
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include "platform/app_icon.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) return 2;
    const QDir out(argv[1]);
    out.mkpath(".");
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        if (!orvanta::RenderAppIcon(side).save(out.filePath(QString("orvanta-%1.png").arg(side)))) return 1;
    QFile svg(out.filePath("orvanta.svg"));
    if (!svg.open(QIODevice::WriteOnly)) return 1;
    svg.write(orvanta::AppIconSvg().toUtf8());
    return 0;
}
