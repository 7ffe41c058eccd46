#pragma once
// The present moment, from the system clock.
#include "sky/sky_time.h"

namespace orvanta {

// The present local date and time from the system clock.
LocalDateTime PresentLocalTime();

}  // namespace orvanta
