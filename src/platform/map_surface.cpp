#include "platform/map_surface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPalette>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

namespace orvanta {

namespace {

constexpr double kPixelsPerTwip = 1.0 / kTwipsPerPixel;

int ShiftStateOf(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= 1;
    if (modifiers & Qt::ControlModifier) shift |= 2;
    if (modifiers & Qt::AltModifier) shift |= 4;
    return shift;
}

int ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
}

// Windows key codes for the keys the markers may see.
int KeyCodeOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Delete: return 46;
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        default: return qtKey & 0xFFFF;
    }
}

}  // namespace

SelectionMarkerWidget::SelectionMarkerWidget(QWidget* parent) : QWidget(parent) {
    const int side = static_cast<int>(std::lround(kMarkerSizeTwips * kPixelsPerTwip));
    setFixedSize(side, side);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    hide();
}

void SelectionMarkerWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(255, 255, 255));
    painter.fillRect(rect().adjusted(2, 2, -2, -2), hasFocus() ? QColor(0, 120, 215) : QColor(64, 64, 64));
}

void SelectionMarkerWidget::keyPressEvent(QKeyEvent* event) {
    if (onKey) onKey(KeyCodeOf(event->key()));
}

MapSurface::MapSurface(QWidget* parent) : QWidget(parent), background_(palette().color(QPalette::Dark)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    // The right button cancels a line; it must not open a context menu too.
    setContextMenuPolicy(Qt::PreventContextMenu);
    for (int i = 0; i < 2; ++i) {
        markers_[i] = new SelectionMarkerWidget(this);
        markers_[i]->onKey = [this](int keyCode) {
            if (onMarkerKey) onMarkerKey(keyCode);
        };
    }
}

void MapSurface::SetBackground(QColor colour) {
    background_ = colour;
    update();
}

void MapSurface::EnsurePictureSize() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(std::max(1, static_cast<int>(std::ceil(width() * ratio))),
                       std::max(1, static_cast<int>(std::ceil(height() * ratio))));
    if (picture_.size() != pixels || picture_.devicePixelRatio() != ratio) {
        picture_ = QImage(pixels, QImage::Format_RGB32);
        picture_.setDevicePixelRatio(ratio);
        picture_.fill(background_);
    }
}

MapCanvas& MapSurface::BeginPainting() {
    EndPainting();
    EnsurePictureSize();
    painter_.emplace(&picture_);
    painter_->setFont(font());
    canvas_ = std::make_unique<QtMapCanvas>(*painter_, background_, &picture_, &starMasks_);
    ++redrawCount_;
    return *canvas_;
}

void MapSurface::EndPainting() {
    canvas_.reset();
    if (painter_) {
        painter_->end();
        painter_.reset();
        update();
    }
}

namespace {

constexpr double kBandMargin = 3;  // pixels each side of a line: its width, rounding and antialiasing
constexpr double kBandPiece = 8;   // pixels of line per rectangle of the band
// No point of a band's rectangles lies farther than this from its line, so a
// line farther away than this cannot show in the band.
constexpr double kBandReach = kBandPiece / 2 + kBandMargin * 1.4143 + 1;

double PointToSegment(const QPointF& p, const QLineF& s) {
    const QPointF d = s.p2() - s.p1();
    const double length2 = QPointF::dotProduct(d, d);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - s.p1(), d) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = s.p1() + t * d;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

double SegmentDistance(const QLineF& a, const QLineF& b) {
    if (a.intersects(b, nullptr) == QLineF::BoundedIntersection) return 0;
    return std::min({PointToSegment(a.p1(), b), PointToSegment(a.p2(), b), PointToSegment(b.p1(), a),
                     PointToSegment(b.p2(), a)});
}

}  // namespace

void MapSurface::UpdateLineBand(float x1, float y1, float x2, float y2) {
    const QLineF line(x1 * kPixelsPerTwip, y1 * kPixelsPerTwip, x2 * kPixelsPerTwip, y2 * kPixelsPerTwip);
    // Short pieces, each covered by its own small rectangle, follow the line.
    const int pieces = std::max(1, static_cast<int>(std::ceil(line.length() / kBandPiece)));
    QRegion band;
    for (int i = 0; i < pieces; ++i) {
        const QRectF piece = QRectF(line.pointAt(double(i) / pieces), line.pointAt(double(i + 1) / pieces)).normalized();
        band += piece.adjusted(-kBandMargin, -kBandMargin, kBandMargin, kBandMargin).toAlignedRect();
    }
    band &= rect();
    if (band.isEmpty()) return;
    pendingBands_.append(line);
    pendingRegion_ += band;
    update(band);
}

