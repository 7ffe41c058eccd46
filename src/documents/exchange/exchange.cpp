#include "documents/exchange/exchange.h"

#include <filesystem>

#include "documents/atomic_file.h"
#include "documents/exchange/folder_writer.h"
#include "documents/exchange/geojson_lines.h"
#include "sky/text_file.h"

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

}  // namespace

std::optional<ExchangeFormat> ExchangeFormatNamed(const std::string& name) {
    if (name == "stellarium") return ExchangeFormat::Stellarium;
    if (name == "stellarium-fab") return ExchangeFormat::StellariumFab;
    if (name == "geojson") return ExchangeFormat::GeoJson;
    return std::nullopt;
}

ExportFailure ExportFigure(ExchangeFormat format, const std::vector<LineRecord>& lines, const SkyReference& sky,
                           const std::string& outputPath, const CultureDetails& details) {
    ExportFailure result;
    const std::vector<ConstellationFigure> figures = GroupFigure(lines, sky, result.linesLeftOut);
    std::string error;
    if (format == ExchangeFormat::GeoJson) {
        if (!WriteFileAtomically(outputPath, FormatGeoJsonLines(figures, sky.englishNames), error))
            return {true, outputPath + ": " + error, 0};
        return result;
    }
    const std::string id = FolderName(outputPath);
    if (id.empty() || id.find_first_of(" \t\r\n") != std::string::npos)
        return {true, outputPath + ": a sky culture's folder name is its id and may not be empty or hold blanks", 0};
    CultureDetails named = details;
    if (named.name.empty()) named.name = id;
    std::vector<std::pair<std::string, std::string>> files;
    if (format == ExchangeFormat::Stellarium) {
        files = {{"index.json", FormatIndexJson(figures, id, sky.englishNames)},
                 {"description.md", FormatDescriptionMarkdown(figures, named, sky.englishNames)}};
    } else {
        int leftOut = 0;
        files = {{"info.ini", FormatInfoIni(named)},
                 {"constellationship.fab", FormatConstellationship(figures, leftOut)},
                 {"constellation_names.eng.fab", FormatConstellationNames(figures, sky.englishNames)},
                 {"description.en.utf8", FormatDescriptionHtml(named)}};
        result.linesLeftOut += leftOut;
    }
    if (!WriteFolderAtomically(outputPath, files, error)) return {true, outputPath + ": " + error, 0};
    return result;
}

ImportResult ImportFigureText(const std::string& text, const std::string& fileName, const SkyReference& sky) {
    std::vector<ExchangeLine> lines;
    ImportResult result;
    const size_t firstMark = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (EndsWith(fileName, ".fab") || firstMark == std::string::npos || text[firstMark] != '{')
        result.failure = ReadConstellationship(text, lines);
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
