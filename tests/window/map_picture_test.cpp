// The map's picture on a screen of twice the pixels: painted at device
// resolution, stars stamped exactly as the painter paints them, and partial
// repaints that leave what a full repaint leaves. Runs with QT_SCALE_FACTOR=2.
#include "map/layers.h"
#include "platform/qt_map_canvas.h"
#include "support/partial_repaints.h"
#include "support/window_session.h"

using namespace orvanta;

namespace {

// The real window with the shipped data and the catalogue to magnitude 6.0.
struct Session : orvanta::testing::WindowSession {
    Session() { LoadCatalogue(state.catalog, folder.File("yale.dat"), 60); }

    // Disc stars well inside the map with no other disc star within `room` pixels.
    std::vector<int> LoneDiscStars(size_t wanted, double room) const {
        const std::vector<Star>& stars = state.catalog.stars;
        const QSizeF size = window->Surface()->size();
        std::vector<int> found;
        for (int i = 0; i < static_cast<int>(stars.size()) && found.size() < wanted; ++i) {
            const QPointF p = StarTwips(i) / 15;
            if (StarRadius(stars[i].magnitude) < 25 || p.x() < 30 || p.y() < 30 || p.x() > size.width() - 30 ||
                p.y() > size.height() - 30)
                continue;
            bool alone = true;
            for (int j = 0; j < static_cast<int>(stars.size()) && alone; ++j)
                if (j != i && StarRadius(stars[j].magnitude) >= 10)
                    alone = QLineF(p, StarTwips(j) / 15).length() > room;
            if (alone) found.push_back(i);
        }
        return found;
    }
};

// Boundaries and stars painted into an image of the given ratio, by the
// painter alone or with stars stamped from masks.
QImage PaintStars(const ProgramState& state, const ViewState& view, QSize size, int ratio, StarDiscMasks* masks) {
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    {
        QtMapCanvas canvas(painter, kBlack, masks ? &image : nullptr, masks);
        canvas.Clear();
        DrawBoundaries(canvas, view, state.boundaries);
        DrawStars(canvas, view, state.catalog, true, 0);
    }
    return image;
}

}  // namespace

class MapPictureTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowRunsAtRatio2() {
        Session s;
        QCOMPARE(s.window->Surface()->devicePixelRatioF(), 2.0);
    }

    // Stamped discs and faint stars written directly give the very pixels the
    // painter gives, over the dotted boundaries and each other, at every place
    // of a centre in its pixel.
    void stampedStarsEqualPaintedStars() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        StarDiscMasks masks;
        for (int ratio : {1, 2, 3, 4}) {
            for (float hours : {0.0f, 1.3f, 7.7f}) {
                ViewState view = s.state.view;
                view.observer.siderealTime += hours;
                const QImage painted = PaintStars(s.state, view, QSize(900, 700), ratio, nullptr);
                const QImage stamped = PaintStars(s.state, view, QSize(900, 700), ratio, &masks);
                QVERIFY2(painted == stamped, qPrintable(QString("ratio %1, turned %2 h").arg(ratio).arg(hours)));
            }
        }
    }

    // A bright star is a disc of its catalogue colour whose radius is its
    // magnitude's radius, in device pixels.
    void knownStarsHaveTheirColourAndRadius() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        const QImage picture = s.window->Surface()->Picture();
        const int ratio = static_cast<int>(picture.devicePixelRatio());
        const std::vector<int> stars = s.LoneDiscStars(5, 12);
        QVERIFY(stars.size() == 5);
        for (int index : stars) {
            const Star& star = s.state.catalog.stars[index];
            const QPointF centre = s.StarTwips(index) * ratio / 15.0;
            const QPoint pixel(static_cast<int>(std::floor(centre.x())), static_cast<int>(std::floor(centre.y())));
            QCOMPARE(picture.pixelColor(pixel), ToQColor(star.colour));
            // The outline's outer edge lies half a pen width beyond the radius.
            const double edge = (StarRadius(star.magnitude) / 15.0 + 0.5) * ratio;
            for (int dx : {-1, 1}) {
                const int inside = static_cast<int>(std::floor(edge - 1.5));
                const int outside = static_cast<int>(std::ceil(edge + 1.5));
                QVERIFY2(picture.pixelColor(pixel + QPoint(dx * inside, 0)) != QColor(Qt::black),
                         qPrintable(QString("star %1 inside").arg(index)));
                QCOMPARE(picture.pixelColor(pixel + QPoint(dx * outside, 0)), QColor(Qt::black));
            }
        }
    }

    // An upscaled picture repeats each pixel in a 2 × 2 block; a disc painted at
    // device resolution has blocks of unequal pixels along its edge.
    void aStarsEdgeIsPaintedAtDeviceResolution() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        const QImage picture = s.window->Surface()->Picture();
        QCOMPARE(picture.devicePixelRatio(), 2.0);
        QCOMPARE(picture.size(), s.window->Surface()->size() * 2);
        for (int index : s.LoneDiscStars(5, 12)) {
            const QPointF centre = s.StarTwips(index) * 2 / 15.0;
            const QPoint corner(static_cast<int>(centre.x()) / 2 * 2 - 8, static_cast<int>(centre.y()) / 2 * 2 - 8);
            int unequalBlocks = 0;
            for (int y = 0; y < 16; y += 2)
                for (int x = 0; x < 16; x += 2) {
                    const QPoint p = corner + QPoint(x, y);
                    const QRgb a = picture.pixel(p);
                    unequalBlocks += a != picture.pixel(p + QPoint(1, 0)) || a != picture.pixel(p + QPoint(0, 1)) ||
                                     a != picture.pixel(p + QPoint(1, 1));
                }
            QVERIFY2(unequalBlocks >= 4, qPrintable(QString("star %1: %2 blocks").arg(index).arg(unequalBlocks)));
        }
    }

    // The twin of the ratio-1 window test: editing repaints only thin bands, and
    // painting just those at device resolution onto the last picture gives what
    // a full repaint gives.
    void partialRepaintsLeaveThePictureAsAFullRepaint() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        std::vector<int> stars;
        for (int i = 0; stars.size() < 12; ++i) {
            const QPointF p = s.StarTwips(i) / 15;
            if (p.x() > 20 && p.y() > 20 && p.x() < 880 && p.y() < 600) stars.push_back(i);
        }
        std::string chords;
        for (size_t i = 0; i < stars.size(); ++i)
            for (size_t j = i + 1; j < stars.size(); j += 3) chords += s.Figure(stars[i], stars[j]);
        s.Open(s.folder.Write("chords.con", chords));
        const std::string differing = orvanta::testing::FirstPartialRepaintUnlikeFull(
            s.state, *s.window, [&](int k) { return s.StarTwips(stars[k]) / 15; });
        QVERIFY2(differing.empty(), differing.c_str());
    }
};

QTEST_MAIN(MapPictureTest)
#include "map_picture_test.moc"
