// A culture's folder from the window: Check Culture, Save, Save As, Install
// in Stellarium, and a new culture made from a figure.
#include <algorithm>

#include "commands/culture_commands.h"
#include "commands/document_commands.h"
#include "commands/exchange_commands.h"
#include "commands/file_dialogs.h"
#include "commands/recovery.h"
#include "commands/window_state.h"
#include "documents/culture/culture_check.h"
#include "documents/culture/culture_folder.h"
#include "documents/exchange/exchange.h"
#include "files/file_reading.h"
#include "files/quoted_field.h"
#include "files/user_folders.h"

namespace orvanta {

void CheckCultureCommand(ProgramState& state, Window& window) {
    const CultureDocument* doc = OpenCultureDocument(state);
    if (!doc) return;
    const ExchangeSky* sky = EnsureExchangeSky(state, &window);
    const auto exists = [sky](int32_t hip) { return sky && sky->hipparcos.Find(hip) != nullptr; };
    window.ShowReport(Text(state.strings, TextKey::CheckCulture),
                      CheckReport(CheckCulture(doc->culture, exists, state.strings,
                                               [sky](int32_t hip) { return sky ? sky->DirectionOfHip(hip) : std::nullopt; }),
                                  state.strings));
}

bool SaveCulture(ProgramState& state, Window& window) {
    CultureDocument* doc = OpenCultureDocument(state);
    if (!doc) return false;
    ReadFailure pictures;
    std::vector<FolderFile> changes = AddedPictures(doc->culture, pictures);
    if (pictures.failed) {
        TellAboutCulture(state, window, TextKey::CultureSaveFailed, pictures.reason, MessageIcon::Critical);
        return false;
    }
    // The pictures first: the culture's files name them.
    for (FolderFile& file : CultureChanges(doc->culture)) changes.push_back(std::move(file));
    if (!changes.empty()) {
        const WriteResult written = WriteFilesIntoFolder(doc->culture.folder, changes);
        ReportInterruptedSave(state, window, doc->culture.folder, written.earlier);
        if (!written.written) {
            TellAboutCulture(state, window, TextKey::CultureSaveFailed, doc->culture.folder + "\n" + written.error, MessageIcon::Critical);
            return false;
        }
        RebaseCulture(doc->culture, changes);
        doc->culture.addedPictures.clear();
    }
    state.document.history.MarkClean();
    RemoveRecovery(state);
    RefreshWindowState(state, window);
    return true;
}


bool SaveCultureAs(ProgramState& state, Window& window, const std::string& folder) {
    CultureDocument* doc = OpenCultureDocument(state);
    if (!doc) return false;
    std::string target = folder;
    while (target.size() > 1 && target.back() == '/') target.pop_back();
    const std::string id = target.substr(target.find_last_of('/') + 1);
    Culture copy = doc->culture;
    if (copy.form == CultureForm::Current && copy.id != id) {
        if (!window.AskYesNo(FillIn(Text(state.strings, TextKey::CultureIdFollows), {id}), Text(state.strings, TextKey::Title)))
            return false;
        copy.fields["id"] = id;
        for (CultureConstellation& c : copy.constellations)
            if (c.id.rfind("CON " + copy.id + " ", 0) == 0) c.id = "CON " + id + " " + c.Abbreviation();
        copy.id = id;
    }
    ReadFailure failure;
    const std::vector<FolderFile> files = WholeCultureFiles(copy, failure);
    if (failure.failed) {
        TellAboutCulture(state, window, TextKey::CultureSaveFailed, target + "\n" + failure.reason, MessageIcon::Critical);
        return false;
    }
    const WriteResult written = WriteFilesIntoFolder(target, files);
    if (!written.written) {
        TellAboutCulture(state, window, TextKey::CultureSaveFailed, target + "\n" + written.error, MessageIcon::Critical);
        return false;
    }
    copy.folder = target;
    RebaseCulture(copy, files);
    copy.addedPictures.clear();
    doc->culture = std::move(copy);
    state.document.file = target;
    state.lastFolder = FolderOf(target);
    state.document.history.MarkClean();
    RemoveRecovery(state);
    RememberRecentFile(state, target);
    RefreshCultureFigure(state, window);
    RefreshWindowState(state, window);
    return true;
}

void InstallInStellariumCommand(ProgramState& state, Window& window) {
    const CultureDocument* doc = OpenCultureDocument(state);
    if (!doc) return;
    const std::string home = HomeFolder();
    if (home.empty()) return;
    const std::string skycultures = home + "/.stellarium/skycultures";
    const std::string target = skycultures + "/" + doc->culture.id;
    if (Exists(target) &&
        !window.AskYesNo(FillIn(Text(state.strings, TextKey::InstallReplace), {doc->culture.id}) + "\n\n" + target,
                         Text(state.strings, TextKey::Warning)))
        return;
    ReadFailure failure;
    const std::vector<FolderFile> files = WholeCultureFiles(doc->culture, failure);
    // Stellarium makes its folder at its first start: one that never ran gets it now.
    MakeFolders(skycultures);
    const WriteResult written = failure.failed ? WriteResult{false, failure.reason, {}} : WriteFilesIntoFolder(target, files);
    if (!written.written)
        return TellAboutCulture(state, window, TextKey::ExportFailed, target + "\n" + written.error, MessageIcon::Critical);
    window.ShowMessage(FillIn(Text(state.strings, TextKey::Installed), {target}), Text(state.strings, TextKey::Title),
                       MessageIcon::Information);
}

void NewCultureFromFigureCommand(ProgramState& state, Window& window) {
    if (!state.document.open || state.document.IsCulture() || !GuardUnsavedChanges(state, window)) return;
    const std::string folder = ShowSaveDialog(window, {{Text(state.strings, TextKey::CultureFilter), {"*"}}},
                                              Text(state.strings, TextKey::NewCultureFromFigure), DialogStartFolder(state), "", "");
    if (folder.empty()) return;
    const ExchangeSky* sky = EnsureExchangeSky(state, &window);
    if (!sky) return;
    // The figure becomes a culture as Export writes one, grouped by the IAU constellations; then it opens as one.
    const ExportFailure result =
        ExportFigure(ExchangeFormat::Stellarium, state.document.figure.Records(), sky->Reference(), folder);
    if (result.failed) return TellAboutCulture(state, window, TextKey::ExportFailed, folder + "\n" + result.reason, MessageIcon::Critical);
    OpenCulture(state, window, folder);
}

}  // namespace orvanta
