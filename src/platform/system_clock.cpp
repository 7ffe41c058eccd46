// The present local time from the system clock.
#include "platform/system_clock.h"

#include <QDateTime>

namespace orvanta {

LocalDateTime PresentLocalTime() {
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date().year(), now.date().month(), now.date().day(), now.time().hour(), now.time().minute()};
}

}  // namespace orvanta
