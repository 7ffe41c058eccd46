// Timings of the interactions a user feels: the map redraw, the rubber band,
// the star pick, and Open, Save and Del of the largest figure. The real
// catalogue and the real window (offscreen) are used throughout.
//
//   --device-pixel-ratio=2  the map redraw on a screen of twice the pixels (a
//                           4K screen at 200 %); without it the program runs
//                           that case itself in a second process after the rest
//   --busy-core             one thread keeps another core busy for the whole run,
//                           as a build beside the program would
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <atomic>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "commands/document_commands.h"
#include "commands/exchange_commands.h"
#include "commands/figure_edits.h"
#include "commands/map_editing.h"
#include "commands/map_redraw.h"
#include "commands/menu_commands.h"
#include "commands/startup.h"
#include "map/layers.h"
#include "bench_window.h"
#include "platform/main_window.h"
#include "platform/system_clock.h"
#include "sky/star_pick.h"

using namespace orvanta;

namespace {


// A program folder with the shipped data, a window whose map is 1920 by 1080,
// and the catalogue loaded to magnitude 6.0.
struct Workbench {
    std::filesystem::path folder;
    ProgramState state;
    FixedAnswers answers;
    std::unique_ptr<MainWindow> window;

    Workbench() {
        folder = std::filesystem::temp_directory_path() / "orvanta-bench";
        window = OpenBenchWindow(folder, state, answers);
        LoadCatalogue(state.catalog, (folder / "yale.dat").string(), 60);
        state.starLimit.tenths = 55;
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
        const std::vector<Star>& stars = state.catalog.stars;
        const int count = static_cast<int>(stars.size()) - 1;
        for (int k = 0; k < lines; ++k) {
            const Star& a = stars[k % count];
            const Star& b = stars[(k * 7 + 1) % count];
            out << a.ra << ',' << a.dec << ',' << b.ra << ',' << b.dec << "\r\n";
        }
        return (folder / name).string();
    }

    void Open(const std::string& path) {
        answers.openPath = path;
        OpenCommand(state, *window);
    }

