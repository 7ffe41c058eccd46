// Reading the catalogue, cross-index and bands that exchange needs.
#include "documents/exchange/exchange_sky.h"

namespace orvanta {

ReadFailure LoadExchangeSky(const std::string& folder, const std::string& englishNames, ExchangeSky& sky,
                            std::string& failedPath) {
    ExchangeSky loaded;
    loaded.englishNames = englishNames;
    // A limit beyond every magnitude: the whole file, in its order, which the cross-index follows.
    failedPath = folder + "yale.dat";
    if (auto failure = LoadCatalogue(loaded.catalog, failedPath, 255); failure.failed) return failure;
    failedPath = folder + "star_ids.txt";
    if (auto failure = LoadStarIdentities(failedPath, loaded.identities); failure.failed) return failure;
    failedPath = folder + "cons_bands.txt";
    if (auto failure = LoadConstellationBands(failedPath, loaded.bands); failure.failed) return failure;
    failedPath.clear();
    sky = std::move(loaded);
    return {};
}

}  // namespace orvanta
