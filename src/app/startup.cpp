#include "app/startup.h"

#include <sys/stat.h>

#include "documents/document_commands.h"

namespace orvanta {

std::string ProgramFolder(const std::string& reportedFolder) {
    if (!reportedFolder.empty() && reportedFolder.back() == '/') return reportedFolder;
    return reportedFolder + '/';
}

std::string FindIniPath(const std::string& appDir) {
    const std::string path = appDir + "orvanta.ini";
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
    return path;
}

void RefreshSiderealTime(Orvanta& state) {
    UpdateSiderealTime(state.time, state.view.Longitude);
    state.view.SiderealTime = state.time.SiderealTime;
}

namespace {

// The view time becomes the given moment; the map does not follow the clock after that.
void TakePresentMoment(Orvanta& state, const LocalDateTime& now) {
    ted(state.time, state.view.Longitude, now);
    state.view.SiderealTime = state.time.SiderealTime;
}

}  // namespace

void Main(Orvanta& state, const std::string& reportedFolder, const LocalDateTime& now) {
    state.AppDir = ProgramFolder(reportedFolder);
    state.strings.IniPath = FindIniPath(state.AppDir);
    state.view.LatitudeRad = 0.872664625997165;
    state.view.Longitude = -15.0f;
    state.view.Latitude = 50.0f;
    UpdateLatitudeTerms(state.view);
    TakePresentMoment(state, now);
    LoadDefaultGuiStrings(state.strings);
}

bool LoadCatalogueOrReport(Orvanta& state, ConstelWindow& window, uint8_t limitTenths) {
    const std::string path = state.DataPath("yale.dat");
    const ReadFailure failure = LoadCatalogue(state.stars, path, limitTenths);
    if (!failure.failed) return true;
    ReportDataFailure(state, window, path, failure);
    return false;
}

bool Form_Load(Orvanta& state, ConstelWindow& window, FormTexts& texts, const LocalDateTime& now) {
    LocaliseForm(texts, state.strings);
    state.stars = StarCatalog{};
    state.figure.StartY = -1;
    state.figure.DrawingLine = false;
    state.view.MagLimitTenths = 40;
    state.ShowStarColours = true;
    state.view.ScaleFactor = 2;
    TakePresentMoment(state, now);
    return LoadCatalogueOrReport(state, window, state.view.MagLimitTenths);
}

}  // namespace orvanta
