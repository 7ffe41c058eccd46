// Reading the catalogue, cross-index and bands that exchange needs.
#include "documents/exchange/exchange_sky.h"

#include "files/file_reading.h"
#include "sky/record_lines.h"

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
    failedPath = folder + "hipparcos.dat";
    if (auto failure = LoadHipparcos(failedPath, loaded.hipparcos); failure.failed) return failure;
    failedPath = folder + "iau_edges.txt";
    std::string edges;
    if (auto failure = ReadWholeFile(failedPath, edges, 1u << 20); failure.failed) return failure;
    for (const auto& [number, line] : SplitTextLines(edges))
        if (!line.empty()) loaded.iauEdges.emplace_back(line);
    failedPath.clear();
    sky = std::move(loaded);
    return {};
}

std::optional<SkyVector> ExchangeSky::DirectionOfHip(int32_t hip) const {
    const HipparcosStar* star = hipparcos.Find(hip);
    return star ? std::optional(UnitVector(star->Direction())) : std::nullopt;
}

std::optional<std::pair<int16_t, int16_t>> ExchangeSky::PlaceOfHip(int32_t hip) const {
    if (const auto index = identities.IndexOfHip(hip); index && *index < catalog.stars.size())
        return std::make_pair(static_cast<int16_t>(catalog.stars[*index].ra), static_cast<int16_t>(catalog.stars[*index].dec));
    if (const HipparcosStar* star = hipparcos.Find(hip))
        return std::make_pair(static_cast<int16_t>(star->RaUnits()), static_cast<int16_t>(star->DecUnits()));
    return std::nullopt;
}

}  // namespace orvanta
