// Reading and writing the older form of a sky culture.
#include "documents/culture/older_form.h"

#include <algorithm>
#include <functional>
#include <set>
#include <string_view>
#include <unordered_map>

#include "documents/culture/fab_records.h"
#include "documents/culture/text_rows.h"
#include "ui/profile_file.h"

namespace orvanta {

const char* const kOlderFormFiles[6] = {"info.ini", "constellationship.fab", "constellation_names.eng.fab",
                                        "star_names.fab", "constellationsart.fab", "asterism_lines.fab"};

namespace {

constexpr const char* kLinesFile = "constellationship.fab";
constexpr const char* kNamesFile = "constellation_names.eng.fab";
constexpr const char* kStarNamesFile = "star_names.fab";
constexpr const char* kArtFile = "constellationsart.fab";
constexpr const char* kAsterismsFile = "asterism_lines.fab";

std::string ConstellationOwner(uint64_t uid) { return "c" + std::to_string(uid); }
std::string NamedOwner(const std::string& key) { return "s" + key; }

std::vector<CulturePolyline> PolylinesOf(const LinesRecord& record) {
    std::vector<CulturePolyline> lines;
    for (const auto& [a, b] : record.pairs) lines.push_back({CulturePoint::Star(a), CulturePoint::Star(b)});
    return lines;
}

// [info] of info.ini, its keys as they are spelled and in their order.
OrderedJson InfoFields(const std::string& text) {
    OrderedJson fields = OrderedJson::object();
    bool inInfo = false;
    for (const TextRow& row : SplitRows(text).rows) {
        std::string line = row.text;
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.pop_back();
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#' || line[start] == ';') continue;
        if (line[start] == '[') {
            inInfo = line.substr(start) == "[info]";
            continue;
        }
        const size_t equals = line.find('=');
        if (!inInfo || equals == std::string::npos) continue;
        std::string key = line.substr(start, equals - start), value = line.substr(equals + 1);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
        value.erase(0, value.find_first_not_of(" \t"));
        if (!fields.contains(key)) fields[key] = DecodeUtf8OrLatin1(value);
    }
    return fields;
}

struct Reading {
    const std::map<std::string, std::string>& files;
    Culture& culture;
    std::map<std::string, std::vector<std::string>>& owners;

