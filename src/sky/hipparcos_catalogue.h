#pragma once
// Every star of the Hipparcos catalogue (hipparcos.dat), beside the bright
// catalogue yale.dat: the stars sky cultures draw on go to magnitude 8 and
// beyond. Read after the window shows, not on the way to it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/read_failure.h"
#include "sky/colour.h"
#include "sky/sky_vector.h"

namespace orvanta {

constexpr size_t kHipparcosFileLimit = 4u << 20;

struct HipparcosStar {
    int32_t hip = 0;
    int32_t raE4 = 0;   // ten-thousandths of a degree, 0 to 3599999, J2000
    int32_t decE4 = 0;  // ten-thousandths of a degree
    int16_t magnitude = 0;   // hundredths
    int16_t colourIndex = 0; // B-V, hundredths

    SkyDirection Direction() const { return {raE4 / 150000.0, decE4 / 10000.0}; }
    // The position in the units of yale.dat and figure files, rounded as the data script rounds them.
    int32_t RaUnits() const;
    int32_t DecUnits() const;
};

class HipparcosCatalogue {
public:
    // Brightest first.
    const std::vector<HipparcosStar>& Stars() const { return stars_; }
    // The star of a Hipparcos number, in constant time; nullptr when there is none.
    const HipparcosStar* Find(int32_t hip) const;
    // The brightest star whose position in catalogue units is this one: a
    // figure file keeps only those, and two faint stars may share them.
    const HipparcosStar* AtUnits(int32_t raUnits, int32_t decUnits) const;
    // How many stars, from the brightest, are not fainter than tenths / 10.
    size_t CountTo(int tenths) const;
    bool Empty() const { return stars_.empty(); }

    friend ReadFailure ParseHipparcos(std::string_view bytes, HipparcosCatalogue& catalogue);

private:
    std::vector<HipparcosStar> stars_;
    std::vector<int32_t> indexOfHip_;  // by Hipparcos number; -1 where none
    std::vector<std::pair<int64_t, int32_t>> byUnits_;  // (place key, index), sorted; the brightest first within a place
};

// Replaces the catalogue by the file's stars; on failure it is left as it was.
ReadFailure ParseHipparcos(std::string_view bytes, HipparcosCatalogue& catalogue);
ReadFailure LoadHipparcos(const std::string& path, HipparcosCatalogue& catalogue);

}  // namespace orvanta
