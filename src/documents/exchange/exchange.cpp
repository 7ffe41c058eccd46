// Export and import of figures: the formats by name, culture folders, and the entry points.
#include "documents/exchange/exchange.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "documents/exchange/exchange_fields.h"
#include "documents/exchange/geojson_lines.h"
#include "files/file_reading.h"
#include "files/quoted_field.h"

namespace orvanta {

namespace {

constexpr size_t kMaxImportBytes = 64u << 20;

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string FolderName(const std::string& path) {
    std::filesystem::path p(path);
    if (!p.has_filename()) p = p.parent_path();
    return p.filename().string();
}

// The id an index.json gives its culture; empty when it cannot be read.
std::string CultureIdOf(const std::filesystem::path& indexJson) {
    std::string text;
    nlohmann::json root;
    if (ReadWholeFile(indexJson.string(), text, kMaxImportBytes).failed || ParseJson(text, root).failed ||
        !root.is_object())
        return {};
    const auto id = root.find("id");
    return id != root.end() && id->is_string() ? id->get<std::string>() : std::string();
}

}  // namespace

std::string LineOffTheSky(const std::vector<LineRecord>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        for (const int16_t dec : {lines[i].dec1, lines[i].dec2})
            if (dec < -9000 || dec > 9000) {
                char degrees[32];
                std::snprintf(degrees, sizeof degrees, "%.2f", dec / 100.0);
                return "line " + std::to_string(i + 1) + " has the declination " + degrees +
                       "\u00b0, beyond the poles (-90\u00b0 to +90\u00b0)";
            }
    }
    return {};
}

std::string ForeignFilesIn(const std::string& folder, const std::string& id) {
    std::error_code error;
    const std::filesystem::path path(folder);
    if (!std::filesystem::is_directory(path, error)) return {};
    if (std::filesystem::is_regular_file(path / "index.json", error) && CultureIdOf(path / "index.json") == id) return {};
    if (std::filesystem::is_regular_file(path / "info.ini", error) &&
        std::filesystem::is_regular_file(path / "constellationship.fab", error))
        return {};
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path, error))
        names.push_back(entry.path().filename().string() + (entry.is_directory(error) ? "/" : ""));
    if (names.empty()) return {};
    std::sort(names.begin(), names.end());
    std::string list;
    const size_t shown = std::min<size_t>(names.size(), 3);
    for (size_t i = 0; i < shown; ++i) list += (i == 0 ? "" : ", ") + EscapeControls(names[i]);
    if (names.size() > shown) list += " and " + std::to_string(names.size() - shown) + " more";
    return list;
}

std::optional<ExchangeFormat> ExchangeFormatNamed(const std::string& name) {
    if (name == "stellarium") return ExchangeFormat::Stellarium;
    if (name == "stellarium-fab") return ExchangeFormat::StellariumFab;
    if (name == "geojson") return ExchangeFormat::GeoJson;
    return std::nullopt;
}

ExportFailure ExportFigure(ExchangeFormat format, const std::vector<LineRecord>& lines, const SkyReference& sky,
                           const std::string& outputPath, const CultureDetails& details, const WriteOptions& options,
                           bool othersAllowed) {
    static const std::vector<std::string> kNoEdges;
    ExportFailure result;
    if (std::string off = LineOffTheSky(lines); !off.empty()) return {true, off, 0, {}};
    const std::vector<ConstellationFigure> figures = GroupFigure(lines, sky, result.linesLeftOut);
    if (format == ExchangeFormat::GeoJson) {
        const WriteResult written = WriteFileCarefully(outputPath, FormatGeoJsonLines(figures, sky.englishNames), options);
        if (!written.written) return {true, written.error, 0, {}};
        return result;
    }
    if (IsStandardOutput(outputPath))
        return {true, "a sky culture is a folder of files and cannot be written to standard output", 0, {}};
    const std::string id = FolderName(outputPath);
    if (id.empty() || id.find_first_of(" \t\r\n") != std::string::npos)
        return {true, "a sky culture's folder name is its id and may not be empty or hold blanks", 0, {}};
    if (!othersAllowed) {
        if (std::string foreign = ForeignFilesIn(outputPath, id); !foreign.empty())
            return {true, "the folder holds other files (" + foreign + "), not a sky culture's", 0, foreign};
    }
    CultureDetails named = details;
    if (named.name.empty()) named.name = id;
    std::vector<FolderFile> files;
    // The file that makes the folder a culture goes last: an export cut short
    // leaves the culture that was there, or the new one, never a mixture that reads as one.
    if (format == ExchangeFormat::Stellarium) {
        files = {{"description.md", FormatDescriptionMarkdown(figures, named, sky.englishNames)},
                 {"index.json", FormatIndexJson(figures, id, sky.englishNames, sky.iauEdges ? *sky.iauEdges : kNoEdges)}};
    } else {
        int leftOut = 0;
        files = {{"info.ini", FormatInfoIni(named)},
                 {"constellation_names.eng.fab", FormatConstellationNames(figures, sky.englishNames)},
                 {"description.en.utf8", FormatDescriptionHtml(named)},
                 {"star_names.fab", FormatStarNames(figures, sky.identities)},
                 {"constellationship.fab", FormatConstellationship(figures, leftOut)}};
        result.linesLeftOut += leftOut;
    }
    if (const WriteResult written = WriteFilesIntoFolder(outputPath, files, options); !written.written)
        return {true, written.error, 0, {}};
    return result;
}

ImportResult ImportFigureText(const std::string& text, const std::string& fileName, const SkyReference& sky) {
    std::vector<ExchangeLine> lines;
    ImportResult result;
    const size_t firstMark = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (EndsWith(fileName, ".fab") || firstMark == std::string::npos || text[firstMark] != '{')
        result.failure = ReadConstellationship(text, lines, &result.notes);
    else if (text.find("\"FeatureCollection\"") != std::string::npos)
        result.failure = ReadGeoJsonLines(text, lines);
    else
        result.failure = ReadIndexJson(text, lines);
    if (!result.failure.failed) ResolveLines(lines, sky, result);
    if (result.failure.failed) {
        result.failure.reason = fileName + ": " + result.failure.reason;
        result.records.clear();
        result.skippedLines = 0;
    }
    return result;
}

ImportResult ImportFigure(const std::string& sourcePath, const SkyReference& sky) {
    std::string path = sourcePath;
    std::error_code error;
    if (std::filesystem::is_directory(sourcePath, error)) {
        path.clear();
        for (const char* name : {"index.json", "constellationship.fab"}) {
            const std::string candidate = (std::filesystem::path(sourcePath) / name).string();
            if (std::filesystem::is_regular_file(candidate, error)) {
                path = candidate;
                break;
            }
        }
        if (path.empty()) {
            ImportResult result;
            result.failure = {true, 0, sourcePath + ": the folder holds neither index.json nor constellationship.fab"};
            return result;
        }
    }
    std::string text;
    if (ReadFailure failure = ReadWholeFile(path, text, kMaxImportBytes); failure.failed) {
        ImportResult result;
        result.failure = {true, 0, path + ": " + failure.reason};
        return result;
    }
    return ImportFigureText(text, path, sky);
}

}  // namespace orvanta
