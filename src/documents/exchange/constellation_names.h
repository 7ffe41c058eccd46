#pragma once
// The 89 entries of cons.txt, whose order the English names list follows.
#include <array>
#include <string>

namespace orvanta {

// Latin alphabetical order with the Serpent's head before its tail, both "Ser".
extern const std::array<const char*, 89> kConstellationOrder;

// The position of abbreviation in kConstellationOrder (its first), or -1.
int ConstellationOrderOf(const std::string& abbreviation);

// The English name of a constellation from the comma-separated names list;
// empty when the list is short. Serpens is named after its head.
std::string EnglishNameOf(const std::string& englishNames, const std::string& abbreviation);

// The IAU's Latin name of a constellation: "Canis Major"; empty for no IAU abbreviation.
std::string LatinNameOf(const std::string& abbreviation);

}  // namespace orvanta
