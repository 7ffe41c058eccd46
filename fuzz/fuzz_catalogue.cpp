// The star catalogue reader on arbitrary bytes: a catalogue or a failure, never a crash.
#include <cstdint>
#include <string>

#include "sky/catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orvanta::StarCatalog catalog;
    const auto failure = orvanta::ParseCatalogue(catalog, text, 60);
    // A failed read leaves the catalogue as it was: one empty star; it is never empty.
    if (catalog.stars.empty() || (failure.failed && catalog.stars.size() != 1)) __builtin_trap();
    orvanta::ShortenCatalogue(catalog, 30);
    return 0;
}
