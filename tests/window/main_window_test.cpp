// The real main window, offscreen, driven with real mouse and key events.
#include <QAbstractButton>
#include <QAction>
#include <QStatusBar>
#include <QPalette>
#include <QSet>
#include <functional>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QScreen>
#include <QWindow>
#include <deque>
#include <set>
#include <filesystem>
#include <fstream>

#include "commands/document_commands.h"
#include "commands/map_editing.h"
#include "commands/startup.h"
#include "commands/toolbar_commands.h"
#include "map/layers.h"
#include "platform/main_window.h"
#include "platform/status_field.h"
#include "platform/map_picture.h"
#include "sky/projection.h"
#include "support/scripted_window.h"
#include "support/partial_repaints.h"
#include "support/temp_folder.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

namespace {

const LocalDateTime kViewTime{2026, 12, 5, 22, 0};

class ScriptedDialogs : public DialogResponder {
public:
    std::deque<std::string> openAnswers, saveAnswers;
    std::deque<bool> yesNoAnswers;
    std::vector<std::string> messages, questions;
    std::string url;

    void Message(const std::string& text, const std::string&, MessageIcon) override { messages.push_back(text); }
    bool YesNo(const std::string& text, const std::string&) override {
        questions.push_back(text);
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    std::string OpenFileName(const FileDialogRequest&) override { return orvanta::testing::TakeAnswer(openAnswers); }
    std::string SaveFileName(const FileDialogRequest&) override { return orvanta::testing::TakeAnswer(saveAnswers); }
    void OpenUrl(const std::string& address) override { url = address; }
    std::deque<ExportTarget> exportAnswers;
    ExportTarget ExportTargetFor(const ExportRequest&) override {
        if (exportAnswers.empty()) return {};
        const ExportTarget answer = exportAnswers.front();
        exportAnswers.pop_front();
        return answer;
    }
};

void CopyFile(const std::string& from, const std::string& to) { std::filesystem::copy_file(from, to); }

// A program folder with the shipped data, as the build lays it out.
void CopyData(const TempFolder& folder, bool withCatalogue = true) {
    for (const char* name : {"cons.txt", "bounds.txt", "yale.dat", "star_ids.txt", "cons_bands.txt", "hipparcos.dat", "iau_edges.txt"}) {
        if (!withCatalogue && std::string(name) == "yale.dat") continue;
        std::filesystem::copy_file(std::string(ORVANTA_DATA_DIR) + "/" + name, folder.File(name));
    }
}

// A menu text as the user reads it: without the mnemonic's marker.
QString Shown(const QAction* action) {
    QString text = action->text();
    return text.replace("&&", "\x01").remove('&').replace('\x01', '&');
}

QPoint PixelOf(const ScreenPoint& p) {
    return QPoint(static_cast<int>(std::lround(p.x / 15.0)), static_cast<int>(std::lround(p.y / 15.0)));
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    struct Session {
        TempFolder folder;
        ProgramState state;
        ScriptedDialogs dialogs;
        std::unique_ptr<MainWindow> window;
        bool loaded = false;

        explicit Session(const std::string& ini = "", bool withCatalogue = true) {
            CopyData(folder, withCatalogue);
            if (!ini.empty()) folder.Write("orvanta.ini", ini);
            PrepareProgram(state, folder.Dir(), kViewTime, "");
            window = std::make_unique<MainWindow>(state);
            window->SetDialogResponder(&dialogs);
            loaded = window->Load(kViewTime);
            if (loaded) {
                window->resize(900, 700);
                window->show();
                QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            }
        }

        void Open(const std::string& path) {
            dialogs.openAnswers.push_back(path);
            window->Action(MenuItem::Open)->trigger();
        }

        // The bright stars that lie well inside the map, brightest first.
        std::vector<int> VisibleStars(int wanted) {
            std::vector<int> found;
            const QSize size = window->Surface()->size();
            const std::vector<Star>& stars = state.catalog.stars;
            for (int i = 0; i < static_cast<int>(stars.size()) && static_cast<int>(found.size()) < wanted; ++i) {
                const auto p = ProjectCatalogueUnits(state.view, stars[i].ra, stars[i].dec);
                if (!p) continue;
                const QPoint at = PixelOf(*p);
                if (at.x() > 20 && at.y() > 20 && at.x() < size.width() - 20 && at.y() < size.height() - 20)
                    found.push_back(i);
            }
            return found;
        }

        QPoint StarPixel(int index) {
            const Star& star = state.catalog.stars[index];
            return PixelOf(*ProjectCatalogueUnits(state.view, star.ra, star.dec));
        }

        std::string Figure(int starA, int starB) {
            const Star& a = state.catalog.stars[starA];
            const Star& b = state.catalog.stars[starB];
            return std::to_string(a.ra) + "," + std::to_string(a.dec) + "," + std::to_string(b.ra) + "," +
                   std::to_string(b.dec) + "\r\n";
        }

        const orvanta::Figure& Lines() const { return state.document.figure; }
    };

    static QString ResolvedTitle(QWidget* w) { return w->windowHandle() ? w->windowHandle()->title() : QString(); }

    TempFolder settingsFolder;

private slots:
    // Window settings written by closes go to a folder of the test's own, never the user's.
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settingsFolder.Dir()));
    }

    void captionsMenusAndTooltipsWithoutTranslation() {
        Session s;
        QVERIFY(s.loaded);
        QCOMPARE(ResolvedTitle(s.window.get()), QString("Orvanta"));
        QCOMPARE(Shown(s.window->Action(MenuItem::Open)), QString("Open..."));
        QCOMPARE(Shown(s.window->Action(MenuItem::Exit)), QString("Exit"));
        QCOMPARE(s.window->Action(MenuItem::Exit)->shortcut(), QKeySequence("Ctrl+Q"));
        QCOMPARE(Shown(s.window->Action(MenuItem::NamesEnglish)), QString("English"));
        QCOMPARE(Shown(s.window->Action(MenuItem::About)), QString("About..."));
        QCOMPARE(Shown(s.window->Action(MenuItem::View)), QString("View"));
        const QList<QAction*> bar = s.window->menuBar()->actions();
        QCOMPARE(bar.size(), 4);
        QCOMPARE(Shown(bar[0]), QString("Constellations"));
        QCOMPARE(Shown(bar[1]), QString("Edit"));  // between Constellations and View
        QCOMPARE(Shown(bar[2]), QString("View"));
        QCOMPARE(Shown(bar[3]), QString("Help"));
        QCOMPARE(s.window->Action(MenuItem::Undo)->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(s.window->Action(MenuItem::Redo)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
        QVERIFY(!s.window->Action(MenuItem::Undo)->isEnabled());
        QVERIFY(!s.window->Action(MenuItem::Redo)->isEnabled());
        // Each tooltip names the command's key; separators part the three groups.
        const QStringList tips = {"Move Left (Ctrl+Left)", "Move Up (Ctrl+Up)", "Move Down (Ctrl+Down)",
                                  "Move Right (Ctrl+Right)", "", "More stars (Ctrl+])", "Fewer stars (Ctrl+[)", "",
                                  "Zoom + (Ctrl++)", "Zoom - (Ctrl+-)"};
        const QList<QAction*> buttons = s.window->Toolbar()->actions();
        QCOMPARE(buttons.size(), tips.size());
        for (qsizetype i = 0; i < tips.size(); ++i) {
            QCOMPARE(buttons[i]->isSeparator(), tips[i].isEmpty());
            if (!tips[i].isEmpty()) QCOMPARE(buttons[i]->toolTip(), tips[i]);
        }
        // Nothing to save or view before a figure is open.
        QVERIFY(!s.window->Action(MenuItem::Save)->isEnabled());
        QVERIFY(!s.window->Action(MenuItem::View)->isEnabled());
        QVERIFY(s.window->Action(MenuItem::StarColours)->isChecked());
        QVERIFY(!s.window->Action(MenuItem::Bounds)->isChecked());
    }

    void translationThatSetsOnlyTheOpenItem() {
        Session s("[GUI_Strings]\r\n112 = \"Datei oeffnen...\"\r\n");
        QVERIFY(s.loaded);
        QCOMPARE(Shown(s.window->Action(MenuItem::Open)), QString("Datei oeffnen..."));
        QCOMPARE(Shown(s.window->Action(MenuItem::Save)), QString());
        QCOMPARE(Shown(s.window->menuBar()->actions()[0]), QString());
        QCOMPARE(QString::fromStdString(s.window->Caption()), QString());
        QCOMPARE(Shown(s.window->Action(MenuItem::Undo)), QString("Undo"));  // our own keys keep their English
        for (const ToolbarCommand command : kToolbarCommands) QCOMPARE(s.window->CommandAction(command)->toolTip(), QString());
    }

    void missingCatalogueEndsBeforeTheWindowShows() {
        Session s("", false);
        QVERIFY(!s.loaded);
        QVERIFY(!s.window->isVisible());
        QCOMPARE(s.dialogs.messages.size(), size_t(1));
        QVERIFY(s.dialogs.messages[0].rfind("Loading Data Error. Check Destination of Application.", 0) == 0);
    }

    void openShowsTheSkyOnBlackWithTheFigureLines() {
        Session s;
        QCOMPARE(s.window->Surface()->RedrawCount(), 0);  // nothing is drawn before a figure is open
        s.Open(s.folder.Write("empty.con", ""));
        const std::vector<int> stars = s.VisibleStars(3);
        QVERIFY(stars.size() == 3);
        const std::string figure = s.folder.Write("figure.con", s.Figure(stars[0], stars[1]) + s.Figure(stars[1], stars[2]));
        s.Open(figure);
        QTRY_COMPARE(ResolvedTitle(s.window.get()), QString::fromStdString("Orvanta [" + figure + "]"));
        QVERIFY(s.window->Action(MenuItem::Save)->isEnabled());
        QVERIFY(s.window->Action(MenuItem::SaveAs)->isEnabled());
        QVERIFY(s.window->Action(MenuItem::View)->isEnabled());
        for (const ToolbarCommand command : kToolbarCommands)
            QCOMPARE(s.window->CommandAction(command)->isEnabled(), command != ToolbarCommand::ZoomOut);
        QVERIFY(s.window->StatusText().startsWith("Click on star by left mouse button"));
        QCOMPARE(s.Lines().LineCount(), size_t(2));

        const QImage shot = s.window->Surface()->grab().toImage();
        QCOMPARE(QColor(shot.pixel(3, shot.height() - 3)), QColor(Qt::black));
        // Each bright star is a disc of its catalogue colour at its projected place; the
        // figure's lines lie over the map picture, so the stars are read from the picture.
        const QImage picture = s.window->Surface()->Picture();
        for (int star : stars) {
            const QColor expected = ToQColor(s.state.catalog.stars[star].colour);
            const QColor seen = picture.pixelColor(s.StarPixel(star) * picture.devicePixelRatio());
            QVERIFY2(std::abs(seen.red() - expected.red()) < 40 && std::abs(seen.blue() - expected.blue()) < 40,
                     qPrintable(seen.name() + " vs " + expected.name()));
        }
        // The figure's lines are grey between their stars.
        const QPoint a = s.StarPixel(stars[0]), b = s.StarPixel(stars[1]);
        const QPoint middle = (a + b) / 2;
        bool grey = false;
        for (int dx = -1; dx <= 1 && !grey; ++dx)
            for (int dy = -1; dy <= 1 && !grey; ++dy)
                grey = shot.pixelColor((middle + QPoint(dx, dy)) * shot.devicePixelRatio()) == QColor(128, 128, 128);
        QVERIFY(grey);
    }

    void captionShowsItsBracketsLiterally() {
        Session s;
        s.window->SetCaption("Orvanta [*]");
        QCOMPARE(ResolvedTitle(s.window.get()), QString("Orvanta [*]"));
        QCOMPARE(s.window->Caption(), std::string("Orvanta [*]"));
    }

    void malformedFigureKeepsThePreviousOne() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        const std::vector<int> stars = s.VisibleStars(2);
        const std::string good = s.folder.Write("good.con", s.Figure(stars[0], stars[1]));
        const std::string bad = s.folder.Write("bad.con", "1,2,3,4\r\n5,6,x,8\r\n");
        s.Open(good);
        s.Open(bad);
        QCOMPARE(s.dialogs.messages.size(), size_t(1));
        QVERIFY(s.dialogs.messages[0].find(bad) != std::string::npos);
        QVERIFY(s.dialogs.messages[0].find("line 2") != std::string::npos);
        QCOMPARE(s.state.document.file, good);
        QCOMPARE(s.Lines().LineCount(), size_t(1));
        QCOMPARE(ResolvedTitle(s.window.get()), QString::fromStdString("Orvanta [" + good + "]"));
    }

    void chainCancelSelectDeleteWithRealEvents() {
        Session s;
        const std::string path = s.folder.Write("empty.con", "");
        s.Open(path);
        const std::vector<int> stars = s.VisibleStars(4);
        QWidget* map = s.window->Surface();
        const int redrawsBefore = s.window->Surface()->RedrawCount();
        for (int star : stars) {
            QTest::mouseMove(map, s.StarPixel(star));
            QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, s.StarPixel(star));
        }
        QCOMPARE(s.window->Surface()->RedrawCount(), redrawsBefore);  // editing never redraws the map
        QVERIFY(s.window->StatusText().startsWith("Click on star by left mouse button to create new line, use right"));
        QTest::mouseClick(map, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(s.Lines().LineCount(), size_t(3));
        QVERIFY(!s.Lines().Drawing());
        for (size_t k = 0; k < 3; ++k) {
            const LineRecord r = s.Lines().Record(k);
            QCOMPARE(int(r.ra1), s.state.catalog.stars[stars[k]].ra);
            QCOMPARE(int(r.dec2), s.state.catalog.stars[stars[k + 1]].dec);
        }
        QVERIFY(ResolvedTitle(s.window.get()).endsWith("*]"));

        // Shift and a click on the middle of line 2 selects it; Del deletes it at once.
        const QPoint middle = (s.StarPixel(stars[1]) + s.StarPixel(stars[2])) / 2;
        QTest::mouseClick(map, Qt::LeftButton, Qt::ShiftModifier, middle);
        QCOMPARE(s.Lines().Selection(), std::optional<size_t>(1));
        QVERIFY(s.window->StatusText().startsWith("Selected line can be deleted only"));
        QVERIFY(s.window->Surface()->Marker(0)->isVisible());
        QTRY_VERIFY(s.window->Surface()->Marker(0)->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(s.Lines().LineCount(), size_t(2));
        QCOMPARE(s.Lines().Record(1).ra1, int16_t(s.state.catalog.stars[stars[2]].ra));
        QVERIFY(!s.window->Surface()->Marker(0)->isVisible());
    }

    // Editing repaints only where something changed; painting just that onto
    // the last picture must give what a full repaint gives, crossing lines intact.
    void partialRepaintsLeaveThePictureAsAFullRepaint() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        const std::vector<int> stars = s.VisibleStars(12);
        std::string chords;
        for (size_t i = 0; i < stars.size(); ++i)
            for (size_t j = i + 1; j < stars.size(); j += 3) chords += s.Figure(stars[i], stars[j]);
        s.Open(s.folder.Write("chords.con", chords));
        const std::string differing = orvanta::testing::FirstPartialRepaintUnlikeFull(
            s.state, *s.window, [&](int k) { return QPointF(s.StarPixel(stars[k])); });
        QVERIFY2(differing.empty(), differing.c_str());
    }

    void viewMenuAndStarLimitChangeThePicture() {
        Session s("", true);
        s.Open(s.folder.Write("empty.con", ""));
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

        // More stars down to 5.5, then Fewer stars up to 3.0, each button stopping at its end.
        QAction* more = s.window->CommandAction(ToolbarCommand::MoreStars);
        QAction* fewer = s.window->CommandAction(ToolbarCommand::FewerStars);
        const size_t atFour = s.state.catalog.stars.size();
        const int redraws = map->RedrawCount();
        more->trigger();
        more->trigger();
        QVERIFY(more->isEnabled());
        more->trigger();
        QCOMPARE(int(s.state.starLimit.tenths), 55);
        QVERIFY(!more->isEnabled());
        QVERIFY(s.state.catalog.stars.size() > atFour);
        QCOMPARE(map->RedrawCount(), redraws + 3);  // each drew only its new stars over the picture
        for (int i = 0; i < 5; ++i) fewer->trigger();
        QCOMPARE(int(s.state.starLimit.tenths), 30);
        QVERIFY(!fewer->isEnabled());
        QVERIFY(more->isEnabled());
        const std::vector<Star>& left = s.state.catalog.stars;
        QVERIFY(left[left.size() - 2].magnitude < 3.0f);
    }

    void aboutAndHelp() {
        Session plain;
        plain.window->Action(MenuItem::About)->trigger();
        QVERIFY(plain.dialogs.messages.back().rfind("Orvanta v1.4\r\n\r\n", 0) == 0);
        plain.window->Action(MenuItem::OnlineHelp)->trigger();
        QCOMPARE(plain.dialogs.url, plain.folder.Dir() + "help.html");
        Session translated("[GUI_Strings]\r\n100=Sternbilder\r\n");
        translated.window->Action(MenuItem::About)->trigger();
        QVERIFY(translated.dialogs.messages.back().rfind("Sternbilder v1.4\r\n\r\n", 0) == 0);
    }

    // The hint gives way to the read-out at every width: neither runs under the other.
    void hintAndReadoutEachKeepTheirOwnRoom() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
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
    }

    // Restoring a minimised window is the resize it is: the zoom goes back to its base.
    void restoringFromMinimisedResetsTheZoom() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        const int base = s.state.view.zoom.unit;
        s.window->CommandAction(ToolbarCommand::ZoomIn)->trigger();
        s.window->setWindowState(Qt::WindowActive);  // a state change that is no restore keeps it
        QVERIFY(s.state.view.zoom.unit > base);
        s.window->showMinimized();
        s.window->showNormal();
        QCOMPARE(s.state.view.zoom.unit, base);
    }

    void zoomButtonsStopAtTheirLimits() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        const int base = s.state.view.zoom.unit;
        QCOMPARE(base, static_cast<int>(std::nearbyint(s.window->ScreenHeightPixels() * 15 / 225.0)));
        QAction* zoomIn = s.window->CommandAction(ToolbarCommand::ZoomIn);
        QAction* zoomOut = s.window->CommandAction(ToolbarCommand::ZoomOut);
        for (int i = 0; i < 4; ++i) zoomIn->trigger();
        QCOMPARE(s.state.view.zoom.unit, 5 * base);
        QVERIFY(!zoomIn->isEnabled());
        QVERIFY(zoomOut->isEnabled());
        for (int i = 0; i < 4; ++i) zoomOut->trigger();
        QCOMPARE(s.state.view.zoom.unit, base);
        QVERIFY(!zoomOut->isEnabled());
        QVERIFY(zoomIn->isEnabled());
    }

    void undoAndRedoWithTheKeysAndTheMenu() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        const std::string path = s.state.document.file;
        const std::vector<int> stars = s.VisibleStars(3);
        QWidget* map = s.window->Surface();
        QApplication::setActiveWindow(s.window.get());
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        for (int star : stars) QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, s.StarPixel(star));
        QVERIFY(s.Lines().Drawing());
        QVERIFY(s.window->Action(MenuItem::Undo)->isEnabled());
        const auto key = [&](Qt::KeyboardModifiers modifiers) { QTest::keyClick(s.window.get(), Qt::Key_Z, modifiers); };
        key(Qt::ControlModifier);  // ends the drawing, then takes back the second line
        QVERIFY(!s.Lines().Drawing());
        QCOMPARE(s.Lines().LineCount(), size_t(1));
        QCOMPARE(ResolvedTitle(s.window.get()), QString::fromStdString("Orvanta [" + path + "*]"));
        key(Qt::ControlModifier);
        QCOMPARE(s.Lines().LineCount(), size_t(0));
        QCOMPARE(ResolvedTitle(s.window.get()), QString::fromStdString("Orvanta [" + path + "]"));
        QVERIFY(!s.window->Action(MenuItem::Undo)->isEnabled());
        QVERIFY(s.window->Action(MenuItem::Redo)->isEnabled());
        key(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(s.window.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(s.Lines().LineCount(), size_t(2));
        QVERIFY(!s.window->Action(MenuItem::Redo)->isEnabled());
        s.window->Action(MenuItem::Undo)->trigger();
        QCOMPARE(s.Lines().LineCount(), size_t(1));
        // The redone line is selectable like one drawn by hand.
        s.window->Action(MenuItem::Redo)->trigger();
        QTest::mouseClick(map, Qt::LeftButton, Qt::ShiftModifier, (s.StarPixel(stars[1]) + s.StarPixel(stars[2])) / 2);
        QCOMPARE(s.Lines().Selection(), std::optional<size_t>(1));
    }

    void aDoubleClickOnAStarStoresNoLineOfNoLength() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        const std::vector<int> stars = s.VisibleStars(2);
        QWidget* map = s.window->Surface();
        QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, s.StarPixel(stars[0]));
        QTest::mouseDClick(map, Qt::LeftButton, Qt::NoModifier, s.StarPixel(stars[1]));
        QTest::mouseClick(map, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        s.window->Action(MenuItem::Save)->trigger();
        QCOMPARE(TempFolder::Read(s.state.document.file), s.Figure(stars[0], stars[1]));
    }

    // The question before changes are lost takes only Yes or No: Escape and
    // closing its window leave it open, and the work with it.
    void escapeDoesNotAnswerTheSaveQuestion() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        const std::vector<int> stars = s.VisibleStars(2);
        for (int star : stars) QTest::mouseClick(s.window->Surface(), Qt::LeftButton, Qt::NoModifier, s.StarPixel(star));
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
        QCOMPARE(TempFolder::Read(s.state.document.file), s.Figure(stars[0], stars[1]));  // Yes saved it
    }

    void theWindowsSizeIsRememberedBetweenRuns() {
        {
            Session first;
            first.window->resize(777, 555);
            first.state.lastFolder = first.folder.Dir();
            QVERIFY(first.window->close());
        }
        Session second;
        second.window->RestoreSettings();
        QCOMPARE(second.window->size(), QSize(777, 555));
        QVERIFY(!second.state.lastFolder.empty());
    }

    // Every menu item has an underlined letter of its own among its neighbours,
    // chosen from the texts in use; so do translated texts.
    void mnemonicsFromTheTextsInUse() {
        for (const std::string& ini : {std::string(), std::string(EXAMPLES_DIR "/orvanta.ini")}) {
            Session s(ini.empty() ? "" : TempFolder::Read(ini));
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
        }
        Session german(TempFolder::Read(EXAMPLES_DIR "/orvanta.ini"));
        QCOMPARE(german.window->Action(MenuItem::Open)->text(), QString("&Öffnen..."));
        // Alt and the letter open the menu.
        Session s;
        QApplication::setActiveWindow(s.window.get());
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        QTest::keyClick(s.window.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QCOMPARE(qobject_cast<QMenu*>(QApplication::activePopupWidget())->menuAction()->text(), QString("&Constellations"));
        QApplication::activePopupWidget()->close();
    }

    void keysForTheToolbarCommandsAndHelp() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        QApplication::setActiveWindow(s.window.get());
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        const ViewState start = s.state.view;
        const auto key = [&](int qtKey, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
            QTest::keyClick(s.window.get(), Qt::Key(qtKey), modifiers);
        };
        // Plain arrows and Backspace do nothing on the map.
        for (int plain : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Backspace}) key(plain, {});
        QCOMPARE(s.state.view.observer.longitude, start.observer.longitude);
        QCOMPARE(s.state.view.observer.latitude, start.observer.latitude);
        key(Qt::Key_Right);
        QCOMPARE(s.state.view.observer.longitude, start.observer.longitude + 30);
        key(Qt::Key_Left);
        key(Qt::Key_Down);
        QCOMPARE(s.state.view.observer.latitude, start.observer.latitude + 45);
        key(Qt::Key_Up);
        QCOMPARE(s.state.view.observer.longitude, start.observer.longitude);
        QCOMPARE(s.state.view.observer.latitude, start.observer.latitude);
        key(Qt::Key_Plus);
        key(Qt::Key_Equal);
        QVERIFY(s.state.view.zoom.unit > start.zoom.unit);
        key(Qt::Key_Minus);
        key(Qt::Key_Minus);
        QCOMPARE(s.state.view.zoom.unit, start.zoom.unit);
        key(Qt::Key_BracketRight);
        QCOMPARE(int(s.state.starLimit.tenths), 45);
        key(Qt::Key_BracketLeft);
        QCOMPARE(int(s.state.starLimit.tenths), 40);
        key(Qt::Key_F1, {});
        QCOMPARE(s.dialogs.url, s.folder.Dir() + "help.html");
        // The same commands stand in the View menu, with their keys.
        QVERIFY(s.window->Action(MenuItem::View)->menu()->actions().contains(s.window->CommandAction(ToolbarCommand::ZoomIn)));
    }

    // Pointing at a star tells which it is; pointing at empty sky tells only where.
    // Neither redraws the map.
    void pointerReadout() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        QWidget* map = s.window->Surface();
        const int redraws = s.window->Surface()->RedrawCount();
        const int star = s.VisibleStars(1)[0];
        const Star& bright = s.state.catalog.stars[star];
        QTest::mouseMove(map, s.StarPixel(star) + QPoint(1, 0));
        QTest::mouseMove(map, s.StarPixel(star));
        const QString overStar = s.window->PointerReadout();
        // The pixel's place is the star's within a pixel: the hour and the sign agree, the magnitude is the star's.
        const QString hour = QString("RA %1h").arg(bright.ra / 1000), sign = bright.dec < 0 ? "Dec -" : "Dec +";
        const QString magnitude = QString("mag %1").arg(double(bright.magnitude), 0, 'f', 2);
        QVERIFY2(overStar.startsWith(hour) && overStar.contains(sign) && overStar.endsWith(magnitude),
                 qPrintable(overStar + " / " + hour + " " + magnitude));
        // Betelgeuse by its names from the cross-index.
        QVERIFY(s.state.exchangeSky);
        const auto betelgeuse = s.state.exchangeSky->identities.IndexOfHip(27989);
        QVERIFY(betelgeuse && *betelgeuse < s.state.catalog.stars.size());
        QTest::mouseMove(map, s.StarPixel(int(*betelgeuse)));
        const QString named = s.window->PointerReadout();
        QVERIFY2(named.contains("Betelgeuse") && named.contains("\u03b1 Ori") && named.contains("58 Ori") &&
                     named.contains("HIP 27989"),
                 qPrintable(named));
        QTest::mouseMove(map, QPoint(map->width() / 2, 3));  // the zenith: no bright star there
        const QString empty = s.window->PointerReadout();
        QVERIFY2(empty.contains("Alt 89.") && !empty.contains("mag"), qPrintable(empty));
        QCOMPARE(s.window->Surface()->RedrawCount(), redraws);
    }

    void openRecentRemembersEightAndDropsAFileThatIsGone() {
        Session s;
        std::vector<std::string> paths;
        for (int i = 0; i < 9; ++i) {
            paths.push_back(s.folder.Write("f" + std::to_string(i) + ".con", ""));
            s.Open(paths.back());
        }
        QMenu* recent = s.window->RecentFilesMenu();
        QCOMPARE(recent->actions().size(), 8);
        QVERIFY(recent->actions()[0]->text().endsWith("f8.con"));
        std::filesystem::remove(paths[7]);
        recent->actions()[1]->trigger();  // f7.con, gone
        QCOMPARE(s.dialogs.messages.size(), size_t(1));
        QCOMPARE(recent->actions().size(), 7);
        recent->actions()[1]->trigger();  // now f6.con
        QCOMPARE(s.state.document.file, paths[6]);
        QVERIFY(recent->actions()[0]->text().endsWith("f6.con"));
    }

    void toolbarIconsTakeTheThemesTextColour() {
        Session s;
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
                for (int y = 0; y < 32 && !found; ++y)
                    for (int x = 0; x < 32 && !found; ++x)
                        found = image.pixelColor(x, y).alpha() == 255 && image.pixelColor(x, y).rgb() == expected.rgb();
                QVERIFY(found);
            }
        }
    }

    // Export writes what the user chose; Import brings it back as a new figure
    // with no file, one step of Undo away from an empty one.
    void exportAndImportThroughTheMenu() {
        Session s;
        CopyFile(EXAMPLES_DIR "/orion.con", s.folder.File("orion.con"));
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
        QCOMPARE(ResolvedTitle(s.window.get()), QString("Orvanta [Untitled*]"));
        const auto asPairs = [](std::vector<LineRecord> lines) {
            std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> pairs;
            for (const LineRecord& l : lines) {
                const auto a = std::pair(int(l.ra1), int(l.dec1)), b = std::pair(int(l.ra2), int(l.dec2));
                pairs.insert(a < b ? std::pair(a, b) : std::pair(b, a));
            }
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

        // A file that is no sky culture changes nothing and says why.
        s.dialogs.openAnswers.push_back(s.folder.Write("bad.json", "{\"type\": \"FeatureCollection\", \"features\": [1"));
        s.window->Action(MenuItem::Import)->trigger();
        QCOMPARE(s.dialogs.messages.size(), size_t(1));
        QVERIFY(s.dialogs.messages[0].find("bad.json") != std::string::npos);
        QCOMPARE(s.state.document.file, s.folder.File("imported.con"));
        // Nor does one that yields no lines.
        s.dialogs.openAnswers.push_back(s.folder.Write("none.json", "{\"constellations\": []}"));
        s.window->Action(MenuItem::Import)->trigger();
        QCOMPARE(s.dialogs.messages.size(), size_t(2));
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
    }

    // On paper the sky is white and the stars and lines are dark.
    void printColoursAreDarkOnWhite() {
        Session s;
        CopyFile(EXAMPLES_DIR "/orion.con", s.folder.File("orion.con"));
        s.Open(s.folder.File("orion.con"));
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
        const int star = s.VisibleStars(1)[0];
        const QColor onPaper = paper.pixelColor(s.StarPixel(star)), onScreen = screen.pixelColor(s.StarPixel(star));
        QVERIFY2(onPaper.lightness() < 100 && onScreen.lightness() > 150,
                 qPrintable(onPaper.name() + " " + onScreen.name()));
        // The picture as shown is the window's own map.
        QCOMPARE(screen.pixelColor(s.StarPixel(star)), s.window->Surface()->Picture().pixelColor(s.StarPixel(star)));
    }

    void closingAChangedFigureAsksAndSaves() {
        Session s;
        s.Open(s.folder.Write("empty.con", ""));
        const std::vector<int> stars = s.VisibleStars(2);
        const std::string path = s.folder.Write("figure.con", s.Figure(stars[0], stars[1]));
        s.Open(path);
        QTest::mouseClick(s.window->Surface(), Qt::LeftButton, Qt::ShiftModifier,
                          (s.StarPixel(stars[0]) + s.StarPixel(stars[1])) / 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        s.dialogs.yesNoAnswers = {true};
        QVERIFY(s.window->close());
        QCOMPARE(s.dialogs.questions.size(), size_t(1));
        QCOMPARE(TempFolder::Read(path), std::string());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
