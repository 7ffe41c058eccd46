// Decoding the illustrations, and adding them to the map's picture.
#include "platform/picture_store.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <thread>

#include "platform/qt_dialogs.h"

namespace orvanta {

namespace {

constexpr qint64 kMostPixels = 40'000'000;  // a 6,000 x 6,000 picture; the shipped ones are 512 at most
constexpr int kLongestSide = 2048;          // larger pictures are kept at this size: the map never shows more

// Each pixel the mean of a 2 x 2 block; an odd last row or column is left out.
template <int kBytes>
void HalveRows(const QImage& image, QImage& half) {
    for (int y = 0; y < half.height(); ++y) {
        const uchar* a = image.constScanLine(2 * y);
        const uchar* b = image.constScanLine(2 * y + 1);
        uchar* out = half.scanLine(y);
        for (int x = 0; x < half.width(); ++x, a += 2 * kBytes, b += 2 * kBytes)
            for (int c = 0; c < kBytes; ++c)
                *out++ = static_cast<uchar>((a[c] + a[c + kBytes] + b[c] + b[c + kBytes] + 2) >> 2);
    }
}

QImage Halved(const QImage& image) {
    QImage half(image.width() / 2, image.height() / 2, image.format());
    if (image.depth() == 8) HalveRows<1>(image, half);
    else HalveRows<4>(image, half);
    return half;
}

}  // namespace

namespace {

// A picture decoded, or the reason it cannot be.
struct Decoding {
    std::optional<DecodedPicture> picture;
    std::string why;
};

Decoding Decode(const std::string& path) {
    QImageReader reader(ToQString(path));
    const QSize size = reader.size();
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > kMostPixels)
        return {std::nullopt, "the picture is " + std::to_string(size.width()) + " x " + std::to_string(size.height()) +
                                  " pixels, more than Orvanta shows"};
    QImage image = reader.read();
    if (image.isNull()) return {std::nullopt, reader.errorString().toStdString()};
    if (std::max(image.width(), image.height()) > kLongestSide)
        image = image.scaled(kLongestSide, kLongestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    DecodedPicture decoded;
    decoded.levels.push_back(image.allGray() ? image.convertToFormat(QImage::Format_Grayscale8)
                                             : image.convertToFormat(QImage::Format_RGB32));
    while (std::min(decoded.levels.back().width(), decoded.levels.back().height()) >= 16)
        decoded.levels.push_back(Halved(decoded.levels.back()));
    return {std::move(decoded), {}};
}

}  // namespace

std::string PictureStore::Prepare(const std::string& path) {
    PrepareAll({path});
    const auto failed = failures_.find(path);
    return failed == failures_.end() ? std::string() : failed->second;
}

void PictureStore::PrepareAll(const std::vector<std::string>& paths) {
    std::vector<std::string> wanted;
    for (const std::string& path : paths)
        if (!images_.count(path) && !failures_.count(path) && std::find(wanted.begin(), wanted.end(), path) == wanted.end())
            wanted.push_back(path);
    if (wanted.empty()) return;
    // Decoding is most of the time a culture with pictures takes to open: spread over the cores.
    std::vector<Decoding> done(wanted.size());
    std::atomic<size_t> next = 0;
    const auto work = [&] {
        for (size_t i; (i = next++) < wanted.size();) done[i] = Decode(wanted[i]);
    };
    const size_t helpers = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), 8) - 1;
    std::vector<std::thread> threads;
    for (size_t t = 0; t < std::min(helpers, wanted.size() - 1); ++t) threads.emplace_back(work);
    work();
    for (std::thread& thread : threads) thread.join();
    for (size_t i = 0; i < wanted.size(); ++i) {
        if (done[i].picture) images_[wanted[i]] = std::move(*done[i].picture);
        else failures_[wanted[i]] = done[i].why;
    }
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

