// Local time with the UTC offset cached per thread and per hour.
#include "vyt/local_time.hpp"

#include "vyt/platform.hpp"

namespace vyt {

namespace {

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date (any year).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) noexcept {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// The inverse of DaysFromCivil; also the day of the year (0-based).
void CivilFromDays(std::int64_t z, std::int64_t* year, int* month, int* day, int* yday) noexcept {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    *year = y;
    *month = static_cast<int>(m);
    *day = static_cast<int>(d);
    // Day of the year from January 1st of the civil year.
    *yday = static_cast<int>(z - 719468 - DaysFromCivil(y, 1, 1));
}

// The offset of local time from UTC that `tm` (the conversion of `secs`) shows.
std::int64_t OffsetOf(std::int64_t secs, const std::tm& tm) noexcept {
    const std::int64_t local = DaysFromCivil(tm.tm_year + 1900LL, static_cast<unsigned>(tm.tm_mon + 1),
                                             static_cast<unsigned>(tm.tm_mday)) *
                                   kDay +
                               tm.tm_hour * kHour + tm.tm_min * 60 + tm.tm_sec;
    return local - secs;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) noexcept { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

struct HourCache {
    bool valid = false;
    std::int64_t hour = 0;    // the UTC hour (seconds / 3600, rounded down) the offset holds for
    std::int64_t offset = 0;  // local time minus UTC, in seconds
    std::tm base{};           // a conversion inside that hour: zone name, daylight-saving flag
};

thread_local HourCache tCache;

}  // namespace

bool CachedLocalTime(std::int64_t secs, std::tm* out) noexcept {
    HourCache& c = tCache;
    const std::int64_t hour = FloorDiv(secs, kHour);
    if (!c.valid || c.hour != hour) {
        if (!platform::LocalTimeOf(secs, out)) return false;
        // Keep the offset only when the first and the last second of the hour
        // agree with it: a zone change inside the hour is never cached.
        const std::int64_t offset = OffsetOf(secs, *out);
        std::tm first{}, last{};
        const std::int64_t start = hour * kHour;
        c.valid = platform::LocalTimeOf(start, &first) && platform::LocalTimeOf(start + kHour - 1, &last) &&
                  OffsetOf(start, first) == offset && OffsetOf(start + kHour - 1, last) == offset &&
                  first.tm_isdst == out->tm_isdst && last.tm_isdst == out->tm_isdst;
        c.hour = hour;
        c.offset = offset;
        c.base = *out;
        return true;
    }
    const std::int64_t local = secs + c.offset;
    const std::int64_t days = FloorDiv(local, kDay);
    const std::int64_t inDay = local - days * kDay;
    std::int64_t year = 0;
    int month = 0, day = 0, yday = 0;
    CivilFromDays(days, &year, &month, &day, &yday);
    *out = c.base;
    out->tm_year = static_cast<int>(year - 1900);
    out->tm_mon = month - 1;
    out->tm_mday = day;
    out->tm_hour = static_cast<int>(inDay / kHour);
    out->tm_min = static_cast<int>(inDay / 60 % 60);
    out->tm_sec = static_cast<int>(inDay % 60);
    out->tm_yday = yday;
    out->tm_wday = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    return true;
}

}  // namespace vyt
