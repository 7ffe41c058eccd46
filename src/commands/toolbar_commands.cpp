// The toolbar's commands: turn, tilt, star limit, zoom.
#include "commands/toolbar_commands.h"

#include <cmath>

#include "commands/map_redraw.h"
#include "commands/startup.h"
#include "map/layers.h"

namespace orvanta {

namespace {

void Move(ProgramState& state, Window& window, float longitudeStep, float latitudeStep) {
    state.view.observer.longitude += longitudeStep;
    state.view.observer.latitude += latitudeStep;
    RefreshSiderealTime(state);
    RedrawMap(state, window);
}

void ChangeZoom(ProgramState& state, Window& window, bool zoomIn) {
    Zoom& zoom = state.view.zoom;
    zoom.unit = static_cast<int32_t>(std::nearbyint(zoomIn ? zoom.unit * 1.5 : zoom.unit / 1.5));
    if (zoomIn) {
        if (zoom.unit >= zoom.maxUnit) {
            zoom.unit = zoom.maxUnit;
            window.SetCommandEnabled(ToolbarCommand::ZoomIn, false);
        }
        window.SetCommandEnabled(ToolbarCommand::ZoomOut, true);
    } else {
        if (zoom.unit <= zoom.minUnit) {
            zoom.unit = zoom.minUnit;
            window.SetCommandEnabled(ToolbarCommand::ZoomOut, false);
        }
        window.SetCommandEnabled(ToolbarCommand::ZoomIn, true);
    }
    RedrawMap(state, window);
}

}  // namespace

TextKey ToolbarCommandText(ToolbarCommand command) {
    switch (command) {
        case ToolbarCommand::MoveLeft: return TextKey::MoveLeft;
        case ToolbarCommand::MoveUp: return TextKey::MoveUp;
        case ToolbarCommand::MoveDown: return TextKey::MoveDown;
        case ToolbarCommand::MoveRight: return TextKey::MoveRight;
        case ToolbarCommand::MoreStars: return TextKey::MoreStars;
        case ToolbarCommand::FewerStars: return TextKey::FewerStars;
        case ToolbarCommand::ZoomIn: return TextKey::ZoomIn;
        case ToolbarCommand::ZoomOut: return TextKey::ZoomOut;
    }
    return TextKey::Title;
}

void MoreStars(ProgramState& state, Window& window) {
    StarLimit& limit = state.starLimit;
    limit.tenths = static_cast<uint8_t>(limit.tenths + StarLimit::kStep);
    const size_t start = state.catalog.stars.size(), deepStart = state.DeepStarCount();
    if (!LoadCatalogueOrReport(state, window, limit.tenths)) {
        window.EndProgram();
        return;
    }
    // Only the stars the step adds are drawn, over what is there.
    MapCanvas& canvas = window.BeginMapPainting();
    DrawStars(canvas, state.view, state.catalog, state.showStarColours, start);
    if (state.deepStars)
        DrawDeepStars(canvas, state.view, *state.deepStars, deepStart, state.DeepStarCount(), state.showStarColours);
    window.EndMapPainting();
    if (limit.tenths >= state.FaintestLimit()) {
        limit.tenths = state.FaintestLimit();
        window.SetCommandEnabled(ToolbarCommand::MoreStars, false);
    }
    window.SetCommandEnabled(ToolbarCommand::FewerStars, true);
}

void FewerStars(ProgramState& state, Window& window) {
    StarLimit& limit = state.starLimit;
    limit.tenths = static_cast<uint8_t>(limit.tenths - StarLimit::kStep);
    ShortenCatalogue(state.catalog, limit.tenths);
    RedrawMap(state, window);
    if (limit.tenths <= StarLimit::kBrightest) {
        limit.tenths = StarLimit::kBrightest;
        window.SetCommandEnabled(ToolbarCommand::FewerStars, false);
    }
    window.SetCommandEnabled(ToolbarCommand::MoreStars, true);
}

void RunToolbarCommand(ProgramState& state, Window& window, ToolbarCommand command) {
    switch (command) {
        case ToolbarCommand::MoveLeft: Move(state, window, -30, 0); break;
        case ToolbarCommand::MoveUp: Move(state, window, 0, -45); break;
        case ToolbarCommand::MoveDown: Move(state, window, 0, 45); break;
        case ToolbarCommand::MoveRight: Move(state, window, 30, 0); break;
        case ToolbarCommand::MoreStars: MoreStars(state, window); break;
        case ToolbarCommand::FewerStars: FewerStars(state, window); break;
        case ToolbarCommand::ZoomIn: ChangeZoom(state, window, true); break;
        case ToolbarCommand::ZoomOut: ChangeZoom(state, window, false); break;
    }
}

}  // namespace orvanta
