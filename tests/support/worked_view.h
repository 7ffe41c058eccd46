#pragma once
// The worked view: latitude 50, sidereal time 6 h, 102 twips to the degree,
// zenith at (5000, 0). On the 6 h meridian dec 0 lies at (5000, 5100), dec 70
// at (5000, -2040), dec -59 at (5000, 11118) and dec -61 below the map;
// 9 h, dec 0 lies at (-99, 3906).
#include "sky/projection.h"

namespace orvanta::testing {

inline ViewState WorkedView() {
    ViewState view;
    view.observer.latitude = 50.0f;
    UpdateLatitudeTerms(view.observer);
    view.observer.siderealTime = 6.0f;
    view.zoom.unit = 51;
    view.zoom.scaleFactor = 2;
    view.centreX = 5000;
    return view;
}

// The same map for another place, time and zoom.
inline ViewState WorkedViewAt(float latitude, float siderealTime, int32_t unit) {
    ViewState view = WorkedView();
    view.observer.latitude = latitude;
    UpdateLatitudeTerms(view.observer);
    view.observer.siderealTime = siderealTime;
    view.zoom.unit = unit;
    return view;
}

}  // namespace orvanta::testing