    TextRows Rows(const char* name) {
        const auto found = files.find(name);
        if (found == files.end()) return {};
        culture.source.files[name] = found->second;
        TextRows rows = SplitRows(found->second);
        owners[name].assign(rows.rows.size(), std::string());
        return rows;
    }
    void Note(const char* file, size_t row, std::string what) {
        culture.notes.push_back({file, static_cast<int>(row + 1), std::move(what)});
    }
};

ReadFailure ReadLines(Reading& reading) {
    const TextRows rows = reading.Rows(kLinesFile);
    for (size_t r = 0; r < rows.rows.size(); ++r) {
        if (IsCommentOrBlank(rows.rows[r].text)) continue;
        RecordTrouble trouble;
        const auto record = ParseLinesRecord(rows.rows[r].text, trouble);
        if (trouble.kind == RecordTrouble::Kind::Malformed)
            return {true, static_cast<int>(r + 1), std::string(kLinesFile) + ": " + trouble.what};
        if (trouble.kind != RecordTrouble::Kind::None) reading.Note(kLinesFile, r, trouble.what);
        if (!record) continue;
        CultureConstellation constellation;
        constellation.uid = reading.culture.nextUid++;
        constellation.id = record->id;
        constellation.lines = PolylinesOf(*record);
        reading.owners[kLinesFile][r] = ConstellationOwner(constellation.uid);
        reading.culture.constellations.push_back(std::move(constellation));
    }
    return {};
}

// The n-th constellation of an id gets the n-th record of that id in another file.
class NextOfId {
public:
    explicit NextOfId(Culture& culture) {
        for (CultureConstellation& c : culture.constellations) byId_[c.id].push_back(&c);
    }
    CultureConstellation* operator()(const std::string& id) {
        const auto found = byId_.find(id);
        const size_t n = seen_[id]++;
        return found != byId_.end() && n < found->second.size() ? found->second[n] : nullptr;
    }

private:
    std::unordered_map<std::string, std::vector<CultureConstellation*>> byId_;
    std::unordered_map<std::string, size_t> seen_;
};

void ReadNames(Reading& reading) {
    const TextRows rows = reading.Rows(kNamesFile);
    NextOfId next(reading.culture);
    for (size_t r = 0; r < rows.rows.size(); ++r) {
        if (IsCommentOrBlank(rows.rows[r].text)) continue;
        auto record = ParseNameRecord(rows.rows[r].text);
        if (!record) {
            reading.Note(kNamesFile, r, "not a name as Stellarium reads names: the line is passed over and kept");
            continue;
        }
        CultureConstellation* owner = next(record->id);
        if (!owner) continue;  // a name without lines: kept in its line, as it was
        owner->name = std::move(record->name);
        reading.owners[kNamesFile][r] = ConstellationOwner(owner->uid);
    }
}

void ReadStarNames(Reading& reading) {
    const TextRows rows = reading.Rows(kStarNamesFile);
    std::vector<NamedObject>& named = reading.culture.namedObjects;
    std::unordered_map<std::string, size_t> index;
    for (size_t i = 0; i < named.size(); ++i) index.emplace(named[i].key, i);
    for (size_t r = 0; r < rows.rows.size(); ++r) {
        if (IsCommentOrBlank(rows.rows[r].text)) continue;
        auto record = ParseStarNameRecord(rows.rows[r].text);
        if (!record) {
            reading.Note(kStarNamesFile, r, "not a star name as Stellarium reads them: the line is passed over and kept");
            continue;
        }
        const std::string key = StarKey(record->hip);
        const auto [at, added] = index.emplace(key, named.size());
        if (added) named.push_back(NamedObject{key, {}});
        named[at->second].names.push_back(std::move(record->name));
        reading.owners[kStarNamesFile][r] = NamedOwner(key);
    }
}

// Each record: an id, a type, then as constellationship.fab has it. Types 0
// and 1 join stars; type 2 joins points of the sky and is not shown. The file
// is kept as it was read.
void ReadAsterisms(Reading& reading) {
    const auto found = reading.files.find(kAsterismsFile);
    if (found == reading.files.end()) return;
    reading.culture.source.files[kAsterismsFile] = found->second;
    for (const TextRow& row : SplitRows(found->second).rows) {
        if (IsCommentOrBlank(row.text)) continue;
        const std::string& text = row.text;
        const size_t idEnd = text.find_first_of(" \t", text.find_first_not_of(" \t"));
        const size_t typeStart = text.find_first_not_of(" \t", idEnd);
        if (idEnd == std::string::npos || typeStart == std::string::npos) continue;
        const size_t typeEnd = std::min(text.find_first_of(" \t", typeStart), text.size());
        const std::string type = text.substr(typeStart, typeEnd - typeStart);
        if (type != "0" && type != "1") continue;
        RecordTrouble trouble;
        const auto record = ParseLinesRecord(text.substr(0, idEnd) + text.substr(typeEnd), trouble);
        if (!record) continue;
        for (const CulturePolyline& line : PolylinesOf(*record)) reading.culture.asterisms.push_back(line);
    }
}

void ReadArt(Reading& reading) {
    const TextRows rows = reading.Rows(kArtFile);
    NextOfId next(reading.culture);
    for (size_t r = 0; r < rows.rows.size(); ++r) {
        if (IsCommentOrBlank(rows.rows[r].text)) continue;
        RecordTrouble trouble;
        auto record = ParseArtRecord(rows.rows[r].text, trouble);
        if (trouble.kind != RecordTrouble::Kind::None) reading.Note(kArtFile, r, trouble.what);
        if (!record) continue;
        CultureConstellation* owner = next(record->id);
        if (!owner) {
            reading.Note(kArtFile, r, "an illustration of a constellation the culture does not have");
            continue;
        }
        owner->art = std::move(record->art);
        reading.owners[kArtFile][r] = ConstellationOwner(owner->uid);
    }
}

// A file put together again: each row of a record that changed is written
// anew, a row of a record that is gone is left out, new records are added
// at the end; all other rows stay as they were.
struct Rewrite {
    TextRows rows;
    std::vector<std::string> owners;
    std::vector<TextRow> out;

