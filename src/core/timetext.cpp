// Local date-time stamps, duration texts and status-time texts.
#include "vyt/timetext.hpp"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "vyt/local_time.hpp"

namespace vyt {

namespace {
// 32-bit two's complement difference, without signed overflow.
std::int32_t wrapSub(std::int32_t a, std::int32_t b) noexcept {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
}  // namespace

bool LocalTime(std::int32_t secs, LocalParts* out) noexcept {
    std::tm tm{};
    if (!CachedLocalTime(secs, &tm)) return false;
    out->year = tm.tm_year + 1900;
    out->month = tm.tm_mon + 1;
    out->day = tm.tm_mday;
    out->hour = tm.tm_hour;
    out->minute = tm.tm_min;
    out->second = tm.tm_sec;
    return true;
}

void DateTimeStamp(std::int32_t secs, char (&buffer)[kTimeTextMax]) {
    LocalParts lt{};
    if (!LocalTime(secs, &lt)) {
        std::snprintf(buffer, sizeof buffer, "%s", kTimePlaceholder);
        return;
    }
    std::snprintf(buffer, sizeof buffer, "%2.2d/%2.2d/%2.2d (%2.2d:%2.2d:%2.2d)", lt.month, lt.day,
                  lt.year - 2000, lt.hour, lt.minute, lt.second);
}

const char* FormatDurationTime(Tracer& t, std::int32_t now, std::int32_t start, int style, TimeText& out) {
    const std::int32_t timediff = wrapSub(now, start);
    tracef(t, "\nFormatDurationTime Entry: now=%d start=%d timediff=%d\n", now, start, timediff);
    const std::int32_t hours = timediff >= 3600 ? timediff / 3600 : 0;
    const std::int32_t totalMinutes = timediff >= 60 ? timediff / 60 : 0;
    const std::int32_t minutes = totalMinutes - 60 * hours;
    const std::int32_t seconds = timediff - 60 * totalMinutes;
    if (hours > 0) {
        if (style == 1)
            std::snprintf(out, kTimeTextMax, "Last %2.2d hours %2.2d mins %2.2d secs", hours, minutes, seconds);
        else
            std::snprintf(out, kTimeTextMax, "%2.2d:%2.2d:%2.2d", hours, minutes, seconds);
    } else {
        if (style == 1)
            std::snprintf(out, kTimeTextMax, "Last %2.2d mins %2.2d secs", minutes, seconds);
        else
            std::snprintf(out, kTimeTextMax, "00:%2.2d:%2.2d", minutes, seconds);
    }
    tracef(t, "timebuff<%s> hour=%d min=%d sec=%d\n", out, hours, minutes, seconds);
    return out;
}

const char* FormatStatusTime(Tracer& t, std::int32_t secs, int format, TimeText& out) {
    tracef(t, "\nFormatStatusTime Entry: t=%d format=%d\n", secs, format);
    const std::int32_t totalHours = secs >= 3600 ? secs / 3600 : 0;
    const std::int32_t totalMinutes = secs >= 60 ? secs / 60 : 0;
    const std::int32_t minutes = totalMinutes - 60 * totalHours;
    const std::int32_t seconds = secs - 60 * totalMinutes;
    std::int32_t days = 0;
    std::int32_t hours = totalHours;
    if (totalHours > 24) {
        days = (totalHours - 1) / 24;
        hours = totalHours - 24 * days;
    }
    if (format == 1)
        std::snprintf(out, kTimeTextMax, "%2.2d %2.2d:%2.2d:%2.2d", days, hours, minutes, seconds);
    else
        std::snprintf(out, kTimeTextMax, "%2.2d:%2.2d:%2.2d", hours, minutes, seconds);
    tracef(t, "\nFormatStatusTime Exit: timebuff<%s> days=%d hour=%d min=%d sec=%d\n", out, days, hours, minutes,
           seconds);
    return out;
}

void MakeIntervalTexts(Tracer& t, std::int32_t now, std::int32_t start, IntervalTexts& texts) {
    DateTimeStamp(now, texts.now);
    DateTimeStamp(start, texts.start);
    FormatDurationTime(t, now, start, 1, texts.duration);
}

}  // namespace vyt
