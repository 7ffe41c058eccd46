// The toolbar's icons, drawn in the theme's text colours.
#include "platform/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace orvanta {

namespace {

// Draws the motif in a 16 by 16 unit box, in one ink.
void DrawMotif(QPainter& p, IconMotif motif, const QColor& ink) {
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (motif) {
        case IconMotif::ArrowLeft:
        case IconMotif::ArrowUp:
        case IconMotif::ArrowDown:
        case IconMotif::ArrowRight: {
            const int turns = motif == IconMotif::ArrowRight ? 0 : motif == IconMotif::ArrowDown ? 1
                              : motif == IconMotif::ArrowLeft ? 2 : 3;
            p.translate(8, 8);
            p.rotate(90.0 * turns);
            QPainterPath arrow;
            arrow.moveTo(7, 0);
            arrow.lineTo(1, -6);
            arrow.lineTo(1, -2.5);
            arrow.lineTo(-7, -2.5);
            arrow.lineTo(-7, 2.5);
            arrow.lineTo(1, 2.5);
            arrow.lineTo(1, 6);
            arrow.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawPath(arrow);
            break;
        }
        case IconMotif::DenseDots:
        case IconMotif::SparseDots: {
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            const bool dense = motif == IconMotif::DenseDots;
            const QPointF dots[] = {{3, 3}, {8, 2.5}, {13, 4}, {5, 8}, {11, 8.5}, {2.5, 13}, {8, 12.5}, {13.5, 13},
                                    {6, 5}, {10, 5.5}, {3, 10.5}, {13, 10.5}, {7.5, 15}, {10.5, 12}};
            const int count = dense ? 14 : 5;
            const int step = dense ? 1 : 2;
            for (int i = 0, shown = 0; shown < count && i < 14; i += step, ++shown)
                p.drawEllipse(dots[i], dense ? 1.1 : 1.4, dense ? 1.1 : 1.4);
            break;
        }
        case IconMotif::ZoomIn:
        case IconMotif::ZoomOut: {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(ink, 1.6));
            p.drawEllipse(QPointF(6.5, 6.5), 4.8, 4.8);
            p.setPen(QPen(ink, 2.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(10.2, 10.2), QPointF(14.5, 14.5));
            p.setPen(QPen(ink, 1.4));
            p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
            if (motif == IconMotif::ZoomIn) p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
            break;
        }
    }
}

QPixmap RenderAt(IconMotif motif, int side, const QColor& ink) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.scale(side / 16.0, side / 16.0);
    DrawMotif(painter, motif, ink);
    return pixmap;
}

}  // namespace

QIcon MakeToolbarIcon(IconMotif motif, const QPalette& palette) {
    QIcon icon;
    // Drawn afresh at 32 pixels rather than scaled, so they stay crisp at a device-pixel ratio of 2.
    for (const int side : {16, 32}) {
        icon.addPixmap(RenderAt(motif, side, palette.color(QPalette::Active, QPalette::WindowText)), QIcon::Normal);
        icon.addPixmap(RenderAt(motif, side, palette.color(QPalette::Disabled, QPalette::WindowText)), QIcon::Disabled);
    }
    return icon;
}

}  // namespace orvanta
