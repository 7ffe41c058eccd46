// Timings of sky cultures, faint stars and illustrations, each beside the
// case it is measured against in the same run: the floor of a redraw (clear
// and copy to the screen), the default redraw, the whole-sky figure's Open and
// Save. Cultures come from Stellarium's shipped ones and are skipped where
// stellarium-data is not installed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QTest>
#include <filesystem>

#include "commands/culture_commands.h"
#include "commands/document_commands.h"
#include "commands/exchange_commands.h"
#include "commands/figure_edits.h"
#include "commands/illustrations.h"
#include "commands/map_editing.h"
#include "commands/map_redraw.h"
#include "commands/menu_commands.h"
#include "commands/startup.h"
#include "commands/toolbar_commands.h"
#include "bench_window.h"
#include "platform/main_window.h"

using namespace orvanta;

namespace {

const std::string kShipped = "/usr/share/stellarium/skycultures";

// The resident memory now, not its peak: what loading something added.
long ResidentKilobytes() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The program folder with every shipped data file, and a window whose map is 1920 x 1080.
struct CultureBench {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "orvanta-culture-bench";
    ProgramState state;
    FixedAnswers answers;
    std::unique_ptr<MainWindow> window;

    CultureBench() { window = OpenBenchWindow(folder, state, answers); }

    void Open(const std::string& path) {
        answers.openPath = path;
        OpenCommand(state, *window);
        window->Surface()->repaint();
    }
    void Redraw() {
        RedrawMap(state, *window);
        window->Surface()->repaint();
    }
    // A shipped culture copied where a save may write.
    std::string Copy(const std::string& id) {
        const std::filesystem::path to = folder / id;
        std::filesystem::remove_all(to);
        std::filesystem::copy(kShipped + "/" + id, to, std::filesystem::copy_options::recursive);
        return to.string();
    }
};

CultureBench& Bench() {
    static CultureBench* bench = new CultureBench;  // never destroyed: the application ends first
    return *bench;
}

bool HasShipped(benchmark::State& run) {
    if (std::filesystem::is_directory(kShipped + "/western")) return true;
    run.SkipWithError("stellarium-data is not installed");
    return false;
}

// The floor: a picture of the map's size cleared and copied to the screen, nothing drawn.
void Floor(benchmark::State& run) {
    CultureBench& b = Bench();
    b.Open(std::string(ORVANTA_EXAMPLES_DIR) + "/whole-sky.con");
    for (auto _ : run) {
        MapCanvas& canvas = b.window->BeginMapPainting();
        canvas.Clear();
        b.window->EndMapPainting();
        b.window->Surface()->repaint();
    }
}
void BM_Floor(benchmark::State& run) { Floor(run); }
void BM_FloorAtDevicePixelRatio2(benchmark::State& run) { Floor(run); }
BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_FloorAtDevicePixelRatio2)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The redraw at the star limit of the argument in tenths, Faint Stars on past 5.5.
void BM_RedrawAtLimit(benchmark::State& run) {
    CultureBench& b = Bench();
    b.Open(std::string(ORVANTA_EXAMPLES_DIR) + "/whole-sky.con");
    EnsureExchangeSky(b.state, nullptr);
    const int tenths = static_cast<int>(run.range(0));
    b.state.faintStars = tenths > StarLimit::kFaintest;
    b.state.starLimit.tenths = static_cast<uint8_t>(tenths);
    LoadCatalogueOrReport(b.state, *b.window, b.state.starLimit.tenths);
    for (auto _ : run) b.Redraw();
    run.counters["stars"] = static_cast<double>(b.state.catalog.stars.size() + b.state.DeepStarCount());
    b.state.faintStars = false;
}
BENCHMARK(BM_RedrawAtLimit)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// A press where no bright star is: the whole catalogue to 5.5 searched, and with Faint Stars the faint ones too.
void BM_StarPickFaintStars(benchmark::State& run) {
    CultureBench& b = Bench();
    b.Open(std::string(ORVANTA_EXAMPLES_DIR) + "/whole-sky.con");
    EnsureExchangeSky(b.state, nullptr);
    b.state.faintStars = run.range(0) != 0;
    b.state.starLimit.tenths = b.state.faintStars ? 80 : 55;
    LoadCatalogueOrReport(b.state, *b.window, b.state.starLimit.tenths);
    size_t found = 0;
    for (auto _ : run) found += PickStar(b.state, PixelPoint{700.5, 400.5}).has_value();
    benchmark::DoNotOptimize(found);
    b.state.faintStars = false;
}
BENCHMARK(BM_StarPickFaintStars)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The deep catalogue and the star identities read and indexed, as after the window shows.
void BM_DeepCatalogueReady(benchmark::State& run) {
    CultureBench& b = Bench();
    long added = 0;
    for (auto _ : run) {
        b.state.exchangeSky.reset();
        b.state.deepStars.reset();
        const long before = ResidentKilobytes();
        EnsureExchangeSky(b.state, nullptr);
        added = std::max(added, ResidentKilobytes() - before);  // the first load: later ones reuse freed memory
    }
    run.counters["MB_more"] = static_cast<double>(added) / 1024;
}
BENCHMARK(BM_DeepCatalogueReady)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_HipparcosFind(benchmark::State& run) {
    CultureBench& b = Bench();
    const ExchangeSky* sky = EnsureExchangeSky(b.state, nullptr);
    int32_t hip = 1;
    for (auto _ : run) {
        benchmark::DoNotOptimize(sky->hipparcos.Find(hip));
        hip = hip % 120000 + 7919;
    }
}
BENCHMARK(BM_HipparcosFind)->Unit(benchmark::kNanosecond);

