// A sky culture in the real main window, offscreen: the panel and the map
// agree on the selected constellation, drawing goes to it, and an
// illustration lies on its stars and follows a dragged anchor or handle with undo.
#include <QApplication>
#include <QImage>
#include <QSettings>
#include <QTableView>
#include <fstream>

#include "commands/exchange_commands.h"
#include "commands/map_editing.h"
#include "map/layers.h"
#include "platform/constellation_panel.h"
#include "support/window_session.h"

using namespace orvanta;
using orvanta::testing::TempFolder;
using Session = orvanta::testing::WindowSession;

namespace {

// The Hipparcos numbers of the brightest stars well inside the map, with their pixels.
struct Shown {
    std::vector<int32_t> hips;
    std::vector<QPoint> pixels;
};

// Stars 0, 1 and 2 close together, so that a picture on them is small and the
// map's projection near enough to flat across it; 3 to 5 elsewhere.
Shown BrightStars(Session& s, size_t count) {
    s.window->resize(1300, 900);
    s.OpenEmpty();  // the map framed as a culture will be
    const ExchangeSky* sky = EnsureExchangeSky(s.state, nullptr);
    Shown all;
    // Where the map will still show them once the panel takes its place and moves the map's middle left.
    const int left = 200, right = s.window->Surface()->width() - 420;
    for (const int index : s.VisibleStars(400, 60)) {
        const StarIdentity* identity = sky ? sky->identities.Of(static_cast<size_t>(index)) : nullptr;
        const QPoint at = s.StarPixel(index);
        if (!identity || identity->hip <= 0 || at.x() < left || at.x() > right) continue;
        all.hips.push_back(identity->hip);
        all.pixels.push_back(at);
    }
    Shown shown;
    const auto take = [&](size_t i) {
        shown.hips.push_back(all.hips[i]);
        shown.pixels.push_back(all.pixels[i]);
        all.hips[i] = 0;
    };
    if (all.hips.size() < count) return shown;
    take(0);
    for (int k = 0; k < 2; ++k) {
        // The nearest star not yet taken that makes a fair triangle with those taken.
        std::optional<size_t> nearest;
        const auto distance = [&](size_t i) { return (all.pixels[i] - shown.pixels[0]).manhattanLength(); };
        for (size_t i = 0; i < all.hips.size(); ++i) {
            if (all.hips[i] == 0 || distance(i) < 30) continue;
            if (k == 1) {
                const QPoint a = shown.pixels[1] - shown.pixels[0], b = all.pixels[i] - shown.pixels[0];
                if (std::abs(a.x() * b.y() - a.y() * b.x()) < 15 * distance(i)) continue;  // a fair height above the first side
            }
            if (!nearest || distance(i) < distance(*nearest)) nearest = i;
        }
        if (!nearest) return shown;
        take(*nearest);
    }
    for (size_t i = 0; i < all.hips.size() && shown.hips.size() < count; ++i)
        if (all.hips[i] != 0) take(i);
    return shown;
}

// Where stars 0, 1 and 2 fall in a 100 x 100 picture laid over them the right way round, 10 to 90.
std::vector<QPoint> AnchorPixels(const Shown& stars) {
    QRect box;
    for (int k = 0; k < 3; ++k) box |= QRect(stars.pixels[static_cast<size_t>(k)], QSize(1, 1));
    std::vector<QPoint> anchors;
    for (int k = 0; k < 3; ++k) {
        const QPoint p = stars.pixels[static_cast<size_t>(k)] - box.topLeft();
        anchors.push_back(QPoint(10 + 80 * p.x() / std::max(1, box.width() - 1), 10 + 80 * p.y() / std::max(1, box.height() - 1)));
    }
    return anchors;
}

// A culture of two constellations on those stars: A joins stars 0-1-2, B stars 3-4.
std::string WriteCulture(Session& s, const Shown& stars, const std::string& image = "") {
    const auto hip = [&](size_t i) { return std::to_string(stars.hips[i]); };
    std::string art;
    if (!image.empty()) {
        const std::vector<QPoint> at = AnchorPixels(stars);
        const auto anchor = [&](size_t k) {
            return R"({"pos": [)" + std::to_string(at[k].x()) + ", " + std::to_string(at[k].y()) + R"(], "hip": )" + hip(k) + "}";
        };
        art = R"(, "image": {"file": "illustrations/a.png", "size": [100, 100], "anchors": [)" + anchor(0) + ", " +
              anchor(1) + ", " + anchor(2) + "]}";
    }
    std::filesystem::create_directories(s.folder.File("sky/illustrations"));
    if (!image.empty()) std::filesystem::copy_file(image, s.folder.File("sky/illustrations/a.png"));
    s.folder.Write("sky/description.md", "# Sky\n\n## Introduction\n\nTwo figures.\n");
    return s.folder.Write("sky/index.json", R"({"id": "sky", "asterisms": [{"id": "AST sky 1", "lines": [[)" + hip(3) + ", " +
                                                hip(5) + R"(]]}], "constellations": [
  {"id": "CON sky A", "lines": [[)" + hip(0) + ", " + hip(1) + ", " + hip(2) +
                                                R"(]], "common_name": {"english": "Alpha", "native": "Ālepa"})" + art + R"(},
  {"id": "CON sky B", "lines": [[)" + hip(3) + ", " + hip(4) + R"(]], "common_name": {"english": "Beta"}}
]}
)");
}

// A 100 x 100 dark picture with a green spot where anchor 0 is, larger than the star's disc drawn over it.
std::string SpotPicture(Session& s, const Shown& stars) {
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(Qt::black);
    const QPoint spot = AnchorPixels(stars)[0];
    for (int y = std::max(0, spot.y() - 8); y <= std::min(99, spot.y() + 8); ++y)
        for (int x = std::max(0, spot.x() - 8); x <= std::min(99, spot.x() + 8); ++x) picture.setPixel(x, y, qRgb(0, 255, 0));
    const std::string image = s.folder.File("spot.png");
    picture.save(QString::fromStdString(image));
    return image;
}

// A PNG whose header claims 20,000 x 20,000 pixels, with the first few bytes of its data.
QByteArray HugePng() {
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    const auto chunk = [&png](const char* type, std::initializer_list<uchar> data) {
        QByteArray body(type);
        for (const uchar byte : data) body.append(static_cast<char>(byte));
        uint32_t crc = 0xFFFFFFFF;
        for (const char c : body) {
            crc ^= static_cast<uchar>(c);
            for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
        }
        crc = ~crc;
        for (const uint32_t word : {static_cast<uint32_t>(data.size()), crc}) {
            for (const int shift : {24, 16, 8, 0}) png.append(static_cast<char>((word >> shift) & 0xFF));
            if (word != crc) png.append(body);
        }
    };
    chunk("IHDR", {0, 0, 0x4E, 0x20, 0, 0, 0x4E, 0x20, 8, 0, 0, 0, 0});
    chunk("IDAT", {0x78, 0x9c, 0x63, 0x60, 0x80, 0, 0, 0, 0x0a, 0, 0x01});
    return png;
}

QPointF OnMap(const Session& s, const SkyVector& direction) {
    const SkyDirection d = DirectionOf(direction);
    const auto place = ProjectStar(s.state.view, d.raHours, d.decDegrees);
    return place ? QPointF(place->x / 15.0, place->y / 15.0) : QPointF(-1, -1);
}

// Stars 0 to 2 for a picture which, moved a few pixels, puts anchor 0 on star 6
// while anchors 1 and 2 stay on their own stars; 3 to 5 as BrightStars gives them.
Shown ShiftableStars(Session& s) {
    const Shown others = BrightStars(s, 6);
    if (others.hips.size() < 6) return {};
    const ExchangeSky* sky = s.state.exchangeSky.get();
    const int left = 200, right = s.window->Surface()->width() - 420;
    Shown all;
    for (const int index : s.VisibleStars(100000, 60)) {
        const StarIdentity* identity = sky->identities.Of(static_cast<size_t>(index));
        const QPoint at = s.StarPixel(index);
        if (!identity || identity->hip <= 0 || at.x() < left || at.x() > right) continue;
        all.hips.push_back(identity->hip);
        all.pixels.push_back(at);
    }
    const auto picked = [&](QPoint at) {
        const auto star = PickStar(s.state, PixelPoint{static_cast<double>(at.x()), static_cast<double>(at.y())});
        return star && star->hip ? *star->hip : 0;
    };
    for (size_t a = 0; a < all.hips.size(); ++a)
        for (size_t d = 0; d < all.hips.size(); ++d) {
            const QPoint shift = all.pixels[d] - all.pixels[a];
            if (d == a || shift.manhattanLength() > 10 || picked(all.pixels[a] + shift) != all.hips[d]) continue;
            // Two more stars, a fair triangle with the first, that still find themselves when carried as far.
            std::vector<size_t> staying;
            for (size_t k = 0; k < all.hips.size() && staying.size() < 2; ++k) {
                const QPoint from = all.pixels[k] - all.pixels[a];
                if (k == a || k == d || from.manhattanLength() < 30 || from.manhattanLength() > 150 ||
                    picked(all.pixels[k] + shift) != all.hips[k])
                    continue;
                if (!staying.empty()) {
                    const QPoint first = all.pixels[staying[0]] - all.pixels[a];
                    if (std::abs(first.x() * from.y() - first.y() * from.x()) < 15 * from.manhattanLength()) continue;
                }
                staying.push_back(k);
            }
            if (staying.size() < 2) continue;
            Shown shown = others;
            for (size_t k = 0; k < 3; ++k) {
                const size_t i = k == 0 ? a : staying[k - 1];
                shown.hips[k] = all.hips[i], shown.pixels[k] = all.pixels[i];
            }
            shown.hips.push_back(all.hips[d]);
            shown.pixels.push_back(all.pixels[d]);
            return shown;
        }
    return {};
}

// Where the stars are now: the panel took its place beside the map when the culture opened.
void Replace(const Session& s, Shown& stars) {
    for (size_t i = 0; i < stars.hips.size(); ++i) {
        const auto units = s.state.exchangeSky->PlaceOfHip(stars.hips[i]);
        const auto place = ProjectCatalogueUnits(s.state.view, units->first, units->second);
        stars.pixels[i] = QPoint(static_cast<int>(place->x / 15.0 + 0.5), static_cast<int>(place->y / 15.0 + 0.5));
    }
}

const Culture& TheCulture(const Session& s) { return s.state.document.culture->culture; }

// The picture's pixel under a point of the map.
QRgb MapPixel(const Session& s, QPointF at) {
    const QImage& picture = s.window->Surface()->Picture();
    return picture.pixel((at * picture.devicePixelRatio()).toPoint());
}

// Whether the asterisms' colour shows within two pixels of a point.
bool AsterismNear(const Session& s, QPointF at) {
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            if (MapPixel(s, at + QPointF(dx, dy)) == qRgb(kAsterismColour.red, kAsterismColour.green, kAsterismColour.blue))
                return true;
    return false;
}

// Whether the picture's green shows within three pixels of a point.
bool GreenNear(const Session& s, QPointF at) {
    for (int dx = -3; dx <= 3; ++dx)
        for (int dy = -3; dy <= 3; ++dy) {
            const QRgb c = MapPixel(s, at + QPointF(dx, dy));
            if (qGreen(c) > 40 && qGreen(c) > qRed(c) + 20) return true;
        }
    return false;
}

}  // namespace

