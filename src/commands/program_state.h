#pragma once
// The whole state of a running Orvanta, passed explicitly to the commands.
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "documents/document.h"
#include "documents/exchange/exchange_sky.h"
#include "map/boundary_table.h"
#include "map/constellation_table.h"
#include "map/layers.h"
#include "sky/art_placement.h"
#include "sky/catalogue.h"
#include "sky/deep_stars.h"
#include "sky/projection.h"
#include "sky/sky_time.h"
#include "ui/gui_strings.h"

namespace orvanta {

// A culture's illustrations on the map.
struct IllustrationView {
    bool shown = true;  // View > Illustrations, remembered
    int percent = 50;   // their brightness, remembered; a selected constellation's is full
    std::vector<ShownPicture> pictures;               // as the map shows them now
    std::map<std::string, std::pair<int, int>> sizes;  // the size of each picture file read so far
    // An anchor or a handle being dragged: whose picture, which anchor or
    // handle, where its anchors' stars were at the press, and the sky under
    // the press and under the pointer.
    struct Drag {
        uint64_t uid = 0;
        std::optional<size_t> anchor;  // else the handle
        PictureHandle handle = PictureHandle::Move;
        std::array<SkyVector, 3> stars;
        SkyVector centre, from, at;
    };
    std::optional<Drag> drag;
};

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
    // Faint Stars: More stars goes on to magnitude 8 with the Hipparcos stars beyond yale.dat.
    bool faintStars = false;
    std::shared_ptr<const DeepStars> deepStars;  // made with the exchange sky
    std::optional<int32_t> markedStar;  // what Find Star found, by its Hipparcos number
    IllustrationView illustrations;
    bool showAsterisms = false;  // a culture's asterisms, remembered
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
    // How far More stars may go.
    uint8_t FaintestLimit() const { return faintStars ? StarLimit::kFaintestDeep : StarLimit::kFaintest; }
    // How many faint stars the map shows: none unless Faint Stars is on and the limit is past yale.dat's range.
    size_t DeepStarCount() const {
        return faintStars && deepStars && starLimit.tenths > StarLimit::kFaintest ? deepStars->CountTo(starLimit.tenths) : 0;
    }
};

}  // namespace orvanta
