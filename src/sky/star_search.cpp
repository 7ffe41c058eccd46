// The star search's keys: every name and designation, folded to compare.
#include "sky/star_search.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace orvanta {

namespace {

// Lower case (ASCII; names are ASCII, Greek letters pass as they are), one blank between words.
std::string Folded(const std::string& text) {
    std::string folded;
    bool blank = false;
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            blank = !folded.empty();
            continue;
        }
        if (blank) folded += ' ';
        blank = false;
        folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return folded;
}

}  // namespace

StarSearch::StarSearch(const StarIdentities& identities) {
    const auto add = [this](const std::string& shown, int32_t hip, bool offered) {
        // The first star a key names keeps it: the brighter, as the cross-index runs brightest first.
        if (byKey_.emplace(Folded(shown), hip).second && offered) completions_.push_back(shown);
    };
    for (const StarIdentity& star : identities.stars) {
        if (star.hip <= 0) continue;
        if (!star.name.empty()) add(star.name, star.hip, true);
        if (!star.bayer.empty()) {
            add(star.bayer + " " + star.designatedIn, star.hip, true);
            add(BayerLetter(star.bayer) + " " + star.designatedIn, star.hip, false);
        }
        if (!star.flamsteed.empty()) add(star.flamsteed + " " + star.designatedIn, star.hip, true);
    }
    std::sort(completions_.begin(), completions_.end());
}

std::optional<int32_t> StarSearch::Find(const std::string& text, const HipparcosCatalogue& hipparcos) const {
    std::string key = Folded(text);
    if (const auto found = byKey_.find(key); found != byKey_.end()) return found->second;
    if (key.rfind("hip", 0) == 0) key = Folded(key.substr(3));
    int32_t hip = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), hip);
    if (error != std::errc() || end != key.data() + key.size() || !hipparcos.Find(hip)) return std::nullopt;
    return hip;
}

}  // namespace orvanta
