// The short local-time stamps of the alert and summary reports.
#include "stamps.hpp"

#include <cstdio>

namespace vyt::alerts {

void AlertStartText(std::int32_t secs, char (&buffer)[kTimeTextMax]) {
    LocalParts lt{};
    if (!LocalTime(secs, &lt)) {
        std::snprintf(buffer, sizeof buffer, "%s", kTimePlaceholder);
        return;
    }
    std::snprintf(buffer, sizeof buffer, "%2.2d:%2.2d:%2.2d<br>%2.2d/%2.2d", lt.hour, lt.minute, lt.second,
                  lt.month, lt.day);
}

void IntervalStamp(std::int32_t secs, char (&buffer)[kTimeTextMax]) {
    LocalParts lt{};
    if (!LocalTime(secs, &lt)) {
        std::snprintf(buffer, sizeof buffer, "%s", kTimePlaceholder);
        return;
    }
    std::snprintf(buffer, sizeof buffer, "%2.2d/%2.2d %2.2d:%2.2d", lt.month, lt.day, lt.hour, lt.minute);
}

}  // namespace vyt::alerts
