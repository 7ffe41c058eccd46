// Export, Import and Print from the window.
#include "commands/exchange_commands.h"

#include "commands/document_commands.h"
#include "commands/figure_edits.h"
#include "commands/file_dialogs.h"
#include "documents/culture/culture_export.h"
#include "documents/exchange/exchange.h"
#include "files/quoted_field.h"

namespace orvanta {

namespace {

void Tell(const ProgramState& state, Window& window, TextKey key, const std::string& detail, MessageIcon icon) {
    window.ShowMessage(Text(state.strings, key) + "\n\n" + detail, Text(state.strings, TextKey::Title), icon);
}

std::optional<ExchangeFormat> ExchangeFormatOf(ExportChoice choice) {
    switch (choice) {
        case ExportChoice::StellariumCulture: return ExchangeFormat::Stellarium;
        case ExportChoice::StellariumFab: return ExchangeFormat::StellariumFab;
        case ExportChoice::GeoJson: return ExchangeFormat::GeoJson;
        default: return std::nullopt;
    }
}

}  // namespace

const ExchangeSky* EnsureExchangeSky(ProgramState& state, Window* report) {
    if (state.exchangeSky) return state.exchangeSky.get();
    if (!report && state.exchangeSkyUnreadable) return nullptr;
    auto sky = std::make_shared<ExchangeSky>();
    std::string failedPath;
    if (auto failure = LoadExchangeSky(state.programFolder, EnglishConstellationNames(state.strings), *sky, failedPath);
        failure.failed) {
        if (report) ReportDataFailure(state, *report, failedPath, failure);
        state.exchangeSkyUnreadable = true;
        return nullptr;
    }
    state.deepStars = std::make_shared<DeepStars>(sky->hipparcos, sky->identities);
    state.exchangeSky = std::move(sky);
    return state.exchangeSky.get();
}

void ExportCommand(ProgramState& state, Window& window) {
    if (!state.document.open) return;
    ExportRequest request{Text(state.strings, TextKey::ExportTitle), DialogStartFolder(state), {}};
    for (const TextKey key : {TextKey::ExportStellarium, TextKey::ExportStellariumFab, TextKey::ExportGeoJson,
                              TextKey::ExportSvg, TextKey::ExportPng, TextKey::ExportPngDouble, TextKey::ExportPdf})
        request.choiceNames.push_back(Text(state.strings, key));
    const ExportTarget target = window.GetExportTarget(request);
    if (target.path.empty()) return;
    const auto format = ExchangeFormatOf(target.choice);
    if (!format) {
        if (const std::string error = window.WritePicture(target.choice, target.path); !error.empty())
            Tell(state, window, TextKey::ExportFailed, target.path + "\n" + error, MessageIcon::Critical);
        else
            state.lastFolder = FolderOf(target.path);
        return;
    }
    const ExchangeSky* sky = EnsureExchangeSky(state, &window);
    if (!sky) return;
    const WriteOptions options = SparingTheDocument(state.document);
    // An open culture is written with everything it holds; a figure as its lines.
    const auto exportOnce = [&](bool othersAllowed) {
        if (const CultureDocument* doc = state.document.culture.get())
            return ExportCulture(*format, doc->culture, *sky, target.path, options, othersAllowed,
                                 [&window](std::string_view bytes) { return window.PictureAsPng(bytes); });
        return ExportFigure(*format, state.document.figure.Records(), sky->Reference(), target.path, {}, options,
                            othersAllowed);
    };
    ExportFailure result = exportOnce(false);
    // A folder of other things: written into only when the user says so, and then only the culture's own files.
    if (result.failed && !result.foreignFiles.empty()) {
        if (!window.AskYesNo(FillIn(Text(state.strings, TextKey::ExportIntoOtherFiles), {result.foreignFiles}) +
                                 "\n\n" + target.path,
                             Text(state.strings, TextKey::Warning)))
            return;
        result = exportOnce(true);
    }
    if (!result.failed) state.lastFolder = FolderOf(target.path);
    if (result.failed)
        Tell(state, window, TextKey::ExportFailed, target.path + "\n" + result.reason, MessageIcon::Critical);
    else if (result.linesLeftOut > 0)
        window.ShowMessage(FillIn(Text(state.strings, TextKey::ExportLinesLeftOut), {std::to_string(result.linesLeftOut)}) +
                               "\n\n" + target.path,
                           Text(state.strings, TextKey::Title), MessageIcon::Information);
}

void ImportCommand(ProgramState& state, Window& window) {
    if (!GuardUnsavedChanges(state, window)) return;
    const std::string path = ShowOpenDialog(window, {{Text(state.strings, TextKey::ImportFilter), {"*.fab", "*.json"}}},
                                            Text(state.strings, TextKey::ImportTitle), DialogStartFolder(state));
    if (path.empty()) return;
    const ExchangeSky* sky = EnsureExchangeSky(state, &window);
    if (!sky) return;
    // A save of the source that was cut short is finished or undone before it is read.
    ReportInterruptedSave(state, window, path, FinishInterruptedSave(path));
    // Read whole first: a file that cannot be imported changes nothing.
    ImportResult result = ImportFigure(path, sky->Reference());
    if (result.failure.failed) {
        std::string detail = result.failure.reason;
        if (result.failure.line > 0) detail += "\n" + Text(state.strings, TextKey::ReadingStoppedAt) + " " +
                                               std::to_string(result.failure.line);
        return Tell(state, window, TextKey::ImportFailed, detail, MessageIcon::Critical);
    }
    if (result.records.empty()) {
        std::string detail = path;
        if (result.skippedLines > 0)
            detail += "\n" + FillIn(Text(state.strings, TextKey::ImportLinesSkipped), {std::to_string(result.skippedLines)});
        return Tell(state, window, TextKey::ImportNoLines, detail, MessageIcon::Critical);
    }
    state.lastFolder = FolderOf(path);
    ShowDocument(state, window, "", {});
    RecordEdit(state, window, FigureEdit{FigureEdit::Kind::ReplaceLines, 0, {}, {}, std::move(result.records)});
    // One message at the end: what could not be placed, and what was read as Stellarium reads it.
    std::string told;
    if (result.skippedLines > 0)
        told = FillIn(Text(state.strings, TextKey::ImportLinesSkipped), {std::to_string(result.skippedLines)}) + "\n";
    if (!result.notes.empty()) {
        told += "\n" + Text(state.strings, TextKey::ImportReadAsStellarium) + "\n";
        constexpr size_t kNotesShown = 20;
        for (size_t i = 0; i < result.notes.size() && i < kNotesShown; ++i)
            told += EscapeControls(result.notes[i].file) +
                    (result.notes[i].line > 0 ? ":" + std::to_string(result.notes[i].line) : "") + ": " +
                    result.notes[i].what + "\n";
        if (result.notes.size() > kNotesShown) told += "...\n";
    }
    if (!told.empty())
        window.ShowMessage(told + "\n" + path, Text(state.strings, TextKey::Title), MessageIcon::Information);
}

void PrintCommand(ProgramState& state, Window& window) {
    if (state.document.open) window.PrintMap();
}

}  // namespace orvanta