namespace {

// One row's span of a warped picture, its source stepped in 16.16 fixed
// point. Light is added (or taken away) two channels at a time in one word,
// each saturating, without a branch: the pictures' black and lit pixels mix
// too finely for a branch to be guessed well.
template <bool kDarken, bool kGrey>
void AddSpan(uint32_t* row, int first, int last, int64_t su, int64_t sv, int64_t stepU, int64_t stepV, const QImage& picture,
             uint32_t gain) {
    const int right = picture.width() - 1, bottom = picture.height() - 1;
    const uchar* bits = picture.constBits();
    const qsizetype stride = picture.bytesPerLine();
    for (int px = first; px <= last; ++px, su += stepU, sv += stepV) {
        const int sx = std::clamp(static_cast<int>(su >> 16), 0, right);
        const int sy = std::clamp(static_cast<int>(sv >> 16), 0, bottom);
        const uint32_t source = kGrey ? bits[sy * stride + sx] * 0x10101u : reinterpret_cast<const uint32_t*>(bits + sy * stride)[sx];
        const uint32_t lightRB = (((source & 0xFF00FF) * gain) >> 8) & 0xFF00FF, lightG = (((source & 0xFF00) * gain) >> 8) & 0xFF00;
        const uint32_t below = row[px];
        uint32_t rb, g;
        if constexpr (kDarken) {
            // A ninth bit lent to each channel survives where the channel stays at or above zero.
            rb = ((below & 0xFF00FF) | 0x1000100) - lightRB;
            g = ((below & 0xFF00) | 0x10000) - lightG;
            const uint32_t keptRB = rb & 0x1000100, keptG = g & 0x10000;
            rb &= keptRB - (keptRB >> 8);
            g &= keptG - (keptG >> 8);
        } else {
            // A channel that carries into its ninth bit is full.
            rb = (below & 0xFF00FF) + lightRB;
            g = (below & 0xFF00) + lightG;
            const uint32_t overRB = rb & 0x1000100, overG = g & 0x10000;
            rb |= overRB - (overRB >> 8);
            g |= overG - (overG >> 8);
        }
        row[px] = 0xFF000000 | (rb & 0xFF00FF) | (g & 0xFF00);
    }
}

}  // namespace

void AddWarpedPicture(QImage& target, double scale, QPointF origin, const DecodedPicture& decoded, double width,
                      double height, const std::vector<MeshTriangle>& mesh, float intensity, bool darken) {
    if (decoded.levels.empty() || decoded.levels[0].isNull() || width <= 0 || height <= 0 ||
        target.format() != QImage::Format_RGB32)
        return;
    // The level with about one of its pixels to each pixel drawn, or more: the
    // whole picture from one level, so that no seam shows where levels would meet.
    double drawn = 0, read = 0;
    for (const MeshTriangle& t : mesh) {
        drawn += std::fabs((t.at[1].x - t.at[0].x) * (t.at[2].y - t.at[0].y) - (t.at[2].x - t.at[0].x) * (t.at[1].y - t.at[0].y));
        read += std::fabs((t.u[1] - t.u[0]) * (t.v[2] - t.v[0]) - (t.u[2] - t.u[0]) * (t.v[1] - t.v[0]));
    }
    double perDrawn = drawn > 0 ? read / width * decoded.levels[0].width() / height * decoded.levels[0].height() /
                                      (drawn * scale * scale)
                                : 1;
    size_t level = 0;
    for (; perDrawn >= 4 && level + 1 < decoded.levels.size(); perDrawn /= 4) ++level;
    const QImage& picture = decoded.levels[level];
    const bool grey = picture.format() == QImage::Format_Grayscale8;
    if (!grey && picture.format() != QImage::Format_RGB32) return;
    const uint32_t gain = static_cast<uint32_t>(std::clamp(static_cast<int>(std::lround(intensity * 256)), 0, 256));
    const double toPictureX = picture.width() / width, toPictureY = picture.height() / height;
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
            const auto span = grey ? (darken ? AddSpan<true, true> : AddSpan<false, true>)
                                   : (darken ? AddSpan<true, false> : AddSpan<false, false>);
            span(row, first, last, su, sv, stepU, stepV, picture, gain);
        }
    }
}

}  // namespace orvanta
