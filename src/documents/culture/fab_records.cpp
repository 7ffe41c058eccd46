// Reading and writing the records of the older form's files.
#include "documents/culture/fab_records.h"

#include <charconv>
#include <cmath>

#include "documents/culture/text_rows.h"
#include "documents/exchange/exchange_fields.h"
#include "files/quoted_field.h"

namespace orvanta {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::optional<int64_t> WholeNumber(std::string_view word) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

// What may follow a name: reference numbers, commas and blanks only.
bool OnlyReferences(std::string_view rest) {
    for (const char c : rest)
        if (!(c == ',' || (c >= '0' && c <= '9') || IsSpace(c))) return false;
    return true;
}

std::string ReferencesText(const CultureName& name) {
    const auto refs = name.other.find("references");
    if (refs == name.other.end() || !refs->is_array() || refs->empty()) return {};
    std::string text = " ";
    for (size_t i = 0; i < refs->size(); ++i) text += (i ? "," : "") + (*refs)[i].dump();
    return text;
}

// The quoted text of _("...") or ("..."): up to the last '")' that only
// references follow. false when there is none.
bool QuotedName(std::string_view rest, std::string& quoted, std::string_view& after) {
    for (size_t close = rest.rfind("\")"); close != std::string_view::npos; close = rest.rfind("\")", close - 1)) {
        if (OnlyReferences(rest.substr(close + 2))) {
            quoted = std::string(rest.substr(0, close));
            after = rest.substr(close + 2);
            return true;
        }
        if (close == 0) break;
    }
    return false;
}

// "english","context" as Stellarium splits it.
void SplitContext(std::string english, CultureName& name) {
    const size_t comma = english.rfind("\",");
    if (comma != std::string::npos) {
        size_t open = comma + 2;
        while (open < english.size() && IsSpace(english[open])) ++open;
        if (open < english.size() && english[open] == '"') {
            name.other["context"] = english.substr(open + 1);
            english.resize(comma);
        }
    }
    name.english = std::move(english);
}

std::string EnglishWithContext(const CultureName& name) {
    const auto context = name.other.find("context");
    return context != name.other.end() && context->is_string()
               ? name.english + "\",\"" + context->get<std::string>()
               : name.english;
}

}  // namespace

OrderedJson ReferencesOf(std::string_view text) {
    OrderedJson refs = OrderedJson::array();
    std::string number;
    for (const char c : std::string(text) + ",") {
        if (c >= '0' && c <= '9') {
            number += c;
        } else if (!number.empty()) {
            refs.push_back(std::stoll(number.substr(0, 9)));
            number.clear();
        }
    }
    return refs;
}

std::optional<LinesRecord> ParseLinesRecord(std::string_view line, RecordTrouble& trouble) {
    trouble = {};
    const std::vector<std::string> words = Words(line);
    if (words.empty()) return std::nullopt;
    const auto count = words.size() >= 2 ? WholeNumber(words[1]) : std::nullopt;
    if (!count || *count < 0 || *count > 100000) {
        trouble = {RecordTrouble::Kind::Malformed,
                   "expected an id and the number of lines, found " + QuoteField(std::string(line))};
        return std::nullopt;
    }
    LinesRecord record{words[0], {}};
    const size_t numbers = words.size() - 2;
    for (size_t w = 2; w < words.size(); ++w) {
        std::string reason;
        if (!HipparcosNumber(words[w], reason)) {
            trouble = {RecordTrouble::Kind::Malformed, reason};
            return std::nullopt;
        }
    }
    if (numbers < static_cast<size_t>(2 * *count)) {
        trouble = {RecordTrouble::Kind::TooFewNumbers,
                   QuoteField(words[0]) + " has " + words[1] + " lines but only " + std::to_string(numbers) +
                       " star numbers: the record is passed over, as Stellarium passes it over"};
        return std::nullopt;
    }
    if (numbers > static_cast<size_t>(2 * *count))
        trouble = {RecordTrouble::Kind::ExtraNumbers,
                   QuoteField(words[0]) + " has " + words[1] + " lines but " + std::to_string(numbers) +
                       " star numbers: the first " + std::to_string(2 * *count) + " are read, as Stellarium reads them"};
    for (int64_t k = 0; k < *count; ++k)
        record.pairs.emplace_back(static_cast<int32_t>(*WholeNumber(words[2 + 2 * k])),
                                  static_cast<int32_t>(*WholeNumber(words[3 + 2 * k])));
    return record;
}

std::string FormatLinesRecord(const std::string& id, const std::vector<CulturePolyline>& lines) {
    std::string pairs;
    size_t count = 0;
    for (const CulturePolyline& polyline : lines) {
        const CulturePoint* previous = nullptr;
        for (const CulturePoint& point : polyline) {
            if (point.kind != CulturePoint::Kind::Star) continue;  // the older form names stars only
            if (previous) {
                pairs += " " + std::to_string(previous->hip) + " " + std::to_string(point.hip);
                ++count;
            }
            previous = &point;
        }
    }
    return id + " " + std::to_string(count) + pairs;
}

