// The command line: its options, and the verbs that run without a window.
#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <optional>

#include "commands/exchange_commands.h"
#include "commands/startup.h"
#include "documents/culture/culture_check.h"
#include "documents/culture/culture_export.h"
#include "documents/culture/culture_folder.h"
#include "documents/exchange/exchange.h"
#include "documents/figure_file.h"
#include "files/careful_writer.h"
#include "files/quoted_field.h"
#include "files/user_folders.h"
#include "map/map_painting.h"
#include "platform/map_picture.h"
#include "platform/picture_store.h"
#include "platform/system_clock.h"

namespace orvanta {

namespace {

const char* const kPictureFormats[] = {"svg", "png", "pdf"};

int Fail(const std::string& reason) {
    std::fprintf(stderr, "orvanta: %s\n", reason.c_str());
    return 1;
}

// "path: reason", the path said once though the reason may begin with it,
// and on one line whatever the name holds.
std::string Describe(const std::string& path, const std::string& reason, int line = 0) {
    std::string text = EscapeControls(reason.rfind(path, 0) == 0 ? reason : path + ": " + reason);
    if (line > 0) text += " (line " + std::to_string(line) + ")";
    return text;
}

std::string Describe(const std::string& path, const ReadFailure& failure) {
    return Describe(path, failure.reason, failure.line);
}

// The input is never written over: an output that is the input is refused.
WriteOptions InputsOf(const CommandLine& line) {
    WriteOptions options;
    if (const auto identity = IdentityOf(line.input)) options.inputs.push_back(*identity);
    return options;
}

void TellInterruptedSave(const std::string& path, const InterruptedSave& found) {
    const char* what = nullptr;
    switch (found.outcome) {
        case InterruptedSave::Outcome::None: return;
        case InterruptedSave::Outcome::Finished: what = "an interrupted earlier save had finished; its copy was removed"; break;
        case InterruptedSave::Outcome::Restored: what = "an interrupted earlier save was undone; the file is as before it"; break;
        case InterruptedSave::Outcome::KeptAside: what = "an interrupted earlier save could not be undone; the old contents are in"; break;
    }
    std::fprintf(stderr, "orvanta: %s: %s%s\n", EscapeControls(path).c_str(), what,
                 found.copyPath.empty() || found.outcome != InterruptedSave::Outcome::KeptAside
                     ? ""
                     : (" " + EscapeControls(found.copyPath)).c_str());
}

// What was read in a way the files allow but an author would look at, said once.
void TellNotes(const Culture& culture) {
    for (const ReadNote& note : culture.notes)
        std::fprintf(stderr, "orvanta: %s: %s\n",
                     EscapeControls(culture.folder + "/" + note.file + (note.line ? ":" + std::to_string(note.line) : ""))
                         .c_str(),
                     note.what.c_str());
}

int ExportPicture(const CommandLine& line, const std::string& programFolder, const std::vector<LineRecord>& records) {
    // The default view of the present moment, as the window shows it first.
    ProgramState state;
    PrepareProgram(state, programFolder, PresentLocalTime(), UserConfigFolder());
    const std::string catalogue = state.DataPath("yale.dat");
    if (auto failure = LoadCatalogue(state.catalog, catalogue, state.starLimit.tenths); failure.failed)
        return Fail(Describe(catalogue, failure));
    const QSize size(1920, 1080);
    ResetZoom(state.view.zoom, size.height());
    state.document.open = true;
    state.document.file = line.input;
    state.document.figure.ReplaceLines(records);
    const ExportChoice choice = line.format == "svg"   ? ExportChoice::Svg
                                : line.format == "pdf" ? ExportChoice::Pdf
                                : line.scale == 2      ? ExportChoice::PngDouble
                                                       : ExportChoice::Png;
    if (const std::string error = WriteMapPicture(state, choice, line.output, size); !error.empty())
        return Fail(Describe(line.output, error));
    return 0;
}

}  // namespace

bool NeedsImages(const CommandLine& line) {
    // The older form takes PNG copies of WebP pictures, which Qt's image plugins make.
    return NeedsPainting(line) || (line.verb == CommandLine::Verb::Export && line.format == "stellarium-fab");
}

bool NeedsPainting(const CommandLine& line) {
    if (line.verb != CommandLine::Verb::Export) return false;
    for (const char* format : kPictureFormats)
        if (line.format == format) return true;
    return false;
}

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Draws constellation figures over the sky of the present moment.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption exportOption(
        "export",
        "Writes FIGURE.con or a sky culture (its folder) to OUTPUT without a window. FORMAT: stellarium (a sky-culture folder, Stellarium 24 and "
        "later), stellarium-fab (a sky-culture folder, Stellarium 0.22 and 23), geojson (web sky maps), svg, png, pdf "
        "(a picture of the default view). OUTPUT - writes a file format to standard output.",
        "FORMAT");
    const QCommandLineOption importOption(
        "import",
        "Reads SOURCE (a constellationship.fab, an index.json, a GeoJSON lines file, or a sky-culture folder holding "
        "one of them) and writes it as the figure OUTPUT.con (- for standard output), without a window.",
        "SOURCE");
    const QCommandLineOption scaleOption("scale", "With --export png: 1 or 2 pixels to the map's pixel.", "N", "1");
    const QCommandLineOption checkOption(
        "check",
        "Checks the sky culture CULTURE (its folder, index.json or constellationship.fab) as Stellarium would read it and "
        "lists what it would refuse and what a careful author would mend; ends with 1 when there is anything it would refuse.",
        "CULTURE");
    parser.addOptions({exportOption, importOption, scaleOption, checkOption});
    parser.addPositionalArgument("FILE", "The figure (.con) or sky culture (a folder) to open at start, as Open does.",
                                 "[FILE]");

