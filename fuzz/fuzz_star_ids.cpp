// The cross-index and band-table readers on arbitrary bytes: a failure changes
// nothing, and what is read can be looked up.
#include <cstdint>
#include <string>

#include "sky/constellation_bands.h"
#include "sky/star_identities.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orvanta::StarIdentities identities;
    if (orvanta::ParseStarIdentities(text, identities).failed) {
        if (!identities.stars.empty()) __builtin_trap();
    } else {
        if (identities.indexOfHip.size() != identities.stars.size()) __builtin_trap();
        for (size_t i = 0; i < identities.stars.size(); ++i) {
            const orvanta::StarIdentity& star = identities.stars[i];
            if (identities.IndexOfHip(star.hip) != i) __builtin_trap();
            // Read only with the designation it belongs to.
            if (star.designatedIn.empty() != (star.bayer.empty() && star.flamsteed.empty())) __builtin_trap();
        }
    }
    orvanta::ConstellationBands bands;
    if (!orvanta::ParseConstellationBands(text, bands).failed) {
        for (double dec = -90; dec <= 90; dec += 15) orvanta::ConstellationAt(bands, {size % 24 * 1.0, dec});
    } else if (!bands.rows.empty()) {
        __builtin_trap();
    }
    return 0;
}
