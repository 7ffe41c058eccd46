#pragma once
// The drawing surface: a retained picture of the map, with the figure's line
// elements and the two selection markers lying over it.
#include <QImage>
#include <QLineF>
#include <QList>
#include <QRegion>
#include <QPainter>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "commands/input_events.h"
#include "commands/window.h"
#include "map/placed_figure.h"
#include "platform/picture_store.h"
#include "platform/qt_map_canvas.h"

namespace orvanta {

class SelectionMarkerWidget final : public QWidget {
    Q_OBJECT
public:
    explicit SelectionMarkerWidget(QWidget* parent);
    std::function<void(Key key)> onKey;

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class MapSurface final : public QWidget {
    Q_OBJECT
public:
    explicit MapSurface(QWidget* parent);

    void SetFigure(const Figure* figure) { figure_ = figure; }
    // The lines, by index, that stand out: a selected constellation's.
    void SetHighlighted(std::vector<bool> highlighted);
    // A ring round a found star; nullopt takes it away.
    void SetStarMark(std::optional<PixelPoint> at);
    // Small squares on the anchors of the illustration being placed, and its handles.
    void SetPictureMarks(PictureMarks marks);
    // Where the illustrations' pictures come from.
    void SetPictures(const PictureStore* pictures) { pictures_ = pictures; }
    void SetBackground(QColor colour);
    QColor Background() const { return background_; }

    MapCanvas& BeginPainting();
    void EndPainting();
    // Repaints the overlay within an area.
    void UpdateArea(const PixelRect& area);
    // Repaints the thin band along a line.
    void UpdateLineBand(const PixelLine& line);
    void PlaceMarkers();

    const QImage& Picture() const { return picture_; }
    int RedrawCount() const { return redrawCount_; }
    SelectionMarkerWidget* Marker(int index) const { return markers_[index]; }
    // What has been asked to be repainted and not yet painted.
    const QRegion& PendingRegion() const { return pendingRegion_; }

    std::function<void(MouseButton button, Modifiers modifiers, PixelPoint at)> onMouseDown;
    std::function<void(PixelPoint at)> onMouseMove;
    std::function<void(PixelPoint at)> onMouseUp;
    std::function<void()> onResize;
    std::function<void()> onLeave;
    std::function<void(Key key)> onMarkerKey;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void EnsurePictureSize();
    // Whether an overlay line must be drawn again in this paint.
    bool NeedsRepaint(const QLineF& line, const QRectF& dirtyBounds, bool onlyPending) const;
    void PaintPictureMarks(QPainter& painter, const QRect& area) const;
    QRect PictureMarksArea() const;
    std::optional<PictureHandle> HandleAt(PixelPoint at) const;

    QImage picture_;
    QColor background_;
    const Figure* figure_ = nullptr;
    std::vector<bool> highlighted_;
    std::optional<PixelPoint> starMark_;
    PictureMarks pictureMarks_;
    const PictureStore* pictures_ = nullptr;
    PictureLayerCache pictureLayer_;
    std::optional<QPainter> painter_;
    std::unique_ptr<QtMapCanvas> canvas_;
    StarDiscMasks starMasks_;
    SelectionMarkerWidget* markers_[2];
    int redrawCount_ = 0;
    QList<QLineF> overlayBatch_;
    // What was asked to be repainted since the last paint: bands along lines
    // (in pixels) and rectangles, so that a paint of just those can skip the
    // many lines that merely share a bounding rectangle with them.
    QList<QLineF> pendingBands_;
    QList<QRectF> pendingRects_;
    QRegion pendingRegion_;
};

}  // namespace orvanta
