#pragma once
// Finds the catalogue star at or near a position: how a figure's line ends
// and imported positions are tied to stars.
#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "sky/sky_vector.h"
#include "sky/star.h"

namespace orvanta {

// A figure written by Orvanta carries its stars' exact coordinates; other
// figures may be off by rounding, so a line end within this is still the star.
constexpr double kLineEndMatchDegrees = 0.05;
// Imported positions come from other catalogues and epochs' rounding.
constexpr double kImportMatchDegrees = 0.1;

class StarFinder {
public:
    explicit StarFinder(const std::vector<Star>& stars);

    // The brightest star at exactly these catalogue coordinates.
    std::optional<size_t> AtPosition(int32_t ra, int32_t dec) const;
    // The nearest star no more than maxDegrees (at most 1) away; the brighter on a tie.
    std::optional<size_t> Nearest(SkyDirection direction, double maxDegrees) const;
    // A line end: the star at its exact coordinates, else the nearest within kLineEndMatchDegrees.
    std::optional<size_t> LineEnd(int16_t ra, int16_t dec) const;

    const std::vector<Star>& Stars() const { return stars_; }

private:
    const std::vector<Star>& stars_;
    std::vector<SkyVector> vectors_;
    std::map<std::pair<int32_t, int32_t>, size_t> exact_;
    std::vector<std::vector<size_t>> bands_;  // star indices by whole degree of Dec from -90
};

}  // namespace orvanta
