#pragma once
// What ties figures to the stars other programs name: every star of the
// catalogue, the cross-index of their identities and the constellation
// bands, read from the program's folder when first needed (not at start-up).
#include <string>

#include "documents/exchange/exchange_model.h"
#include "sky/catalogue.h"

namespace orvanta {

struct ExchangeSky {
    StarCatalog catalog;  // all of yale.dat, whatever the map's star limit
    StarIdentities identities;
    ConstellationBands bands;
    std::string englishNames;

    SkyReference Reference() const { return {catalog.stars, identities, bands, englishNames}; }
};

// Reads yale.dat, star_ids.txt and cons_bands.txt from folder (ending in a
// separator). On failure failedPath names the file that could not be read.
ReadFailure LoadExchangeSky(const std::string& folder, const std::string& englishNames, ExchangeSky& sky,
                            std::string& failedPath);

}  // namespace orvanta
