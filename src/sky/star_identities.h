#pragma once
// Who each catalogue star is: the cross-index star_ids.txt, one record per
// yale.dat record in the same order. Read when first needed, not at start-up.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "files/read_failure.h"

namespace orvanta {

constexpr int32_t kHighestHipparcosNumber = 120416;  // the last entry of the Hipparcos catalogue

struct StarIdentity {
    int32_t hip = 0;            // Hipparcos number
    int32_t hd = 0;             // Henry Draper number, 0 when unknown
    int32_t hr = 0;             // Bright Star (HR) number, 0 when unknown
    std::string bayer;          // "alpha", "pi2", "b"; empty when none
    std::string flamsteed;      // "58"; empty when none
    std::string constellation;  // IAU abbreviation of the constellation holding the star
    std::string name;           // proper name, ASCII; usually empty
    // The constellation the Bayer and Flamsteed designations belong to, which for
    // a star just across a boundary is not the one holding it (54 Cet lies in
    // Aries); empty when the star has neither designation.
    std::string designatedIn;
};

struct StarIdentities {
    std::vector<StarIdentity> stars;  // element i belongs to catalogue record i
    std::unordered_map<int32_t, size_t> indexOfHip;

    // The catalogue index of the star with this Hipparcos number.
    std::optional<size_t> IndexOfHip(int32_t hip) const;
    // The identity of catalogue record index, nullptr past the end.
    const StarIdentity* Of(size_t index) const;
};

// "alpha" as the Greek letter the charts print: "α"; "pi2" as "π2".
std::string BayerLetter(const std::string& bayer);

// "Betelgeuse  α Ori  58 Ori  HIP 27989", as far as the cross-index knows the
// star; a designation is read with its own constellation.
std::string IdentityText(const StarIdentity& star);

// Replaces identities by the records of the text; on failure they are left as they were.
ReadFailure ParseStarIdentities(const std::string& text, StarIdentities& identities);
ReadFailure LoadStarIdentities(const std::string& path, StarIdentities& identities);

}  // namespace orvanta
