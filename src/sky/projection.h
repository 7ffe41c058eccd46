#pragma once
// The azimuthal equidistant map about the zenith: sky position <-> twips.
#include <cstdint>

namespace orvanta {

// Everything that fixes the view. Screen values are twips (15 to a logical pixel).
struct ViewState {
    float SiderealTime = 0;  // hours, written by the sky time
    float Latitude = 50.0f;  // degrees; tilts the sky
    float Longitude = -15.0f;  // degrees; enters the sidereal time as Longitude / 15 hours
    double LatitudeRad = 0.872664625997165;
    float SinLatitude = 0, CosLatitude = 0;
    int32_t ZoomUnit = 0, MinZoomUnit = 0, MaxZoomUnit = 0;
    uint8_t ScaleFactor = 2;
    float CentreX = 0;
    int16_t CentreY = 0;
    uint8_t MagLimitTenths = 40;
};

// The outcome of one projection. X and Y keep their previous values when the
// point is not visible, so one result object is reused by each caller.
struct Projection {
    int32_t ProjX = 0, ProjY = 0;
    bool ProjVisible = false;
};

// Refreshes the latitude values from Latitude.
void UpdateLatitudeTerms(ViewState& view);

// ra in hours, dec in degrees. Visible down to 20 degrees below the horizon.
void ProjectStar(const ViewState& view, double ra, double dec, Projection& out);

// A point of the sky in catalogue units, kept unrounded.
struct CataloguePoint {
    double ra = 0;   // thousandths of an hour
    double dec = 0;  // hundredths of a degree
};

// The inverse of ProjectStar for a pointer position in twips.
CataloguePoint PointerToSky(const ViewState& view, float x, float y);

}  // namespace orvanta
