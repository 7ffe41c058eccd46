// The 89 IAU constellations in cons.txt's order, and their English names.
#include "documents/exchange/constellation_names.h"

namespace orvanta {

const std::array<const char*, 89> kConstellationOrder = {
    "And", "Ant", "Aps", "Aqr", "Aql", "Ara", "Ari", "Aur", "Boo", "Cae", "Cam", "Cnc", "CVn", "CMa", "CMi",
    "Cap", "Car", "Cas", "Cen", "Cep", "Cet", "Cha", "Cir", "Col", "Com", "CrA", "CrB", "Crv", "Crt", "Cru",
    "Cyg", "Del", "Dor", "Dra", "Equ", "Eri", "For", "Gem", "Gru", "Her", "Hor", "Hya", "Hyi", "Ind", "Lac",
    "Leo", "LMi", "Lep", "Lib", "Lup", "Lyn", "Lyr", "Men", "Mic", "Mon", "Mus", "Nor", "Oct", "Oph", "Ori",
    "Pav", "Peg", "Per", "Phe", "Pic", "Psc", "PsA", "Pup", "Pyx", "Ret", "Sge", "Sgr", "Sco", "Scl", "Sct",
    "Ser", "Ser", "Sex", "Tau", "Tel", "Tri", "TrA", "Tuc", "UMa", "UMi", "Vel", "Vir", "Vol", "Vul"};

// The IAU's Latin names, in the same order; Serpens is one name for both parts.
const std::array<const char*, 89> kLatinNames = {
    "Andromeda", "Antlia", "Apus", "Aquarius", "Aquila", "Ara", "Aries", "Auriga", "Bootes", "Caelum",
    "Camelopardalis", "Cancer", "Canes Venatici", "Canis Major", "Canis Minor", "Capricornus", "Carina", "Cassiopeia",
    "Centaurus", "Cepheus", "Cetus", "Chamaeleon", "Circinus", "Columba", "Coma Berenices", "Corona Australis",
    "Corona Borealis", "Corvus", "Crater", "Crux", "Cygnus", "Delphinus", "Dorado", "Draco", "Equuleus", "Eridanus",
    "Fornax", "Gemini", "Grus", "Hercules", "Horologium", "Hydra", "Hydrus", "Indus", "Lacerta", "Leo", "Leo Minor",
    "Lepus", "Libra", "Lupus", "Lynx", "Lyra", "Mensa", "Microscopium", "Monoceros", "Musca", "Norma", "Octans",
    "Ophiuchus", "Orion", "Pavo", "Pegasus", "Perseus", "Phoenix", "Pictor", "Pisces", "Piscis Austrinus", "Puppis",
    "Pyxis", "Reticulum", "Sagitta", "Sagittarius", "Scorpius", "Sculptor", "Scutum", "Serpens", "Serpens", "Sextans",
    "Taurus", "Telescopium", "Triangulum", "Triangulum Australe", "Tucana", "Ursa Major", "Ursa Minor", "Vela", "Virgo",
    "Volans", "Vulpecula"};

int ConstellationOrderOf(const std::string& abbreviation) {
    for (size_t i = 0; i < kConstellationOrder.size(); ++i)
        if (abbreviation == kConstellationOrder[i]) return static_cast<int>(i);
    return -1;
}

std::string EnglishNameOf(const std::string& englishNames, const std::string& abbreviation) {
    const int wanted = ConstellationOrderOf(abbreviation);
    if (wanted < 0) return {};
    size_t start = 0;
    for (int i = 0; i < wanted; ++i) {
        start = englishNames.find(',', start);
        if (start == std::string::npos) return {};
        ++start;
    }
    return englishNames.substr(start, englishNames.find(',', start) - start);
}

std::string LatinNameOf(const std::string& abbreviation) {
    const int index = ConstellationOrderOf(abbreviation);
    return index < 0 ? std::string() : kLatinNames[static_cast<size_t>(index)];
}

}  // namespace orvanta
