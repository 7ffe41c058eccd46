// The map surface: its retained picture, the overlay lines, the markers, and its events.
#include "platform/map_surface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPalette>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

#include "map/layers.h"

namespace orvanta {

namespace {

Modifiers ModifiersOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
            modifiers.testFlag(Qt::AltModifier)};
}

MouseButton ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return MouseButton::Left;
        case Qt::RightButton: return MouseButton::Right;
        case Qt::MiddleButton: return MouseButton::Middle;
        default: return MouseButton::Other;
    }
}

PixelPoint PointOf(const QPointF& p) { return {p.x(), p.y()}; }

}  // namespace

SelectionMarkerWidget::SelectionMarkerWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    hide();
}

namespace {
constexpr double kStarMarkRadius = 9;  // pixels: clear of the largest star disc
QRect StarMarkArea(PixelPoint at) {
    const int reach = static_cast<int>(kStarMarkRadius) + 3;
    return QRect(static_cast<int>(at.x) - reach, static_cast<int>(at.y) - reach, 2 * reach + 1, 2 * reach + 1);
}
}  // namespace

void SelectionMarkerWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(255, 255, 255));
    painter.fillRect(rect().adjusted(2, 2, -2, -2), hasFocus() ? QColor(0, 120, 215) : QColor(64, 64, 64));
}

void SelectionMarkerWidget::keyPressEvent(QKeyEvent* event) {
    if (onKey) onKey(event->key() == Qt::Key_Delete ? Key::Delete : Key::Other);
}