    CommandLine line;
    const auto mistake = [&](const QString& text) {
        line.verb = CommandLine::Verb::Mistake;
        line.text = (text + "\nTry 'orvanta --help' for more.\n").toStdString();
        return line;
    };
    if (!parser.parse(arguments)) return mistake(parser.errorText());
    if (parser.isSet(help)) {
        line.verb = CommandLine::Verb::Help;
        line.text = parser.helpText().toStdString();
        return line;
    }
    if (parser.isSet(version)) {
        line.verb = CommandLine::Verb::Version;
        line.text = (QCoreApplication::applicationName() + " " + QCoreApplication::applicationVersion() + "\n").toStdString();
        return line;
    }
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(exportOption) + parser.isSet(importOption) + parser.isSet(checkOption) > 1)
        return mistake("--export, --import and --check exclude each other");
    if (parser.isSet(checkOption)) {
        if (!positional.isEmpty()) return mistake("--check needs CULTURE alone");
        line.verb = CommandLine::Verb::Check;
        line.input = parser.value(checkOption).toStdString();
        return line;
    }
    if (parser.isSet(exportOption)) {
        if (positional.size() != 2) return mistake("--export needs FORMAT FIGURE.con|CULTURE OUTPUT");
        line.verb = CommandLine::Verb::Export;
        line.format = parser.value(exportOption).toStdString();
        line.input = positional[0].toStdString();
        line.output = positional[1].toStdString();
        const QString scale = parser.value(scaleOption);
        if (scale != "1" && scale != "2") return mistake("--scale must be 1 or 2");
        line.scale = scale.toInt();
        if (!NeedsPainting(line) && !ExchangeFormatNamed(line.format)) return mistake("unknown format '" + parser.value(exportOption) + "'");
        return line;
    }
    if (parser.isSet(importOption)) {
        if (positional.size() != 1) return mistake("--import needs SOURCE OUTPUT.con");
        line.verb = CommandLine::Verb::Import;
        line.input = parser.value(importOption).toStdString();
        line.output = positional[0].toStdString();
        return line;
    }
    if (positional.size() > 1) return mistake("only one figure can be opened");
    if (!positional.isEmpty()) line.file = positional[0].toStdString();
    return line;
}

