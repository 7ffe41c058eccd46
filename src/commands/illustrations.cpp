// Placing the open culture's illustrations for the map.
#include "commands/illustrations.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "commands/exchange_commands.h"
#include "commands/figure_edits.h"
#include "commands/file_dialogs.h"
#include "commands/map_editing.h"
#include "commands/map_redraw.h"
#include "commands/window_state.h"
#include "documents/culture/culture_edit.h"
#include "documents/culture/culture_folder.h"
#include "documents/culture/image_size.h"
#include "files/file_reading.h"
#include "files/quoted_field.h"
#include "map/pointer.h"

namespace orvanta {

namespace {

// The frame the anchors are given in: index.json's size, else the picture's own.
std::optional<std::pair<int, int>> FrameOf(IllustrationView& view, const CultureArt& art, const std::string& path) {
    if (art.width > 0 && art.height > 0) return std::make_pair(art.width, art.height);
    if (const auto known = view.sizes.find(path); known != view.sizes.end()) return known->second;
    std::string bytes;
    if (ReadWholeFile(path, bytes, kCultureFileLimit).failed) return std::nullopt;
    const auto size = PictureSize(bytes);
    if (size) view.sizes[path] = *size;
    return size;
}

// Where the dragged picture's anchors' stars are now.
std::array<SkyVector, 3> DraggedStars(const IllustrationView::Drag& drag) {
    if (!drag.anchor) return FollowHandle(drag.handle, drag.stars, drag.centre, drag.from, drag.at);
    std::array<SkyVector, 3> stars = drag.stars;
    stars[*drag.anchor] = drag.at;
    return stars;
}

std::string WarpTroubleText(WarpTrouble trouble, const GuiStrings& strings) {
    return Text(strings, trouble == WarpTrouble::CollinearAnchors ? TextKey::CheckArtCollinear : TextKey::CheckArtOneCircle);
}

}  // namespace

void RefreshPictures(ProgramState& state, Window& window, bool told) {
    IllustrationView& view = state.illustrations;
    view.pictures.clear();
    // Pictures are decoded only to be shown: with Illustrations off they take no memory.
    if (!view.shown) return;
    const CultureDocument* doc = state.document.culture.get();
    const ExchangeSky* sky = state.exchangeSky.get();
    if (!doc || !sky) return;
    std::string troubles;
    const auto trouble = [&](const std::string& text) { troubles += "\n" + text; };
    std::vector<std::string> paths;
    for (const CultureConstellation& c : doc->culture.constellations)
        if (c.art && c.art->anchors.size() >= 3) paths.push_back(doc->culture.PicturePath(c.art->file));
    window.PreparePictures(paths);
    for (const CultureConstellation& c : doc->culture.constellations) {
        if (!c.art || c.art->anchors.size() < 3) continue;
        const std::string path = doc->culture.PicturePath(c.art->file);
        if (const std::string why = window.PreparePicture(path); !why.empty()) {
            trouble(QuoteField(c.art->file) + ": " + QuoteField(why));
            continue;
        }
        const auto frame = FrameOf(view, *c.art, path);
        if (!frame) continue;
        const bool dragged = view.drag && view.drag->uid == c.uid;
        std::array<AnchorPoint, 3> anchors;
        bool known = true;
        for (size_t k = 0; k < 3; ++k) {
            const ArtAnchor& a = c.art->anchors[k];
            const auto star = sky->DirectionOfHip(a.hip);
            if (!star) known = false;
            else anchors[k] = {a.x, a.y, *star};
        }
        if (dragged) {
            // The picture follows the pointer.
            const auto stars = DraggedStars(*view.drag);
            for (size_t k = 0; k < 3; ++k) anchors[k].star = stars[k];
            known = true;
        }
        if (!known) continue;  // Check Culture names the star
        WarpTrouble why;
        const auto warp = WarpOf(anchors, why);
        if (!warp) {
            trouble(FillIn(Text(state.strings, TextKey::PictureNotPlaced), {QuoteField(c.id), WarpTroubleText(why, state.strings)}));
            continue;
        }
        // Drawn all the same, so that the author sees the mistake.
        if (warp->mirrored) trouble(QuoteField(c.id) + ": " + Text(state.strings, TextKey::CheckArtMirrored));
        const bool selected = doc->selected == c.uid;
        view.pictures.push_back({path, static_cast<double>(frame->first), static_cast<double>(frame->second), *warp,
                                 selected ? 1.0f : view.percent / 100.0f, dragged, c.uid});
    }
    if (told && !troubles.empty())
        window.ShowMessage(Text(state.strings, TextKey::PicturesUnreadable) + "\n" + troubles, Text(state.strings, TextKey::Title),
                           MessageIcon::Information);
}

void ToggleIllustrations(ProgramState& state, Window& window) {
    state.illustrations.shown = !state.illustrations.shown;
    RefreshPictures(state, window, state.illustrations.shown);
    RefreshWindowState(state, window);
    RedrawMap(state, window);
}

void SetIllustrationBrightness(ProgramState& state, Window& window, int percent) {
    state.illustrations.percent = percent;
    RefreshPictures(state, window, false);
    RefreshWindowState(state, window);
    if (state.illustrations.shown) RedrawMap(state, window);
}

namespace {

const CultureConstellation* Selected(const ProgramState& state) {
    const CultureDocument* doc = state.document.culture.get();
    return doc && doc->selected ? doc->culture.FindConstellation(*doc->selected) : nullptr;
}

std::optional<PixelPoint> PlaceOfStar(const ProgramState& state, int32_t hip) {
    const auto units = state.exchangeSky ? state.exchangeSky->PlaceOfHip(hip) : std::nullopt;
    const auto place = units ? ProjectCatalogueUnits(state.view, units->first, units->second) : std::nullopt;
    return place ? std::optional(ToPixels(*place)) : std::nullopt;
}

std::optional<PixelPoint> PlaceOfDirection(const ProgramState& state, const SkyVector& direction) {
    const SkyDirection d = DirectionOf(direction);
    const auto place = ProjectStar(state.view, d.raHours, d.decDegrees);
    return place ? std::optional(ToPixels(*place)) : std::nullopt;
}

// The selected constellation's picture as the map shows it.
const ShownPicture* SelectedPicture(const ProgramState& state) {
    const CultureConstellation* c = Selected(state);
    if (!c || !state.illustrations.shown) return nullptr;
    for (const ShownPicture& picture : state.illustrations.pictures)
        if (picture.uid == c->uid) return &picture;
    return nullptr;
}

// The anchors' places on the map, following the pointer while dragged.
std::vector<std::optional<PixelPoint>> AnchorPlaces(const ProgramState& state) {
    std::vector<std::optional<PixelPoint>> places;
    const CultureConstellation* c = Selected(state);
    if (!c || !c->art) return places;
    const auto& drag = state.illustrations.drag;
    const size_t count = std::min<size_t>(c->art->anchors.size(), 3);
    if (drag && drag->uid == c->uid && count == 3) {
        for (const SkyVector& star : DraggedStars(*drag)) places.push_back(PlaceOfDirection(state, star));
        return places;
    }
    for (size_t k = 0; k < count; ++k) places.push_back(PlaceOfStar(state, c->art->anchors[k].hip));
    return places;
}

// The handles of the selected picture on the map.
std::vector<std::pair<PictureHandle, PixelPoint>> HandlePlaces(const ProgramState& state) {
    std::vector<std::pair<PictureHandle, PixelPoint>> places;
    const ShownPicture* picture = SelectedPicture(state);
    if (!picture) return places;
    const HandleDirections handles = HandlesOf(picture->warp, picture->width, picture->height);
    for (const auto& [handle, direction] : {std::pair{PictureHandle::Move, handles.move}, std::pair{PictureHandle::Turn, handles.turn},
                                            std::pair{PictureHandle::Scale, handles.scale}})
        if (const auto place = PlaceOfDirection(state, direction)) places.push_back({handle, *place});
    return places;
}

void Redraw(ProgramState& state, Window& window) {
    RefreshPictures(state, window, false);
    RedrawMap(state, window);
}

// The three of the stars that span the largest triangle on the map.
std::optional<std::array<std::pair<int32_t, PixelPoint>, 3>> WidestStars(const ProgramState& state,
                                                                          const CultureConstellation& c) {
    std::vector<std::pair<int32_t, PixelPoint>> stars;
    for (const CulturePolyline& polyline : c.lines)
        for (const CulturePoint& p : polyline)
            if (p.kind == CulturePoint::Kind::Star &&
                std::none_of(stars.begin(), stars.end(), [&](const auto& s) { return s.first == p.hip; }))
                if (const auto place = PlaceOfStar(state, p.hip)) stars.push_back({p.hip, *place});
    std::optional<std::array<std::pair<int32_t, PixelPoint>, 3>> best;
    double widest = 4;  // pixels squared: three stars nearly in a line place no picture
    for (size_t i = 0; i < stars.size(); ++i)
        for (size_t j = i + 1; j < stars.size(); ++j)
            for (size_t k = j + 1; k < stars.size(); ++k) {
                const PixelPoint a = stars[i].second, b = stars[j].second, d = stars[k].second;
                const double area = std::fabs((b.x - a.x) * (d.y - a.y) - (d.x - a.x) * (b.y - a.y));
                if (area > widest) widest = area, best = {{stars[i], stars[j], stars[k]}};
            }
    return best;
}

}  // namespace

void PlaceAnchorMarks(const ProgramState& state, Window& window) {
    PictureMarks marks;
    for (const auto& place : AnchorPlaces(state))
        if (place) marks.anchors.push_back(*place);
    marks.handles = HandlePlaces(state);
    window.MarkPicture(marks);
}

void AddIllustrationCommand(ProgramState& state, Window& window) {
    CultureDocument* doc = state.document.culture.get();
    const CultureConstellation* c = Selected(state);
    if (!doc || !c) return;
    const std::string path = ShowOpenDialog(window, {{Text(state.strings, TextKey::PictureFilter),
                                                      {"*.png", "*.jpg", "*.jpeg", "*.webp"}}},
                                            Text(state.strings, TextKey::AddIllustration), DialogStartFolder(state));
    if (path.empty()) return;
    if (const std::string why = window.PreparePicture(path); !why.empty())
        return window.ShowMessage(Text(state.strings, TextKey::PicturesUnreadable) + "\n" + EscapeControls(path) + ": " +
                                      QuoteField(why),
                                  Text(state.strings, TextKey::Title), MessageIcon::Critical);
    std::string bytes;
    const auto size = ReadWholeFile(path, bytes, kCultureFileLimit).failed ? std::nullopt : PictureSize(bytes);
    const auto stars = WidestStars(state, *c);
    if (!size || !stars)
        return window.SetStatusText(FillIn(Text(state.strings, TextKey::PictureNotPlaced),
                                           {QuoteField(c->id), Text(state.strings, TextKey::CheckArtCollinear)}));
    // The anchors spread over the picture as their stars lie on the map, so that it comes the right way round.
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    for (const auto& [hip, at] : *stars) left = std::min(left, at.x), right = std::max(right, at.x),
                                         top = std::min(top, at.y), bottom = std::max(bottom, at.y);
    CultureArt art;
    const std::string name = path.substr(path.find_last_of('/') + 1);
    art.file = "illustrations/" + name;
    art.width = size->first;
    art.height = size->second;
    for (const auto& [hip, at] : *stars) {
        const double fx = right > left ? (at.x - left) / (right - left) : 0.5, fy = bottom > top ? (at.y - top) / (bottom - top) : 0.5;
        art.anchors.push_back({std::round(art.width * (0.2 + 0.6 * fx)), std::round(art.height * (0.2 + 0.6 * fy)), hip});
    }
    doc->culture.addedPictures[art.file] = path;
    CultureEdit edit = EditOfConstellation(doc->culture, c->uid, [&](CultureConstellation& changed) { changed.art = art; });
    edit.selectedBefore = edit.selectedAfter = doc->selected;
    RecordEdit(state, window, std::move(edit));
}

void RemoveIllustrationCommand(ProgramState& state, Window& window) {
    CultureDocument* doc = state.document.culture.get();
    const CultureConstellation* c = Selected(state);
    if (!doc || !c || !c->art) return;
    CultureEdit edit = EditOfConstellation(doc->culture, c->uid, [](CultureConstellation& changed) { changed.art.reset(); });
    edit.selectedBefore = edit.selectedAfter = doc->selected;
    RecordEdit(state, window, std::move(edit));
}

bool StartAnchorDrag(ProgramState& state, Window& window, PixelPoint at) {
    (void)window;
    const CultureConstellation* c = Selected(state);
    if (!c || !c->art || c->art->anchors.size() < 3 || state.document.figure.Drawing() || !state.exchangeSky) return false;
    const auto near = [&](PixelPoint place) { return std::hypot(place.x - at.x, place.y - at.y) <= kPictureMarkReach; };
    IllustrationView::Drag drag;
    drag.uid = c->uid;
    const auto places = AnchorPlaces(state);
    for (size_t k = 0; k < places.size() && !drag.anchor; ++k)
        if (places[k] && near(*places[k])) drag.anchor = k;
    const ShownPicture* picture = SelectedPicture(state);
    std::optional<PictureHandle> handle;
    if (!drag.anchor && picture)
        for (const auto& [which, place] : HandlePlaces(state))
            if (!handle && near(place)) handle = which;
    if (!drag.anchor && !handle) return false;
    for (size_t k = 0; k < 3; ++k) {
        const auto star = state.exchangeSky->DirectionOfHip(c->art->anchors[k].hip);
        // An anchor on a star the catalogue lacks places no picture; only that anchor can be moved.
        if (!star && !drag.anchor) return false;
        if (star) drag.stars[k] = *star;
    }
    if (handle) drag.handle = *handle, drag.centre = HandlesOf(picture->warp, picture->width, picture->height).move;
    const CataloguePoint sky = SkyUnderPointer(state.view, at);
    drag.from = drag.at = UnitVector(FromCatalogueUnits(sky.ra, sky.dec));
    state.illustrations.drag = drag;
    return true;
}

void DragAnchor(ProgramState& state, Window& window, PixelPoint at) {
    if (!state.illustrations.drag) return;
    const CataloguePoint sky = SkyUnderPointer(state.view, at);
    state.illustrations.drag->at = UnitVector(FromCatalogueUnits(sky.ra, sky.dec));
    Redraw(state, window);
}

namespace {

// The stars under the dragged picture's anchors, each the nearest drawn one
// within reach of where its anchor now lies; nullopt when one has none.
std::optional<std::array<int32_t, 3>> SnappedStars(ProgramState& state, const IllustrationView::Drag& drag, PixelPoint at) {
    std::array<int32_t, 3> hips{};
    const auto stars = DraggedStars(drag);
    for (size_t k = 0; k < 3; ++k) {
        if (drag.anchor && *drag.anchor != k) continue;
        const auto place = drag.anchor ? std::optional(at) : PlaceOfDirection(state, stars[k]);
        const auto picked = place ? PickStar(state, *place) : std::nullopt;
        if (!picked || !picked->hip) return std::nullopt;
        hips[k] = *picked->hip;
    }
    return hips;
}

}  // namespace

void EndAnchorDrag(ProgramState& state, Window& window, PixelPoint at) {
    if (!state.illustrations.drag) return;
    const IllustrationView::Drag drag = *state.illustrations.drag;
    state.illustrations.drag.reset();
    CultureDocument* doc = state.document.culture.get();
    const auto hips = doc ? SnappedStars(state, drag, at) : std::nullopt;
    if (!hips) {
        Redraw(state, window);
        return window.SetStatusText(Text(state.strings, drag.anchor ? TextKey::AnchorNoStar : TextKey::PictureNoStars));
    }
    const CultureConstellation* c = doc->culture.FindConstellation(drag.uid);
    if (!c || !c->art || c->art->anchors.size() < 3) return Redraw(state, window);
    // Two anchors on one star, or three on one great circle, place no picture: the move is taken back.
    std::array<AnchorPoint, 3> placed;
    for (size_t k = 0; k < 3; ++k) {
        const int32_t hip = drag.anchor && *drag.anchor != k ? c->art->anchors[k].hip : (*hips)[k];
        const auto star = state.exchangeSky->DirectionOfHip(hip);
        placed[k] = {c->art->anchors[k].x, c->art->anchors[k].y, star.value_or(SkyVector{})};
    }
    WarpTrouble trouble;
    if (!drag.anchor && !WarpOf(placed, trouble)) {
        Redraw(state, window);
        return window.SetStatusText(FillIn(Text(state.strings, TextKey::PictureNotPlaced),
                                           {QuoteField(c->id), WarpTroubleText(trouble, state.strings)}));
    }
    CultureEdit edit = EditOfConstellation(doc->culture, drag.uid, [&](CultureConstellation& changed) {
        for (size_t k = 0; k < 3; ++k)
            if (!drag.anchor || *drag.anchor == k) changed.art->anchors[k].hip = (*hips)[k];
    });
    edit.selectedBefore = edit.selectedAfter = doc->selected;
    if (edit.Empty()) return Redraw(state, window);
    RecordEdit(state, window, std::move(edit));
}

}  // namespace orvanta
