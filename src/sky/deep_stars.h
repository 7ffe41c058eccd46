#pragma once
// The stars fainter than yale.dat holds, from the Hipparcos catalogue, for a
// map that goes to magnitude 8: kept as unit vectors so that tens of
// thousands of them project in a few milliseconds, and indexed by
// declination so that a press finds its star without a walk through them all.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sky/hipparcos_catalogue.h"
#include "sky/projection.h"
#include "sky/star.h"
#include "sky/star_identities.h"

namespace orvanta {

class DeepStars {
public:
    DeepStars() = default;
    // The Hipparcos stars that no star of yale.dat is, brightest first.
    DeepStars(const HipparcosCatalogue& hipparcos, const StarIdentities& bright);

    size_t Size() const { return stars_.size(); }
    const Star& At(size_t i) const { return stars_[i]; }
    int32_t HipAt(size_t i) const { return hips_[i]; }
    // How many, from the brightest, are not fainter than tenths / 10.
    size_t CountTo(int tenths) const;

    // Where stars from up to to lie on the map, in twips, for those above the
    // map's lowest altitude, and which they are. Within a pixel of
    // ProjectCatalogueUnits, by a shorter route: the catalogue's own
    // arithmetic binds the bright stars only.
    void Project(const ViewState& view, size_t from, size_t to, std::vector<float>& x, std::vector<float>& y,
                 std::vector<uint32_t>& which) const;

    // The brightest of the first count stars within the box a press picks
    // from (the same box as for the bright stars), or nullopt.
    std::optional<size_t> InBox(const CataloguePoint& pointer, size_t count) const;

private:
    std::vector<Star> stars_;
    std::vector<int32_t> hips_;
    std::vector<float> x_, y_, z_;    // J2000 unit vectors of the places in catalogue units
    std::vector<uint32_t> byDec_;     // indices sorted by declination
};

}  // namespace orvanta
