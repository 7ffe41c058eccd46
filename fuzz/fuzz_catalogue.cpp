// The star catalogue reader on arbitrary bytes: a catalogue or a failure, never a crash.
#include <cstdint>
#include <string>

#include "sky/catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orvanta::StarCatalog catalog;
    const auto failure = orvanta::ParseCatalogue(catalog, text, 60);
    // A failed read leaves the catalogue as it was: one empty star.
    if (failure.failed && catalog.StarRa.size() != 1) __builtin_trap();
    if (catalog.StarRa.size() != catalog.StarMag.size() || catalog.StarRa.size() != catalog.StarColour.size())
        __builtin_trap();
    orvanta::ShortenCatalogue(catalog, 30);
    return 0;
}
