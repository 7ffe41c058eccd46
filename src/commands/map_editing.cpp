// Drawing, selecting and deleting lines with the mouse and Del.
#include "commands/map_editing.h"

#include "commands/culture_commands.h"
#include "commands/exchange_commands.h"
#include "commands/figure_edits.h"
#include "commands/map_redraw.h"
#include "map/figure_placement.h"
#include "map/pointer.h"

namespace orvanta {

namespace {

void ShowStatus(const ProgramState& state, Window& window, TextKey key) {
    window.SetStatusText(Text(state.strings, key));
}

void RepaintMarkers(Window& window, const Figure& figure) {
    if (const auto markers = SelectionMarkers(figure))
        window.OverlayChanged(Union((*markers)[0], (*markers)[1]).InPixels());
}

// The Hipparcos number of the star at a place: the map's star there, else the brightest Hipparcos star.
std::optional<int32_t> HipAt(ProgramState& state, int32_t ra, int32_t dec) {
    const ExchangeSky* sky = EnsureExchangeSky(state, nullptr);
    if (!sky) return std::nullopt;
    for (size_t i = 0; i < state.catalog.stars.size(); ++i)
        if (state.catalog.stars[i].ra == ra && state.catalog.stars[i].dec == dec)
            if (const StarIdentity* identity = sky->identities.Of(i)) return identity->hip;
    if (const HipparcosStar* star = sky->hipparcos.AtUnits(ra, dec)) return star->hip;
    return std::nullopt;
}

void PressOnStar(ProgramState& state, Window& window, const Star& star) {
    Figure& figure = state.document.figure;
    if (figure.Drawing()) {
        const RubberBand band = *figure.Band();
        // The start star again is no line: a double click must not store a line of no length.
        if (band.startRa == star.ra && band.startDec == star.dec) return;
        if (figure.LineCount() >= kMaxLineCount) return;  // no room for another line
        figure.EndBand();
        window.OverlayLineChanged(band.line.InPixels());
        if (state.document.IsCulture()) {
            // A culture's lines join stars by their Hipparcos numbers.
            const auto from = HipAt(state, band.startRa, band.startDec), to = HipAt(state, star.ra, star.dec);
            if (!from || !to) return ShowStatus(state, window, TextKey::HintIdle);
            AddCultureLine(state, window, *from, *to);
        } else {
            const LineRecord record{static_cast<int16_t>(band.startRa), static_cast<int16_t>(band.startDec),
                                    static_cast<int16_t>(star.ra), static_cast<int16_t>(star.dec)};
            RecordEdit(state, window, FigureEdit{FigureEdit::Kind::AddLine, figure.LineCount(), record, {}, {}});
        }
        // The line just finished was the last one a figure can hold: the chain ends.
        if (figure.LineCount() >= kMaxLineCount) return ShowStatus(state, window, TextKey::HintIdle);
    } else if (figure.LineCount() >= kMaxLineCount) {
        return;
    }
    if (!StartBand(figure, state.view, star)) return;
    window.OverlayLineChanged(figure.Band()->line.InPixels());
    ShowStatus(state, window, TextKey::HintDrawing);
}

void SelectLineAt(ProgramState& state, Window& window, PixelPoint at) {
    Figure& figure = state.document.figure;
    const auto found = LineUnderPointer(figure, at);
    if (!found) return;
    RepaintMarkers(window, figure);
    figure.Select(*found);
    RepaintMarkers(window, figure);
    window.MarkersChanged();
    ShowStatus(state, window, TextKey::HintSelected);
    // In a culture the line's constellation is selected with it.
    if (const auto uid = ConstellationOfLine(state, *found)) SelectConstellation(state, window, uid);
}

}  // namespace

std::optional<PickedStar> PickStar(ProgramState& state, PixelPoint at) {
    if (const auto index = StarUnderPointer(state.view, state.catalog, at)) {
        const ExchangeSky* sky = EnsureExchangeSky(state, nullptr);
        const StarIdentity* identity = sky ? sky->identities.Of(*index) : nullptr;
        return PickedStar{state.catalog.stars[*index], index, identity ? std::optional(identity->hip) : std::nullopt};
    }
    const size_t count = state.DeepStarCount();
    if (count == 0) return std::nullopt;
    const auto deep = state.deepStars->InBox(SkyUnderPointer(state.view, at), count);
    if (!deep) return std::nullopt;
    const Star& star = state.deepStars->At(*deep);
    if (!ProjectCatalogueUnits(state.view, star.ra, star.dec)) return std::nullopt;
    return PickedStar{star, std::nullopt, state.deepStars->HipAt(*deep)};
}

void MapMouseDown(ProgramState& state, Window& window, MouseButton button, Modifiers modifiers, PixelPoint at) {
    // Before a figure is shown there is no map to click on, and nowhere to keep a line.
    if (!state.document.open) return;
    if (modifiers.ShiftAlone()) return SelectLineAt(state, window, at);
    if (button == MouseButton::Right) {
        EndDrawing(state, window);
        return ShowStatus(state, window, TextKey::HintIdle);
    }
    if (const auto picked = PickStar(state, at)) PressOnStar(state, window, picked->star);
}

void MapMouseMove(ProgramState& state, Window& window, PixelPoint at) {
    Figure& figure = state.document.figure;
    if (!figure.Drawing()) return;
    HideSelection(state, window);
    const PlacedLine old = figure.Band()->line;
    StretchBand(figure, at);
    window.OverlayLineChanged(old.InPixels());
    window.OverlayLineChanged(figure.Band()->line.InPixels());
}

void SelectionKeyDown(ProgramState& state, Window& window, Key key) {
    Figure& figure = state.document.figure;
    if (key != Key::Delete || figure.Drawing()) return;
    const auto selected = figure.Selection();
    if (!selected) return;
    if (state.document.IsCulture())
        DeleteCultureLine(state, window, *selected);
    else
        RecordEdit(state, window, FigureEdit{FigureEdit::Kind::DeleteLine, *selected, figure.Record(*selected), {}, {}});
    ShowStatus(state, window, TextKey::HintIdle);
}

}  // namespace orvanta
