// Every reader through the real file-opening path: the input is written to a
// file that is then opened as a figure, as yale.dat, cons.txt, bounds.txt and
// orvanta.ini. Reading by path must answer as reading the same bytes does
// (or refuse a file over its limit), and no message may grow with the input.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "documents/figure_file.h"
#include "map/boundary_table.h"
#include "map/constellation_table.h"
#include "sky/catalogue.h"
#include "ui/gui_strings.h"
#include "ui/profile_file.h"

namespace {

using namespace orvanta;

const std::string& InputPath() {
    static const std::string path = [] {
        std::string folder = "/tmp/orvanta-fuzz-XXXXXX";
        if (!mkdtemp(folder.data())) __builtin_trap();
        return folder + "/input";
    }();
    return path;
}

void WriteInput(const uint8_t* data, size_t size) {
    const int fd = ::open(InputPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) __builtin_trap();
    for (size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) __builtin_trap();
        done += static_cast<size_t>(n);
    }
    ::close(fd);
}

// By path: the same answer as from the bytes, or a refusal of a file over the limit.
void ExpectSameAsParsed(const ReadFailure& byPath, const ReadFailure& parsed, size_t size, size_t limit) {
    // A quoted field is cut to 40 characters; the rest of a message is short.
    if (byPath.reason.size() > 160) __builtin_trap();
    if (size > limit) {
        if (!byPath.failed || byPath.line != 0) __builtin_trap();
        return;
    }
    if (byPath.failed != parsed.failed || byPath.line != parsed.line || byPath.reason != parsed.reason)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    WriteInput(data, size);
    const std::string& path = InputPath();

    std::vector<LineRecord> records, parsedRecords;
    const ReadFailure figure = ReadFigureRecords(path, records);
    ExpectSameAsParsed(figure, ParseFigureFile(text, parsedRecords), size, kFigureFileLimit);
    if (!figure.failed && records != parsedRecords) __builtin_trap();

    StarCatalog stars, parsedStars;
    ExpectSameAsParsed(LoadCatalogue(stars, path, 60), ParseCatalogue(parsedStars, text, 60), size,
                       kBoundaryFileLimit);
    const auto sameStars = [](const StarCatalog& a, const StarCatalog& b) {
        if (a.stars.size() != b.stars.size()) return false;
        for (size_t i = 0; i < a.stars.size(); ++i)
            if (a.stars[i].ra != b.stars[i].ra || a.stars[i].dec != b.stars[i].dec) return false;
        return true;
    };
    if (!sameStars(stars, parsedStars) && size <= kCatalogueFileLimit) __builtin_trap();

    ConstellationTable names, parsedNames;
    ExpectSameAsParsed(LoadConstellations(names, path, 2, ""), ParseConstellations(parsedNames, text, 2, ""), size,
                       kConstellationFileLimit);

    BoundaryTable bounds, parsedBounds;
    ExpectSameAsParsed(LoadBoundaries(bounds, path), ParseBoundaries(parsedBounds, text), size, kBoundaryFileLimit);

    // orvanta.ini: a file over its limit gives the built-in texts, any other the same as its bytes.
    GuiStrings strings;
    strings.iniPath = path;
    const ProfileTable table(text);
    for (const TextKey key : {TextKey::Title, TextKey::Open, TextKey::Undo}) {
        const std::string byPath = Text(strings, key);
        std::string parsed;
        if (size > kProfileFileLimit)
            parsed = Text(GuiStrings{}, key);
        else
            ProfileValue(table.Find("GUI_Strings", std::to_string(static_cast<int>(key))),
                         key == TextKey::Undo ? "Undo" : "", parsed, 255);
        if (byPath != parsed) __builtin_trap();
        if (DecodeUtf8OrLatin1(byPath) != byPath) __builtin_trap();  // always valid UTF-8
    }
    return 0;
}
