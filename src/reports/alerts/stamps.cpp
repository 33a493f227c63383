// The short local-time stamps of the alert and summary reports.
#include "stamps.hpp"

#include <cstdio>

#include "vyt/local_time.hpp"

namespace vyt::alerts {

void AlertStartText(std::int32_t secs, char (&buffer)[kTimeTextMax]) {
    LocalParts lt{};
    if (!LocalTime(secs, &lt)) {
        std::snprintf(buffer, sizeof buffer, "%s", kTimePlaceholder);
        return;
    }
    // "%2.2d:%2.2d:%2.2d<br>%2.2d/%2.2d", written directly.
    char* p = PutNumber2(buffer, lt.hour);
    *p++ = ':';
    p = PutNumber2(p, lt.minute);
    *p++ = ':';
    p = PutNumber2(p, lt.second);
    p = PutLiteral(p, "<br>");
    p = PutNumber2(p, lt.month);
    *p++ = '/';
    p = PutNumber2(p, lt.day);
    *p = '\0';
}

void IntervalStamp(std::int32_t secs, char (&buffer)[kTimeTextMax]) {
    LocalParts lt{};
    if (!LocalTime(secs, &lt)) {
        std::snprintf(buffer, sizeof buffer, "%s", kTimePlaceholder);
        return;
    }
    // "%2.2d/%2.2d %2.2d:%2.2d", written directly.
    char* p = PutNumber2(buffer, lt.month);
    *p++ = '/';
    p = PutNumber2(p, lt.day);
    *p++ = ' ';
    p = PutNumber2(p, lt.hour);
    *p++ = ':';
    p = PutNumber2(p, lt.minute);
    *p = '\0';
}

}  // namespace vyt::alerts
