// Timings of the interactions a user feels: the map redraw, the rubber band,
// the star pick, and Open, Save and Del of the largest figure. The real
// catalogue and the real window (offscreen) are used throughout.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/startup.h"
#include "documents/document_commands.h"
#include "figure/keyboard_commands.h"
#include "figure/mouse_editing.h"
#include "map/redraw.h"
#include "platform/frm_constel.h"
#include "platform/system_clock.h"
#include "ui/menu_commands.h"

using namespace orvanta;

namespace {

const LocalDateTime kViewTime{2026, 12, 5, 22, 0};

class FixedAnswers final : public DialogResponder {
public:
    std::string openPath;
    void Message(const std::string&, const std::string&, MessageIcon) override {}
    bool YesNo(const std::string&, const std::string&) override { return false; }
    std::string OpenFileName(const FileDialogRequest&) override { return openPath; }
    std::string SaveFileName(const FileDialogRequest&) override { return {}; }
    void OpenUrl(const std::string&) override {}
};

// A program folder with the shipped data, a window whose map is 1920 by 1080,
// and the catalogue loaded to magnitude 6.0.
struct Workbench {
    std::filesystem::path folder;
    Orvanta state;
    FixedAnswers answers;
    std::unique_ptr<FrmConstel> window;

    Workbench() {
        folder = std::filesystem::temp_directory_path() / "orvanta-bench";
        std::filesystem::create_directories(folder);
        for (const char* name : {"yale.dat", "cons.txt", "bounds.txt"})
            std::filesystem::copy_file(std::string(ORVANTA_DATA_DIR) + "/" + name, folder / name,
                                       std::filesystem::copy_options::overwrite_existing);
        Main(state, folder.string(), kViewTime);
        window = std::make_unique<FrmConstel>(state);
        window->SetDialogResponder(&answers);
        window->Load(kViewTime);
        window->show();
        (void)QTest::qWaitForWindowExposed(window.get());
        const QSize frame = window->size() - window->Surface()->size();
        window->resize(QSize(1920, 1080) + frame);
        QApplication::processEvents();
        LoadCatalogue(state.stars, (folder / "yale.dat").string(), 60);
        state.view.MagLimitTenths = 55;
    }

    // A figure of real stick-figure lines: the whole-sky example over and over.
    std::string WriteFigure(const char* name, int lines) {
        std::ifstream sky(std::string(ORVANTA_EXAMPLES_DIR) + "/whole-sky.con", std::ios::binary);
        std::vector<std::string> records;
        for (std::string line; std::getline(sky, line);) records.push_back(line + "\n");
        std::ofstream out(folder / name, std::ios::binary);
        for (int k = 0; k < lines; ++k) out << records[k % records.size()];
        return (folder / name).string();
    }

    // The worst case for repainting: long chords between random stars across the map.
    std::string WriteChordFigure(const char* name, int lines) {
        std::ofstream out(folder / name, std::ios::binary);
        const int stars = state.stars.UpperBound();
        for (int k = 0; k < lines; ++k) {
            const int a = k % stars, b = (k * 7 + 1) % stars;
            out << state.stars.StarRa[a] << ',' << state.stars.StarDec[a] << ',' << state.stars.StarRa[b] << ','
                << state.stars.StarDec[b] << "\r\n";
        }
        return (folder / name).string();
    }

    void Open(const std::string& path) {
        answers.openPath = path;
        mnuOpen_Click(state, *window);
    }

    // Runs the paint that the last change asked for.
    void Paint() { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }
};

Workbench& Bench() {
    static Workbench bench;
    return bench;
}

void BM_RedrawDefaultViewBoundsAndNames(benchmark::State& run) {
    Workbench& b = Bench();
    b.Open(b.WriteFigure("empty.con", 0));
    b.window->SetMenuChecked(MenuItem::Bounds, true);
    mnuConstel_Click(b.state, *b.window, 3);
    for (auto _ : run) {
        kresli(b.state, *b.window);
        b.window->Surface()->repaint();
    }
    run.counters["stars"] = b.state.stars.UpperBound() + 1;
}
BENCHMARK(BM_RedrawDefaultViewBoundsAndNames)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RubberBandMoveOn1000Lines(benchmark::State& run) {
    Workbench& b = Bench();
    b.Open(b.WriteFigure("thousand.con", 1000));
    Projection star;
    ProjectStar(b.state.view, b.state.stars.StarRa[0] / 1000.0, b.state.stars.StarDec[0] / 100.0, star);
    MapMouseDown(b.state, *b.window, kLeftButton, 0, static_cast<float>(star.ProjX), static_cast<float>(star.ProjY));
    const int redrawsBefore = b.window->Surface()->RedrawCount();
    float offset = 0;
    for (auto _ : run) {
        offset = offset > 3000 ? 0 : offset + 45;
        MapMouseMove(b.state, *b.window, star.ProjX + offset, star.ProjY + offset / 2);
        b.Paint();
    }
    run.counters["map_redraws"] = b.window->Surface()->RedrawCount() - redrawsBefore;
    MapMouseDown(b.state, *b.window, kRightButton, 0, 0, 0);
}
BENCHMARK(BM_RubberBandMoveOn1000Lines)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void BM_StarPickNearCatalogueEnd(benchmark::State& run) {
    Workbench& b = Bench();
    const int last = b.state.stars.UpperBound();
    // The faintest visible star near the end of the catalogue.
    Projection p;
    int target = last;
    for (; target > 0; --target) {
        ProjectStar(b.state.view, b.state.stars.StarRa[target] / 1000.0, b.state.stars.StarDec[target] / 100.0, p);
        if (p.ProjVisible) break;
    }
    for (auto _ : run) {
        const CataloguePoint pointer = PointerToSky(b.state.view, static_cast<float>(p.ProjX), static_cast<float>(p.ProjY));
        benchmark::DoNotOptimize(StarHitBox(b.state.stars, pointer));
    }
    run.counters["star_index"] = target;
}
BENCHMARK(BM_StarPickNearCatalogueEnd)->Unit(benchmark::kMicrosecond);

void BM_OpenLargestFigure(benchmark::State& run) {
    Workbench& b = Bench();
    const std::string path = b.WriteFigure("largest.con", kMaxLineCount);
    for (auto _ : run) {
        b.Open(path);
        b.window->Surface()->repaint();
    }
    run.counters["lines"] = b.state.figure.LineCount();
}
BENCHMARK(BM_OpenLargestFigure)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SaveLargestFigure(benchmark::State& run) {
    Workbench& b = Bench();
    b.Open(b.WriteFigure("largest.con", kMaxLineCount));
    for (auto _ : run) mnuSave_Click(b.state, *b.window);
    run.counters["lines"] = b.state.figure.LineCount();
}
BENCHMARK(BM_SaveLargestFigure)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DeleteFirstLineOfLargestFigure(benchmark::State& run) {
    Workbench& b = Bench();
    b.Open(run.range(0) ? b.WriteChordFigure("chords.con", kMaxLineCount) : b.WriteFigure("largest.con", kMaxLineCount));
    for (auto _ : run) {
        b.state.figure.SelectedLine = 1;
        b.state.figure.Picture1[0].Visible = true;
        Picture1_KeyDown(b.state, *b.window, kDeleteKeyCode);
        b.Paint();
    }
    run.counters["lines_left"] = b.state.figure.LineCount();
}
// Argument 0: real stick figures; 1: random chords across the whole map.
BENCHMARK(BM_DeleteFirstLineOfLargestFigure)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2000);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
