#include "commands/startup.h"

#include <sys/stat.h>

#include <cstdlib>

#include "commands/document_commands.h"
#include "commands/window_state.h"
#include "files/user_folders.h"

namespace orvanta {

namespace {

bool IsPlainFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The view time becomes the given moment; the map does not follow the clock after that.
void TakePresentMoment(ProgramState& state, const LocalDateTime& now) {
    SetViewTime(state.time, state.view.longitude, now);
    state.view.siderealTime = state.time.siderealTime;
}

}  // namespace

std::string ProgramFolder(const std::string& reportedFolder) {
    if (!reportedFolder.empty() && reportedFolder.back() == '/') return reportedFolder;
    return reportedFolder + '/';
}

std::string FindIniPath(const std::string& userConfigFolder, const std::string& programFolder) {
    for (const std::string& folder : {userConfigFolder, programFolder}) {
        if (folder.empty()) continue;
        if (const std::string path = folder + "orvanta.ini"; IsPlainFile(path)) return path;
    }
    return {};
}

void RefreshSiderealTime(ProgramState& state) {
    UpdateSiderealTime(state.time, state.view.longitude);
    state.view.siderealTime = state.time.siderealTime;
}

void PrepareProgram(ProgramState& state, const std::string& reportedFolder, const LocalDateTime& now,
                    const std::string& userConfigFolder) {
    state.programFolder = ProgramFolder(reportedFolder);
    state.strings.iniPath = FindIniPath(userConfigFolder, state.programFolder);
    state.view.latitudeRad = 0.872664625997165;
    state.view.longitude = -15.0f;
    state.view.latitude = 50.0f;
    UpdateLatitudeTerms(state.view);
    TakePresentMoment(state, now);
    LoadDefaultGuiStrings(state.strings);
}

bool LoadCatalogueOrReport(ProgramState& state, Window& window, uint8_t limitTenths) {
    const std::string path = state.DataPath("yale.dat");
    const ReadFailure failure = LoadCatalogue(state.catalog, path, limitTenths);
    if (!failure.failed) return true;
    ReportDataFailure(state, window, path, failure);
    return false;
}

bool LoadWindow(ProgramState& state, Window& window, FormTexts& texts, const LocalDateTime& now) {
    LocaliseForm(texts, state.strings);
    if (const std::string refusal = GuiStringsFileRefusal(state.strings); !refusal.empty())
        window.ShowMessage(Text(state.strings, TextKey::TranslationRefused) + "\n\n" + state.strings.iniPath + "\n" +
                               refusal,
                           Text(state.strings, TextKey::Title), MessageIcon::Critical);
    state.catalog = StarCatalog{};
    state.document.figure.EndBand();
    state.view.magLimitTenths = 40;
    state.showStarColours = true;
    state.view.scaleFactor = 2;
    TakePresentMoment(state, now);
    const bool loaded = LoadCatalogueOrReport(state, window, state.view.magLimitTenths);
    RefreshWindowState(state, window);
    return loaded;
}

}  // namespace orvanta
