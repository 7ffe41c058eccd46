// Reading and writing index.json of the current form.
#include "documents/culture/current_form.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <unordered_map>

#include "documents/culture/json_spans.h"
#include "documents/exchange/exchange_fields.h"
#include "files/quoted_field.h"
#include "sky/star_identities.h"

namespace orvanta {

namespace {

constexpr const char* kIndexFile = "index.json";

struct Trouble {
    std::string what;
};

std::string TextOf(const OrderedJson& value, const std::string& where) {
    if (!value.is_string()) throw Trouble{where + " is not text"};
    return value.get<std::string>();
}

bool AllDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

CulturePoint ReadPoint(const OrderedJson& value) {
    CulturePoint point;
    if (value.is_number_integer() && value.get<int64_t>() >= 1 && value.get<int64_t>() <= kHighestHipparcosNumber)
        return CulturePoint::Star(value.get<int32_t>());
    if (value.is_string()) {
        const std::string text = value.get<std::string>();
        if (text == "thin" || text == "bold") return {CulturePoint::Kind::Marker, 0, text, 0, 0};
        if (text.rfind("DSO:", 0) == 0) return {CulturePoint::Kind::Dso, 0, text, 0, 0};
        if (AllDigits(text) && text.size() > 6) return {CulturePoint::Kind::Gaia, 0, text, 0, 0};
    }
    if (value.is_array() && value.size() == 2 && value[0].is_number() && value[1].is_number())
        return {CulturePoint::Kind::Position, 0, {}, value[0].get<double>(), value[1].get<double>()};
    // Anything else is kept as it is, for Check Culture to name.
    return {CulturePoint::Kind::Other, 0, value.dump(), 0, 0};
}

CultureName ReadName(const OrderedJson& value, const std::string& where) {
    if (!value.is_object()) throw Trouble{where + " is not an object"};
    CultureName name;
    for (const auto& [key, member] : value.items()) {
        name.keyOrder.push_back(key);
        if (key == "english") name.english = TextOf(member, where + "." + key);
        else if (key == "native") name.native = TextOf(member, where + "." + key);
        else if (key == "pronounce") name.pronounce = TextOf(member, where + "." + key);
        else name.other[key] = member;
    }
    return name;
}

// An image that is not as the format has it stays among the other keys, for Check Culture.
std::optional<CultureArt> ReadArt(const OrderedJson& image) {
    if (!image.is_object() || !image.contains("file") || !image["file"].is_string()) return std::nullopt;
    CultureArt art{image["file"].get<std::string>(), 0, 0, {}};
    if (const auto size = image.find("size"); size != image.end()) {
        if (!size->is_array() || size->size() != 2 || !(*size)[0].is_number() || !(*size)[1].is_number()) return std::nullopt;
        art.width = (*size)[0].get<int>();
        art.height = (*size)[1].get<int>();
    }
    const auto anchors = image.find("anchors");
    if (anchors == image.end() || !anchors->is_array()) return std::nullopt;
    for (const auto& anchor : *anchors) {
        if (!anchor.is_object() || !anchor.contains("pos") || !anchor.contains("hip")) return std::nullopt;
        const auto& pos = anchor["pos"];
        if (!pos.is_array() || pos.size() != 2 || !pos[0].is_number() || !pos[1].is_number() ||
            !anchor["hip"].is_number_integer())
            return std::nullopt;
        art.anchors.push_back({pos[0].get<double>(), pos[1].get<double>(), anchor["hip"].get<int32_t>()});
    }
    // Only what the model writes back the same way is taken apart.
    const OrderedJson again = [&] {
        OrderedJson o = OrderedJson::object();
        o["file"] = art.file;
        if (image.contains("size")) o["size"] = image["size"];
        o["anchors"] = image["anchors"];
        return o;
    }();
    if (again != image) return std::nullopt;
    return art;
}

CultureConstellation ReadConstellation(const OrderedJson& value, const std::string& where) {
    if (!value.is_object()) throw Trouble{where + " is not an object"};
    CultureConstellation c;
    for (const auto& [key, member] : value.items()) {
        c.keyOrder.push_back(key);
        if (key == "id") {
            c.id = TextOf(member, where + ": \"id\"");
        } else if (key == "lines") {
            if (!member.is_array()) throw Trouble{where + ": \"lines\" is not a list"};
            for (size_t p = 0; p < member.size(); ++p) {
                if (!member[p].is_array())
                    throw Trouble{where + ", polyline " + std::to_string(p + 1) + " is not a list"};
                CulturePolyline polyline;
                for (const auto& point : member[p]) polyline.push_back(ReadPoint(point));
                c.lines.push_back(std::move(polyline));
            }
        } else if (key == "common_name") {
            c.name = ReadName(member, where + ": \"common_name\"");
        } else if (key == "image" && (c.art = ReadArt(member))) {
        } else {
            c.other[key] = member;
        }
    }
    return c;
}

std::string TitleOf(const std::string& markdown) {
    for (size_t at = 0; at < markdown.size();) {
        const size_t end = markdown.find('\n', at);
        std::string line = markdown.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("# ", 0) == 0) return line.substr(2);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return {};
}

// Spaces of one step of indentation inside an element that spans lines.
std::string IndentStep(std::string_view text, const JsonSpan& element) {
    const std::vector<JsonMember> members = JsonObjectMembers(text, element.begin);
    const std::string outer = IndentationAt(text, element.begin);
    if (!members.empty()) {
        const std::string inner = IndentationAt(text, members[0].keySpan.begin);
        if (inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0) return inner.substr(outer.size());
    }
    return "  ";
}

// An object written as the file writes its records: on one line, or a key a line.
std::string RecordText(const OrderedJson& value, bool spansLines, const std::string& indentation, const std::string& step) {
    if (!spansLines || !value.is_object() || value.empty()) return InlineJson(value);
    std::string text = "{\n";
    size_t i = 0;
    for (const auto& [key, member] : value.items())
        text += indentation + step + OrderedJson(key).dump() + ": " + InlineJson(member) + (++i < value.size() ? ",\n" : "\n");
    return text + indentation + "}";
}

// The records of an array or object put together again: each one that did
// not change as it stood, the separators between them as the file has them.
struct Splice {
    JsonSpan span;
    std::string text;
};

std::string JoinRecords(std::string_view text, const JsonSpan& whole, const std::vector<JsonSpan>& old,
                        const std::vector<std::string>& records, char open, char close) {
    std::string lead = "\n" + IndentationAt(text, whole.begin) + "  ", between = "," + lead, tail = "\n" + IndentationAt(text, whole.begin);
    if (!old.empty()) {
        lead = std::string(text.substr(whole.begin + 1, old[0].begin - whole.begin - 1));
        tail = std::string(text.substr(old.back().end, whole.end - 1 - old.back().end));
        if (old.size() >= 2) between = std::string(text.substr(old[0].end, old[1].begin - old[0].end));
    }
    std::string out(1, open);
    for (size_t k = 0; k < records.size(); ++k) {
        if (k == 0) out += lead;
        else if (k < old.size()) out += std::string(text.substr(old[k - 1].end, old[k].begin - old[k - 1].end));
        else out += between;
        out += records[k];
    }
    if (!records.empty()) out += tail;
    return out + close;
}

}  // namespace

OrderedJson PointJson(const CulturePoint& point) {
    switch (point.kind) {
        case CulturePoint::Kind::Star: return point.hip;
        case CulturePoint::Kind::Position: return OrderedJson::array({point.ra, point.dec});
        case CulturePoint::Kind::Other: return OrderedJson::parse(point.text);
        default: return point.text;
    }
}

OrderedJson NameJson(const CultureName& name) {
    OrderedJson o = OrderedJson::object();
    const auto put = [&](const std::string& key) {
        if (o.contains(key)) return;
        if (key == "english") { if (!name.english.empty()) o[key] = name.english; }
        else if (key == "native") { if (!name.native.empty()) o[key] = name.native; }
        else if (key == "pronounce") { if (!name.pronounce.empty()) o[key] = name.pronounce; }
        else if (name.other.contains(key)) o[key] = name.other[key];
    };
    for (const std::string& key : name.keyOrder) put(key);
    for (const char* key : {"english", "native", "pronounce"}) put(key);
    for (const auto& [key, _] : name.other.items()) put(key);
    return o;
}

OrderedJson ConstellationJson(const CultureConstellation& c) {
    OrderedJson o = OrderedJson::object();
    const auto put = [&](const std::string& key) {
        if (o.contains(key)) return;
        if (key == "id") {
            o[key] = c.id;
        } else if (key == "lines") {
            OrderedJson lines = OrderedJson::array();
            for (const CulturePolyline& polyline : c.lines) {
                OrderedJson points = OrderedJson::array();
                for (const CulturePoint& point : polyline) points.push_back(PointJson(point));
                lines.push_back(std::move(points));
            }
            o[key] = std::move(lines);
        } else if (key == "common_name") {
            if (c.name) o[key] = NameJson(*c.name);
        } else if (key == "image" && c.art) {
            OrderedJson image = {{"file", c.art->file}};
            if (c.art->width > 0) image["size"] = {c.art->width, c.art->height};
            OrderedJson anchors = OrderedJson::array();
            for (const ArtAnchor& a : c.art->anchors) {
                const auto number = [](double v) { return v == std::floor(v) ? OrderedJson(static_cast<int64_t>(v)) : OrderedJson(v); };
                anchors.push_back({{"pos", {number(a.x), number(a.y)}}, {"hip", a.hip}});
            }
            image["anchors"] = std::move(anchors);
            o[key] = std::move(image);
        } else if (c.other.contains(key)) {
            o[key] = c.other[key];
        }
    };
    for (const std::string& key : c.keyOrder) put(key);
    for (const char* key : {"id", "lines", "image", "common_name"}) put(key);
    for (const auto& [key, _] : c.other.items()) put(key);
    return o;
}

ReadFailure ReadCurrentCulture(const std::string& indexJson, const std::string& descriptionMd, Culture& culture) {
    OrderedJson root;
    if (auto failure = ParseJson(indexJson, root); failure.failed) {
        failure.reason = std::string(kIndexFile) + ": " + failure.reason;
        return failure;
    }
    Culture read;
    read.form = CultureForm::Current;
    read.folder = culture.folder;
    read.id = culture.id;  // the folder's name, until the file gives one
    read.title = TitleOf(descriptionMd);
    try {
        if (!root.is_object()) throw Trouble{"the file is not a JSON object"};
        for (const auto& [key, value] : root.items()) {
            if (key == "constellations") {
                if (!value.is_array()) throw Trouble{"\"constellations\" is not a list"};
                for (size_t i = 0; i < value.size(); ++i) {
                    CultureConstellation c = ReadConstellation(value[i], EntryName("constellation", i + 1, value[i]));
                    c.uid = read.nextUid++;
                    read.constellations.push_back(std::move(c));
                }
            } else if (key == "common_names") {
                if (!value.is_object()) throw Trouble{"\"common_names\" is not an object"};
                for (const auto& [object, names] : value.items()) {
                    const std::string where = "common name " + QuoteField(object);
                    if (!names.is_array()) throw Trouble{where + " is not a list"};
                    NamedObject named{object, {}};
                    for (const auto& name : names) named.names.push_back(ReadName(name, where));
                    read.namedObjects.push_back(std::move(named));
                }
            } else {
                read.fields[key] = value;
            }
        }
    } catch (const Trouble& trouble) {
        return {true, 0, std::string(kIndexFile) + ": " + trouble.what};
    } catch (const nlohmann::json::exception& error) {
        return {true, 0, std::string(kIndexFile) + ": " + QuoteField(error.what())};
    }
    if (const auto id = read.fields.find("id"); id != read.fields.end() && id->is_string()) read.id = id->get<std::string>();
    // The asterisms stay among the fields as they are; their lines are taken for showing, where they are as the format has them.
    if (const auto asterisms = read.fields.find("asterisms"); asterisms != read.fields.end() && asterisms->is_array())
        for (const auto& asterism : *asterisms)
            if (asterism.is_object() && asterism.contains("lines") && asterism["lines"].is_array())
                for (const auto& line : asterism["lines"])
                    if (line.is_array()) {
                        CulturePolyline polyline;
                        for (const auto& point : line) polyline.push_back(ReadPoint(point));
                        read.asterisms.push_back(std::move(polyline));
                    }
    read.source.files[kIndexFile] = indexJson;
    read.KeepAsRead();
    culture = std::move(read);
    return {};
}

std::vector<FolderFile> CurrentCultureChanges(const Culture& culture) {
    const CultureSource& source = culture.source;
    if (culture.constellations == source.constellations && culture.namedObjects == source.namedObjects &&
        culture.fields == source.fields)
        return {};
    const auto found = source.files.find(kIndexFile);
    if (found == source.files.end()) return {{kIndexFile, FormatCultureIndexJson(culture)}};
    const std::string_view text = found->second;
    std::vector<Splice> splices;
    // A byte-order mark, which the parser passes over, stays in front of the object.
    const std::vector<JsonMember> members = JsonObjectMembers(text, text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0);
    const auto member = [&](const std::string& key) -> const JsonMember* {
        for (const JsonMember& m : members)
            if (m.key == key) return &m;
        return nullptr;
    };
    // The culture's own fields: a value that changed is written anew where it stands.
    for (const auto& [key, value] : culture.fields.items()) {
        const JsonMember* m = member(key);
        if (m && source.fields.contains(key) && source.fields[key] == value) continue;
        if (m) splices.push_back({m->valueSpan, InlineJson(value)});
    }
    // The constellations, record by record.
    if (culture.constellations != source.constellations) {
        if (const JsonMember* m = member("constellations")) {
            const std::vector<JsonSpan> old = JsonArrayElements(text, m->valueSpan.begin);
            const JsonSpan style = old.empty() ? m->valueSpan : old[0];
            const bool spansLines = text.substr(style.begin, style.end - style.begin).find('\n') != std::string_view::npos;
            const std::string indentation = IndentationAt(text, style.begin), step = IndentStep(text, style);
            std::vector<std::string> records;
            std::unordered_map<uint64_t, size_t> sourceIndex;
            for (size_t i = 0; i < source.constellations.size(); ++i) sourceIndex.emplace(source.constellations[i].uid, i);
            for (const CultureConstellation& c : culture.constellations) {
                const auto then = sourceIndex.find(c.uid);
                const size_t index = then == sourceIndex.end() ? old.size() : then->second;
                if (index < old.size() && source.constellations[index] == c)
                    records.emplace_back(text.substr(old[index].begin, old[index].end - old[index].begin));
                else
                    records.push_back(RecordText(ConstellationJson(c), spansLines, indentation, step));
            }
            splices.push_back({m->valueSpan, JoinRecords(text, m->valueSpan, old, records, '[', ']')});
        }
    }
    // The names of stars and other objects, one member each.
    if (culture.namedObjects != source.namedObjects) {
        if (const JsonMember* m = member("common_names")) {
            const std::vector<JsonMember> old = JsonObjectMembers(text, m->valueSpan.begin);
            std::vector<JsonSpan> oldSpans;
            for (const JsonMember& o : old) oldSpans.push_back({o.keySpan.begin, o.valueSpan.end});
            std::vector<std::string> records;
            // The first of each key, as a search from the start would find it.
            std::unordered_map<std::string_view, const NamedObject*> sourceByKey;
            std::unordered_map<std::string_view, const JsonMember*> oldByKey;
            for (const NamedObject& s : source.namedObjects) sourceByKey.emplace(s.key, &s);
            for (const JsonMember& o : old) oldByKey.emplace(o.key, &o);
            for (const NamedObject& named : culture.namedObjects) {
                const auto then = sourceByKey.find(named.key);
                const auto found = oldByKey.find(named.key);
                const JsonMember* at = found == oldByKey.end() ? nullptr : found->second;
                if (then != sourceByKey.end() && *then->second == named && at) {
                    records.emplace_back(text.substr(at->keySpan.begin, at->valueSpan.end - at->keySpan.begin));
                } else {
                    OrderedJson names = OrderedJson::array();
                    for (const CultureName& name : named.names) names.push_back(NameJson(name));
                    records.push_back(OrderedJson(named.key).dump() + ": " + InlineJson(names));
                }
            }
            splices.push_back({m->valueSpan, JoinRecords(text, m->valueSpan, oldSpans, records, '{', '}')});
        }
    }
    // What the file had no member for at all is written afresh: nothing of it can be kept.
    // A field the user added or took away changes the file's shape: so too.
    bool missingMember = (!member("constellations") && !culture.constellations.empty()) ||
                         (!member("common_names") && !culture.namedObjects.empty());
    for (const auto& [key, value] : culture.fields.items()) missingMember = missingMember || !member(key);
    for (const auto& [key, value] : source.fields.items()) missingMember = missingMember || !culture.fields.contains(key);
    if (missingMember) return {{kIndexFile, FormatCultureIndexJson(culture)}};
    std::sort(splices.begin(), splices.end(), [](const Splice& a, const Splice& b) { return a.span.begin > b.span.begin; });
    std::string out(text);
    for (const Splice& splice : splices) out.replace(splice.span.begin, splice.span.end - splice.span.begin, splice.text);
    if (out == text) return {};
    return {{kIndexFile, std::move(out)}};
}

std::string FormatCultureIndexJson(const Culture& culture) {
    std::string text = "{";
    bool first = true;
    const auto put = [&](const std::string& key, const std::string& value) {
        text += (first ? "\n  " : ",\n  ") + OrderedJson(key).dump() + ": " + value;
        first = false;
    };
    for (const auto& [key, value] : culture.fields.items()) {
        // A long list of strings (the edges of the boundaries) a line each.
        if (value.is_array() && value.size() > 8 && value[0].is_string()) {
            std::string list = "[";
            for (size_t i = 0; i < value.size(); ++i) list += (i ? ",\n    " : "\n    ") + value[i].dump();
            put(key, list + "\n  ]");
        } else {
            put(key, InlineJson(value));
        }
    }
    std::string constellations = "[";
    for (size_t i = 0; i < culture.constellations.size(); ++i)
        constellations += (i ? ",\n    " : "\n    ") + InlineJson(ConstellationJson(culture.constellations[i]));
    put("constellations", constellations + (culture.constellations.empty() ? "]" : "\n  ]"));
    if (!culture.namedObjects.empty()) {
        std::string names = "{";
        for (size_t i = 0; i < culture.namedObjects.size(); ++i) {
            OrderedJson list = OrderedJson::array();
            for (const CultureName& name : culture.namedObjects[i].names) list.push_back(NameJson(name));
            names += (i ? ",\n    " : "\n    ") + OrderedJson(culture.namedObjects[i].key).dump() + ": " + InlineJson(list);
        }
        put("common_names", names + "\n  }");
    }
    return text + "\n}\n";
}

}  // namespace orvanta
