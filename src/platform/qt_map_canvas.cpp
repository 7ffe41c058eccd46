// The map canvas over a QPainter, with stars stamped or written directly where that is exact.
#include "platform/qt_map_canvas.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPolygonF>
#include <cmath>
#include <cstring>

namespace orvanta {

namespace {

uint32_t ToArgb(Colour c) { return qRgb(c.red, c.green, c.blue); }

// colour × a / 255 in each channel, rounded as the raster painter rounds it;
// red and blue side by side in one word.
inline uint32_t ByteMul(uint32_t colour, uint32_t a) {
    uint32_t redBlue = (colour & 0xFF00FF) * a;
    redBlue = ((redBlue + ((redBlue >> 8) & 0xFF00FF) + 0x800080) >> 8) & 0xFF00FF;
    uint32_t green = ((colour >> 8) & 0xFF) * a;
    green = (green + (green >> 8) + 0x80) >> 8;
    return redBlue | (green << 8);
}

// A solid colour over a pixel it covers in part: the raster painter's blend
// for an opaque colour, so that a stamped star equals a painted one.
inline uint32_t Cover(uint32_t pixel, uint32_t colour, uint32_t coverage) {
    return 0xFF000000 | (ByteMul(colour, coverage) + ByteMul(pixel, 255 - coverage));
}

// Scaling by a power of two is exact, so a point's edges round as the painter's do.
bool PointsWrittenDirectly(int ratio) { return ratio == 1 || ratio == 2 || ratio == 4; }

}  // namespace

QColor ToQColor(Colour c) { return QColor(c.red, c.green, c.blue); }

QtMapCanvas::QtMapCanvas(QPainter& painter, Colour background, QImage* image, StarDiscMasks* masks)
    : painter_(painter), background_(ToQColor(background)), image_(image), masks_(masks) {
    const qreal ratio = image_ && masks_ ? image_->devicePixelRatio() : 0;
    if (ratio >= 1 && ratio <= 4 && ratio == std::floor(ratio)) imageRatio_ = static_cast<int>(ratio);
}

void QtMapCanvas::Clear() {
    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.fillRect(painter_.window(), background_);
    painter_.restore();
}

void QtMapCanvas::DrawStarPoint(PixelPoint centre, Colour colour) {
    if (!PointsWrittenDirectly(imageRatio_)) {
        painter_.fillRect(QRectF(centre.x - 0.5, centre.y - 0.5, 1, 1), ToQColor(colour));
        return;
    }
    // The square of one logical pixel centred on the point, its edges rounded
    // to device pixels as the painter rounds an unantialiased rectangle's.
    const auto edge = [this](double pixels) { return qRound(pixels * imageRatio_); };
    const int left = edge(centre.x - 0.5), right = edge(centre.x - 0.5 + 1);
    const int top = edge(centre.y - 0.5), bottom = edge(centre.y - 0.5 + 1);
    const uint32_t argb = ToArgb(colour);
    for (int py = std::max(0, top); py < std::min(bottom, image_->height()); ++py) {
        uint32_t* row = reinterpret_cast<uint32_t*>(image_->scanLine(py));
        for (int px = std::max(0, left); px < std::min(right, image_->width()); ++px) row[px] = argb;
    }
}

void QtMapCanvas::DrawStarPoints(const std::vector<PixelPoint>& centres, const std::vector<Colour>& colours) {
    if (!PointsWrittenDirectly(imageRatio_)) return MapCanvas::DrawStarPoints(centres, colours);
    // As DrawStarPoint writes each, with the image's rows found once.
    uchar* bits = image_->bits();
    const qsizetype stride = image_->bytesPerLine();
    const int width = image_->width(), height = image_->height();
    const auto edge = [this](double pixels) { return qRound(pixels * imageRatio_); };
    for (size_t i = 0; i < centres.size(); ++i) {
        const int left = std::max(0, edge(centres[i].x - 0.5)), right = std::min(width, edge(centres[i].x - 0.5 + 1));
        const int top = std::max(0, edge(centres[i].y - 0.5)), bottom = std::min(height, edge(centres[i].y - 0.5 + 1));
        const uint32_t argb = ToArgb(colours[i]);
        for (int py = top; py < bottom; ++py) {
            uint32_t* row = reinterpret_cast<uint32_t*>(bits + py * stride);
            for (int px = left; px < right; ++px) row[px] = argb;
        }
    }
}

void QtMapCanvas::DrawStarDisc(PixelPoint centre, double radius, Colour fill, Colour outline) {
    if (StarDiscMasks::Serves(imageRatio_))
        StampDisc(centre, radius, fill, outline);
    else
        PaintDisc(centre, radius, fill, outline);
}

void QtMapCanvas::PaintDisc(PixelPoint centre, double radius, Colour fill, Colour outline) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setPen(QPen(ToQColor(outline), 1.0));
    painter_.setBrush(ToQColor(fill));
    painter_.drawEllipse(QPointF(centre.x, centre.y), radius, radius);
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void QtMapCanvas::StampDisc(PixelPoint centre, double radius, Colour fill, Colour outline) {
    // The centre in device pixels, computed as the painter computes it, split
    // into a whole pixel and the offset within it; the offset is one of few
    // values, as centres lie on a grid of fifteenths of a pixel.
    const double centreX = centre.x * imageRatio_, centreY = centre.y * imageRatio_;
    const double pixelX = std::floor(centreX), pixelY = std::floor(centreY);
    if (std::fabs(pixelX) > 1e6 || std::fabs(pixelY) > 1e6) return;  // far off the picture
    const StarDiscMasks::Mask& mask = masks_->Find(radius, centreX - pixelX, centreY - pixelY, imageRatio_);
    const int64_t left = static_cast<int64_t>(pixelX) + mask.left, top = static_cast<int64_t>(pixelY) + mask.top;
    // The painter clips a disc that crosses the picture's edge before it covers
    // pixels, which shifts the coverage of its rim by a few levels: such a disc
    // is painted as ever.
    if (left < 0 || top < 0 || left + mask.width > image_->width() || top + mask.height > image_->height()) {
        PaintDisc(centre, radius, fill, outline);
        return;
    }
    const uint32_t fillArgb = ToArgb(fill), outlineArgb = ToArgb(outline);
    for (int my = 0; my < mask.height; ++my) {
        uint32_t* row = reinterpret_cast<uint32_t*>(image_->scanLine(static_cast<int>(top + my))) + left;
        const uint8_t* fillCover = mask.fill.data() + static_cast<size_t>(my) * mask.width;
        const uint8_t* outlineCover = mask.outline.data() + static_cast<size_t>(my) * mask.width;
        for (int mx = 0; mx < mask.width; ++mx) {
            if (fillCover[mx] != 0) row[mx] = Cover(row[mx], fillArgb, fillCover[mx]);
            if (outlineCover[mx] != 0) row[mx] = Cover(row[mx], outlineArgb, outlineCover[mx]);
        }
    }
}

void QtMapCanvas::DrawName(PixelPoint topLeft, const std::string& text, Colour colour) {
    painter_.setPen(ToQColor(colour));
    const QFontMetricsF metrics(painter_.font());
    painter_.drawText(QPointF(topLeft.x, topLeft.y + metrics.ascent()), QString::fromStdString(text));
}

void QtMapCanvas::DrawBoundary(const std::vector<PixelPoint>& points, Colour colour) {
    // Through the middle of each whole pixel, as one polyline, so that the dots run on.
    QPolygonF run;
    run.reserve(static_cast<qsizetype>(points.size()));
    for (const PixelPoint& p : points) run.append(QPointF(p.x + 0.5, p.y + 0.5));
    QPen pen(ToQColor(colour), 0, Qt::DotLine);
    pen.setCosmetic(true);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolyline(run);
}

void QtMapCanvas::DrawFigureLine(const PixelLine& line, Colour colour) {
    QPen pen(ToQColor(colour), 0);
    pen.setCosmetic(true);
    painter_.setPen(pen);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.drawLine(QLineF(line.x1, line.y1, line.x2, line.y2));
}

void QtMapCanvas::DrawWarpedPicture(const std::string& path, double width, double height,
                                    const std::vector<MeshTriangle>& mesh, float intensity) {
    const DecodedPicture* picture = pictures_ ? pictures_->Find(path) : nullptr;
    if (!picture || mesh.empty()) return;
    const bool darken = background_.lightness() > 127;  // paper
    if (image_ && imageRatio_ > 0) {
        AddWarpedPicture(*image_, imageRatio_, QPointF(0, 0), *picture, width, height, mesh, intensity, darken);
        return;
    }
    // Other devices (SVG, PDF, paper) take the picture as a layer of its own, made at twice their logical pixels.
    QRectF bounds;
    for (const MeshTriangle& t : mesh)
        for (const PixelPoint& p : t.at) bounds |= QRectF(p.x, p.y, 1, 1);
    bounds &= painter_.window();
    if (bounds.isEmpty()) return;
    constexpr double kScale = 2;
    QImage layer((bounds.size() * kScale).toSize() + QSize(1, 1), QImage::Format_RGB32);
    layer.fill(darken ? Qt::white : Qt::black);
    AddWarpedPicture(layer, kScale, bounds.topLeft(), *picture, width, height, mesh, intensity, darken);
    painter_.save();
    if (painter_.paintEngine()->hasFeature(QPaintEngine::BlendModes)) {
        painter_.setCompositionMode(darken ? QPainter::CompositionMode_Multiply : QPainter::CompositionMode_Plus);
    } else {
        // Without blending, light over black is the same colour at the coverage of its brightest channel.
        layer = layer.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < layer.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(layer.scanLine(y));
            for (int x = 0; x < layer.width(); ++x) {
                const QRgb c = row[x];
                const int a = darken ? 255 - std::min({qRed(c), qGreen(c), qBlue(c)}) : std::max({qRed(c), qGreen(c), qBlue(c)});
                row[x] = a == 0 ? 0 : darken ? qRgba(0, 0, 0, a) : qRgba(qRed(c) * 255 / a, qGreen(c) * 255 / a, qBlue(c) * 255 / a, a);
            }
        }
    }
    painter_.drawImage(QRectF(bounds.topLeft(), QSizeF(layer.size()) / kScale), layer);
    painter_.restore();
}