    void Keep(size_t r) { out.push_back(rows.rows[r]); }
    void Replace(size_t r, std::string text) { out.push_back({std::move(text), rows.rows[r].end}); }
    void Append(std::string text) {
        if (!out.empty() && out.back().end.empty()) out.back().end = rows.UsualEnd();
        out.push_back({std::move(text), rows.UsualEnd()});
    }
    std::string Joined() const {
        TextRows joined{rows.byteOrderMark, out};
        return joined.Join();
    }
};

Rewrite StartRewrite(const Culture& culture, const char* name) {
    Rewrite rewrite;
    if (const auto found = culture.source.files.find(name); found != culture.source.files.end())
        rewrite.rows = SplitRows(found->second);
    if (const auto owners = culture.source.rowOwners.find(name); owners != culture.source.rowOwners.end())
        rewrite.owners = owners->second;
    rewrite.owners.resize(rewrite.rows.rows.size());
    return rewrite;
}

// Constellations by uid, and named objects by key (the first of a key), found
// once for a whole file rather than searched for at each of its rows.
template <typename Item, typename Key>
std::unordered_map<Key, const Item*> IndexOf(const std::vector<Item>& items, Key (*key)(const Item&)) {
    std::unordered_map<Key, const Item*> index;
    for (const Item& item : items) index.emplace(key(item), &item);
    return index;
}
uint64_t UidKey(const CultureConstellation& c) { return c.uid; }
std::string_view NameKey(const NamedObject& o) { return o.key; }
template <typename Index, typename Key>
auto Found(const Index& index, const Key& key) -> typename Index::mapped_type {
    const auto found = index.find(key);
    return found == index.end() ? nullptr : found->second;
}

uint64_t UidOf(const std::string& owner) { return owner.size() > 1 && owner[0] == 'c' ? std::stoull(owner.substr(1)) : 0; }

// A file of constellation records: part says what of a constellation it
// holds, format writes its record, and wanted whether it has one at all.
template <typename Same, typename Format, typename Wanted>
std::string RewriteConstellations(const Culture& culture, const char* name, Same same, Format format, Wanted wanted) {
    Rewrite rewrite = StartRewrite(culture, name);
    const auto nowIndex = IndexOf(culture.constellations, UidKey), thenIndex = IndexOf(culture.source.constellations, UidKey);
    std::set<uint64_t> written;
    for (size_t r = 0; r < rewrite.rows.rows.size(); ++r) {
        const uint64_t uid = UidOf(rewrite.owners[r]);
        if (uid == 0) {
            rewrite.Keep(r);
            continue;
        }
        const CultureConstellation* now = Found(nowIndex, uid);
        const CultureConstellation* then = Found(thenIndex, uid);
        written.insert(uid);
        if (!now || !wanted(*now)) continue;
        if (then && then->id == now->id && same(*then, *now))
            rewrite.Keep(r);
        else
            rewrite.Replace(r, format(*now));
    }
    for (const CultureConstellation& c : culture.constellations)
        if (!written.count(c.uid) && wanted(c)) rewrite.Append(format(c));
    return rewrite.Joined();
}

std::string RewriteStarNames(const Culture& culture) {
    Rewrite rewrite = StartRewrite(culture, kStarNamesFile);
    const auto nowIndex = IndexOf(culture.namedObjects, NameKey), thenIndex = IndexOf(culture.source.namedObjects, NameKey);
    const auto lines = [](const NamedObject& o, const std::function<void(std::string)>& put) {
        const int32_t hip = std::stoi(o.key.substr(4));
        for (const CultureName& name : o.names) put(FormatStarNameRecord(hip, name));
    };
    std::set<std::string> written;
    for (size_t r = 0; r < rewrite.rows.rows.size(); ++r) {
        const std::string& owner = rewrite.owners[r];
        if (owner.empty()) {
            rewrite.Keep(r);
            continue;
        }
        const std::string key = owner.substr(1);
        const NamedObject* now = Found(nowIndex, std::string_view(key));
        const NamedObject* then = Found(thenIndex, std::string_view(key));
        if (now && then && *now == *then) {
            rewrite.Keep(r);
        } else if (now && written.insert(key).second) {
            // The names of a star that changed take the place of its first line.
            bool first = true;
            lines(*now, [&](std::string text) {
                if (first) rewrite.Replace(r, std::move(text));
                else rewrite.out.push_back({std::move(text), rewrite.rows.rows[r].end});
                first = false;
            });
        }
        written.insert(key);
    }
    for (const NamedObject& o : culture.namedObjects)
        if (o.key.rfind("HIP ", 0) == 0 && !written.count(o.key))
            lines(o, [&](std::string text) { rewrite.Append(std::move(text)); });
    return rewrite.Joined();
}

}  // namespace

ReadFailure ReadOlderCulture(const std::map<std::string, std::string>& files, Culture& culture) {
    Culture read;
    read.form = CultureForm::Older;
    read.folder = culture.folder;
    read.id = culture.id;
    if (!files.count(kLinesFile)) return {true, 0, "the folder has no constellationship.fab"};
    std::map<std::string, std::vector<std::string>> owners;
    Reading reading{files, read, owners};
    if (const auto info = files.find("info.ini"); info != files.end()) {
        read.source.files["info.ini"] = info->second;
        read.fields = InfoFields(info->second);
    }
    if (auto failure = ReadLines(reading); failure.failed) return failure;
    ReadNames(reading);
    ReadStarNames(reading);
    ReadArt(reading);
    ReadAsterisms(reading);
    read.source.rowOwners = std::move(owners);
    read.KeepAsRead();
    culture = std::move(read);
    return {};
}

std::vector<FolderFile> OlderCultureChanges(const Culture& culture) {
    std::vector<FolderFile> files;
    const auto changed = [&](const char* name, std::string text) {
        const auto old = culture.source.files.find(name);
        const bool existed = old != culture.source.files.end();
        if ((existed && old->second != text) || (!existed && !text.empty())) files.push_back({name, std::move(text)});
    };
    changed(kNamesFile, RewriteConstellations(
                            culture, kNamesFile, [](const auto& a, const auto& b) { return a.name == b.name; },
                            [](const CultureConstellation& c) { return FormatNameRecord(c.id, *c.name); },
                            [](const CultureConstellation& c) { return c.name.has_value(); }));
    // Star names the user did not touch leave their file as it was read, without a row's work.
    if (culture.namedObjects != culture.source.namedObjects) changed(kStarNamesFile, RewriteStarNames(culture));
    changed(kArtFile, RewriteConstellations(
                          culture, kArtFile, [](const auto& a, const auto& b) { return a.art == b.art; },
                          [](const CultureConstellation& c) { return FormatArtRecord(c.id, *c.art); },
                          [](const CultureConstellation& c) { return c.art.has_value(); }));
    // The lines last: an interrupted save leaves a culture that still reads as one.
    changed(kLinesFile, RewriteConstellations(
                            culture, kLinesFile, [](const auto& a, const auto& b) { return a.lines == b.lines; },
                            [](const CultureConstellation& c) { return FormatLinesRecord(c.id, c.lines); },
                            [](const CultureConstellation&) { return true; }));
    return files;
}

std::vector<FolderFile> FormatOlderCulture(const Culture& culture) {
    std::string info = "[info]\n";
    for (const auto& [key, value] : culture.fields.items())
        info += key + " = " + (value.is_string() ? value.get<std::string>() : value.dump()) + "\n";
    std::string lines, names, stars, art;
    for (const CultureConstellation& c : culture.constellations) {
        lines += FormatLinesRecord(c.id, c.lines) + "\n";
        if (c.name) names += FormatNameRecord(c.id, *c.name) + "\n";
        if (c.art) art += FormatArtRecord(c.id, *c.art) + "\n";
    }
    for (const NamedObject& o : culture.namedObjects)
        if (o.key.rfind("HIP ", 0) == 0)
            for (const CultureName& name : o.names) stars += FormatStarNameRecord(std::stoi(o.key.substr(4)), name) + "\n";
    // An id that starts with a byte-order mark stays the id's at the start of its file.
    std::vector<FolderFile> files{{"info.ini", info}, {kNamesFile, KeepLeadingMark(names)}};
    if (!stars.empty()) files.push_back({kStarNamesFile, KeepLeadingMark(stars)});
    if (!art.empty()) files.push_back({kArtFile, KeepLeadingMark(art)});
    files.push_back({kLinesFile, KeepLeadingMark(lines)});
    return files;
}

}  // namespace orvanta
