#include "ui/toolbar_commands.h"

#include <cmath>

#include "app/startup.h"
#include "map/layers.h"
#include "map/redraw.h"

namespace orvanta {

namespace {

constexpr uint8_t kFaintestLimit = 55, kBrightestLimit = 30, kLimitStep = 5;

void Move(Orvanta& state, ConstelWindow& window, float longitudeStep, float latitudeStep) {
    state.view.Longitude += longitudeStep;
    state.view.Latitude += latitudeStep;
    RefreshSiderealTime(state);
    kresli(state, window);
}

void Zoom(Orvanta& state, ConstelWindow& window, bool zoomIn) {
    ViewState& view = state.view;
    view.ZoomUnit = static_cast<int32_t>(std::nearbyint(zoomIn ? view.ZoomUnit * 1.5 : view.ZoomUnit / 1.5));
    if (zoomIn) {
        if (view.ZoomUnit >= view.MaxZoomUnit) {
            view.ZoomUnit = view.MaxZoomUnit;
            window.SetToolbarButtonEnabled(kZoomIn, false);
        }
        window.SetToolbarButtonEnabled(kZoomOut, true);
    } else {
        if (view.ZoomUnit <= view.MinZoomUnit) {
            view.ZoomUnit = view.MinZoomUnit;
            window.SetToolbarButtonEnabled(kZoomOut, false);
        }
        window.SetToolbarButtonEnabled(kZoomIn, true);
    }
    kresli(state, window);
}

}  // namespace

const char* ToolbarButtonTag(int index) {
    static const char* const kTags[kToolbarButtonCount + 1] = {"",    "180", "181", "182", "183", "",
                                                              "185", "186", "",    "188", "189"};
    return index >= 1 && index <= kToolbarButtonCount ? kTags[index] : "";
}

void MoreStars(Orvanta& state, ConstelWindow& window) {
    state.view.MagLimitTenths = static_cast<uint8_t>(state.view.MagLimitTenths + kLimitStep);
    const int32_t start = state.stars.UpperBound() + 1;
    if (!LoadCatalogueOrReport(state, window, state.view.MagLimitTenths)) {
        window.EndProgram();
        return;
    }
    MapCanvas& canvas = window.BeginMapPainting();
    DrawStars(canvas, state.view, state.stars, state.ShowStarColours, start);
    window.EndMapPainting();
    if (state.view.MagLimitTenths >= kFaintestLimit) {
        state.view.MagLimitTenths = kFaintestLimit;
        window.SetToolbarButtonEnabled(kMoreStars, false);
    }
    window.SetToolbarButtonEnabled(kFewerStars, true);
}

void FewerStars(Orvanta& state, ConstelWindow& window) {
    state.view.MagLimitTenths = static_cast<uint8_t>(state.view.MagLimitTenths - kLimitStep);
    ShortenCatalogue(state.stars, state.view.MagLimitTenths);
    kresli(state, window);
    if (state.view.MagLimitTenths <= kBrightestLimit) {
        state.view.MagLimitTenths = kBrightestLimit;
        window.SetToolbarButtonEnabled(kFewerStars, false);
    }
    window.SetToolbarButtonEnabled(kMoreStars, true);
}

void Toolbar1_ButtonClick(Orvanta& state, ConstelWindow& window, int index) {
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