// Open to first paint: the whole-sky figure (0), the largest shipped culture (1).
void BM_OpenCultureOrFigure(benchmark::State& run) {
    CultureBench& b = Bench();
    if (run.range(0) == 1 && !HasShipped(run)) return;
    const std::string path = run.range(0) == 0 ? std::string(ORVANTA_EXAMPLES_DIR) + "/whole-sky.con"
                                               : kShipped + "/chinese_medieval";
    EnsureExchangeSky(b.state, nullptr);
    const std::string figure = std::string(ORVANTA_EXAMPLES_DIR) + "/whole-sky.con";
    for (auto _ : run) {
        // The culture opens where a figure was, so its panel comes up each time, as at a first open.
        if (run.range(0) == 1) {
            run.PauseTiming();
            b.Open(figure);
            run.ResumeTiming();
        }
        b.Open(path);
    }
    run.counters["lines"] = static_cast<double>(b.state.document.figure.LineCount());
}
BENCHMARK(BM_OpenCultureOrFigure)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Save after one edit: the whole-sky figure (0), the largest shipped culture (1).
void BM_SaveAfterOneEdit(benchmark::State& run) {
    CultureBench& b = Bench();
    if (run.range(0) == 1 && !HasShipped(run)) return;
    if (run.range(0) == 0) {
        std::filesystem::copy_file(std::string(ORVANTA_EXAMPLES_DIR) + "/whole-sky.con", b.folder / "whole-sky.con",
                                   std::filesystem::copy_options::overwrite_existing);
        b.Open((b.folder / "whole-sky.con").string());
    } else {
        b.Open(b.Copy("chinese_medieval"));
    }
    bool forwards = true;
    for (auto _ : run) {
        run.PauseTiming();
        // One line deleted, or brought back: the save always has a change to write.
        if (forwards) {
            b.state.document.figure.Select(0);
            SelectionKeyDown(b.state, *b.window, Key::Delete);
        } else {
            UndoCommand(b.state, *b.window);
        }
        forwards = !forwards;
        run.ResumeTiming();
        SaveCommand(b.state, *b.window);
    }
}
BENCHMARK(BM_SaveAfterOneEdit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(40);

// Choosing a constellation in the panel, against a full redraw of the same culture.
void BM_SelectConstellation(benchmark::State& run) {
    CultureBench& b = Bench();
    if (!HasShipped(run)) return;
    b.state.illustrations.shown = false;
    b.Open(kShipped + "/chinese_medieval");
    const auto& constellations = b.state.document.culture->culture.constellations;
    size_t i = 0;
    for (auto _ : run) {
        if (run.range(0) == 0) {
            b.Redraw();
        } else {
            SelectConstellation(b.state, *b.window, constellations[i++ % constellations.size()].uid);
            b.window->Surface()->repaint();
        }
    }
    b.state.illustrations.shown = true;
}
BENCHMARK(BM_SelectConstellation)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The western culture's redraw without (0) and with (1) its 85 illustrations.
void Illustrated(benchmark::State& run) {
    CultureBench& b = Bench();
    if (!HasShipped(run)) return;
    b.state.illustrations.shown = run.range(0) != 0;
    b.window->ForgetPictures();
    const long before = ResidentKilobytes();
    b.Open(kShipped + "/western");
    for (auto _ : run) b.Redraw();
    run.counters["pictures"] = static_cast<double>(b.state.illustrations.pictures.size());
    run.counters["MB_more"] = static_cast<double>(ResidentKilobytes() - before) / 1024;
    b.state.illustrations.shown = true;
}
void BM_RedrawWestern(benchmark::State& run) { Illustrated(run); }
void BM_RedrawWesternAtDevicePixelRatio2(benchmark::State& run) { Illustrated(run); }
BENCHMARK(BM_RedrawWestern)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_RedrawWesternAtDevicePixelRatio2)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The western culture's sky turned by a step and back: the illustrations' layer drawn anew each time.
void BM_TurnWestern(benchmark::State& run) {
    CultureBench& b = Bench();
    if (!HasShipped(run)) return;
    b.state.illustrations.shown = run.range(0) != 0;
    b.Open(kShipped + "/western");
    bool left = true;
    for (auto _ : run) {
        RunToolbarCommand(b.state, *b.window, left ? ToolbarCommand::MoveLeft : ToolbarCommand::MoveRight);
        b.window->Surface()->repaint();
        left = !left;
    }
    b.state.illustrations.shown = true;
}
BENCHMARK(BM_TurnWestern)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Opening the western culture to first paint without (0) and with (1) its pictures.
void BM_OpenWestern(benchmark::State& run) {
    CultureBench& b = Bench();
    if (!HasShipped(run)) return;
    b.state.illustrations.shown = run.range(0) != 0;
    EnsureExchangeSky(b.state, nullptr);
    for (auto _ : run) {
        run.PauseTiming();
        b.window->ForgetPictures();  // each open decodes its pictures afresh
        run.ResumeTiming();
        b.Open(kShipped + "/western");
    }
    b.state.illustrations.shown = true;
}
BENCHMARK(BM_OpenWestern)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// One pointer movement while an anchor of Orion's picture is dragged, with its repaint.
void BM_DragAnchor(benchmark::State& run) {
    CultureBench& b = Bench();
    if (!HasShipped(run)) return;
    b.Open(kShipped + "/western");
    const auto& constellations = b.state.document.culture->culture.constellations;
    const auto orion = std::find_if(constellations.begin(), constellations.end(),
                                    [](const CultureConstellation& c) { return c.Abbreviation() == "Ori"; });
    SelectConstellation(b.state, *b.window, orion->uid);
    const auto units = b.state.exchangeSky->PlaceOfHip(orion->art->anchors[0].hip);
    const auto place = ProjectCatalogueUnits(b.state.view, units->first, units->second);
    if (!place) return run.SkipWithError("Orion is below the horizon at this time");
    const PixelPoint at{place->x * kPixelsPerTwip, place->y * kPixelsPerTwip};
    if (!StartAnchorDrag(b.state, *b.window, at)) return run.SkipWithError("no anchor under the press");
    int step = 0;
    for (auto _ : run) {
        DragAnchor(b.state, *b.window, PixelPoint{at.x + (step++ % 20), at.y});
        b.window->Surface()->repaint();
    }
    b.state.illustrations.drag.reset();
}
BENCHMARK(BM_DragAnchor)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
