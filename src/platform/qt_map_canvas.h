#pragma once
// The map canvas over a QPainter on the surface's retained image.
#include <QColor>
#include <QPainter>
#include <QPolygonF>

#include "map/map_canvas.h"

namespace orvanta {

QColor ToQColor(int32_t rgb);

class QtMapCanvas final : public MapCanvas {
public:
    QtMapCanvas(QPainter& painter, QColor background);
    ~QtMapCanvas() override;

    void Clear() override;
    void SetFillColour(int32_t colour) override;
    void SetPenColour(int32_t colour) override;
    void SetLineStyle(LineStyle style) override;
    void SetPixel(int32_t x, int32_t y, int32_t colour) override;
    void Circle(int32_t x, int32_t y, int32_t r, int32_t colour) override;
    void PrintText(float x, float y, const std::string& text) override;
    void MoveToEx(int32_t px, int32_t py) override;
    void LineTo(int32_t px, int32_t py) override;

private:
    // Consecutive LineTo calls are drawn as one polyline, so a dotted pattern
    // runs on along a boundary and the painter is called once per run.
    void FlushPolyline();

    QPainter& painter_;
    QColor background_;
    QColor fill_, pen_;
    Qt::PenStyle style_ = Qt::SolidLine;
    QPolygonF run_;
};

}  // namespace orvanta
