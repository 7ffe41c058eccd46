// Prints where the brightest stars lie on the map at a given local time, so
// that the end-to-end test can click them with real X events.
//   star_pixels YEAR MONTH DAY HOUR MINUTE MAP_WIDTH_PX SCREEN_HEIGHT_PX MAX_Y_PX COUNT YALE_DAT
// One line per star: "x y ra dec" (map pixels; catalogue units).
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/shared_state.h"
#include "app/startup.h"
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
    Orvanta state;
    Main(state, "/", when);
    if (LoadCatalogue(state.stars, argv[10], 40).failed) return 1;
    state.view.ZoomUnit = static_cast<int32_t>(std::nearbyint(screenHeight * 15 / 225.0));
    state.view.CentreX = static_cast<float>(width * 15 / 2.0);
    UpdateLatitudeTerms(state.view);
    Projection p;
    int found = 0;
    for (int i = 0; i <= state.stars.UpperBound() && found < wanted; ++i) {
        ProjectStar(state.view, state.stars.StarRa[i] / 1000.0, state.stars.StarDec[i] / 100.0, p);
        const long x = std::lround(p.ProjX / 15.0), y = std::lround(p.ProjY / 15.0);
        if (!p.ProjVisible || x < 40 || x > width - 40 || y < 40 || y > maxY) continue;
        std::printf("%ld %ld %d %d\n", x, y, state.stars.StarRa[i], state.stars.StarDec[i]);
        ++found;
    }
    return found == wanted ? 0 : 1;
}