void MapSurface::UpdateTwipArea(float left, float top, float right, float bottom) {
    // One pixel of margin for the line's own width and rounding.
    const double x0 = std::max(-1e6, std::floor(left * kPixelsPerTwip) - 2);
    const double y0 = std::max(-1e6, std::floor(top * kPixelsPerTwip) - 2);
    const double x1 = std::min(1e6, std::ceil(right * kPixelsPerTwip) + 2);
    const double y1 = std::min(1e6, std::ceil(bottom * kPixelsPerTwip) + 2);
    const QRect area = QRect(QPoint(static_cast<int>(x0), static_cast<int>(y0)), QPoint(static_cast<int>(x1), static_cast<int>(y1))) & rect();
    if (area.isEmpty()) return;
    pendingRects_.append(QRectF(area));
    pendingRegion_ += area;
    update(area);
}

void MapSurface::PlaceMarkers() {
    const auto squares = figure_ ? SelectionMarkers(*figure_) : std::nullopt;
    for (int i = 0; i < 2; ++i) {
        if (squares) {
            const TwipRect& square = (*squares)[i];
            markers_[i]->move(static_cast<int>(std::lround(square.left * kPixelsPerTwip)),
                              static_cast<int>(std::lround(square.top * kPixelsPerTwip)));
        }
        markers_[i]->setVisible(squares.has_value());
    }
    // The markers take the keyboard so that Del works right after the selection.
    if (squares) markers_[0]->setFocus(Qt::OtherFocusReason);
}

bool MapSurface::NeedsRepaint(const QLineF& line, const QRectF& dirtyBounds, bool onlyPending) const {
    const QRectF box = QRectF(line.p1(), line.p2()).normalized().adjusted(-1, -1, 1, 1);
    if (!box.intersects(dirtyBounds)) return false;
    if (!onlyPending) return true;
    for (const QRectF& r : pendingRects_)
        if (box.intersects(r)) return true;
    for (const QLineF& band : pendingBands_)
        if (SegmentDistance(line, band) <= kBandReach) return true;
    return false;
}

void MapSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    // A paint of only what the overlay asked for can use the precise test;
    // an expose or resize paints everything in its area.
    const bool onlyPending = !pendingRegion_.isEmpty() && (event->region() - pendingRegion_).isEmpty();
    painter.setClipRegion(event->region());
    const auto forgetPending = qScopeGuard([this] {
        pendingBands_.clear();
        pendingRects_.clear();
        pendingRegion_ = QRegion();
    });
    if (picture_.isNull()) {
        painter.fillRect(area, background_);
        return;
    }
    const qreal ratio = picture_.devicePixelRatio();
    const QRect source(QPoint(static_cast<int>(area.left() * ratio), static_cast<int>(area.top() * ratio)),
                       QSize(static_cast<int>(std::ceil(area.width() * ratio)), static_cast<int>(std::ceil(area.height() * ratio))));
    painter.drawImage(QRectF(area), picture_, QRectF(source));
    // Parts of the widget that the picture does not yet cover (during a resize).
    const QRect covered(QPoint(0, 0), picture_.deviceIndependentSize().toSize());
    if (!covered.contains(area)) {
        painter.fillRect(area.intersected(QRect(covered.right() + 1, 0, width(), height())), background_);
        painter.fillRect(area.intersected(QRect(0, covered.bottom() + 1, width(), height())), background_);
    }
    if (!figure_) return;
    QPen pen(ToQColor(kLineColour), 0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    const QRectF dirty = QRectF(area).adjusted(-1, -1, 1, 1);
    // Only the lines that cross the repainted area, handed to the painter at once.
    overlayBatch_.clear();
    const auto add = [&](const PlacedLine& e) {
        if (!e.visible) return;
        const QLineF line(e.x1 * kPixelsPerTwip, e.y1 * kPixelsPerTwip, e.x2 * kPixelsPerTwip, e.y2 * kPixelsPerTwip);
        if (NeedsRepaint(line, dirty, onlyPending)) overlayBatch_.append(line);
    };
    for (const PlacedLine& line : figure_->PlacedLines()) add(line);
    if (figure_->Band()) add(figure_->Band()->line);
    painter.drawLines(overlayBatch_);
}

void MapSurface::resizeEvent(QResizeEvent*) {
    EnsurePictureSize();
    if (onResize) onResize();
}

void MapSurface::mousePressEvent(QMouseEvent* event) {
    if (!onMouseDown) return;
    const QPointF p = event->position();
    onMouseDown(ButtonOf(event->button()), ShiftStateOf(event->modifiers()), static_cast<float>(p.x() * kTwipsPerPixel),
                static_cast<float>(p.y() * kTwipsPerPixel));
}

void MapSurface::leaveEvent(QEvent*) {
    if (onLeave) onLeave();
}

void MapSurface::mouseMoveEvent(QMouseEvent* event) {
    if (!onMouseMove) return;
    const QPointF p = event->position();
    onMouseMove(static_cast<float>(p.x() * kTwipsPerPixel), static_cast<float>(p.y() * kTwipsPerPixel));
}

}  // namespace orvanta
