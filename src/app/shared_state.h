#pragma once
// The whole state of a running Orvanta, one member per owning subsystem,
// passed explicitly to the handlers that use it.
#include <string>

#include "figure/figure_lines.h"
#include "map/boundary_table.h"
#include "map/constellation_table.h"
#include "sky/catalogue.h"
#include "sky/projection.h"
#include "sky/sky_time.h"
#include "ui/gui_strings.h"

namespace orvanta {

struct Orvanta {
    std::string AppDir;   // the program's folder, ending in the separator
    GuiStrings strings;   // holds IniPath
    SkyTime time;
    ViewState view;
    StarCatalog stars;
    bool ShowStarColours = true;
    NamesMode namesMode = 0;
    ConstellationTable constellations;
    BoundaryTable boundaries;
    FigureLines figure;

    std::string DataPath(const char* name) const { return AppDir + name; }
};

}  // namespace orvanta
