// Reading index.json of the current form into the model, every key kept.
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

}  // namespace

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

}  // namespace orvanta
