// The values the exchange readers share: JSON, Hipparcos numbers, positions.
#include "documents/exchange/exchange_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "files/quoted_field.h"
#include "sky/star_identities.h"

namespace orvanta {

namespace {

constexpr int kMaxJsonDepth = 64;  // exchange files nest four deep; more is not ours to read

// The deepest nesting of brackets outside strings, counted before parsing so
// that no hostile file drives the parser deep.
int NestingDepth(const std::string& text) {
    int depth = 0, deepest = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

int LineAt(const std::string& text, size_t byte) {
    byte = std::min(byte, text.size());
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(byte), '\n'));
}

template <typename Json>
ReadFailure ParseAnyJson(const std::string& text, Json& root) {
    if (NestingDepth(text) > kMaxJsonDepth) return {true, 0, "the JSON is nested too deeply"};
    try {
        root = Json::parse(text);
    } catch (const nlohmann::json::parse_error& error) {
        // The library's message carries its own position; the line is ours to give.
        // What it read last may be a whole long token: it is quoted as any field is.
        std::string what = error.what();
        if (const size_t colon = what.find(": ", what.find("parse error")); colon != std::string::npos)
            what = what.substr(colon + 2);
        if (const size_t last = what.find("; last read: '"); last != std::string::npos) {
            std::string token = what.substr(last + 14);
            if (!token.empty() && token.back() == '\'') token.pop_back();
            what = what.substr(0, last) + "; last read: " + QuoteField(token);
        }
        return {true, LineAt(text, error.byte == 0 ? 0 : error.byte - 1), "the JSON is not valid: " + what};
    } catch (const nlohmann::json::out_of_range& error) {
        // A number beyond a double ("1e99999") is refused while parsing, with no position.
        std::string what = error.what();
        if (const size_t bracket = what.find("] "); bracket != std::string::npos) what = what.substr(bracket + 2);
        // "number overflow parsing '999...'": the number, which may be millions of digits, quoted short.
        if (const size_t quote = what.find('\''); quote != std::string::npos && what.back() == '\'' && what.size() > quote + 1)
            what = what.substr(0, quote) + QuoteField(what.substr(quote + 1, what.size() - quote - 2));
        return {true, 0, "the JSON is not valid: " + what};
    }
    return {};
}

std::optional<int32_t> InHipparcosRange(int64_t value, std::string& reason) {
    if (value < 1 || value > kHighestHipparcosNumber) {
        reason = "the Hipparcos number " + std::to_string(value) + " is outside 1 to " +
                 std::to_string(kHighestHipparcosNumber);
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

}  // namespace

ReadFailure ParseJson(const std::string& text, nlohmann::json& root) { return ParseAnyJson(text, root); }

ReadFailure ParseJson(const std::string& text, nlohmann::ordered_json& root) { return ParseAnyJson(text, root); }

std::optional<int32_t> HipparcosNumber(const std::string& word, std::string& reason) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || end != word.data() + word.size() || error == std::errc::invalid_argument) {
        reason = QuoteField(word) + " is not a Hipparcos number";
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        reason = "the Hipparcos number " + QuoteField(word) + " is out of range";
        return std::nullopt;
    }
    return InHipparcosRange(value, reason);
}

std::optional<int32_t> HipparcosNumber(const nlohmann::json& value, std::string& reason) {
    if (value.is_number_unsigned() && value.get<uint64_t>() > static_cast<uint64_t>(INT64_MAX)) {
        reason = "the Hipparcos number " + QuoteField(value.dump()) + " is out of range";
        return std::nullopt;
    }
    if (!value.is_number_integer()) {
        reason = QuoteJson(value) + " is not a Hipparcos number";
        return std::nullopt;
    }
    return InHipparcosRange(value.get<int64_t>(), reason);
}

std::optional<SkyDirection> PositionOf(const nlohmann::json& value, bool longitudeDegrees, std::string& reason) {
    if (!value.is_array() || value.size() < 2 || !value[0].is_number() || !value[1].is_number()) {
        reason = QuoteJson(value) + " is not a pair of numbers";
        return std::nullopt;
    }
    double first = value[0].get<double>();
    const double dec = value[1].get<double>();
    const double low = longitudeDegrees ? -180 : 0, high = longitudeDegrees ? 360 : 24;
    if (!(first >= low && first <= high) || !(dec >= -90 && dec <= 90)) {
        reason = QuoteJson(value) + " is outside " + (longitudeDegrees ? "longitude -180 to 360" : "RA 0 to 24") +
                 ", Dec -90 to 90";
        return std::nullopt;
    }
    if (longitudeDegrees) first = (first < 0 ? first + 360 : first) / 15;
    if (first >= 24) first -= 24;
    return SkyDirection{first, dec};
}

std::string QuoteJson(const nlohmann::json& value) {
    // A string of megabytes is cut before it is written out, not after.
    if (value.is_string()) return QuoteField(value.get_ref<const std::string&>());
    if (value.is_array() && value.size() > 8) return QuoteField(nlohmann::json(value.begin(), value.begin() + 8).dump());
    return QuoteField(value.dump());
}

std::string EntryName(const std::string& kind, size_t number, const nlohmann::json& object) {
    std::string entry = kind + " " + std::to_string(number);
    if (!object.is_object()) return entry;
    if (const auto id = object.find("id"); id != object.end() && id->is_string())
        entry += " (" + QuoteField(id->get_ref<const std::string&>()) + ")";
    return entry;
}

double JsonDecimal(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(value * scale) / scale;
}

}  // namespace orvanta