int RunVerb(const CommandLine& line, const std::string& programFolder) {
    const std::string folder = ProgramFolder(programFolder);
    const GuiStrings strings;
    ExchangeSky sky;
    const auto loadSky = [&]() -> int {
        std::string failedPath;
        if (auto failure = LoadExchangeSky(folder, EnglishConstellationNames(strings), sky, failedPath); failure.failed)
            return Fail(Describe(failedPath, failure));
        return 0;
    };
    // A sky culture: a folder, or its index.json or constellationship.fab.
    std::optional<Culture> culture;
    if (!CultureFolderOf(line.input).empty() || line.verb == CommandLine::Verb::Check) {
        culture.emplace();
        if (auto failure = ReadCulture(line.input, *culture); failure.failed) return Fail(Describe(line.input, failure));
        if (const int failed = loadSky()) return failed;
        TellNotes(*culture);
    }
    if (line.verb == CommandLine::Verb::Check) {
        const auto findings =
            CheckCulture(*culture, [&](int32_t hip) { return sky.hipparcos.Find(hip) != nullptr; }, strings,
                         [&](int32_t hip) { return sky.DirectionOfHip(hip); });
        std::fputs((CheckReport(findings, strings) + "\n").c_str(), stdout);
        return std::any_of(findings.begin(), findings.end(), [](const CheckFinding& f) { return f.error; }) ? 1 : 0;
    }
    if (line.verb == CommandLine::Verb::Import) {
        ImportResult result;
        if (culture) {
            result.records = CultureRecords(*culture, sky);
        } else {
            if (const int failed = loadSky()) return failed;
            // A save of the source that was cut short is finished or undone before it is read.
            TellInterruptedSave(line.input, FinishInterruptedSave(line.input));
            result = ImportFigure(line.input, sky.Reference());
            if (result.failure.failed) return Fail(Describe(line.input, result.failure));
            for (const ReadNote& note : result.notes)
                std::fprintf(stderr, "orvanta: %s: %s\n", EscapeControls(line.input + ":" + std::to_string(note.line)).c_str(),
                             note.what.c_str());
        }
        if (result.skippedLines > 0)
            std::fprintf(stderr, "orvanta: %d lines skipped: their stars are not in the catalogue\n", result.skippedLines);
        // An empty figure would replace the output with nothing.
        if (result.records.empty())
            return Fail(Describe(line.input, "no line could be read, so " + line.output + " was not written"));
        const WriteResult written = WriteFigureFile(result.records, line.output, InputsOf(line));
        TellInterruptedSave(line.output, written.earlier);
        if (!written.written) return Fail(Describe(line.output, written.error));
        return 0;
    }
    std::vector<LineRecord> records;
    if (culture) {
        records = CultureRecords(*culture, sky);
    } else {
        TellInterruptedSave(line.input, FinishInterruptedSave(line.input));
        if (auto failure = ReadFigureRecords(line.input, records); failure.failed) return Fail(Describe(line.input, failure));
    }
    if (NeedsPainting(line)) return ExportPicture(line, folder, records);
    if (!culture)
        if (const int failed = loadSky()) return failed;
    const ExchangeFormat format = *ExchangeFormatNamed(line.format);
    const ExportFailure result = culture ? ExportCulture(format, *culture, sky, line.output, InputsOf(line), false, PngOf)
                                         : ExportFigure(format, records, sky.Reference(), line.output, {}, InputsOf(line));
    if (result.failed) return Fail(Describe(line.output, result.reason));
    if (result.linesLeftOut > 0)
        std::fprintf(stderr, "orvanta: %d lines or constellations left out: the form cannot hold them\n", result.linesLeftOut);
    return 0;
}

}  // namespace orvanta
