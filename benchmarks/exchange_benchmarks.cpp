// Timings of figures travelling and of the pointer read-out: export of the
// whole-sky example to each exchange format, pictures of a 1920 x 1080 view,
// import of a 700-line constellationship.fab, and one pointer movement's
// read-out. The shipped data throughout; no window needed.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <filesystem>

#include "commands/exchange_commands.h"
#include "commands/pointer_readout.h"
#include "map/layers.h"
#include "commands/startup.h"
#include "documents/exchange/exchange.h"
#include "documents/figure_file.h"
#include "platform/map_picture.h"

using namespace orvanta;

namespace {

struct TravelBench {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "orvanta-travel-bench";
    ProgramState state;
    std::vector<LineRecord> wholeSky;

    TravelBench() {
        std::filesystem::create_directories(folder);
        PrepareProgram(state, ORVANTA_DATA_DIR, LocalDateTime{2026, 12, 5, 22, 0}, "");
        LoadCatalogue(state.catalog, std::string(ORVANTA_DATA_DIR) + "/yale.dat", 60);
        state.view.zoom.unit = 72;  // a 1080-pixel-high screen
        state.view.centreX = 1920 * 15 / 2.0f;
        UpdateLatitudeTerms(state.view.observer);
        ReadFigureRecords(std::string(ORVANTA_EXAMPLES_DIR) + "/whole-sky.con", wholeSky);
        state.document.open = true;
        state.document.figure.ReplaceLines(wholeSky);
        state.showBounds = true;
        LoadBoundaries(state.boundaries, std::string(ORVANTA_DATA_DIR) + "/bounds.txt");
        EnsureExchangeSky(state, nullptr);
    }
    std::string Path(const char* name) const { return (folder / name).string(); }
};

TravelBench& Travel() {
    static TravelBench bench;
    return bench;
}

void BM_ExportWholeSky(benchmark::State& run) {
    TravelBench& b = Travel();
    const auto format = static_cast<ExchangeFormat>(run.range(0));
    const char* names[] = {"culture", "culture-fab", "lines.json"};
    for (auto _ : run) {
        const ExportFailure result =
            ExportFigure(format, b.wholeSky, b.state.exchangeSky->Reference(), b.Path(names[run.range(0)]));
        if (result.failed) run.SkipWithError(result.reason.c_str());
    }
    run.counters["lines"] = static_cast<double>(b.wholeSky.size());
}
// 0: Stellarium current form, 1: Stellarium 0.22 form, 2: GeoJSON.
BENCHMARK(BM_ExportWholeSky)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_PictureOf1920x1080(benchmark::State& run) {
    TravelBench& b = Travel();
    const ExportChoice choice = run.range(0) ? ExportChoice::Pdf : ExportChoice::Svg;
    for (auto _ : run) {
        const std::string error = WriteMapPicture(b.state, choice, b.Path(run.range(0) ? "map.pdf" : "map.svg"), {1920, 1080});
        if (!error.empty()) run.SkipWithError(error.c_str());
    }
}
// 0: SVG, 1: PDF; whole-sky figure, boundaries, stars to 6.0.
BENCHMARK(BM_PictureOf1920x1080)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_ImportConstellationship(benchmark::State& run) {
    TravelBench& b = Travel();
    // The whole-sky example in Stellarium's 0.22 form: about 700 lines by Hipparcos number.
    ExportFigure(ExchangeFormat::StellariumFab, b.wholeSky, b.state.exchangeSky->Reference(), b.Path("import-fab"));
    const std::string fab = b.Path("import-fab") + "/constellationship.fab";
    size_t lines = 0;
    for (auto _ : run) {
        const ImportResult result = ImportFigure(fab, b.state.exchangeSky->Reference());
        lines = result.records.size();
    }
    run.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ImportConstellationship)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_PointerReadout(benchmark::State& run) {
    TravelBench& b = Travel();
    // Over the brightest visible star, which is found and named: the longest read-out.
    const Star& star = b.state.catalog.stars[0];
    const auto place = ProjectCatalogueUnits(b.state.view, star.ra, star.dec);
    const PixelPoint at = place ? ToPixels(*place) : PixelPoint{960, 466};
    for (auto _ : run) benchmark::DoNotOptimize(DescribePointer(b.state, at));
}
BENCHMARK(BM_PointerReadout)->Unit(benchmark::kMicrosecond);

}  // namespace
