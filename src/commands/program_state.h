#pragma once
// The whole state of a running Orvanta, passed explicitly to the commands.
#include <memory>
#include <string>
#include <vector>

#include "documents/document.h"
#include "documents/exchange/exchange_sky.h"
#include "map/boundary_table.h"
#include "map/constellation_table.h"
#include "sky/catalogue.h"
#include "sky/projection.h"
#include "sky/sky_time.h"
#include "ui/gui_strings.h"

namespace orvanta {

struct ProgramState {
    std::string programFolder;  // ends in the separator
    std::string lastFolder;     // where the last file dialog ended; empty at first
    std::vector<std::string> recentFiles;  // the most recent first
    GuiStrings strings;
    SkyTime time;
    ViewState view;
    StarLimit starLimit;
    StarCatalog catalog;
    bool showStarColours = true;
    bool showBounds = false;
    NamesMode namesMode = 0;
    ConstellationTable constellations;
    BoundaryTable boundaries;
    Document document;
    // Star identities and constellation bands, read when first needed; shared
    // so that the state stays copyable.
    std::shared_ptr<const ExchangeSky> exchangeSky;
    bool exchangeSkyUnreadable = false;  // tried for the read-out and failed: not again each movement
    int processId = 0;            // this program's, named in the recovery file
    std::string recoveryPath;     // where unsaved changes are kept; empty: not kept
    uint64_t recoveryRevision = 0;  // the document's revision last kept there

    std::string DataPath(const char* name) const { return programFolder + name; }
};

}  // namespace orvanta
