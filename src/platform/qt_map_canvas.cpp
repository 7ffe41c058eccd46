#include "platform/qt_map_canvas.h"

#include <QFontMetricsF>

namespace orvanta {

namespace {
constexpr double kPixelsPerTwip = 1.0 / kTwipsPerPixel;
}

QColor ToQColor(int32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

QtMapCanvas::QtMapCanvas(QPainter& painter, QColor background) : painter_(painter), background_(background) {}

QtMapCanvas::~QtMapCanvas() { FlushPolyline(); }

void QtMapCanvas::Clear() {
    run_.clear();
    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.fillRect(painter_.window(), background_);
    painter_.restore();
}

void QtMapCanvas::SetFillColour(int32_t colour) { fill_ = ToQColor(colour); }

void QtMapCanvas::SetPenColour(int32_t colour) {
    FlushPolyline();
    pen_ = ToQColor(colour);
}

void QtMapCanvas::SetLineStyle(LineStyle style) {
    FlushPolyline();
    style_ = style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine;
}

void QtMapCanvas::SetPixel(int32_t x, int32_t y, int32_t colour) {
    painter_.fillRect(QRectF(x * kPixelsPerTwip - 0.5, y * kPixelsPerTwip - 0.5, 1, 1), ToQColor(colour));
}

void QtMapCanvas::Circle(int32_t x, int32_t y, int32_t r, int32_t colour) {
    const QColor outline = ToQColor(colour);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setPen(QPen(outline, 1.0));
    painter_.setBrush(fill_);
    const double radius = r * kPixelsPerTwip;
    painter_.drawEllipse(QPointF(x * kPixelsPerTwip, y * kPixelsPerTwip), radius, radius);
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void QtMapCanvas::PrintText(float x, float y, const std::string& text) {
    painter_.setPen(pen_);
    const QFontMetricsF metrics(painter_.font());
    painter_.drawText(QPointF(x * kPixelsPerTwip, y * kPixelsPerTwip + metrics.ascent()), QString::fromStdString(text));
}

void QtMapCanvas::MoveToEx(int32_t px, int32_t py) {
    FlushPolyline();
    run_.append(QPointF(px + 0.5, py + 0.5));
}

void QtMapCanvas::LineTo(int32_t px, int32_t py) {
    if (run_.isEmpty()) run_.append(QPointF(px + 0.5, py + 0.5));
    run_.append(QPointF(px + 0.5, py + 0.5));
}

void QtMapCanvas::FlushPolyline() {
    if (run_.size() >= 2) {
        QPen pen(pen_, 0, style_);
        pen.setCosmetic(true);
        painter_.setPen(pen);
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPolyline(run_);
    }
    run_.clear();
}

}  // namespace orvanta