std::optional<NameRecord> ParseNameRecord(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && IsSpace(line[i])) ++i;
    const size_t idStart = i;
    while (i < line.size() && !IsSpace(line[i])) ++i;
    if (i == idStart || i == line.size()) return std::nullopt;
    NameRecord record{std::string(line.substr(idStart, i - idStart)), {}};
    while (i < line.size() && IsSpace(line[i])) ++i;
    if (i >= line.size() || line[i] != '"') return std::nullopt;
    // The native name runs to the last '"' that blanks and _(" follow.
    const size_t translated = line.rfind("_(\"");
    if (translated == std::string_view::npos || translated <= i) return std::nullopt;
    size_t close = translated;
    while (close > i && IsSpace(line[close - 1])) --close;
    if (close == translated || close - 1 <= i || line[close - 1] != '"') return std::nullopt;
    record.name.native = std::string(line.substr(i + 1, close - 2 - i));
    std::string english;
    std::string_view after;
    if (!QuotedName(line.substr(translated + 3), english, after)) return std::nullopt;
    SplitContext(std::move(english), record.name);
    if (OrderedJson refs = ReferencesOf(after); !refs.empty()) record.name.other["references"] = std::move(refs);
    return record;
}

std::string FormatNameRecord(const std::string& id, const CultureName& name) {
    return id + "\t\"" + name.native + "\"\t_(\"" + EnglishWithContext(name) + "\")" + ReferencesText(name);
}

std::optional<StarNameRecord> ParseStarNameRecord(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && IsSpace(line[i])) ++i;
    const size_t digits = i;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
    const auto hip = WholeNumber(line.substr(digits, i - digits));
    while (i < line.size() && IsSpace(line[i])) ++i;
    if (!hip || *hip <= 0 || *hip > 2000000000 || i >= line.size() || line[i] != '|') return std::nullopt;
    ++i;
    const size_t underscores = i;
    while (i < line.size() && line[i] == '_') ++i;
    if (line.substr(i, 2) != "(\"") return std::nullopt;
    StarNameRecord record{static_cast<int32_t>(*hip), {}};
    std::string quoted;
    std::string_view after;
    if (!QuotedName(line.substr(i + 2), quoted, after)) return std::nullopt;
    // ("name") is a name not to be translated: the culture's own.
    if (i == underscores)
        record.name.native = std::move(quoted);
    else
        SplitContext(std::move(quoted), record.name);
    if (OrderedJson refs = ReferencesOf(after); !refs.empty()) record.name.other["references"] = std::move(refs);
    return record;
}

std::string FormatStarNameRecord(int32_t hip, const CultureName& name) {
    const std::string shown = name.english.empty() ? "(\"" + name.native : "_(\"" + EnglishWithContext(name);
    return std::to_string(hip) + "|" + shown + "\")" + ReferencesText(name);
}

std::optional<ArtRecord> ParseArtRecord(std::string_view line, RecordTrouble& trouble) {
    trouble = {};
    const std::vector<std::string> words = Words(line);
    if (words.size() < 11) {
        trouble = {RecordTrouble::Kind::NotUnderstood, "an illustration needs a file and three anchors, found " +
                                                           QuoteField(std::string(line))};
        return std::nullopt;
    }
    ArtRecord record{words[0], {words[1], 0, 0, {}}};
    for (int k = 0; k < 3; ++k) {
        const auto x = WholeNumber(words[2 + 3 * k]), y = WholeNumber(words[3 + 3 * k]), hip = WholeNumber(words[4 + 3 * k]);
        if (!x || !y || !hip || *x < 0 || *y < 0 || *hip <= 0 || *hip > 2000000000) {
            trouble = {RecordTrouble::Kind::NotUnderstood, "anchor " + std::to_string(k + 1) + " of " +
                                                               QuoteField(words[0]) + " is not three whole numbers"};
            return std::nullopt;
        }
        record.art.anchors.push_back({static_cast<double>(*x), static_cast<double>(*y), static_cast<int32_t>(*hip)});
    }
    if (words.size() > 11)
        trouble = {RecordTrouble::Kind::ExtraNumbers,
                   "the illustration of " + QuoteField(words[0]) + " has " + std::to_string(words.size() - 11) +
                       " fields more than three anchors: they are passed over, as Stellarium passes them over"};
    return record;
}

std::string FormatArtRecord(const std::string& id, const CultureArt& art) {
    std::string text = id + " " + art.file;
    for (const ArtAnchor& anchor : art.anchors) {
        // Stellarium 0.22 drops every " 0" before it reads: a coordinate of 0 is written as 1.
        const auto coordinate = [](double v) { return std::to_string(std::max<long>(1, std::lround(v))); };
        text += " " + coordinate(anchor.x) + " " + coordinate(anchor.y) + " " + std::to_string(anchor.hip);
    }
    return text;
}

}  // namespace orvanta
