// Start-up: the program's folder, the translation file, the view time and the window's load.
#include "commands/startup.h"

#include "commands/document_commands.h"
#include "commands/window_state.h"
#include "files/file_reading.h"

namespace orvanta {

namespace {

// The view time becomes the given moment; the map does not follow the clock after that.
void TakePresentMoment(ProgramState& state, const LocalDateTime& now) {
    SetViewTime(state.time, state.view.observer.longitude, now);
    state.view.observer.siderealTime = state.time.siderealTime;
}

}  // namespace

std::string ProgramFolder(const std::string& reportedFolder) {
    if (!reportedFolder.empty() && reportedFolder.back() == '/') return reportedFolder;
    return reportedFolder + '/';
}

std::string FindIniPath(const std::string& userConfigFolder, const std::string& programFolder) {
    for (const std::string& folder : {userConfigFolder, programFolder}) {
        if (folder.empty()) continue;
        if (const std::string path = folder + "orvanta.ini"; IsRegularFile(path)) return path;
    }
    return {};
}

void RefreshSiderealTime(ProgramState& state) {
    UpdateSiderealTime(state.time, state.view.observer.longitude);
    state.view.observer.siderealTime = state.time.siderealTime;
}

void PrepareProgram(ProgramState& state, const std::string& reportedFolder, const LocalDateTime& now,
                    const std::string& userConfigFolder) {
    state.programFolder = ProgramFolder(reportedFolder);
    state.strings.iniPath = FindIniPath(userConfigFolder, state.programFolder);
    state.view.observer = Observer{};
    UpdateLatitudeTerms(state.view.observer);
    TakePresentMoment(state, now);
}

bool LoadCatalogueOrReport(ProgramState& state, Window& window, uint8_t limitTenths) {
    const std::string path = state.DataPath("yale.dat");
    const ReadFailure failure = LoadCatalogue(state.catalog, path, limitTenths);
    if (!failure.failed) return true;
    ReportDataFailure(state, window, path, failure);
    return false;
}

bool LoadWindow(ProgramState& state, Window& window, const LocalDateTime& now) {
    if (const std::string refusal = GuiStringsFileRefusal(state.strings); !refusal.empty())
        window.ShowMessage(Text(state.strings, TextKey::TranslationRefused) + "\n\n" + state.strings.iniPath + "\n" +
                               refusal,
                           Text(state.strings, TextKey::Title), MessageIcon::Critical);
    state.catalog = StarCatalog{};
    state.document.figure.EndBand();
    state.starLimit = StarLimit{};
    state.showStarColours = true;
    state.view.zoom.scaleFactor = Zoom{}.scaleFactor;
    TakePresentMoment(state, now);
    const bool loaded = LoadCatalogueOrReport(state, window, state.starLimit.tenths);
    RefreshWindowState(state, window);
    return loaded;
}

}  // namespace orvanta