class CultureWindowTest : public QObject {
    Q_OBJECT

    TempFolder settingsFolder;

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settingsFolder.Dir()));
    }

    void panelAndMapAgreeAndDrawingGoesToTheSelection() {
        Session s;
        Shown stars = BrightStars(s, 6);
        QCOMPARE(stars.hips.size(), size_t(6));
        s.Open(WriteCulture(s, stars));
        Replace(s, stars);
        QVERIFY(s.state.document.IsCulture());
        QVERIFY(s.window->Panel()->isVisible());
        // The asterism, kept apart from the constellations, shows only when asked for.
        const QPointF asterism = QPointF(stars.pixels[3] + stars.pixels[5]) / 2;
        QVERIFY(!AsterismNear(s, asterism));
        s.window->Action(MenuItem::Asterisms)->trigger();
        QVERIFY(AsterismNear(s, asterism));
        s.window->Action(MenuItem::Asterisms)->trigger();
        QTableView* table = s.window->Panel()->Table();
        QCOMPARE(table->model()->rowCount(), 2);
        QCOMPARE(table->model()->index(0, 2).data().toString(), QString("Ālepa"));

        // Choosing B in the panel selects it: its one line stands out, A's two do not.
        table->selectRow(1);
        const uint64_t b = TheCulture(s).constellations[1].uid;
        QCOMPARE(s.state.document.culture->selected, std::optional(b));
        QVERIFY(s.window->Action(MenuItem::EditNames)->isEnabled());
        // Shift and a click on one of A's lines selects A, in the panel too.
        QWidget* map = s.window->Surface();
        QTest::mouseClick(map, Qt::LeftButton, Qt::ShiftModifier, (stars.pixels[0] + stars.pixels[1]) / 2);
        const uint64_t a = TheCulture(s).constellations[0].uid;
        QCOMPARE(s.state.document.culture->selected, std::optional(a));
        QCOMPARE(table->currentIndex().row(), 0);

        // A line drawn now goes to A; with nothing selected, to a new constellation.
        QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, stars.pixels[4]);
        QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, stars.pixels[5]);
        QTest::mouseClick(map, Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
        QCOMPARE(TheCulture(s).constellations[0].SegmentCount(), size_t(3));
        table->clearSelection();
        table->setCurrentIndex(QModelIndex());
        QCOMPARE(s.state.document.culture->selected, std::optional<uint64_t>());
        QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, stars.pixels[3]);
        QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, stars.pixels[5]);
        QTest::mouseClick(map, Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
        QCOMPARE(TheCulture(s).constellations.size(), size_t(3));
        QCOMPARE(TheCulture(s).constellations[2].name->english, std::string("New 1"));
        QCOMPARE(table->model()->rowCount(), 3);
        QVERIFY(s.window->Caption().find("*]") != std::string::npos);
        // Each of those was one step: two undos leave A as it was read and no new constellation.
        s.window->Action(MenuItem::Undo)->trigger();
        s.window->Action(MenuItem::Undo)->trigger();
        QCOMPARE(TheCulture(s).constellations.size(), size_t(2));
        QCOMPARE(TheCulture(s).constellations[0].SegmentCount(), size_t(2));
        QCOMPARE(table->model()->rowCount(), 2);
    }

    void anIllustrationLiesOnItsStarsAndFollowsADraggedAnchor() {
        Session s;
        Shown stars = BrightStars(s, 6);
        // The picture's spot must land on star 0.
        s.Open(WriteCulture(s, stars, SpotPicture(s, stars)));
        Replace(s, stars);
        QCOMPARE(s.state.illustrations.pictures.size(), size_t(1));
        QVERIFY(!s.state.illustrations.pictures[0].warp.mirrored);
        // Star 0 is drawn over the spot; the spot's green shows beside the star's own disc.
        const QPointF star0 = stars.pixels[0];
        QVERIFY2(GreenNear(s, star0), "the picture's marked spot does not lie on its anchor star");
        QVERIFY(!GreenNear(s, stars.pixels[1]));
        // Away from the stars the picture is black sky, which adds nothing.
        QCOMPARE(MapPixel(s, QPointF(2, 2)), qRgb(0, 0, 0));

        // Selected, its anchors can be dragged: onto star 5, which it then names; undo takes it back.
        s.window->Panel()->Table()->selectRow(0);
        QWidget* map = s.window->Surface();
        QTest::mousePress(map, Qt::LeftButton, Qt::NoModifier, stars.pixels[0]);
        QVERIFY(s.state.illustrations.drag.has_value());
        QTest::mouseMove(map, stars.pixels[5]);
        QTest::mouseRelease(map, Qt::LeftButton, Qt::NoModifier, stars.pixels[5]);
        QCOMPARE(TheCulture(s).constellations[0].art->anchors[0].hip, stars.hips[5]);
        s.window->Action(MenuItem::Undo)->trigger();
        QCOMPARE(TheCulture(s).constellations[0].art->anchors[0].hip, stars.hips[0]);
        // Let go where there is no star: the anchor stays, and the user is told.
        QTest::mousePress(map, Qt::LeftButton, Qt::NoModifier, stars.pixels[0]);
        QTest::mouseRelease(map, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        QCOMPARE(TheCulture(s).constellations[0].art->anchors[0].hip, stars.hips[0]);
        QVERIFY(s.window->StatusText().startsWith("There is no star under the anchor"));
        QVERIFY(!s.window->Action(MenuItem::Undo)->isEnabled());  // and no step was recorded
        // Without illustrations the sky is as a figure's.
        s.window->Action(MenuItem::Illustrations)->trigger();
        QVERIFY(!GreenNear(s, star0));
    }

    void theWholePictureMovesByItsHandleOntoStarsWithUndo() {
        Session s;
        Shown stars = ShiftableStars(s);
        QVERIFY2(stars.hips.size() == 7, "no star lies a few pixels from another");
        s.Open(WriteCulture(s, stars, SpotPicture(s, stars)));
        Replace(s, stars);
        s.window->Panel()->Table()->selectRow(0);
        QCOMPARE(s.state.illustrations.pictures.size(), size_t(1));
        const ShownPicture& shown = s.state.illustrations.pictures[0];
        const QPointF handle = OnMap(s, HandlesOf(shown.warp, shown.width, shown.height).move);
        const auto hips = [&] {
            std::array<int32_t, 3> now;
            for (size_t k = 0; k < 3; ++k) now[k] = TheCulture(s).constellations[0].art->anchors[k].hip;
            return now;
        };
        const std::array<int32_t, 3> before = {stars.hips[0], stars.hips[1], stars.hips[2]};
        QCOMPARE(hips(), before);

        const QPointF shift = QPointF(stars.pixels[6] - stars.pixels[0]);
        QVERIFY2(stars.hips[0] != stars.hips[6] && shift.manhattanLength() > 0, "no stars to move the picture onto");

        // Dragged by its centre that far, the picture's first anchor takes that star, the others keep theirs.
        QWidget* map = s.window->Surface();
        QTest::mousePress(map, Qt::LeftButton, Qt::NoModifier, handle.toPoint());
        QVERIFY(s.state.illustrations.drag && !s.state.illustrations.drag->anchor);
        const QPoint end = (handle + shift).toPoint();
        QTest::mouseMove(map, end);
        QTest::mouseRelease(map, Qt::LeftButton, Qt::NoModifier, end);
        QCOMPARE(hips(), (std::array<int32_t, 3>{stars.hips[6], stars.hips[1], stars.hips[2]}));
        s.window->Action(MenuItem::Undo)->trigger();
        QCOMPARE(hips(), before);

        // Dragged off the stars, it goes back where it was, and the user is told.
        QTest::mousePress(map, Qt::LeftButton, Qt::NoModifier, handle.toPoint());
        QTest::mouseMove(map, QPoint(4, 4));
        QTest::mouseRelease(map, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        QCOMPARE(hips(), before);
        QVERIFY(s.window->StatusText().startsWith("Not every anchor has a star under it"));
        // No step was recorded: the one undone before can still be redone.
        QVERIFY(!s.window->Action(MenuItem::Undo)->isEnabled());
        QVERIFY(s.window->Action(MenuItem::Redo)->isEnabled());
    }

    void picturesThatCannotBeShownAreToldAndLeftOut() {
        Session s;
        Shown stars = BrightStars(s, 6);
        const std::string good = SpotPicture(s, stars);
        std::filesystem::create_directories(s.folder.File("sky/illustrations"));
        std::filesystem::copy_file(good, s.folder.File("sky/illustrations/good.png"));
        std::ifstream in(good, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        s.folder.Write("sky/illustrations/truncated.png", bytes.substr(0, bytes.size() / 2));
        const QByteArray huge = HugePng();
        s.folder.Write("sky/illustrations/huge.png", std::string(huge.constData(), static_cast<size_t>(huge.size())));
        s.folder.Write("sky/illustrations/noise.png", "not a picture at all");
        // Each constellation of the culture gets the one picture's anchors, with a picture file of its own name.
        const std::string written = WriteCulture(s, stars, good);
        std::ifstream culture(written);
        const std::string text((std::istreambuf_iterator<char>(culture)), std::istreambuf_iterator<char>());
        const size_t image = text.find(", \"image\"");
        const size_t end = text.find('}', text.find("]}", image)) + 1;
        const std::string picture = text.substr(image, end - image);
        std::string constellations;
        for (const std::string file : {"good", "missing", "truncated", "huge", "noise"}) {
            std::string art = picture;
            art.replace(art.find("a.png"), 5, file + ".png");
            constellations += (constellations.empty() ? "" : ",\n") + std::string("  {\"id\": \"CON sky ") + file +
                              "\", \"lines\": [[" + std::to_string(stars.hips[0]) + ", " + std::to_string(stars.hips[1]) +
                              "]]" + art + "}";
        }
        s.Open(s.folder.Write("sky/index.json", "{\"id\": \"sky\", \"constellations\": [\n" + constellations + "\n]}\n"));
        // The culture opens with the one picture that can be shown; one message names the others.
        QVERIFY(s.state.document.IsCulture());
        QCOMPARE(TheCulture(s).constellations.size(), size_t(5));
        QCOMPARE(s.state.illustrations.pictures.size(), size_t(1));
        QCOMPARE(s.dialogs.messages.size(), size_t(1));
        const std::string& told = s.dialogs.messages[0];
        for (const char* name : {"missing.png", "truncated.png", "huge.png", "noise.png"})
            QVERIFY2(told.find(name) != std::string::npos, name);
        QVERIFY2(told.find("20000 x 20000") != std::string::npos, told.c_str());
        QVERIFY(told.find("good.png") == std::string::npos);
        // Kept as they were: the culture saves them back.
        QVERIFY(TheCulture(s).constellations[2].art.has_value());
    }
};

QTEST_MAIN(CultureWindowTest)
#include "culture_window_test.moc"
