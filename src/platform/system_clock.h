#pragma once
#include "sky/sky_time.h"

namespace orvanta {

// The present local date and time from the system clock.
LocalDateTime PresentLocalTime();

}  // namespace orvanta
