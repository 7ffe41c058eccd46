// Decoding the illustrations, and adding them to the map's picture.
#include "platform/picture_store.h"

#include <QImageReader>
#include <algorithm>
#include <cmath>

#include "platform/qt_dialogs.h"

namespace orvanta {

namespace {

constexpr qint64 kMostPixels = 40'000'000;  // a 6,000 x 6,000 picture; the shipped ones are 512 at most
constexpr int kLongestSide = 2048;          // larger pictures are kept at this size: the map never shows more

}  // namespace

std::string PictureStore::Prepare(const std::string& path) {
    if (images_.count(path)) return {};
    if (const auto failed = failures_.find(path); failed != failures_.end()) return failed->second;
    QImageReader reader(ToQString(path));
    const QSize size = reader.size();
    std::string why;
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > kMostPixels) {
        why = "the picture is " + std::to_string(size.width()) + " x " + std::to_string(size.height()) +
              " pixels, more than Orvanta shows";
    } else {
        QImage image = reader.read();
        if (image.isNull()) {
            why = reader.errorString().toStdString();
        } else {
            if (std::max(image.width(), image.height()) > kLongestSide)
                image = image.scaled(kLongestSide, kLongestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            images_[path] = image.convertToFormat(QImage::Format_RGB32);
            return {};
        }
    }
    failures_[path] = why;
    return why;
}

const QImage* PictureStore::Find(const std::string& path) const {
    const auto found = images_.find(path);
    return found == images_.end() ? nullptr : &found->second;
}

void PictureStore::Clear() {
    images_.clear();
    failures_.clear();
}

void AddWarpedPicture(QImage& target, double scale, QPointF origin, const QImage& picture, double width, double height,
                      const std::vector<MeshTriangle>& mesh, float intensity, bool darken) {
    if (picture.isNull() || width <= 0 || height <= 0 || target.format() != QImage::Format_RGB32) return;
    const int gain = std::clamp(static_cast<int>(std::lround(intensity * 256)), 0, 256);
    const double toPictureX = picture.width() / width, toPictureY = picture.height() / height;
    const int pictureWidth = picture.width(), pictureHeight = picture.height();
    const int targetWidth = target.width(), targetHeight = target.height();
    for (const MeshTriangle& t : mesh) {
        double x[3], y[3];
        for (int k = 0; k < 3; ++k) {
            x[k] = (t.at[k].x - origin.x()) * scale;
            y[k] = (t.at[k].y - origin.y()) * scale;
        }
        double area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
        if (std::fabs(area) < 1e-9) continue;
        // The same turning sense for every triangle, so that the fill rule below holds.
        int order[3] = {0, 1, 2};
        if (area < 0) std::swap(order[1], order[2]), area = -area;
        const double ax = x[order[0]], ay = y[order[0]], bx = x[order[1]], by = y[order[1]], cx = x[order[2]],
                     cy = y[order[2]];
        // The picture's pixel as an affine function of the target's: weights of the corners.
        const auto su = [&](int k) { return t.u[order[k]] * toPictureX; };
        const auto sv = [&](int k) { return t.v[order[k]] * toPictureY; };
        const int left = std::max(0, static_cast<int>(std::floor(std::min({ax, bx, cx}))));
        const int right = std::min(targetWidth - 1, static_cast<int>(std::ceil(std::max({ax, bx, cx}))));
        const int top = std::max(0, static_cast<int>(std::floor(std::min({ay, by, cy}))));
        const int bottom = std::min(targetHeight - 1, static_cast<int>(std::ceil(std::max({ay, by, cy}))));
        // A pixel centre on an edge belongs to the triangle only when the edge is a top or left one.
        const auto edge = [](double x0, double y0, double x1, double y1, double px, double py) {
            return (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0);
        };
        const auto topLeft = [](double x0, double y0, double x1, double y1) {
            return (y0 == y1 && x1 < x0) || y1 < y0;
        };
        const bool owns0 = topLeft(bx, by, cx, cy), owns1 = topLeft(cx, cy, ax, ay), owns2 = topLeft(ax, ay, bx, by);
        for (int py = top; py <= bottom; ++py) {
            uint32_t* row = reinterpret_cast<uint32_t*>(target.scanLine(py));
            const double cyp = py + 0.5;
            for (int px = left; px <= right; ++px) {
                const double cxp = px + 0.5;
                const double w0 = edge(bx, by, cx, cy, cxp, cyp), w1 = edge(cx, cy, ax, ay, cxp, cyp),
                             w2 = edge(ax, ay, bx, by, cxp, cyp);
                if (w0 < 0 || w1 < 0 || w2 < 0) continue;
                if ((w0 == 0 && !owns0) || (w1 == 0 && !owns1) || (w2 == 0 && !owns2)) continue;
                const double u = (w0 * su(0) + w1 * su(1) + w2 * su(2)) / area;
                const double v = (w0 * sv(0) + w1 * sv(1) + w2 * sv(2)) / area;
                const int sx = std::clamp(static_cast<int>(u), 0, pictureWidth - 1);
                const int sy = std::clamp(static_cast<int>(v), 0, pictureHeight - 1);
                const QRgb source = reinterpret_cast<const QRgb*>(picture.constScanLine(sy))[sx];
                const QRgb below = row[px];
                const auto channel = [&](int s, int d) {
                    const int light = (s * gain) >> 8;
                    return std::clamp(darken ? d - light : d + light, 0, 255);
                };
                row[px] = qRgb(channel(qRed(source), qRed(below)), channel(qGreen(source), qGreen(below)),
                               channel(qBlue(source), qBlue(below)));
            }
        }
    }
}

}  // namespace orvanta
