// Decoding the illustrations, and adding them to the map's picture.
#include "platform/picture_store.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <array>
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
            DecodedPicture& decoded = images_[path];
            decoded.image = image.convertToFormat(QImage::Format_RGB32);
            constexpr int kBlock = DecodedPicture::kLitBlock;
            decoded.blocksWide = (decoded.image.width() + kBlock - 1) / kBlock;
            decoded.lit.assign(static_cast<size_t>(decoded.blocksWide * ((decoded.image.height() + kBlock - 1) / kBlock)), 0);
            for (int y = 0; y < decoded.image.height(); ++y) {
                const QRgb* row = reinterpret_cast<const QRgb*>(decoded.image.constScanLine(y));
                for (int x = 0; x < decoded.image.width(); ++x)
                    if (row[x] & 0xFFFFFF) decoded.lit[static_cast<size_t>(y / kBlock * decoded.blocksWide + x / kBlock)] = 1;
            }
            return {};
        }
    }
    failures_[path] = why;
    return why;
}

std::optional<std::string> PngOf(std::string_view bytes) {
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()))) return std::nullopt;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return std::nullopt;
    return std::string(png.constData(), static_cast<size_t>(png.size()));
}

const DecodedPicture* PictureStore::Find(const std::string& path) const {
    const auto found = images_.find(path);
    return found == images_.end() ? nullptr : &found->second;
}

void PictureStore::Clear() {
    images_.clear();
    failures_.clear();
}

void AddWarpedPicture(QImage& target, double scale, QPointF origin, const DecodedPicture& decoded, double width,
                      double height, const std::vector<MeshTriangle>& mesh, float intensity, bool darken) {
    const QImage& picture = decoded.image;
    const uint8_t* lit = decoded.lit.data();
    const int blocksWide = decoded.blocksWide;
    constexpr int kBlockShift = 3;
    static_assert(1 << kBlockShift == DecodedPicture::kLitBlock);
    if (picture.isNull() || width <= 0 || height <= 0 || target.format() != QImage::Format_RGB32 ||
        picture.format() != QImage::Format_RGB32)
        return;
    const int gain = std::clamp(static_cast<int>(std::lround(intensity * 256)), 0, 256);
    // What each source byte adds (or takes away) at this gain, looked up rather than multiplied.
    std::array<int, 256> light;
    for (int i = 0; i < 256; ++i) light[static_cast<size_t>(i)] = (i * gain) >> 8;
    const double toPictureX = picture.width() / width, toPictureY = picture.height() / height;
    const int pictureWidth = picture.width(), pictureHeight = picture.height();
    const uchar* pictureBits = picture.constBits();
    const qsizetype pictureStride = picture.bytesPerLine();
    const int targetWidth = target.width(), targetHeight = target.height();
    uchar* targetBits = target.bits();
    const qsizetype targetStride = target.bytesPerLine();
    for (const MeshTriangle& t : mesh) {
        double x[3], y[3], u[3], v[3];
        for (int k = 0; k < 3; ++k) {
            x[k] = (t.at[k].x - origin.x()) * scale;
            y[k] = (t.at[k].y - origin.y()) * scale;
            u[k] = t.u[k] * toPictureX;
            v[k] = t.v[k] * toPictureY;
        }
        double area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
        if (std::fabs(area) < 1e-12) continue;
        // One turning sense for every triangle, so that the fill rule below holds.
        if (area < 0) {
            std::swap(x[1], x[2]), std::swap(y[1], y[2]), std::swap(u[1], u[2]), std::swap(v[1], v[2]);
            area = -area;
        }
        // Edge k runs between the corners other than k; its function is positive inside.
        struct Edge {
            double a, b, c;  // a * px + b * py + c
            bool owned;      // a centre exactly on it is inside: a top or left edge
        } edges[3];
        for (int k = 0; k < 3; ++k) {
            const int i = (k + 1) % 3, j = (k + 2) % 3;
            edges[k].a = -(y[j] - y[i]);
            edges[k].b = x[j] - x[i];
            edges[k].c = -(edges[k].a * x[i] + edges[k].b * y[i]);
            edges[k].owned = (y[i] == y[j] && x[j] < x[i]) || y[j] < y[i];
        }
        // The picture's coordinates are affine in the target's: their steps along a row and down a column.
        const auto plane = [&](const double* q, double& perX, double& perY, double& at0) {
            perX = (edges[0].a * q[0] + edges[1].a * q[1] + edges[2].a * q[2]) / area;
            perY = (edges[0].b * q[0] + edges[1].b * q[1] + edges[2].b * q[2]) / area;
            at0 = (edges[0].c * q[0] + edges[1].c * q[1] + edges[2].c * q[2]) / area;
        };
        double uX, uY, u0, vX, vY, v0;
        plane(u, uX, uY, u0);
        plane(v, vX, vY, v0);
        const int top = std::max(0, static_cast<int>(std::floor(std::min({y[0], y[1], y[2]}))));
        const int bottom = std::min(targetHeight - 1, static_cast<int>(std::ceil(std::max({y[0], y[1], y[2]}))));
        for (int py = top; py <= bottom; ++py) {
            const double cy = py + 0.5;
            // The row's span: where every edge function is positive, or zero on an owned edge.
            int first = 0, last = targetWidth - 1;
            bool empty = false;
            for (const Edge& e : edges) {
                const double rest = e.b * cy + e.c;
                if (e.a == 0) {
                    if (rest < 0 || (rest == 0 && !e.owned)) empty = true;
                    continue;
                }
                const double bound = -rest / e.a - 0.5;  // the pixel whose centre the edge crosses
                if (e.a > 0) first = std::max(first, static_cast<int>(e.owned ? std::ceil(bound) : std::floor(bound) + 1));
                else last = std::min(last, static_cast<int>(e.owned ? std::floor(bound) : std::ceil(bound) - 1));
            }
            if (empty || first > last) continue;
            uint32_t* row = reinterpret_cast<uint32_t*>(targetBits + py * targetStride);
            // The picture's coordinates in 16.16 fixed point, stepped along the row.
            constexpr double kOne = 65536;
            int64_t su = std::llround((u0 + uX * (first + 0.5) + uY * cy) * kOne), sv = std::llround((v0 + vX * (first + 0.5) + vY * cy) * kOne);
            const int64_t stepU = std::llround(uX * kOne), stepV = std::llround(vX * kOne);
            for (int px = first; px <= last; ++px, su += stepU, sv += stepV) {
                const int sx = std::clamp(static_cast<int>(su >> 16), 0, pictureWidth - 1);
                const int sy = std::clamp(static_cast<int>(sv >> 16), 0, pictureHeight - 1);
                if (!lit[(sy >> kBlockShift) * blocksWide + (sx >> kBlockShift)]) continue;  // black sky
                const uint32_t source = reinterpret_cast<const uint32_t*>(pictureBits + sy * pictureStride)[sx];
                if ((source & 0xFFFFFF) == 0) continue;  // black adds nothing
                const uint32_t below = row[px];
                uint32_t out = 0xFF000000;
                for (int shift = 0; shift <= 16; shift += 8) {
                    const int d = static_cast<int>((below >> shift) & 0xFF), l = light[(source >> shift) & 0xFF];
                    out |= static_cast<uint32_t>(darken ? std::max(0, d - l) : std::min(255, d + l)) << shift;
                }
                row[px] = out;
            }
        }
    }
}

}  // namespace orvanta
