#pragma once
// Where a sky position stands for the observer of the view: altitude above
// the horizon and azimuth from north through east.
#include "sky/projection.h"

namespace orvanta {

struct HorizonPosition {
    double altitude = 0;  // degrees
    double azimuth = 0;   // degrees, 0 north, 90 east, 0 to 360
};

// ra in hours, dec in degrees, for the view's sidereal time and latitude.
HorizonPosition ToHorizon(const ViewState& view, double ra, double dec);

}  // namespace orvanta