namespace {

// Everything the layer of the pictures that are not live depends on.
std::string LayerKey(const ViewState& view, QSize size, int ratio, bool darken, const std::vector<ShownPicture>& pictures) {
    std::string key;
    const auto add = [&key](const auto& value) { key.append(reinterpret_cast<const char*>(&value), sizeof value); };
    add(view.observer.siderealTime), add(view.observer.latitude), add(view.zoom.unit), add(view.zoom.scaleFactor);
    add(view.centreX), add(view.centreY), add(size.width()), add(size.height()), add(ratio), add(darken);
    for (const ShownPicture& p : pictures) {
        if (p.live) continue;
        key += p.path + '\0';
        add(p.warp.m), add(p.intensity), add(p.width), add(p.height);
    }
    return key;
}

}  // namespace

void QtMapCanvas::DrawIllustrations(const ViewState& view, const std::vector<ShownPicture>& pictures) {
    if (!pictures_ || !cache_ || !image_ || imageRatio_ == 0) return MapCanvas::DrawIllustrations(view, pictures);
    const bool darken = background_.lightness() > 127;
    const std::string key = LayerKey(view, image_->size(), imageRatio_, darken, pictures);
    if (cache_->key != key || cache_->layer.size() != image_->size()) {
        cache_->layer = QImage(image_->size(), QImage::Format_RGB32);
        cache_->layer.fill(background_);
        for (const ShownPicture& p : pictures)
            if (const DecodedPicture* picture = pictures_->Find(p.path); picture && !p.live)
                AddWarpedPicture(cache_->layer, imageRatio_, QPointF(0, 0), *picture, p.width, p.height,
                                 WarpMesh(view, p.warp, p.width, p.height), p.intensity, darken);
        cache_->key = key;
    }
    // The layer takes the place of the cleared picture; the live one goes over it.
    std::memcpy(image_->bits(), cache_->layer.constBits(), static_cast<size_t>(image_->sizeInBytes()));
    for (const ShownPicture& p : pictures)
        if (const DecodedPicture* picture = pictures_->Find(p.path); picture && p.live)
            AddWarpedPicture(*image_, imageRatio_, QPointF(0, 0), *picture, p.width, p.height,
                             WarpMesh(view, p.warp, p.width, p.height), p.intensity, darken);
}

}  // namespace orvanta
