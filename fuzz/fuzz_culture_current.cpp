// A culture of the current form on arbitrary bytes (index.json, then after a
// NUL its description.md): a failure leaves the culture as it was; what is
// read saves unchanged as nothing, is checked, converts to the older form,
// and reads back from the files written afresh.
#include <cstdint>
#include <string>

#include "documents/culture/culture_check.h"
#include "documents/culture/culture_convert.h"
#include "documents/culture/culture_folder.h"
#include "documents/culture/current_form.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvanta;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const size_t nul = bytes.find('\0');
    const std::string index = bytes.substr(0, nul), description = nul == std::string::npos ? "" : bytes.substr(nul + 1);
    Culture culture;
    culture.id = "kept";
    if (ReadCurrentCulture(index, description, culture).failed) {
        if (culture.id != "kept" || !culture.constellations.empty()) __builtin_trap();
        return 0;
    }
    culture.source.files["index.json"] = index;
    if (!CultureChanges(culture).empty()) __builtin_trap();
    const GuiStrings strings;
    (void)CheckCulture(culture, [](int32_t hip) { return hip > 0 && hip < 120000; }, strings);
    int lost = 0;
    (void)ToOlderForm(culture, lost);
    Culture again;
    if (ReadCurrentCulture(FormatCultureIndexJson(culture), description, again).failed ||
        again.constellations.size() != culture.constellations.size())
        __builtin_trap();
    return 0;
}
