#include "commands/toolbar_commands.h"

#include <cmath>

#include "commands/map_redraw.h"
#include "commands/startup.h"
#include "map/layers.h"

namespace orvanta {

namespace {

constexpr uint8_t kFaintestLimit = 55, kBrightestLimit = 30, kLimitStep = 5;

void Move(ProgramState& state, Window& window, float longitudeStep, float latitudeStep) {
    state.view.longitude += longitudeStep;
    state.view.latitude += latitudeStep;
    RefreshSiderealTime(state);
    RedrawMap(state, window);
}

void Zoom(ProgramState& state, Window& window, bool zoomIn) {
    ViewState& view = state.view;
    view.zoomUnit = static_cast<int32_t>(std::nearbyint(zoomIn ? view.zoomUnit * 1.5 : view.zoomUnit / 1.5));
    if (zoomIn) {
        if (view.zoomUnit >= view.maxZoomUnit) {
            view.zoomUnit = view.maxZoomUnit;
            window.SetToolbarButtonEnabled(kZoomIn, false);
        }
        window.SetToolbarButtonEnabled(kZoomOut, true);
    } else {
        if (view.zoomUnit <= view.minZoomUnit) {
            view.zoomUnit = view.minZoomUnit;
            window.SetToolbarButtonEnabled(kZoomOut, false);
        }
        window.SetToolbarButtonEnabled(kZoomIn, true);
    }
    RedrawMap(state, window);
}

}  // namespace

const char* ToolbarButtonKey(int index) {
    static const char* const kKeys[kToolbarButtonCount + 1] = {"",    "180", "181", "182", "183", "",
                                                              "185", "186", "",    "188", "189"};
    return index >= 1 && index <= kToolbarButtonCount ? kKeys[index] : "";
}

void MoreStars(ProgramState& state, Window& window) {
    state.view.magLimitTenths = static_cast<uint8_t>(state.view.magLimitTenths + kLimitStep);
    const size_t start = state.catalog.stars.size();
    if (!LoadCatalogueOrReport(state, window, state.view.magLimitTenths)) {
        window.EndProgram();
        return;
    }
    MapCanvas& canvas = window.BeginMapPainting();
    DrawStars(canvas, state.view, state.catalog, state.showStarColours, start);
    window.EndMapPainting();
    if (state.view.magLimitTenths >= kFaintestLimit) {
        state.view.magLimitTenths = kFaintestLimit;
        window.SetToolbarButtonEnabled(kMoreStars, false);
    }
    window.SetToolbarButtonEnabled(kFewerStars, true);
}

void FewerStars(ProgramState& state, Window& window) {
    state.view.magLimitTenths = static_cast<uint8_t>(state.view.magLimitTenths - kLimitStep);
    ShortenCatalogue(state.catalog, state.view.magLimitTenths);
    RedrawMap(state, window);
    if (state.view.magLimitTenths <= kBrightestLimit) {
        state.view.magLimitTenths = kBrightestLimit;
        window.SetToolbarButtonEnabled(kFewerStars, false);
    }
    window.SetToolbarButtonEnabled(kMoreStars, true);
}

void RunToolbarCommand(ProgramState& state, Window& window, int index) {
    switch (index) {
        case kMoveLeft: Move(state, window, -30, 0); break;
        case kMoveUp: Move(state, window, 0, -45); break;
        case kMoveDown: Move(state, window, 0, 45); break;
        case kMoveRight: Move(state, window, 30, 0); break;
        case kMoreStars: MoreStars(state, window); break;
        case kFewerStars: FewerStars(state, window); break;
        case kZoomIn: Zoom(state, window, true); break;
        case kZoomOut: Zoom(state, window, false); break;
        default: break;
    }
}

}  // namespace orvanta
