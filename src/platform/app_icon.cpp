// The program's icon, drawn by our own code.
#include "platform/app_icon.h"

#include <QPainter>

namespace orvanta {

namespace {

// Coordinates in a 64 by 64 box.
struct Star {
    double x, y, r;
};
const Star kStars[] = {{18, 20, 3.2}, {30, 27, 2.4}, {44, 18, 3.0}, {38, 40, 2.6}, {22, 45, 3.4}, {48, 47, 2.0}};
const int kFigure[][2] = {{0, 1}, {1, 2}, {1, 3}, {3, 4}, {3, 5}};
const QColor kSky(20, 32, 72);
const QColor kRim(90, 120, 190);
const QColor kLine(150, 160, 190);
const QColor kStarColour(255, 236, 190);

}  // namespace

QImage RenderAppIcon(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(side / 64.0, side / 64.0);
    p.setPen(QPen(kRim, 2));
    p.setBrush(kSky);
    p.drawEllipse(QPointF(32, 32), 30, 30);
    p.setPen(QPen(kLine, 1.6));
    for (const auto& line : kFigure)
        p.drawLine(QPointF(kStars[line[0]].x, kStars[line[0]].y), QPointF(kStars[line[1]].x, kStars[line[1]].y));
    p.setPen(Qt::NoPen);
    p.setBrush(kStarColour);
    for (const Star& star : kStars) p.drawEllipse(QPointF(star.x, star.y), star.r, star.r);
    return image;
}

QString AppIconSvg() {
    QString svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\">\n";
    svg += QString("  <circle cx=\"32\" cy=\"32\" r=\"30\" fill=\"%1\" stroke=\"%2\" stroke-width=\"2\"/>\n")
               .arg(kSky.name(), kRim.name());
    for (const auto& line : kFigure)
        svg += QString("  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" stroke-width=\"1.6\"/>\n")
                   .arg(kStars[line[0]].x).arg(kStars[line[0]].y).arg(kStars[line[1]].x).arg(kStars[line[1]].y)
                   .arg(kLine.name());
    for (const Star& star : kStars)
        svg += QString("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\"/>\n").arg(star.x).arg(star.y).arg(star.r).arg(kStarColour.name());
    svg += "</svg>\n";
    return svg;
}

QIcon AppIcon() {
    QIcon icon;
    for (int side : {16, 32, 48, 64, 128}) icon.addPixmap(QPixmap::fromImage(RenderAppIcon(side)));
    return icon;
}

}  // namespace orvanta
