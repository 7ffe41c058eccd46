// The real main window, offscreen, driven with real mouse and key events.
#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <set>

#include "map/layers.h"
#include "platform/map_picture.h"
#include "platform/status_field.h"
#include "support/partial_repaints.h"
#include "support/window_session.h"

using namespace orvanta;
using orvanta::testing::TempFolder;
using Session = orvanta::testing::WindowSession;

namespace {

// A menu text as the user reads it: without the mnemonic's marker.
QString Shown(const QAction* action) {
    QString text = action->text();
    return text.replace("&&", "\x01").remove('&').replace('\x01', '&');
}

QString Title(const Session& s) { return s.window->windowHandle() ? s.window->windowHandle()->title() : QString(); }

// Keys go to the active window.
bool Activate(const Session& s) {
    QApplication::setActiveWindow(s.window.get());
    return QTest::qWaitForWindowActive(s.window.get());
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    TempFolder settingsFolder;

private slots:
    // Window settings written by closes go to a folder of the test's own, never the user's.
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settingsFolder.Dir()));
    }

    void captionsMenusAndTooltips() {
        Session s;
        QVERIFY(s.loaded);
        QCOMPARE(Title(s), QString("Orvanta"));
        QStringList bar;
        for (const QAction* menu : s.window->menuBar()->actions()) bar << Shown(menu);
        QCOMPARE(bar, (QStringList{"Constellations", "Edit", "View", "Help"}));
        QCOMPARE(Shown(s.window->Action(MenuItem::Open)), QString("Open..."));
        QCOMPARE(s.window->Action(MenuItem::Exit)->shortcut(), QKeySequence("Ctrl+Q"));
        QCOMPARE(s.window->Action(MenuItem::Undo)->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(s.window->Action(MenuItem::Redo)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
        // Each tooltip names the command's key; separators part the three groups.
        const QStringList tips = {"Move Left (Ctrl+Left)", "Move Up (Ctrl+Up)", "Move Down (Ctrl+Down)",
                                  "Move Right (Ctrl+Right)", "", "More stars (Ctrl+])", "Fewer stars (Ctrl+[)", "",
                                  "Zoom + (Ctrl++)", "Zoom - (Ctrl+-)"};
        QStringList shown;
        for (const QAction* button : s.window->Toolbar()->actions()) shown << (button->isSeparator() ? "" : button->toolTip());
        QCOMPARE(shown, tips);
        // Nothing to undo, save or view before a figure is open.
        for (const MenuItem item : {MenuItem::Undo, MenuItem::Redo, MenuItem::Save, MenuItem::View})
            QVERIFY(!s.window->Action(item)->isEnabled());
        QVERIFY(s.window->Action(MenuItem::StarColours)->isChecked());
        QVERIFY(!s.window->Action(MenuItem::Bounds)->isChecked());
        // A caption is shown as it is, brackets and star too.
        s.window->SetCaption("Orvanta [*]");
        QCOMPARE(Title(s), QString("Orvanta [*]"));

        // A translation sets its own keys, empty where it lacks them; our own keys keep their English.
        Session t("[GUI_Strings]\r\n112 = \"Datei oeffnen...\"\r\n100=Sternbilder\r\n");
        QCOMPARE(Shown(t.window->Action(MenuItem::Open)), QString("Datei oeffnen..."));
        QCOMPARE(Shown(t.window->Action(MenuItem::Save)), QString());
        QCOMPARE(Shown(t.window->menuBar()->actions()[0]), QString());
        QCOMPARE(Shown(t.window->Action(MenuItem::Undo)), QString("Undo"));
        for (const ToolbarCommand command : kToolbarCommands) QCOMPARE(t.window->CommandAction(command)->toolTip(), QString());
        t.window->Action(MenuItem::About)->trigger();
        QVERIFY(t.dialogs.messages.back().rfind("Sternbilder v1.4\r\n\r\n", 0) == 0);
        // The toolbar's icons take the theme's text colour, drawn anew at each size.
        for (const QColor ink : {QColor(Qt::white), QColor(20, 20, 20)}) {
            QPalette palette = s.window->palette();
            palette.setColor(QPalette::Active, QPalette::WindowText, ink);
            palette.setColor(QPalette::Inactive, QPalette::WindowText, ink);
            palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 0, 0));
            s.window->setPalette(palette);
            for (const auto& [mode, expected] : {std::pair{QIcon::Normal, ink}, {QIcon::Disabled, QColor(128, 0, 0)}}) {
                // At twice the size it is drawn anew, not scaled: a pixel of the full ink in the dot field.
                const QImage image = s.window->CommandAction(ToolbarCommand::MoreStars)->icon().pixmap(QSize(32, 32), mode).toImage();
                QCOMPARE(image.size(), QSize(32, 32));
                bool found = false;
                for (int y = 0; y < 32; ++y)
                    for (int x = 0; x < 32; ++x)
                        found = found || (image.pixelColor(x, y).alpha() == 255 && image.pixelColor(x, y).rgb() == expected.rgb());
                QVERIFY(found);
            }
        }
    }

    void openShowsTheSkyOnBlackWithTheFigureLines() {
        Session s;
        QCOMPARE(s.window->Surface()->RedrawCount(), 0);  // nothing is drawn before a figure is open
        s.OpenEmpty();
        const std::vector<int> stars = s.VisibleStars(3);
        QVERIFY(stars.size() == 3);
        const std::string figure = s.folder.Write("figure.con", s.Figure(stars[0], stars[1]) + s.Figure(stars[1], stars[2]));
        s.Open(figure);
        QTRY_COMPARE(Title(s), QString::fromStdString("Orvanta [" + figure + "]"));
        for (const MenuItem item : {MenuItem::Save, MenuItem::SaveAs, MenuItem::View})
            QVERIFY(s.window->Action(item)->isEnabled());
        for (const ToolbarCommand command : kToolbarCommands)
            QCOMPARE(s.window->CommandAction(command)->isEnabled(), command != ToolbarCommand::ZoomOut);
        QVERIFY(s.window->StatusText().startsWith("Click on star by left mouse button"));
        QCOMPARE(s.Lines().LineCount(), size_t(2));

        const QImage shot = s.window->Surface()->grab().toImage();
        QCOMPARE(QColor(shot.pixel(3, shot.height() - 3)), QColor(Qt::black));
        // The figure's lines are grey between their stars, over the map picture (whose stars map_picture_test reads).
        const QPoint middle = (s.StarPixel(stars[0]) + s.StarPixel(stars[1])) / 2;
        bool grey = false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                grey = grey || shot.pixelColor((middle + QPoint(dx, dy)) * shot.devicePixelRatio()) == QColor(128, 128, 128);
        QVERIFY(grey);
        // On paper the sky is white and the stars dark; on the screen the picture is the window's own map.
        const QSize size = s.window->Surface()->size();
        QImage paper(size, QImage::Format_RGB32), screen(size, QImage::Format_RGB32);
        {
            QPainter painter(&paper);
            PaintMapPicture(painter, s.state, size, PictureColours::Print);
            QPainter other(&screen);
            PaintMapPicture(other, s.state, size, PictureColours::Screen);
        }
        QCOMPARE(paper.pixelColor(2, size.height() - 2), QColor(Qt::white));
        QCOMPARE(screen.pixelColor(2, size.height() - 2), QColor(Qt::black));
        const QPoint star = s.StarPixel(stars[0]);
        const QImage picture = s.window->Surface()->Picture();
        QVERIFY2(paper.pixelColor(star).lightness() < 100, qPrintable(paper.pixelColor(star).name()));
        QCOMPARE(screen.pixelColor(star), picture.pixelColor(star * picture.devicePixelRatio()));
    }

    // A chain of lines clicked with the mouse (a double click stores no line of
    // no length), taken back and redone with the keys and the menu, a line
    // selected with Shift and a click and deleted with Del; the map is never redrawn.
    void drawingWithTheMouseAndTheKeys() {
        Session s;
        s.OpenEmpty();
        QVERIFY(Activate(s));
        const std::vector<int> stars = s.VisibleStars(4);
        QWidget* map = s.window->Surface();
        const int redrawsBefore = s.window->Surface()->RedrawCount();
        for (int star : stars) {
            QTest::mouseMove(map, s.StarPixel(star));
            QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, s.StarPixel(star));
            if (star == stars[1]) QTest::mouseDClick(map, Qt::LeftButton, Qt::NoModifier, s.StarPixel(star));
        }
        QVERIFY(s.Lines().Drawing());
        QVERIFY(s.window->StatusText().startsWith("Click on star by left mouse button to create new line, use right"));
        QVERIFY(Title(s).endsWith("*]"));
        const auto key = [&](Qt::Key k, Qt::KeyboardModifiers modifiers) { QTest::keyClick(s.window.get(), k, modifiers); };
        key(Qt::Key_Z, Qt::ControlModifier);  // ends the drawing, then takes back the last line
        QVERIFY(!s.Lines().Drawing());
        QCOMPARE(s.Lines().LineCount(), size_t(2));
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.Lines().LineCount(), size_t(0));
        QCOMPARE(Title(s), QString::fromStdString("Orvanta [" + s.state.document.file + "]"));
        QVERIFY(!s.window->Action(MenuItem::Undo)->isEnabled());
        QVERIFY(s.window->Action(MenuItem::Redo)->isEnabled());
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        key(Qt::Key_Y, Qt::ControlModifier);
        s.window->Action(MenuItem::Redo)->trigger();
        QVERIFY(!s.window->Action(MenuItem::Redo)->isEnabled());
        QCOMPARE(s.Lines().LineCount(), size_t(3));
        // The redone line 2 is selected like one drawn by hand; Del deletes it at once.
        QTest::mouseClick(map, Qt::LeftButton, Qt::ShiftModifier, (s.StarPixel(stars[1]) + s.StarPixel(stars[2])) / 2);
        QCOMPARE(s.Lines().Selection(), std::optional<size_t>(1));
        QVERIFY(s.window->StatusText().startsWith("Selected line can be deleted only"));
        QVERIFY(s.window->Surface()->Marker(0)->isVisible());
        QTRY_VERIFY(s.window->Surface()->Marker(0)->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QVERIFY(!s.window->Surface()->Marker(0)->isVisible());
        // A right click ends a chain wherever it lands.
        QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, s.StarPixel(stars[0]));
        QTest::mouseClick(map, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(!s.Lines().Drawing());
        QCOMPARE(s.window->Surface()->RedrawCount(), redrawsBefore);
        s.window->Action(MenuItem::Save)->trigger();
        QCOMPARE(TempFolder::Read(s.state.document.file), s.Figure(stars[0], stars[1]) + s.Figure(stars[2], stars[3]));

        // The question before changes are lost takes only Yes or No: Escape and
        // closing its window leave it open, and the work with it; Yes saves.
        s.window->Action(MenuItem::Undo)->trigger();
        s.window->SetDialogResponder(nullptr);  // the real question
        bool stayedAfterEscape = false, stayedAfterClose = false, asked = false;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            asked = box != nullptr;
            if (!box) return;
            QTest::keyClick(box, Qt::Key_Escape);
            stayedAfterEscape = box->isVisible();
            box->close();
            stayedAfterClose = box->isVisible();
            for (QAbstractButton* button : box->findChildren<QAbstractButton*>())
                if (qobject_cast<QMessageBox*>(box)->buttonRole(button) == QMessageBox::YesRole) button->click();
        });
        QVERIFY(s.window->close());
        QVERIFY(asked && stayedAfterEscape && stayedAfterClose);
        QCOMPARE(TempFolder::Read(s.state.document.file),
                 s.Figure(stars[0], stars[1]) + s.Figure(stars[1], stars[2]) + s.Figure(stars[2], stars[3]));
    }

    // Editing repaints only where something changed; painting just that onto
    // the last picture must give what a full repaint gives, crossing lines intact.
    void partialRepaintsLeaveThePictureAsAFullRepaint() {
        Session s;
        s.OpenEmpty();
        const std::vector<int> stars = s.VisibleStars(12);
        std::string chords;
        for (size_t i = 0; i < stars.size(); ++i)
            for (size_t j = i + 1; j < stars.size(); j += 3) chords += s.Figure(stars[i], stars[j]);
        s.Open(s.folder.Write("chords.con", chords));
        const std::string differing = orvanta::testing::FirstPartialRepaintUnlikeFull(
            s.state, *s.window, [&](int k) { return QPointF(s.StarPixel(stars[k])); });
        QVERIFY2(differing.empty(), differing.c_str());
    }

    // The View menu's marks change the picture; the pointer read-out leaves it.
    void viewMenuAndPointer() {
        Session s;
        s.OpenEmpty();
        MapSurface* map = s.window->Surface();
        const QImage plain = map->Picture().copy();
        s.window->Action(MenuItem::Bounds)->trigger();
        QVERIFY(s.window->Action(MenuItem::Bounds)->isChecked());
        const QImage bounded = map->Picture().copy();
        QVERIFY(bounded != plain);
        s.window->Action(MenuItem::NamesEnglish)->trigger();
        QVERIFY(map->Picture() != bounded);
        QVERIFY(!s.window->Action(MenuItem::NamesEnglish)->isChecked());  // names items carry no mark
        s.window->Action(MenuItem::NamesNone)->trigger();
        s.window->Action(MenuItem::Bounds)->trigger();
        QCOMPARE(map->Picture(), plain);
        // Without star colours every star is white.
        const int star = s.VisibleStars(1)[0];
        s.window->Action(MenuItem::StarColours)->trigger();
        QVERIFY(!s.window->Action(MenuItem::StarColours)->isChecked());
        const QImage white = map->Picture();
        QCOMPARE(white.pixelColor(s.StarPixel(star) * white.devicePixelRatio()), QColor(Qt::white));
        // Pointing at a star tells which it is, by its names from the cross-index;
        // pointing at empty sky tells only where. Neither redraws the map.
        const int redraws = map->RedrawCount();
        const Star& bright = s.state.catalog.stars[star];
        QTest::mouseMove(map, s.StarPixel(star) + QPoint(1, 0));
        QTest::mouseMove(map, s.StarPixel(star));
        const QString overStar = s.window->PointerReadout();
        // The pixel's place is the star's within a pixel: the hour and the sign agree, the magnitude is the star's.
        const QString hour = QString("RA %1h").arg(bright.ra / 1000), sign = bright.dec < 0 ? "Dec -" : "Dec +";
        const QString magnitude = QString("mag %1").arg(double(bright.magnitude), 0, 'f', 2);
        QVERIFY2(overStar.startsWith(hour) && overStar.contains(sign) && overStar.endsWith(magnitude),
                 qPrintable(overStar + " / " + hour + " " + magnitude));
        QTest::mouseMove(map, s.StarPixel(int(*s.state.exchangeSky->identities.IndexOfHip(27989))));
        QVERIFY2(s.window->PointerReadout().contains("Betelgeuse"), qPrintable(s.window->PointerReadout()));
        QTest::mouseMove(map, QPoint(map->width() / 2, 3));  // the zenith: no bright star there
        const QString empty = s.window->PointerReadout();
        QVERIFY2(empty.contains("Alt 89.") && !empty.contains("mag"), qPrintable(empty));
        QCOMPARE(map->RedrawCount(), redraws);
    }

    void keysForTheCommandsAboutAndHelp() {
        Session s;
        s.OpenEmpty();
        QVERIFY(Activate(s));
        const Observer& observer = s.state.view.observer;
        const float longitude = observer.longitude, latitude = observer.latitude;
        const int zoom = s.state.view.zoom.unit;
        // Each key, and the longitude and latitude from the start and the star limit after it; plain
        // arrows and Backspace do nothing on the map.
        const std::tuple<Qt::Key, Qt::KeyboardModifiers, float, float, int> keys[] = {
            {Qt::Key_Left, {}, 0, 0, 40},  {Qt::Key_Right, {}, 0, 0, 40}, {Qt::Key_Up, {}, 0, 0, 40},
            {Qt::Key_Down, {}, 0, 0, 40},  {Qt::Key_Backspace, {}, 0, 0, 40},
            {Qt::Key_Right, Qt::ControlModifier, 30, 0, 40}, {Qt::Key_Down, Qt::ControlModifier, 30, 45, 40},
            {Qt::Key_Left, Qt::ControlModifier, 0, 45, 40},  {Qt::Key_Up, Qt::ControlModifier, 0, 0, 40},
            {Qt::Key_BracketRight, Qt::ControlModifier, 0, 0, 45}, {Qt::Key_BracketLeft, Qt::ControlModifier, 0, 0, 40}};
        for (const auto& [key, modifiers, east, south, tenths] : keys) {
            QTest::keyClick(s.window.get(), key, modifiers);
            QVERIFY2(observer.longitude == longitude + east && observer.latitude == latitude + south &&
                         s.state.starLimit.tenths == tenths && s.state.view.zoom.unit == zoom,
                     qPrintable(QKeySequence(key | modifiers).toString()));
        }
        for (const Qt::Key key : {Qt::Key_Plus, Qt::Key_Equal}) QTest::keyClick(s.window.get(), key, Qt::ControlModifier);
        QVERIFY(s.state.view.zoom.unit > zoom);
        for (int i = 0; i < 2; ++i) QTest::keyClick(s.window.get(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(s.state.view.zoom.unit, zoom);
        QTest::keyClick(s.window.get(), Qt::Key_F1);
        QCOMPARE(s.dialogs.url, s.folder.Dir() + "help.html");
        // The same commands stand in the View menu, with their keys.
        QVERIFY(s.window->Action(MenuItem::View)->menu()->actions().contains(s.window->CommandAction(ToolbarCommand::ZoomIn)));
        s.dialogs.url.clear();
        s.window->Action(MenuItem::OnlineHelp)->trigger();
        QCOMPARE(s.dialogs.url, s.folder.Dir() + "help.html");
        s.window->Action(MenuItem::About)->trigger();
        QVERIFY(s.dialogs.messages.back().rfind("Orvanta v1.4\r\n\r\n", 0) == 0);
    }

    // The hint gives way to the read-out at every width: neither runs under the
    // other. Restoring a minimised window is the resize it is: the zoom goes
    // back to its base. The size is remembered for the next run.
    void theWindowsSizeHintAndReadout() {
        {
            Session s;
            s.OpenEmpty();
            s.window->SetPointerReadout(std::string(120, '8'));
            for (const int width : {480, 800, 1024, 1600}) {
                s.window->resize(width, 600);
                QApplication::processEvents();
                const QRect hint = s.window->HintField()->geometry(), readout = s.window->ReadoutField()->geometry();
                QVERIFY2(!hint.intersects(readout), qPrintable(QString::number(width)));
                QVERIFY(s.window->statusBar()->rect().contains(readout));
                QVERIFY(hint.width() > 0 || width < 700);
                QVERIFY(readout.width() > 0);
            }
            const int base = s.state.view.zoom.unit;
            s.window->CommandAction(ToolbarCommand::ZoomIn)->trigger();
            s.window->setWindowState(Qt::WindowActive);  // a state change that is no restore keeps it
            QVERIFY(s.state.view.zoom.unit > base);
            s.window->showMinimized();
            s.window->showNormal();
            QCOMPARE(s.state.view.zoom.unit, base);
            s.window->resize(777, 555);
            QVERIFY(s.window->close());
        }
        Session second;
        second.window->RestoreSettings();
        QCOMPARE(second.window->size(), QSize(777, 555));
        QVERIFY(!second.state.lastFolder.empty());
    }

    // Every menu item has an underlined letter of its own among its neighbours,
    // chosen from the texts in use; so do translated texts.
    void mnemonicsFromTheTextsInUse() {
        for (const std::string& ini : {std::string(), TempFolder::Read(EXAMPLES_DIR "/orvanta.ini")}) {
            Session s(ini);
            const std::function<void(const QList<QAction*>&)> check = [&](const QList<QAction*>& actions) {
                QSet<int> used;
                for (QAction* action : actions) {
                    if (action->isSeparator() || action->text().isEmpty()) continue;
                    const int key = QKeySequence::mnemonic(action->text())[0].toCombined();
                    QVERIFY2(key != 0, qPrintable(action->text()));
                    QVERIFY2(!used.contains(key), qPrintable(action->text()));
                    used.insert(key);
                    if (action->menu()) check(action->menu()->actions());
                }
            };
            check(s.window->menuBar()->actions());
            if (!ini.empty()) QCOMPARE(s.window->Action(MenuItem::Open)->text(), QString("&Öffnen..."));
        }
        // Alt and the letter open the menu.
        Session s;
        QVERIFY(Activate(s));
        QTest::keyClick(s.window.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QCOMPARE(qobject_cast<QMenu*>(QApplication::activePopupWidget())->menuAction()->text(), QString("&Constellations"));
        QApplication::activePopupWidget()->close();
    }

    // Export writes what the user chose; Import brings it back as a new figure
    // with no file, one step of Undo away from an empty one. Open Recent.
    void exportImportAndRecentFiles() {
        Session s;
        std::filesystem::copy_file(EXAMPLES_DIR "/orion.con", s.folder.File("orion.con"));
        s.Open(s.folder.File("orion.con"));
        const std::vector<LineRecord> orion = s.Lines().Records();
        const std::string culture = s.folder.File("orion-culture"), picture = s.folder.File("orion.svg");
        s.dialogs.exportAnswers = {{culture, ExportChoice::StellariumFab}, {picture, ExportChoice::Svg}};
        s.window->Action(MenuItem::Export)->trigger();
        s.window->Action(MenuItem::Export)->trigger();
        QVERIFY(s.dialogs.messages.empty());
        QVERIFY(TempFolder::Read(culture + "/constellationship.fab").rfind("Ori ", 0) == 0);
        QVERIFY(TempFolder::Read(picture).find("<svg") != std::string::npos);

        s.dialogs.openAnswers.push_back(culture + "/constellationship.fab");
        s.window->Action(MenuItem::Import)->trigger();
        QVERIFY(s.dialogs.messages.empty());
        QCOMPARE(Title(s), QString("Orvanta [Untitled*]"));
        const auto asPairs = [](std::vector<LineRecord> lines) {
            std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> pairs;
            for (const LineRecord& l : lines)
                pairs.insert(std::minmax(std::pair(int(l.ra1), int(l.dec1)), std::pair(int(l.ra2), int(l.dec2))));
            return pairs;
        };
        QVERIFY(asPairs(s.Lines().Records()) == asPairs(orion));
        s.window->Action(MenuItem::Undo)->trigger();
        QCOMPARE(s.Lines().LineCount(), size_t(0));
        // Save of a figure without a file asks where, as Save As does.
        s.window->Action(MenuItem::Redo)->trigger();
        s.dialogs.saveAnswers.push_back(s.folder.File("imported.con"));
        s.window->Action(MenuItem::Save)->trigger();
        QCOMPARE(s.state.document.file, s.folder.File("imported.con"));
        QVERIFY(!s.state.document.Changed());
        // A file that yields no lines changes nothing and says why.
        s.dialogs.openAnswers.push_back(s.folder.Write("none.json", "{\"constellations\": []}"));
        s.window->Action(MenuItem::Import)->trigger();
        QCOMPARE(s.dialogs.messages.size(), size_t(1));
        QVERIFY(s.dialogs.messages.back().find("none.json") != std::string::npos);
        QCOMPARE(s.state.document.file, s.folder.File("imported.con"));

        // A folder of other things is written into only after a Yes, and then only the culture's files go in.
        const std::string photos = s.folder.File("photos");
        std::filesystem::create_directories(photos);
        s.folder.Write("photos/sky.jpg", "mine");
        s.dialogs.exportAnswers = {{photos, ExportChoice::StellariumFab}, {photos, ExportChoice::StellariumFab}};
        s.dialogs.yesNoAnswers = {false, true};
        s.window->Action(MenuItem::Export)->trigger();
        QVERIFY(!std::filesystem::exists(photos + "/constellationship.fab"));
        s.window->Action(MenuItem::Export)->trigger();
        QVERIFY(std::filesystem::exists(photos + "/constellationship.fab"));
        QCOMPARE(TempFolder::Read(photos + "/sky.jpg"), std::string("mine"));
        QCOMPARE(s.dialogs.questions.size(), size_t(2));
        QVERIFY(s.dialogs.questions[0].find("sky.jpg") != std::string::npos);
        // Open Recent remembers eight files and drops one that is gone.
        std::vector<std::string> paths;
        for (int i = 0; i < 9; ++i) {
            paths.push_back(s.folder.Write("f" + std::to_string(i) + ".con", ""));
            s.Open(paths.back());
        }
        QMenu* recent = s.window->RecentFilesMenu();
        QCOMPARE(recent->actions().size(), 8);
        QVERIFY(recent->actions()[0]->text().endsWith("f8.con"));
        std::filesystem::remove(paths[7]);
        const size_t told = s.dialogs.messages.size();
        recent->actions()[1]->trigger();  // f7.con, gone
        QCOMPARE(s.dialogs.messages.size(), told + 1);
        QCOMPARE(recent->actions().size(), 7);
        recent->actions()[1]->trigger();  // now f6.con
        QCOMPARE(s.state.document.file, paths[6]);
        QVERIFY(recent->actions()[0]->text().endsWith("f6.con"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
