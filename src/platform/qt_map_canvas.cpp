#include "platform/qt_map_canvas.h"

#include <QFontMetricsF>
#include <cmath>
#include <cstring>

namespace orvanta {

namespace {

constexpr double kPixelsPerTwip = 1.0 / kTwipsPerPixel;

uint32_t ToArgb(int32_t rgb) { return qRgb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

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

}  // namespace

QColor ToQColor(int32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

size_t StarDiscMasks::KeyHash::operator()(const Key& key) const {
    const auto bits = [](double v) {
        uint64_t b;
        std::memcpy(&b, &v, sizeof b);
        return b;
    };
    return std::hash<uint64_t>()(bits(key.offsetX) * 31 + bits(key.offsetY)) ^
           std::hash<int64_t>()(static_cast<int64_t>(key.radiusTwips) << 8 | key.ratio);
}

const StarDiscMasks::Mask& StarDiscMasks::Find(int32_t radiusTwips, double offsetX, double offsetY, int ratio) {
    const Key key{radiusTwips, ratio, offsetX, offsetY};
    auto [found, added] = masks_.try_emplace(key);
    Mask& mask = found->second;
    if (!added) return mask;
    const double radius = radiusTwips * kPixelsPerTwip;
    // The outline's half width and the antialiased edge lie within two more pixels.
    const int reach = static_cast<int>(std::ceil((radius + 0.5) * ratio)) + 2;
    const int side = 2 * reach + 1;
    // One scratch picture with its painter open serves every mask of a ratio:
    // a painter begun for each mask would cost more than the disc itself.
    if (side > kScratchSide) return mask;  // no star is that large
    if (!scratchPainter_ || scratch_.devicePixelRatio() != ratio) {
        scratchPainter_.reset();
        scratch_ = QImage(kScratchSide, kScratchSide, QImage::Format_ARGB32_Premultiplied);
        scratch_.setDevicePixelRatio(ratio);
        scratchPainter_ = std::make_unique<QPainter>(&scratch_);
        scratchPainter_->setRenderHint(QPainter::Antialiasing, true);
    }
    const auto coverage = [&](bool outline) {
        for (int y = 0; y < side; ++y) std::memset(scratch_.scanLine(y), 0, static_cast<size_t>(side) * sizeof(QRgb));
        scratchPainter_->setPen(outline ? QPen(Qt::white, 1.0) : QPen(Qt::NoPen));
        scratchPainter_->setBrush(outline ? QBrush(Qt::NoBrush) : QBrush(Qt::white));
        scratchPainter_->drawEllipse(QPointF((reach + offsetX) / ratio, (reach + offsetY) / ratio), radius, radius);
        // White drawn over nothing leaves the coverage in the alpha channel.
        std::vector<uint8_t> cover(static_cast<size_t>(side) * side);
        for (int y = 0; y < side; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(scratch_.constScanLine(y));
            for (int x = 0; x < side; ++x) cover[static_cast<size_t>(y) * side + x] = static_cast<uint8_t>(qAlpha(row[x]));
        }
        return cover;
    };
    const std::vector<uint8_t> fill = coverage(false), outline = coverage(true);
    // Only the pixels either covers are kept.
    int x0 = side, y0 = side, x1 = -1, y1 = -1;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (fill[static_cast<size_t>(y) * side + x] != 0 || outline[static_cast<size_t>(y) * side + x] != 0) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    if (x1 < 0) return mask;
    mask.left = x0 - reach, mask.top = y0 - reach;
    mask.width = x1 - x0 + 1, mask.height = y1 - y0 + 1;
    for (int y = y0; y <= y1; ++y) {
        const size_t row = static_cast<size_t>(y) * side;
        mask.fill.insert(mask.fill.end(), fill.begin() + row + x0, fill.begin() + row + x1 + 1);
        mask.outline.insert(mask.outline.end(), outline.begin() + row + x0, outline.begin() + row + x1 + 1);
    }
    return mask;
}

QtMapCanvas::QtMapCanvas(QPainter& painter, QColor background, QImage* image, StarDiscMasks* masks)
    : painter_(painter), background_(background), image_(image), masks_(masks) {
    if (image_ && masks_ && StarDiscMasks::Serves(image_->devicePixelRatio()))
        ratio_ = static_cast<int>(image_->devicePixelRatio());
    // Scaling by a power of two is exact, so the edges round as the painter's do.
    const qreal ratio = image_ && masks_ ? image_->devicePixelRatio() : 0;
    if (ratio == 1 || ratio == 2 || ratio == 4) pixelRatio_ = static_cast<int>(ratio);
}

QtMapCanvas::~QtMapCanvas() { FlushPolyline(); }

void QtMapCanvas::Clear() {
    run_.clear();
    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.fillRect(painter_.window(), background_);
    painter_.restore();
}

void QtMapCanvas::SetFillColour(int32_t colour) {
    fill_ = ToQColor(colour);
    fillRgb_ = colour;
}

void QtMapCanvas::SetPenColour(int32_t colour) {
    FlushPolyline();
    pen_ = ToQColor(colour);
}

void QtMapCanvas::SetLineStyle(LineStyle style) {
    FlushPolyline();
    style_ = style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine;
}

void QtMapCanvas::SetPixel(int32_t x, int32_t y, int32_t colour) {
    if (pixelRatio_ == 0) {
        painter_.fillRect(QRectF(x * kPixelsPerTwip - 0.5, y * kPixelsPerTwip - 0.5, 1, 1), ToQColor(colour));
        return;
    }
    // The square of one logical pixel centred on the point, its edges rounded
    // to device pixels as the painter rounds an unantialiased rectangle's.
    const auto edge = [this](double pixels) { return qRound(pixels * pixelRatio_); };
    const int left = edge(x * kPixelsPerTwip - 0.5), right = edge(x * kPixelsPerTwip - 0.5 + 1);
    const int top = edge(y * kPixelsPerTwip - 0.5), bottom = edge(y * kPixelsPerTwip - 0.5 + 1);
    const uint32_t argb = ToArgb(colour);
    for (int py = std::max(0, top); py < std::min(bottom, image_->height()); ++py) {
        uint32_t* row = reinterpret_cast<uint32_t*>(image_->scanLine(py));
        for (int px = std::max(0, left); px < std::min(right, image_->width()); ++px) row[px] = argb;
    }
}

void QtMapCanvas::Circle(int32_t x, int32_t y, int32_t r, int32_t colour) {
    if (ratio_ != 0)
        StampCircle(x, y, r, colour);
    else
        DrawCircle(x, y, r, ToQColor(colour));
}

void QtMapCanvas::DrawCircle(int32_t x, int32_t y, int32_t r, const QColor& outline) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setPen(QPen(outline, 1.0));
    painter_.setBrush(fill_);
    const double radius = r * kPixelsPerTwip;
    painter_.drawEllipse(QPointF(x * kPixelsPerTwip, y * kPixelsPerTwip), radius, radius);
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void QtMapCanvas::StampCircle(int32_t x, int32_t y, int32_t r, int32_t colour) {
    // The centre in device pixels, computed as the painter computes it, split
    // into a whole pixel and the offset within it; the offset is one of few
    // values, as centres lie on the twip grid.
    const double centreX = x * kPixelsPerTwip * ratio_, centreY = y * kPixelsPerTwip * ratio_;
    const double pixelX = std::floor(centreX), pixelY = std::floor(centreY);
    if (std::fabs(pixelX) > 1e6 || std::fabs(pixelY) > 1e6) return;  // far off the picture
    const StarDiscMasks::Mask& mask = masks_->Find(r, centreX - pixelX, centreY - pixelY, ratio_);
    const int64_t left = static_cast<int64_t>(pixelX) + mask.left, top = static_cast<int64_t>(pixelY) + mask.top;
    // The painter clips a disc that crosses the picture's edge before it covers
    // pixels, which shifts the coverage of its rim by a few levels: such a disc
    // is painted as ever.
    if (left < 0 || top < 0 || left + mask.width > image_->width() || top + mask.height > image_->height()) {
        DrawCircle(x, y, r, ToQColor(colour));
        return;
    }
    const uint32_t fill = ToArgb(fillRgb_), outline = ToArgb(colour);
    for (int my = 0; my < mask.height; ++my) {
        uint32_t* row = reinterpret_cast<uint32_t*>(image_->scanLine(static_cast<int>(top + my))) + left;
        const uint8_t* fillCover = mask.fill.data() + static_cast<size_t>(my) * mask.width;
        const uint8_t* outlineCover = mask.outline.data() + static_cast<size_t>(my) * mask.width;
        for (int mx = 0; mx < mask.width; ++mx) {
            if (fillCover[mx] != 0) row[mx] = Cover(row[mx], fill, fillCover[mx]);
            if (outlineCover[mx] != 0) row[mx] = Cover(row[mx], outline, outlineCover[mx]);
        }
    }
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