MapSurface::MapSurface(QWidget* parent) : QWidget(parent), background_(palette().color(QPalette::Dark)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    // The right button cancels a line; it must not open a context menu too.
    setContextMenuPolicy(Qt::PreventContextMenu);
    for (int i = 0; i < 2; ++i) {
        markers_[i] = new SelectionMarkerWidget(this);
        markers_[i]->onKey = [this](Key key) {
            if (onMarkerKey) onMarkerKey(key);
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
    const Colour background{static_cast<uint8_t>(background_.red()), static_cast<uint8_t>(background_.green()),
                            static_cast<uint8_t>(background_.blue())};
    canvas_ = std::make_unique<QtMapCanvas>(*painter_, background, &picture_, &starMasks_);
    canvas_->SetPictures(pictures_, &pictureLayer_);
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

void MapSurface::UpdateLineBand(const PixelLine& changed) {
    const QLineF line(changed.x1, changed.y1, changed.x2, changed.y2);
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

void MapSurface::UpdateArea(const PixelRect& changed) {
    // One pixel of margin for the line's own width and rounding.
    const double x0 = std::max(-1e6, std::floor(changed.left) - 2);
    const double y0 = std::max(-1e6, std::floor(changed.top) - 2);
    const double x1 = std::min(1e6, std::ceil(changed.right) + 2);
    const double y1 = std::min(1e6, std::ceil(changed.bottom) + 2);
    const QRect area = QRect(QPoint(static_cast<int>(x0), static_cast<int>(y0)), QPoint(static_cast<int>(x1), static_cast<int>(y1))) & rect();
    if (area.isEmpty()) return;
    pendingRects_.append(QRectF(area));
    pendingRegion_ += area;
    update(area);
}

void MapSurface::PlaceMarkers() {
    const auto squares = figure_ ? SelectionMarkersInPixels(*figure_) : std::nullopt;
    for (int i = 0; i < 2; ++i) {
        if (squares) {
            const PixelRect& square = (*squares)[i];
            markers_[i]->setFixedSize(static_cast<int>(std::lround(square.right - square.left)),
                                      static_cast<int>(std::lround(square.bottom - square.top)));
            markers_[i]->move(static_cast<int>(std::lround(square.left)), static_cast<int>(std::lround(square.top)));
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
    QPen pen(ToQColor(kFigureLineColour), 0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    const QRectF dirty = QRectF(area).adjusted(-1, -1, 1, 1);
    // Only the lines that cross the repainted area, handed to the painter at once.
    overlayBatch_.clear();
    QList<QLineF> standingOut;
    const auto add = [&](const PlacedLine& e, bool highlighted) {
        if (!e.visible) return;
        const PixelLine p = e.InPixels();
        const QLineF line(p.x1, p.y1, p.x2, p.y2);
        if (NeedsRepaint(line, dirty, onlyPending)) (highlighted ? standingOut : overlayBatch_).append(line);
    };
    const std::vector<PlacedLine>& lines = figure_->PlacedLines();
    for (size_t i = 0; i < lines.size(); ++i) add(lines[i], i < highlighted_.size() && highlighted_[i]);
    if (figure_->Band()) add(figure_->Band()->line, false);
    painter.drawLines(overlayBatch_);
    if (!standingOut.isEmpty()) {
        // Wider, and in the selection's colour: seen at a glance among the grey lines.
        QPen bright(ToQColor(kHighlightedLineColour), 2);
        bright.setCosmetic(true);
        painter.setPen(bright);
        painter.drawLines(standingOut);
    }
    PaintPictureMarks(painter, area);
    if (starMark_ && area.intersects(StarMarkArea(*starMark_))) {
        QPen ring(ToQColor(kHighlightedLineColour), 2);
        ring.setCosmetic(true);
        painter.setPen(ring);
        painter.setBrush(Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawEllipse(QPointF(starMark_->x, starMark_->y), kStarMarkRadius, kStarMarkRadius);
    }
}

void MapSurface::SetStarMark(std::optional<PixelPoint> at) {
    if (starMark_) update(StarMarkArea(*starMark_));
    starMark_ = at;
    if (starMark_) update(StarMarkArea(*starMark_));
}

void MapSurface::SetPictureMarks(PictureMarks marks) {
    if (marks == pictureMarks_) return;
    update(PictureMarksArea());
    pictureMarks_ = std::move(marks);
    update(PictureMarksArea());
}

QRect MapSurface::PictureMarksArea() const {
    QRect area;
    for (const PixelPoint& at : pictureMarks_.anchors) area |= StarMarkArea(at);
    for (const auto& [handle, at] : pictureMarks_.handles) area |= StarMarkArea(at);
    return area;
}

void MapSurface::PaintPictureMarks(QPainter& painter, const QRect& area) const {
    if (pictureMarks_.anchors.empty() && pictureMarks_.handles.empty()) return;
    if (!area.intersects(PictureMarksArea())) return;
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor colour(80, 220, 255);
    painter.setPen(QPen(colour, 2));
    painter.setBrush(Qt::NoBrush);
    // An anchor: a square, open in the middle so that the star under it shows.
    for (const PixelPoint& at : pictureMarks_.anchors) painter.drawRect(QRectF(at.x - 5, at.y - 5, 10, 10));
    // The handles, each its own shape: a cross in a ring moves, a dot turns, a filled square scales.
    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& [handle, at] : pictureMarks_.handles) {
        const QPointF centre(at.x, at.y);
        painter.setBrush(Qt::NoBrush);
        switch (handle) {
        case PictureHandle::Move:
            painter.drawEllipse(centre, 6, 6);
            painter.drawLine(centre - QPointF(4, 0), centre + QPointF(4, 0));
            painter.drawLine(centre - QPointF(0, 4), centre + QPointF(0, 4));
            break;
        case PictureHandle::Turn:
            painter.setBrush(colour);
            painter.drawEllipse(centre, 4, 4);
            break;
        case PictureHandle::Scale:
            painter.fillRect(QRectF(at.x - 4, at.y - 4, 8, 8), colour);
            break;
        }
    }
}

std::optional<PictureHandle> MapSurface::HandleAt(PixelPoint at) const {
    for (const auto& [handle, place] : pictureMarks_.handles)
        if (std::hypot(place.x - at.x, place.y - at.y) <= kPictureMarkReach) return handle;
    return std::nullopt;
}

void MapSurface::SetHighlighted(std::vector<bool> highlighted) {
    if (highlighted == highlighted_) return;
    highlighted_ = std::move(highlighted);
    update();
}

void MapSurface::resizeEvent(QResizeEvent*) {
    EnsurePictureSize();
    if (onResize) onResize();
}

void MapSurface::mousePressEvent(QMouseEvent* event) {
    if (onMouseDown) onMouseDown(ButtonOf(event->button()), ModifiersOf(event->modifiers()), PointOf(event->position()));
}

void MapSurface::leaveEvent(QEvent*) {
    if (onLeave) onLeave();
}

void MapSurface::mouseMoveEvent(QMouseEvent* event) {
    // Over a handle, the pointer says what a drag from there does.
    if (event->buttons() == Qt::NoButton) {
        const auto handle = HandleAt(PointOf(event->position()));
        const Qt::CursorShape shape = !handle                         ? Qt::CrossCursor
                                      : *handle == PictureHandle::Move ? Qt::SizeAllCursor
                                      : *handle == PictureHandle::Turn ? Qt::OpenHandCursor
                                                                       : Qt::SizeFDiagCursor;
        if (cursor().shape() != shape) setCursor(shape);
    }
    if (onMouseMove) onMouseMove(PointOf(event->position()));
}

void MapSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (onMouseUp && event->button() == Qt::LeftButton) onMouseUp(PointOf(event->position()));
}

}  // namespace orvanta
