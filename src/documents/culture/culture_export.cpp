// Writing a sky culture to the formats other programs read.
#include "documents/culture/culture_export.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "documents/culture/culture_convert.h"
#include "documents/culture/culture_folder.h"
#include "documents/culture/culture_lines.h"
#include "documents/culture/image_size.h"
#include "documents/exchange/figure_exchange.h"
#include "documents/exchange/geojson_lines.h"
#include "files/file_reading.h"

namespace orvanta {

namespace {

StarPlacer PlacerOf(const ExchangeSky& sky) {
    return [&sky](int32_t hip) { return sky.PlaceOfHip(hip); };
}

std::string FolderName(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path.substr(path.find_last_of('/') + 1);
}

// The pictures the culture's illustrations use, from its folder, under the
// names the written form gives them; the size index.json asks for is taken
// from the picture where the older form did not say it.
std::vector<FolderFile> Pictures(const Culture& from, Culture& to, ExportFailure& failure, const PngConverter& toPng) {
    std::vector<FolderFile> files;
    for (CultureConstellation& made : to.constellations) {
        const CultureConstellation* source = from.FindConstellation(made.uid);
        const auto& art = source ? source->art : std::nullopt;
        if (!art || !made.art) continue;
        std::string bytes;
        if (auto read = ReadWholeFile(from.PicturePath(art->file), bytes, 64u << 20); read.failed) {
            failure = {true, art->file + ": " + read.reason, 0, {}};
            return {};
        }
        CultureArt& written = *made.art;
        if (written.width == 0)
            if (const auto size = PictureSize(bytes)) std::tie(written.width, written.height) = *size;
        const std::string webp = ".webp";
        if (to.form == CultureForm::Older && toPng && written.file.size() > webp.size() &&
            written.file.compare(written.file.size() - webp.size(), webp.size(), webp) == 0) {
            if (auto png = toPng(bytes)) {
                bytes = std::move(*png);
                written.file.replace(written.file.size() - webp.size(), webp.size(), ".png");
            }
        }
        const std::string& name = written.file;
        if (std::none_of(files.begin(), files.end(), [&](const FolderFile& f) { return f.name == name; }))
            files.push_back({name, std::move(bytes)});
    }
    return files;
}

}  // namespace

std::vector<LineRecord> CultureRecords(const Culture& culture, const ExchangeSky& sky) {
    std::vector<LineRecord> records;
    std::set<std::tuple<int16_t, int16_t, int16_t, int16_t>> seen;
    for (const LineRecord& r : LinesOfCulture(culture, PlacerOf(sky)).records) {
        if (r.ra1 == r.ra2 && r.dec1 == r.dec2) continue;
        const auto key = std::min(std::make_tuple(r.ra1, r.dec1, r.ra2, r.dec2), std::make_tuple(r.ra2, r.dec2, r.ra1, r.dec1));
        if (seen.insert(key).second) records.push_back(r);
    }
    return records;
}

ExportFailure ExportCulture(ExchangeFormat format, const Culture& culture, const ExchangeSky& sky,
                            const std::string& output, const WriteOptions& options, bool othersAllowed,
                            const PngConverter& toPng) {
    ExportFailure result;
    if (format == ExchangeFormat::GeoJson) {
        // By the culture's own constellations, not the IAU's.
        const SkyReference reference = sky.Reference();
        const StarFinder finder(sky.catalog.stars);
        std::vector<ConstellationFigure> figures;
        const CultureLines lines = LinesOfCulture(culture, PlacerOf(sky));
        for (const CultureConstellation& c : culture.constellations) {
            ConstellationFigure figure{c.Abbreviation(), c.name ? c.name->Shown() : "", {}, {}};
            for (size_t i = 0; i < lines.records.size(); ++i) {
                if (lines.owners[i].uid != c.uid) continue;
                const LineRecord& r = lines.records[i];
                figure.lines.push_back({ExportedEnd(r.ra1, r.dec1, reference, finder), ExportedEnd(r.ra2, r.dec2, reference, finder)});
            }
            if (figure.lines.empty()) continue;
            figure.polylines = JoinIntoPolylines(figure.lines);
            figures.push_back(std::move(figure));
        }
        const WriteResult written = WriteFileCarefully(output, FormatGeoJsonLines(figures, sky.englishNames), options);
        if (!written.written) return {true, written.error, 0, {}};
        return result;
    }
    if (IsStandardOutput(output))
        return {true, "a sky culture is a folder of files and cannot be written to standard output", 0, {}};
    const std::string id = FolderName(output);
    if (id.empty() || id.find_first_of(" \t\r\n") != std::string::npos)
        return {true, "a sky culture's folder name is its id and may not be empty or hold blanks", 0, {}};
    if (!othersAllowed)
        if (std::string foreign = ForeignFilesIn(output, id); !foreign.empty())
            return {true, "the folder holds other files (" + foreign + "), not a sky culture's", 0, foreign};
    Culture written;
    if (format == ExchangeFormat::Stellarium) {
        written = culture.form == CultureForm::Current ? culture : ToCurrentForm(culture, id, sky.iauEdges, result.linesLeftOut);
        if (written.id != id) {
            written.fields["id"] = id;
            for (CultureConstellation& c : written.constellations)
                if (c.id.rfind("CON " + written.id + " ", 0) == 0) c.id = "CON " + id + " " + c.Abbreviation();
            written.id = id;
        }
    } else {
        written = culture.form == CultureForm::Older ? culture : ToOlderForm(culture, result.linesLeftOut);
    }
    std::vector<FolderFile> files;
    if (written.form == culture.form) {
        // The same form: every file of the culture as it is, with the model's changes.
        ReadFailure failure;
        files = WholeCultureFiles(written, failure);
        if (failure.failed) return {true, failure.reason, 0, {}};
    } else {
        files = Pictures(culture, written, result, toPng);
        if (result.failed) return result;
        const std::vector<FolderFile> own = CultureFiles(written);
        files.insert(files.end(), own.begin(), own.end());
    }
    if (const WriteResult done = WriteFilesIntoFolder(output, files, options); !done.written) return {true, done.error, 0, {}};
    return result;
}

}  // namespace orvanta