    // Runs the paint that the last change asked for.
    void Paint() { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }
};

// Never destroyed: its window must not outlive the application, which main ends first.
Workbench& Bench() {
    static Workbench* bench = new Workbench;
    return *bench;
}

void BM_RedrawDefaultViewBoundsAndNames(benchmark::State& run) {
    Workbench& b = Bench();
    b.Open(b.WriteFigure("empty.con", 0));
    b.state.showBounds = true;
    ShowNames(b.state, *b.window, 3);
    for (auto _ : run) {
        RedrawMap(b.state, *b.window);
        b.window->Surface()->repaint();
    }
    run.counters["stars"] = static_cast<double>(b.state.catalog.stars.size());
}
BENCHMARK(BM_RedrawDefaultViewBoundsAndNames)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same redraw on a screen of twice the pixels: the map keeps its logical
// size and zoom and is painted at 3840 by 2160 device pixels.
// The map of the ratio-1 redraw case on a screen of twice the pixels; false
// when this process does not run at ratio 2.
bool ShowDefaultViewAtRatio2(Workbench& b, benchmark::State& run) {
    const qreal ratio = b.window->Surface()->devicePixelRatioF();
    if (ratio != 2) {
        run.SkipWithError("needs --device-pixel-ratio=2");
        return false;
    }
    b.Open(b.WriteFigure("empty.con", 0));
    b.state.showBounds = true;
    // The zoom of the ratio-1 runs, whose screen has twice the logical height.
    b.state.view.zoom.unit =
        static_cast<int32_t>(std::nearbyint(b.window->ScreenHeightPixels() * kTwipsPerPixel * ratio / 225.0));
    ShowNames(b.state, *b.window, 3);
    return true;
}

void BM_RedrawAtDevicePixelRatio2(benchmark::State& run) {
    Workbench& b = Bench();
    if (!ShowDefaultViewAtRatio2(b, run)) return;
    for (auto _ : run) {
        RedrawMap(b.state, *b.window);
        b.window->Surface()->repaint();
    }
    run.counters["device_pixels"] = static_cast<double>(b.window->Surface()->Picture().width()) *
                                    b.window->Surface()->Picture().height();
}
BENCHMARK(BM_RedrawAtDevicePixelRatio2)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Turning the sky by a small step before each redraw puts every star at a new
// place within its pixel: the first turns paint discs the masks do not yet hold.
// The turns go on from one repetition to the next, so the repetitions show the
// masks filling (run with --benchmark_report_aggregates_only=false to see each).
void BM_TurnAtDevicePixelRatio2(benchmark::State& run) {
    Workbench& b = Bench();
    if (!ShowDefaultViewAtRatio2(b, run)) return;
    const float start = b.state.view.observer.siderealTime;
    static int turns = 0;
    for (auto _ : run) {
        b.state.view.observer.siderealTime = start + 0.0137f * static_cast<float>(++turns);
        RedrawMap(b.state, *b.window);
        b.window->Surface()->repaint();
    }
    b.state.view.observer.siderealTime = start;
}
BENCHMARK(BM_TurnAtDevicePixelRatio2)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_RubberBandMoveOn1000Lines(benchmark::State& run) {
    Workbench& b = Bench();
    b.Open(b.WriteFigure("thousand.con", 1000));
    const Star& first = b.state.catalog.stars[0];
    const ScreenPoint star = *ProjectCatalogueUnits(b.state.view, first.ra, first.dec);
    const PixelPoint at = ToPixels(star);
    MapMouseDown(b.state, *b.window, MouseButton::Left, {}, at);
    const int redrawsBefore = b.window->Surface()->RedrawCount();
    double offset = 0;
    for (auto _ : run) {
        offset = offset > 200 ? 0 : offset + 3;
        MapMouseMove(b.state, *b.window, {at.x + offset, at.y + offset / 2});
        b.Paint();
    }
    run.counters["map_redraws"] = b.window->Surface()->RedrawCount() - redrawsBefore;
    MapMouseDown(b.state, *b.window, MouseButton::Right, {}, {0, 0});
}
BENCHMARK(BM_RubberBandMoveOn1000Lines)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// One pointer movement over the map, not drawing: the handler, the read-out of
// the star under it (named from the cross-index) and the status bar's repaint.
void BM_PointerMoveWithReadout(benchmark::State& run) {
    Workbench& b = Bench();
    b.Open(b.WriteFigure("thousand.con", 1000));
    EnsureExchangeSky(b.state, nullptr);
    const Star& bright = b.state.catalog.stars[0];
    const auto place = ProjectCatalogueUnits(b.state.view, bright.ra, bright.dec);
    const PixelPoint at = place ? ToPixels(*place) : PixelPoint{960, 466};
    const int redrawsBefore = b.window->Surface()->RedrawCount();
    double offset = 0;
    for (auto _ : run) {
        offset = offset > 2 ? 0 : offset + 1.0 / 15;
        b.window->Surface()->onMouseMove({at.x + offset, at.y});
        if (run.range(0)) b.Paint();
    }
    run.counters["map_redraws"] = b.window->Surface()->RedrawCount() - redrawsBefore;
}
// Argument 0: the handler and the read-out's new text; 1: with the status bar's repaint.
BENCHMARK(BM_PointerMoveWithReadout)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

void BM_StarPickNearCatalogueEnd(benchmark::State& run) {
    Workbench& b = Bench();
    const std::vector<Star>& stars = b.state.catalog.stars;
    // The faintest visible star near the end of the catalogue.
    std::optional<ScreenPoint> p;
    size_t target = stars.size() - 1;
    for (; target > 0; --target)
        if ((p = ProjectCatalogueUnits(b.state.view, stars[target].ra, stars[target].dec))) break;
    for (auto _ : run) {
        const CataloguePoint pointer = PointerToSky(b.state.view, static_cast<float>(p->x), static_cast<float>(p->y));
        benchmark::DoNotOptimize(StarHitBox(b.state.catalog, pointer));
    }
    run.counters["star_index"] = static_cast<double>(target);
}
BENCHMARK(BM_StarPickNearCatalogueEnd)->Unit(benchmark::kMicrosecond);

void BM_OpenLargestFigure(benchmark::State& run) {
    Workbench& b = Bench();
    const std::string path = b.WriteFigure("largest.con", kMaxLineCount);
    for (auto _ : run) {
        b.Open(path);
        b.window->Surface()->repaint();
    }
    run.counters["lines"] = static_cast<double>(b.state.document.figure.LineCount());
}
BENCHMARK(BM_OpenLargestFigure)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SaveLargestFigure(benchmark::State& run) {
    Workbench& b = Bench();
    b.Open(b.WriteFigure("largest.con", kMaxLineCount));
    for (auto _ : run) SaveCommand(b.state, *b.window);
    run.counters["lines"] = static_cast<double>(b.state.document.figure.LineCount());
}
BENCHMARK(BM_SaveLargestFigure)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DeleteFirstLineOfLargestFigure(benchmark::State& run) {
    Workbench& b = Bench();
    b.Open(run.range(0) ? b.WriteChordFigure("chords.con", kMaxLineCount) : b.WriteFigure("largest.con", kMaxLineCount));
    for (auto _ : run) {
        b.state.document.figure.Select(0);
        SelectionKeyDown(b.state, *b.window, Key::Delete);
        b.Paint();
    }
    run.counters["lines_left"] = static_cast<double>(b.state.document.figure.LineCount());
}
// Argument 0: real stick figures; 1: random chords across the whole map.
BENCHMARK(BM_DeleteFirstLineOfLargestFigure)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2000);

