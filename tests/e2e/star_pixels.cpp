// Prints where the brightest stars lie on the map at a given local time, so
// that the end-to-end test can click them with real X events.
//   star_pixels YEAR MONTH DAY HOUR MINUTE MAP_WIDTH_PX SCREEN_HEIGHT_PX MAX_Y_PX COUNT YALE_DAT
// One line per star: "x y ra dec" (map pixels; catalogue units).
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "commands/startup.h"
#include "sky/catalogue.h"
#include "sky/projection.h"

int main(int argc, char* argv[]) {
    if (argc != 11) {
        std::fprintf(stderr, "usage: star_pixels Y M D h m width screen_height max_y count yale.dat\n");
        return 2;
    }
    using namespace orvanta;
    const LocalDateTime when{std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                             std::atoi(argv[5])};
    const int width = std::atoi(argv[6]), screenHeight = std::atoi(argv[7]), maxY = std::atoi(argv[8]);
    const int wanted = std::atoi(argv[9]);
    ProgramState state;
    PrepareProgram(state, "/", when, "");
    if (LoadCatalogue(state.catalog, argv[10], 40).failed) return 1;
    state.view.zoom.unit = static_cast<int32_t>(std::nearbyint(screenHeight * 15 / 225.0));
    state.view.centreX = static_cast<float>(width * 15 / 2.0);
    UpdateLatitudeTerms(state.view.observer);
    int found = 0;
    for (const Star& star : state.catalog.stars) {
        if (found == wanted) break;
        const auto p = ProjectCatalogueUnits(state.view, star.ra, star.dec);
        if (!p) continue;
        const long x = std::lround(p->x / 15.0), y = std::lround(p->y / 15.0);
        if (x < 40 || x > width - 40 || y < 40 || y > maxY) continue;
        std::printf("%ld %ld %d %d\n", x, y, star.ra, star.dec);
        ++found;
    }
    return found == wanted ? 0 : 1;
}
