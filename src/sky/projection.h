#pragma once
// The azimuthal equidistant map about the zenith: sky position <-> twips.
#include <cstdint>
#include <optional>

namespace orvanta {

// Where the sky is seen from, and at which sidereal time.
struct Observer {
    float siderealTime = 0;     // hours, from the sky time
    float latitude = 50.0f;     // degrees; tilts the sky
    float longitude = -15.0f;   // degrees; enters the sidereal time as longitude / 15 hours
    double latitudeRad = 0.872664625997165;
    float sinLatitude = 0, cosLatitude = 0;
};

// The map's scale: twips per degree of zenith distance are unit × scaleFactor.
struct Zoom {
    int32_t unit = 0, minUnit = 0, maxUnit = 0;
    uint8_t scaleFactor = 2;
};

// Everything that fixes the view. Screen values are twips (15 to a logical pixel).
struct ViewState {
    Observer observer;
    Zoom zoom;
    float centreX = 0;   // the zenith's place: the middle of the map's top edge
    int16_t centreY = 0;
};

// A place on the map in twips, y downwards.
struct ScreenPoint {
    int32_t x = 0, y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Refreshes the latitude values from latitude.
void UpdateLatitudeTerms(Observer& observer);

// ra in hours, dec in degrees. Nothing when the point lies more than 20
// degrees below the horizon, off the map.
std::optional<ScreenPoint> ProjectStar(const ViewState& view, double ra, double dec);
// The same for a position in catalogue units.
std::optional<ScreenPoint> ProjectCatalogueUnits(const ViewState& view, int32_t ra, int32_t dec);

// The same for a direction given as a unit vector (J2000), by a shorter
// route in double precision: for points that are no catalogue star, such as
// the corners of an illustration's mesh.
std::optional<ScreenPoint> ProjectDirection(const ViewState& view, double x, double y, double z);

// A point of the sky in catalogue units, kept unrounded.
struct CataloguePoint {
    double ra = 0;   // thousandths of an hour
    double dec = 0;  // hundredths of a degree
};

// The inverse of ProjectStar for a pointer position in twips.
CataloguePoint PointerToSky(const ViewState& view, float x, float y);

}  // namespace orvanta
