// A status bar field of one line, cut to its width.
#include "platform/status_field.h"

#include <QPainter>

namespace orvanta {

StatusField::StatusField(QWidget* parent, int wantedCharacters) : QWidget(parent), wantedCharacters_(wantedCharacters) {
    setSizePolicy(wantedCharacters == 0 ? QSizePolicy::Ignored : QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void StatusField::SetText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    update();
}

QSize StatusField::sizeHint() const {
    return {fontMetrics().horizontalAdvance(QString(wantedCharacters_, QChar('0'))), fontMetrics().height() + 4};
}

QSize StatusField::minimumSizeHint() const { return {1, fontMetrics().height() + 4}; }

void StatusField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(2, 0, -2, 0);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, fontMetrics().elidedText(text_, Qt::ElideRight, area.width()));
}

}  // namespace orvanta
