// A culture of the older form on arbitrary bytes, its five files parted by
// NULs: a failure leaves the culture as it was; what is read saves unchanged
// as nothing, converts to the current form, and reads back from its files
// written afresh.
#include <cstdint>
#include <map>
#include <string>

#include "documents/culture/culture_convert.h"
#include "documents/culture/culture_folder.h"
#include "documents/culture/older_form.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvanta;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::map<std::string, std::string> files;
    size_t at = 0;
    for (const char* name : kOlderFormFiles) {
        if (at > bytes.size()) break;
        const size_t end = bytes.find('\0', at);
        files[name] = bytes.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? bytes.size() + 1 : end + 1;
    }
    Culture culture;
    culture.id = "kept";
    if (ReadOlderCulture(files, culture).failed) {
        if (culture.id != "kept" || !culture.constellations.empty()) __builtin_trap();
        return 0;
    }
    if (!CultureChanges(culture).empty()) __builtin_trap();
    std::map<std::string, std::string> written;
    for (const FolderFile& file : FormatOlderCulture(culture)) written[file.name] = file.bytes;
    Culture again;
    if (ReadOlderCulture(written, again).failed) __builtin_trap();
    int lost = 0;
    (void)ToCurrentForm(culture, "kept", {}, lost);
    return 0;
}
