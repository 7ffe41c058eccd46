#pragma once
// Finding a star by what a user types: its proper name, its Bayer or
// Flamsteed designation with its constellation, or its Hipparcos number.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "sky/hipparcos_catalogue.h"
#include "sky/star_identities.h"

namespace orvanta {

class StarSearch {
public:
    explicit StarSearch(const StarIdentities& identities);

    // What completion offers: "Betelgeuse", "alpha Ori", "58 Ori".
    const std::vector<std::string>& Completions() const { return completions_; }

    // The Hipparcos number of the star the text names, whatever its case and
    // spacing; "α Ori", "HIP 27989" and "27989" are understood too. A bare
    // number must be a star of hipparcos.
    std::optional<int32_t> Find(const std::string& text, const HipparcosCatalogue& hipparcos) const;

private:
    std::unordered_map<std::string, int32_t> byKey_;
    std::vector<std::string> completions_;
};

}  // namespace orvanta
