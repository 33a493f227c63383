// The short local-time stamps of the alert and summary reports.
#include "stamps.hpp"

#include <cstring>

#include "vyt/local_time.hpp"

namespace vyt::alerts {

void AlertStartText(std::int32_t secs, char (&buffer)[kTimeTextMax]) {
    LocalClock clock;
    if (!LocalClockOf(secs, &clock)) {
        std::memcpy(buffer, kTimePlaceholder, sizeof kTimePlaceholder);
        return;
    }
    // "%2.2d:%2.2d:%2.2d<br>%2.2d/%2.2d", written directly; "MM/DD" leads the date's text.
    PutTwoDigits(buffer, clock.hour);
    buffer[2] = ':';
    PutTwoDigits(buffer + 3, clock.minute);
    buffer[5] = ':';
    PutTwoDigits(buffer + 6, clock.second);
    std::memcpy(buffer + 8, "<br>", 4);
    std::memcpy(buffer + 12, clock.date->text, 5);
    buffer[17] = '\0';
}

void IntervalStamp(std::int32_t secs, char (&buffer)[kTimeTextMax]) {
    LocalClock clock;
    if (!LocalClockOf(secs, &clock)) {
        std::memcpy(buffer, kTimePlaceholder, sizeof kTimePlaceholder);
        return;
    }
    // "%2.2d/%2.2d %2.2d:%2.2d", written directly; "MM/DD" leads the date's text.
    std::memcpy(buffer, clock.date->text, 5);
    buffer[5] = ' ';
    PutTwoDigits(buffer + 6, clock.hour);
    buffer[8] = ':';
    PutTwoDigits(buffer + 9, clock.minute);
    buffer[11] = '\0';
}

}  // namespace vyt::alerts
