// Sky cultures in the window: open, show, select and edit.
#include "commands/culture_commands.h"

#include <algorithm>
#include <cmath>

#include "commands/document_commands.h"
#include "commands/exchange_commands.h"
#include "commands/figure_edits.h"
#include "commands/illustrations.h"
#include "commands/map_editing.h"
#include "commands/file_dialogs.h"
#include "commands/map_redraw.h"
#include "commands/recovery.h"
#include "commands/window_state.h"
#include "documents/culture/culture_check.h"
#include "documents/culture/culture_folder.h"
#include "documents/exchange/exchange.h"
#include "files/file_reading.h"
#include "files/quoted_field.h"
#include "files/user_folders.h"
#include "map/figure_placement.h"
#include "map/pointer.h"
#include "sky/sky_vector.h"

namespace orvanta {

CultureDocument* OpenCultureDocument(ProgramState& state) { return state.document.culture.get(); }

void TellAboutCulture(const ProgramState& state, Window& window, TextKey key, const std::string& detail, MessageIcon icon) {
    window.ShowMessage(Text(state.strings, key) + "\n\n" + detail, Text(state.strings, TextKey::Title), icon);
}

namespace {

// Where a constellation's name goes: the first place the file gives, else the middle of its stars.
std::optional<std::pair<int16_t, int16_t>> LabelPlace(const CultureConstellation& c, const ExchangeSky& sky) {
    if (const auto places = c.other.find("label_positions");
        places != c.other.end() && places->is_array() && !places->empty() && (*places)[0].is_array() &&
        (*places)[0].size() == 2 && (*places)[0][0].is_number() && (*places)[0][1].is_number())
        return CatalogueUnitsOf((*places)[0][0].get<double>(), (*places)[0][1].get<double>());
    SkyVector sum;
    int count = 0;
    for (const CulturePolyline& polyline : c.lines)
        for (const CulturePoint& point : polyline) {
            std::optional<std::pair<int16_t, int16_t>> place;
            if (point.kind == CulturePoint::Kind::Star) place = sky.PlaceOfHip(point.hip);
            if (point.kind == CulturePoint::Kind::Position) place = CatalogueUnitsOf(point.ra, point.dec);
            if (!place) continue;
            const SkyVector v = UnitVector(FromCatalogueUnits(place->first, place->second));
            sum = {sum.x + v.x, sum.y + v.y, sum.z + v.z};
            ++count;
        }
    if (count == 0) return std::nullopt;
    const SkyDirection middle = DirectionOf(sum);
    return CatalogueUnitsOf(middle.raHours, middle.decDegrees);
}

}  // namespace

void ShowCultureNames(ProgramState& state) {
    const CultureDocument* doc = OpenCultureDocument(state);
    const ExchangeSky* sky = state.exchangeSky.get();
    if (!doc || !sky) return;
    ConstellationTable table;
    for (const CultureConstellation& c : doc->culture.constellations) {
        const auto place = LabelPlace(c, *sky);
        if (!place) continue;
        std::string text = c.Abbreviation();
        // An abbreviation starting with '.' is one a culture hides.
        if (state.namesMode == 1 && !text.empty() && text[0] == '.') text.clear();
        if (state.namesMode == 2 && c.name) text = c.name->native.empty() ? c.name->english : c.name->native;
        if (state.namesMode == 3 && c.name) text = c.name->Shown();
        table.labels.push_back({place->first, place->second, text});
    }
    state.constellations = std::move(table);
}

namespace {

std::vector<ConstellationRow> Rows(const Culture& culture) {
    std::vector<ConstellationRow> rows;
    for (const CultureConstellation& c : culture.constellations)
        rows.push_back({c.uid, c.Abbreviation(), c.name ? c.name->english : "", c.name ? c.name->native : "", c.SegmentCount()});
    return rows;
}

void Highlight(const ProgramState& state, Window& window) {
    const CultureDocument* doc = state.document.culture.get();
    std::vector<bool> highlighted;
    if (doc && doc->selected)
        for (const LineOwner& owner : doc->owners) highlighted.push_back(owner.uid == *doc->selected);
    window.HighlightLines(highlighted);
}

}  // namespace

bool OpenCulture(ProgramState& state, Window& window, const std::string& path) {
    auto doc = std::make_shared<CultureDocument>();
    if (auto failure = ReadCulture(path, doc->culture); failure.failed) {
        ReportFigureUnreadable(state, window, path, failure, TextKey::CultureUnreadable);
        return false;
    }
    // The stars of its lines: every Hipparcos star, read now if not yet.
    if (!EnsureExchangeSky(state, &window)) return false;
    // The culture draws itself once, below; the panel stays if a culture was open.
    ResetDocument(state, window, doc->culture.folder);
    state.document.culture = std::move(doc);
    state.lastFolder = FolderOf(state.document.file);
    RememberRecentFile(state, state.document.file);
    RefreshCultureFigure(state, window, true);
    RefreshWindowState(state, window);
    return true;
}

void RefreshCultureFigure(ProgramState& state, Window& window, bool tellPictureTroubles) {
    CultureDocument* doc = OpenCultureDocument(state);
    if (!doc) return;
    const ExchangeSky* sky = EnsureExchangeSky(state, nullptr);
    if (doc->selected && !doc->culture.FindConstellation(*doc->selected)) doc->selected.reset();
    const StarPlacer placeOf = [sky](int32_t hip) -> std::optional<std::pair<int16_t, int16_t>> {
        if (!sky) return std::nullopt;
        return sky->PlaceOfHip(hip);
    };
    CultureLines lines = LinesOfCulture(doc->culture, placeOf);
    doc->owners = std::move(lines.owners);
    doc->asterismLines = LinesOfAsterisms(doc->culture, placeOf).records;
    RefreshPictures(state, window, tellPictureTroubles);
    HideSelection(state, window);
    state.document.figure.ReplaceLines(std::move(lines.records));
    if (state.namesMode != 0) ShowCultureNames(state);
    window.ShowConstellations(Rows(doc->culture), doc->selected);
    RedrawMap(state, window);
    Highlight(state, window);
}

void PlayCultureEdit(ProgramState& state, Window& window, const CultureEdit& edit, bool forwards) {
    CultureDocument* doc = OpenCultureDocument(state);
    if (!doc) return;
    ApplyCultureEdit(doc->culture, edit, forwards);
    doc->selected = forwards ? edit.selectedAfter : edit.selectedBefore;
    RefreshCultureFigure(state, window);
}

void SelectConstellation(ProgramState& state, Window& window, std::optional<uint64_t> uid) {
    CultureDocument* doc = OpenCultureDocument(state);
    if (!doc || doc->selected == uid) return;
    doc->selected = uid;
    window.ShowConstellations(Rows(doc->culture), uid);
    // The selected constellation's illustration comes up to full brightness.
    if (state.illustrations.shown && !state.illustrations.pictures.empty()) {
        RefreshPictures(state, window, false);
        RedrawMap(state, window);
    }
    PlaceAnchorMarks(state, window);
    Highlight(state, window);
    RefreshWindowState(state, window);
}

std::optional<uint64_t> ConstellationOfLine(const ProgramState& state, size_t index) {
    const CultureDocument* doc = state.document.culture.get();
    if (!doc || index >= doc->owners.size()) return std::nullopt;
    return doc->owners[index].uid;
}

void AddCultureLine(ProgramState& state, Window& window, int32_t fromHip, int32_t toHip) {
    CultureDocument* doc = OpenCultureDocument(state);
    if (!doc) return;
    CultureEdit edit;
    edit.selectedBefore = doc->selected;
    uint64_t target;
    if (doc->selected) {
        target = *doc->selected;
        edit = EditOfConstellation(doc->culture, target, [&](CultureConstellation& c) { AddSegment(c, fromHip, toHip); });
    } else {
        // The first line drawn with nothing selected makes a constellation to be named later.
        CultureConstellation fresh = ProvisionalConstellation(doc->culture);
        AddSegment(fresh, fromHip, toHip);
        edit = AddConstellation(doc->culture, std::move(fresh));
        target = edit.constellations.back().after->uid;
    }
    edit.selectedBefore = doc->selected;
    edit.selectedAfter = target;
    RecordEdit(state, window, std::move(edit));
}

void DeleteCultureLine(ProgramState& state, Window& window, size_t index) {
    CultureDocument* doc = OpenCultureDocument(state);
    if (!doc || index >= doc->owners.size()) return;
    const LineOwner owner = doc->owners[index];
    CultureEdit edit = EditOfConstellation(doc->culture, owner.uid, [&](CultureConstellation& c) {
        RemoveSegment(c, owner.polyline, owner.segment);
    });
    edit.selectedBefore = doc->selected;
    edit.selectedAfter = doc->selected;
    if (!edit.Empty()) RecordEdit(state, window, std::move(edit));
}

void NewConstellationCommand(ProgramState& state, Window& window) {
    CultureDocument* doc = OpenCultureDocument(state);
    if (!doc) return;
    CultureConstellation fresh = ProvisionalConstellation(doc->culture);
    const auto names = window.AskConstellationNames({fresh.id, fresh.name->english, "", "", ""},
                                                    Text(state.strings, TextKey::NamesTitle));
    if (!names) return;
    fresh.id = names->id;
    fresh.name = CultureName{names->english, names->native, names->pronounce, OrderedJson::object(), {}};
    if (!names->description.empty()) fresh.other["description"] = names->description;
    CultureEdit edit = AddConstellation(doc->culture, std::move(fresh));
    edit.selectedBefore = doc->selected;
    edit.selectedAfter = edit.constellations.back().after->uid;
    RecordEdit(state, window, std::move(edit));
}

void EditNamesCommand(ProgramState& state, Window& window) {
    CultureDocument* doc = OpenCultureDocument(state);
    const CultureConstellation* c = doc && doc->selected ? doc->culture.FindConstellation(*doc->selected) : nullptr;
    if (!c) return;
    const auto described = c->other.find("description");
    const ConstellationNames now{c->id, c->name ? c->name->english : "", c->name ? c->name->native : "",
                                 c->name ? c->name->pronounce : "",
                                 described != c->other.end() && described->is_string() ? described->get<std::string>() : ""};
    const auto names = window.AskConstellationNames(now, Text(state.strings, TextKey::NamesTitle));
    if (!names || *names == now) return;
    CultureEdit edit = EditOfConstellation(doc->culture, c->uid, [&](CultureConstellation& changed) {
        changed.id = names->id;
        CultureName name = changed.name.value_or(CultureName{});
        name.english = names->english;
        name.native = names->native;
        name.pronounce = names->pronounce;
        changed.name = std::move(name);
        if (!names->description.empty()) changed.other["description"] = names->description;
        else changed.other.erase("description");
    });
    edit.selectedBefore = edit.selectedAfter = doc->selected;
    RecordEdit(state, window, std::move(edit));
}

void DeleteConstellationCommand(ProgramState& state, Window& window) {
    CultureDocument* doc = OpenCultureDocument(state);
    if (!doc || !doc->selected) return;
    CultureEdit edit = RemoveConstellation(doc->culture, *doc->selected);
    edit.selectedBefore = doc->selected;
    RecordEdit(state, window, std::move(edit));
}

void MoveLineCommand(ProgramState& state, Window& window) {
    CultureDocument* doc = OpenCultureDocument(state);
    const auto line = state.document.figure.Selection();
    if (!doc || !line || *line >= doc->owners.size()) return;
    const LineOwner owner = doc->owners[*line];
    std::vector<std::string> options;
    std::vector<uint64_t> uids;
    for (const CultureConstellation& c : doc->culture.constellations) {
        if (c.uid == owner.uid) continue;
        options.push_back(c.Abbreviation() + (c.name ? "  " + c.name->Shown() : ""));
        uids.push_back(c.uid);
    }
    const auto choice = window.AskChoice(Text(state.strings, TextKey::MoveLine), Text(state.strings, TextKey::MoveLineText), options);
    if (!choice || *choice >= uids.size()) return;
    // The line's stars, from the polyline it belongs to.
    const CultureConstellation* from = doc->culture.FindConstellation(owner.uid);
    std::vector<const CulturePoint*> points;
    for (const CulturePoint& p : from->lines[owner.polyline])
        if (p.kind != CulturePoint::Kind::Marker) points.push_back(&p);
    if (owner.segment + 1 >= points.size() || points[owner.segment]->kind != CulturePoint::Kind::Star ||
        points[owner.segment + 1]->kind != CulturePoint::Kind::Star)
        return;
    const int32_t a = points[owner.segment]->hip, b = points[owner.segment + 1]->hip;
    CultureEdit edit = EditOfConstellation(doc->culture, owner.uid, [&](CultureConstellation& c) {
        RemoveSegment(c, owner.polyline, owner.segment);
    });
    CultureEdit to = EditOfConstellation(doc->culture, uids[*choice], [&](CultureConstellation& c) { AddSegment(c, a, b); });
    edit.constellations.insert(edit.constellations.end(), to.constellations.begin(), to.constellations.end());
    edit.selectedBefore = doc->selected;
    edit.selectedAfter = uids[*choice];
    RecordEdit(state, window, std::move(edit));
}

void NameStarCommand(ProgramState& state, Window& window, PixelPoint at) {
    CultureDocument* doc = OpenCultureDocument(state);
    if (!doc) return;
    const auto picked = PickStar(state, at);
    const auto hip = picked ? picked->hip : std::nullopt;
    if (!hip) return window.SetStatusText(Text(state.strings, TextKey::NoStarThere));
    const std::string key = StarKey(*hip);
    std::vector<CultureName> names;
    for (const NamedObject& o : doc->culture.namedObjects)
        if (o.key == key) names = o.names;
    std::vector<StarNameFields> fields;
    for (const CultureName& n : names) fields.push_back({n.english, n.native, n.pronounce});
    const StarIdentity* identity =
        state.exchangeSky && picked->brightIndex ? state.exchangeSky->identities.Of(*picked->brightIndex) : nullptr;
    const std::string star = identity ? IdentityText(*identity) : key;
    const auto edited = window.AskStarNames(FillIn(Text(state.strings, TextKey::StarNamesTitle), {star}), fields);
    if (!edited || *edited == fields) return;
    std::vector<CultureName> after;
    for (size_t i = 0; i < edited->size(); ++i) {
        const StarNameFields& f = (*edited)[i];
        if (f.english.empty() && f.native.empty()) continue;
        // A name kept from before keeps its references and other fields.
        CultureName name = i < names.size() ? names[i] : CultureName{};
        name.english = f.english;
        name.native = f.native;
        name.pronounce = f.pronounce;
        after.push_back(std::move(name));
    }
    CultureEdit edit = SetNames(doc->culture, key, std::move(after));
    edit.selectedBefore = edit.selectedAfter = doc->selected;
    if (!edit.Empty()) RecordEdit(state, window, std::move(edit));
}

std::string CultureStarNames(const ProgramState& state, int32_t hip) {
    const CultureDocument* doc = state.document.culture.get();
    if (!doc) return {};
    const std::string key = StarKey(hip);
    std::string text;
    for (const NamedObject& o : doc->culture.namedObjects) {
        if (o.key != key) continue;
        for (const CultureName& n : o.names) {
            std::string one = n.english;
            if (!n.native.empty() && n.native != n.english) one += (one.empty() ? "" : " (") + n.native + (one.empty() ? "" : ")");
            if (one.empty()) continue;
            text += (text.empty() ? "" : ", ") + one;
        }
    }
    return text;
}

}  // namespace orvanta
