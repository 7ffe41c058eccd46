// The coverage masks of star discs, made once and stamped many times.
#include "platform/star_disc_masks.h"

#include <cmath>
#include <cstring>

namespace orvanta {

size_t StarDiscMasks::KeyHash::operator()(const Key& key) const {
    const auto bits = [](double v) {
        uint64_t b;
        std::memcpy(&b, &v, sizeof b);
        return b;
    };
    return std::hash<uint64_t>()(bits(key.offsetX) * 31 + bits(key.offsetY)) ^
           std::hash<uint64_t>()(bits(key.radius) * 7 + static_cast<uint64_t>(key.ratio));
}

const StarDiscMasks::Mask& StarDiscMasks::Find(double radius, double offsetX, double offsetY, int ratio) {
    const Key key{radius, ratio, offsetX, offsetY};
    auto [found, added] = masks_.try_emplace(key);
    Mask& mask = found->second;
    if (!added) return mask;
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

}  // namespace orvanta
