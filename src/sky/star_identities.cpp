// The star cross-index: who each catalogue star is.
#include "sky/star_identities.h"

#include "files/quoted_field.h"
#include "sky/record_lines.h"
#include "files/file_reading.h"

namespace orvanta {

// "alpha" as the Greek letter the charts print; "pi2" keeps its number.
std::string BayerLetter(const std::string& bayer) {
    static const char* const kNames[][2] = {
        {"alpha", "\u03b1"}, {"beta", "\u03b2"},  {"gamma", "\u03b3"}, {"delta", "\u03b4"},  {"epsilon", "\u03b5"},
        {"zeta", "\u03b6"},  {"eta", "\u03b7"},   {"theta", "\u03b8"}, {"iota", "\u03b9"},   {"kappa", "\u03ba"},
        {"lambda", "\u03bb"}, {"mu", "\u03bc"},   {"nu", "\u03bd"},    {"xi", "\u03be"},     {"omicron", "\u03bf"},
        {"pi", "\u03c0"},    {"rho", "\u03c1"},   {"sigma", "\u03c3"}, {"tau", "\u03c4"},    {"upsilon", "\u03c5"},
        {"phi", "\u03c6"},   {"chi", "\u03c7"},   {"psi", "\u03c8"},   {"omega", "\u03c9"}};
    const size_t digits = bayer.find_first_of("0123456789");
    const std::string letter = bayer.substr(0, digits);
    for (const auto& [name, greek] : kNames)
        if (letter == name) return greek + (digits == std::string::npos ? "" : bayer.substr(digits));
    return bayer;
}

std::string IdentityText(const StarIdentity& star) {
    std::string text = star.name;
    const auto add = [&text](const std::string& part) {
        if (part.empty()) return;
        if (!text.empty()) text += "  ";
        text += part;
    };
    // A designation is read with its own constellation: 54 Cet lies in Aries but is no star of Aries.
    if (!star.bayer.empty()) add(BayerLetter(star.bayer) + " " + star.designatedIn);
    if (!star.flamsteed.empty()) add(star.flamsteed + " " + star.designatedIn);
    if (star.hip > 0) add("HIP " + std::to_string(star.hip));
    return text;
}

std::optional<size_t> StarIdentities::IndexOfHip(int32_t hip) const {
    const auto found = indexOfHip.find(hip);
    if (found == indexOfHip.end()) return std::nullopt;
    return found->second;
}

const StarIdentity* StarIdentities::Of(size_t index) const { return index < stars.size() ? &stars[index] : nullptr; }

ReadFailure ParseStarIdentities(const std::string& text, StarIdentities& identities) {
    std::vector<RecordLine> records;
    if (auto failure = SplitRecordLines(text, 8, records); failure.failed) return failure;
    StarIdentities read;
    read.stars.reserve(records.size());
    for (const RecordLine& record : records) {
        const auto& f = record.fields;
        std::string reason;
        const auto hip = WholeNumberField(f[0], 1, kHighestHipparcosNumber, std::nullopt, reason);
        const auto hd = hip ? WholeNumberField(f[1], 1, 999999, 0, reason) : std::nullopt;
        const auto hr = hd ? WholeNumberField(f[2], 1, 9999, 0, reason) : std::nullopt;
        if (!hr) return {true, record.line, reason};
        if (f[5].size() != 3) return {true, record.line, QuoteField(f[5]) + " is not a constellation abbreviation"};
        // A designation names its constellation; without one there is nothing to name.
        const bool designated = !f[3].empty() || !f[4].empty();
        if (designated ? f[7].size() != 3 : !f[7].empty())
            return {true, record.line,
                    designated ? QuoteField(f[7]) + " is not a constellation abbreviation"
                               : QuoteField(f[7]) + " names the constellation of a designation the star does not have"};
        if (!read.indexOfHip.emplace(static_cast<int32_t>(*hip), read.stars.size()).second)
            return {true, record.line, "HIP " + QuoteField(f[0]) + " appears twice"};
        read.stars.push_back({static_cast<int32_t>(*hip), static_cast<int32_t>(*hd), static_cast<int32_t>(*hr), f[3],
                              f[4], f[5], f[6], f[7]});
    }
    identities = std::move(read);
    return {};
}

ReadFailure LoadStarIdentities(const std::string& path, StarIdentities& identities) {
    std::string text;
    if (auto failure = ReadWholeFile(path, text, 64u << 20); failure.failed) return failure;
    return ParseStarIdentities(text, identities);
}

}  // namespace orvanta
