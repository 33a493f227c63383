// Local date-time stamps, duration texts and status-time texts.
#include "vyt/timetext.hpp"

#include <cstring>

#include "vyt/local_time.hpp"

namespace vyt {

namespace {
// 32-bit two's complement difference, without signed overflow.
std::int32_t wrapSub(std::int32_t a, std::int32_t b) noexcept {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
}  // namespace

bool LocalTime(std::int32_t secs, LocalParts* out) noexcept {
    LocalClock clock;
    if (!LocalClockOf(secs, &clock)) return false;
    out->year = clock.date->year;
    out->month = clock.date->month;
    out->day = clock.date->day;
    out->hour = clock.hour;
    out->minute = clock.minute;
    out->second = clock.second;
    return true;
}

void DateTimeStamp(std::int32_t secs, char (&buffer)[kTimeTextMax]) {
    LocalClock clock;
    if (!LocalClockOf(secs, &clock)) {
        std::memcpy(buffer, kTimePlaceholder, sizeof kTimePlaceholder);
        return;
    }
    // "%2.2d/%2.2d/%2.2d (%2.2d:%2.2d:%2.2d)": the date's text is made once per local day.
    std::memcpy(buffer, clock.date->text, sizeof clock.date->text);
    char* p = buffer + clock.date->textLength;
    p[0] = ' ';
    p[1] = '(';
    PutTwoDigits(p + 2, clock.hour);
    p[4] = ':';
    PutTwoDigits(p + 5, clock.minute);
    p[7] = ':';
    PutTwoDigits(p + 8, clock.second);
    p[10] = ')';
    p[11] = '\0';
}

const char* FormatDurationTime(Tracer& t, std::int32_t now, std::int32_t start, int style, TimeText& out) {
    const std::int32_t timediff = wrapSub(now, start);
    VYT_TRACE(t, "\nFormatDurationTime Entry: now=%d start=%d timediff=%d\n", now, start, timediff);
    const std::int32_t hours = timediff >= 3600 ? timediff / 3600 : 0;
    const std::int32_t totalMinutes = timediff >= 60 ? timediff / 60 : 0;
    const std::int32_t minutes = totalMinutes - 60 * hours;
    const std::int32_t seconds = timediff - 60 * totalMinutes;
    // "Last %2.2d hours %2.2d mins %2.2d secs", "%2.2d:%2.2d:%2.2d", "Last %2.2d mins %2.2d secs" or
    // "00:%2.2d:%2.2d", written directly.
    char* p = out;
    if (style == 1) {
        p = PutLiteral(p, "Last ");
        if (hours > 0) {
            p = PutNumber2(p, hours);
            p = PutLiteral(p, " hours ");
        }
        p = PutNumber2(p, minutes);
        p = PutLiteral(p, " mins ");
        p = PutNumber2(p, seconds);
        p = PutLiteral(p, " secs");
    } else {
        p = hours > 0 ? PutNumber2(p, hours) : PutLiteral(p, "00");
        *p++ = ':';
        p = PutNumber2(p, minutes);
        *p++ = ':';
        p = PutNumber2(p, seconds);
    }
    *p = '\0';
    VYT_TRACE(t, "timebuff<%s> hour=%d min=%d sec=%d\n", out, hours, minutes, seconds);
    return out;
}

const char* FormatStatusTime(Tracer& t, std::int32_t secs, int format, TimeText& out) {
    VYT_TRACE(t, "\nFormatStatusTime Entry: t=%d format=%d\n", secs, format);
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
    // "%2.2d %2.2d:%2.2d:%2.2d" or "%2.2d:%2.2d:%2.2d", written directly.
    char* p = out;
    if (format == 1) {
        p = PutNumber2(p, days);
        *p++ = ' ';
    }
    p = PutNumber2(p, hours);
    *p++ = ':';
    p = PutNumber2(p, minutes);
    *p++ = ':';
    p = PutNumber2(p, seconds);
    *p = '\0';
    VYT_TRACE(t, "\nFormatStatusTime Exit: timebuff<%s> days=%d hour=%d min=%d sec=%d\n", out, days, hours, minutes,
              seconds);
    return out;
}

void MakeIntervalTexts(Tracer& t, std::int32_t now, std::int32_t start, IntervalTexts& texts) {
    DateTimeStamp(now, texts.now);
    DateTimeStamp(start, texts.start);
    FormatDurationTime(t, now, start, 1, texts.duration);
}

}  // namespace vyt