// One Undo and one Redo of a deletion on the largest figure, each with its repaint.
void BM_UndoRedoOnLargestFigure(benchmark::State& run) {
    Workbench& b = Bench();
    b.Open(b.WriteChordFigure("chords.con", kMaxLineCount));
    b.state.document.figure.Select(0);
    SelectionKeyDown(b.state, *b.window, Key::Delete);
    b.Paint();
    for (auto _ : run) {
        UndoCommand(b.state, *b.window);
        b.Paint();
        RedoCommand(b.state, *b.window);
        b.Paint();
    }
    run.counters["lines"] = static_cast<double>(b.state.document.figure.LineCount());
}
BENCHMARK(BM_UndoRedoOnLargestFigure)->Unit(benchmark::kMillisecond)->Iterations(1000);

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// What a history of the most steps a figure can take costs in memory: every line drawn one by one.
void BM_HistoryOfAllLinesMemory(benchmark::State& run) {
    Workbench& b = Bench();
    for (auto _ : run) {
        b.Open(b.WriteFigure("empty.con", 0));
        const long before = ResidentKilobytes();
        for (size_t k = 0; k < kMaxLineCount; ++k) {
            const LineRecord line{static_cast<int16_t>(k % 24000), static_cast<int16_t>(k % 9000), 1, 1};
            RecordEdit(b.state, *b.window, FigureEdit{FigureEdit::Kind::AddLine, k, line, {}, {}});
            if (k % 64 == 0) b.Paint();
        }
        run.counters["history_MB"] = (ResidentKilobytes() - before) / 1024.0;
        run.counters["steps"] = static_cast<double>(b.state.document.history.StepCount());
    }
}
BENCHMARK(BM_HistoryOfAllLinesMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// Streams through a buffer larger than the caches, as a compiler beside the
// program would load the core, the caches and the memory bus.
class BusyCore {
public:
    BusyCore() : worker_([this] {
        std::vector<uint64_t> buffer(8 << 20);
        uint64_t sum = 0;
        while (!stop_.load(std::memory_order_relaxed))
            for (size_t i = 0; i < buffer.size(); i += 8) sum += buffer[i] += i;
        benchmark::DoNotOptimize(sum);
    }) {}
    ~BusyCore() {
        stop_ = true;
        worker_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

// Removes a flag of our own from the arguments; whether it was there.
bool TakeFlag(int& argc, char** argv, const char* flag) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], flag) == 0) {
            std::copy(argv + i + 1, argv + argc + 1, argv + i);
            --argc;
            return true;
        }
    return false;
}

// The ratio-2 case in a process of its own: the ratio is fixed when the
// application starts. It gets the same benchmark flags as this run.
int RunRatio2Process(std::vector<std::string> args, bool busy) {
    args.push_back("--device-pixel-ratio=2");
    if (busy) args.push_back("--busy-core");
    std::vector<char*> pointers;
    for (std::string& a : args) pointers.push_back(a.data());
    pointers.push_back(nullptr);
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        execv("/proc/self/exe", pointers.data());
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) < 0) return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool ratio2 = TakeFlag(argc, argv, "--device-pixel-ratio=2");
    const bool busy = TakeFlag(argc, argv, "--busy-core");
    bool filtered = false;
    for (int i = 1; i < argc; ++i) filtered = filtered || std::strncmp(argv[i], "--benchmark_filter", 18) == 0;
    const std::vector<std::string> originalArgs(argv, argv + argc);
    if (ratio2) qputenv("QT_SCALE_FACTOR", "2");
    std::optional<BusyCore> load;
    if (busy) load.emplace();
    int status = 0;
    {
        QApplication application(argc, argv);
        benchmark::Initialize(&argc, argv);
        if (ratio2 && !filtered) benchmark::SetBenchmarkFilter("AtDevicePixelRatio2");
        if (!ratio2 && !filtered) benchmark::SetBenchmarkFilter("-AtDevicePixelRatio2");
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    load.reset();
    if (!ratio2 && !filtered) status = RunRatio2Process(originalArgs, busy);
    return status;
}
