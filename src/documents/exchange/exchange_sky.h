#pragma once
// What ties figures to the stars other programs name: every star of the
// catalogue, the cross-index of their identities and the constellation
// bands, read from the program's folder when first needed (not at start-up).
#include <string>

#include <optional>
#include <utility>

#include "documents/exchange/exchange_model.h"
#include "sky/catalogue.h"
#include "sky/hipparcos_catalogue.h"

namespace orvanta {

struct ExchangeSky {
    StarCatalog catalog;  // all of yale.dat, whatever the map's star limit
    StarIdentities identities;
    ConstellationBands bands;
    HipparcosCatalogue hipparcos;  // every Hipparcos star
    std::vector<std::string> iauEdges;  // the IAU boundaries as Stellarium's edges (iau_edges.txt)
    std::string englishNames;

    SkyReference Reference() const { return {catalog.stars, identities, bands, englishNames, &hipparcos, &iauEdges}; }
    // Where a Hipparcos number's star lies in catalogue units: the place of
    // yale.dat for its stars, else the Hipparcos file's; nullopt for none.
    std::optional<std::pair<int16_t, int16_t>> PlaceOfHip(int32_t hip) const;
    // A Hipparcos star's J2000 direction, unrounded; nullopt for no such star.
    std::optional<SkyVector> DirectionOfHip(int32_t hip) const;
};

// Reads yale.dat, star_ids.txt, cons_bands.txt and hipparcos.dat from folder
// (ending in a separator). On failure failedPath names the file that could
// not be read.
ReadFailure LoadExchangeSky(const std::string& folder, const std::string& englishNames, ExchangeSky& sky,
                            std::string& failedPath);

}  // namespace orvanta
