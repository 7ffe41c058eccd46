#pragma once
// Check Culture: what current Stellarium would refuse in a culture (errors)
// and what it would take but a careful author would mend (warnings), each
// with where it is.
#include <functional>
#include <string>
#include <vector>

#include <optional>

#include "documents/culture/culture.h"
#include "sky/sky_vector.h"
#include "ui/gui_strings.h"

namespace orvanta {

struct CheckFinding {
    bool error = false;
    std::string where;  // "constellation 12 (CON western Ori)", "description.md"
    std::string what;
};

// A star's J2000 direction by its Hipparcos number; nullopt for none.
using StarDirections = std::function<std::optional<SkyVector>(int32_t)>;

// hipExists tells whether a Hipparcos number names a star at all; with
// starAt, how the illustrations' anchors place them is checked too.
std::vector<CheckFinding> CheckCulture(const Culture& culture, const std::function<bool(int32_t)>& hipExists,
                                       const GuiStrings& strings, const StarDirections& starAt = {});

// The findings as a report: a line each, errors first, and a last line that counts them.
std::string CheckReport(const std::vector<CheckFinding>& findings, const GuiStrings& strings);

}  // namespace orvanta
