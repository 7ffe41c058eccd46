#pragma once
// The values the exchange readers share: JSON text, Hipparcos numbers and
// positions, each checked with a reason when it is wrong.
#include <cstdint>
#include <optional>
#include <string>
#include <nlohmann/json.hpp>

#include "files/read_failure.h"
#include "sky/sky_vector.h"

namespace orvanta {

// Parses JSON text; a syntax error names its line.
ReadFailure ParseJson(const std::string& text, nlohmann::json& root);
// The same, keeping the order of every object's keys.
ReadFailure ParseJson(const std::string& text, nlohmann::ordered_json& root);

// A Hipparcos number, 1 to kHighestHipparcosNumber, as a word of a .fab file or a JSON value.
std::optional<int32_t> HipparcosNumber(const std::string& word, std::string& reason);
std::optional<int32_t> HipparcosNumber(const nlohmann::json& value, std::string& reason);

// A JSON pair of numbers as a J2000 direction: [RA hours, Dec degrees], or with
// longitudeDegrees [longitude, latitude] in degrees as GeoJSON has it.
std::optional<SkyDirection> PositionOf(const nlohmann::json& value, bool longitudeDegrees, std::string& reason);

// A JSON value for a message, quoted and cut as any input field.
std::string QuoteJson(const nlohmann::json& value);
// "constellation 3 (\"CON x Ori\")": an entry of a list by its number and id, for messages.
std::string EntryName(const std::string& kind, size_t number, const nlohmann::json& object);

// value rounded to the given decimals, so that the written number is short.
double JsonDecimal(double value, int decimals);

}  // namespace orvanta
