// Local time with the UTC offset cached per thread, per day or part of a day,
// and the local days converted lately.
#include "vyt/local_time.hpp"

#include <climits>

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

// A span of seconds over which local time is UTC plus one fixed offset.
struct Span {
    bool valid = false;
    std::int64_t from = 0, to = 0;  // [from, to)
    std::int64_t offset = 0;        // local time minus UTC, in seconds
    std::tm base{};                 // a conversion inside the span: zone name, daylight-saving flag
    std::int64_t day = INT64_MIN;   // the local day (days since 1970) whose date `base` holds
};

// The part of one local date that lies in one span: UTC seconds
// [from, from + length), the first of them `firstSecond` seconds after local
// midnight.
struct Day {
    std::uint64_t from = 0;  // as unsigned, so that one comparison checks both ends
    std::uint64_t length = 0;  // 0: empty
    int firstSecond = 0;
    LocalDate date{};
};

constexpr int kSpans = 32;    // spans of the UTC days a thread converted lately, by day number
constexpr int kDaySlots = 8;  // local days, by local day number, two to a slot: a day with a zone change has two parts

struct Cache {
    Span spans[kSpans];
    Day days[2 * kDaySlots];  // the slot's latest part first
    std::int64_t offset = 0;  // of the last span learned: places a second in its local day's slot
    LocalDate uncached{};     // the date of a conversion that no span covers (a leap second)
};
// Trivially destructible, so that the library can be unloaded while threads live.
thread_local Cache tCache;

// The first of the two days of the slot of the local day of `secs` when
// local time is UTC plus `offset` (only a good guess when the offset differs:
// a cached day is checked before it is used).  Unsigned, so that no second
// count overflows.
std::size_t DaySlot(std::int64_t secs, std::int64_t offset) noexcept {
    constexpr std::uint64_t kBias = static_cast<std::uint64_t>(kDay) << 32;  // whole days, keeps int32 seconds positive
    return 2 * static_cast<std::size_t>(
                   (static_cast<std::uint64_t>(secs) + static_cast<std::uint64_t>(offset) + kBias) / kDay % kDaySlots);
}

// True when every conversion of `when` shows `offset` and `tm`'s daylight-saving flag.
bool Holds(std::int64_t when, std::int64_t offset, const std::tm& tm) noexcept {
    std::tm other{};
    return platform::LocalTimeOf(when, &other) && OffsetOf(when, other) == offset && other.tm_isdst == tm.tm_isdst;
}

// The first second after `bad` (where the offset differs) up to `good` (where
// it holds) from which it holds; one change between them.
std::int64_t FirstHolding(std::int64_t bad, std::int64_t good, std::int64_t offset, const std::tm& tm) noexcept {
    while (good - bad > 1) {
        const std::int64_t mid = bad + (good - bad) / 2;
        (Holds(mid, offset, tm) ? good : bad) = mid;
    }
    return good;
}

// The last second from `good` (where the offset holds) before `bad` (where it
// differs) up to which it holds; one change between them.
std::int64_t LastHolding(std::int64_t good, std::int64_t bad, std::int64_t offset, const std::tm& tm) noexcept {
    while (bad - good > 1) {
        const std::int64_t mid = good + (bad - good) / 2;
        (Holds(mid, offset, tm) ? good : bad) = mid;
    }
    return good;
}

// The span around `secs` within its UTC day over which the offset and the
// daylight-saving flag stay those of `tm`: the whole day, or the part of it
// up to or from a change.  The day is sampled every third hour and at its last
// second; a zone is taken never to change twice within three hours, so that
// between two samples there is at most one change, which bisection finds to
// the second.  A leap second (hh:mm:60, in zones that count them) has the
// offset of the seconds before it, but is never in a span: its clock time
// does not follow from the offset.
void Learn(Span& span, std::int64_t secs, const std::tm& tm) noexcept {
    constexpr std::int64_t kStep = 3 * kHour;
    if (tm.tm_sec == 60) return;
    const std::int64_t offset = OffsetOf(secs, tm);
    span.offset = offset;
    span.base = tm;
    span.day = INT64_MIN;
    const std::int64_t day = FloorDiv(secs, kDay) * kDay;
    const std::int64_t last = day + kDay - 1;
    const std::int64_t before = day + (secs - day) / kStep * kStep;  // the sample at or before `secs`
    span.from = day;
    for (std::int64_t at = before, good = secs;; good = at, at -= kStep) {
        if (!Holds(at, offset, tm)) {
            span.from = FirstHolding(at, good, offset, tm);
            break;
        }
        if (at == day) break;
    }
    span.to = day + kDay;
    for (std::int64_t at = before + kStep, good = secs;; good = at, at += kStep) {
        if (at > last) at = last;
        if (!Holds(at, offset, tm)) {
            span.to = LastHolding(good, at, offset, tm) + 1;
            break;
        }
        if (at == last) break;
    }
    std::tm end{};
    if (platform::LocalTimeOf(span.to - 1, &end) && end.tm_sec == 60) --span.to;
    span.valid = true;
}

// Converts `secs` into `out`, false where that fails; `*span` is the span
// that now covers `secs`, or null.
bool Convert(Cache& cache, std::int64_t secs, std::tm* out, const Span** span) noexcept {
    Span& c = cache.spans[static_cast<std::uint64_t>(FloorDiv(secs, kDay)) % kSpans];
    if (!c.valid || secs < c.from || secs >= c.to) {
        c.valid = false;
        *span = nullptr;
        if (!platform::LocalTimeOf(secs, out)) return false;
        Learn(c, secs, *out);
        if (c.valid) *span = &c;
        return true;
    }
    *span = &c;
    const std::int64_t local = secs + c.offset;
    const std::int64_t days = FloorDiv(local, kDay);
    if (days != c.day) {  // a new local date for this span
        std::int64_t year = 0;
        int month = 0, day = 0, yday = 0;
        CivilFromDays(days, &year, &month, &day, &yday);
        c.base.tm_year = static_cast<int>(year - 1900);
        c.base.tm_mon = month - 1;
        c.base.tm_mday = day;
        c.base.tm_yday = yday;
        c.base.tm_wday = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
        c.day = days;
    }
    const int inDay = static_cast<int>(local - days * kDay);
    *out = c.base;
    out->tm_hour = inDay / 3600;
    out->tm_min = inDay / 60 % 60;
    out->tm_sec = inDay % 60;
    return true;
}

void SetDate(LocalDate& date, const std::tm& tm) noexcept {
    date.year = tm.tm_year + 1900;
    date.month = tm.tm_mon + 1;
    date.day = tm.tm_mday;
    // tm_year - 100 is the year minus 2000, without overflow for any tm_year.
    char* p = PutTwoDigits(date.text, date.month);
    *p++ = '/';
    p = PutTwoDigits(p, date.day);
    *p++ = '/';
    p = PutNumber2(p, tm.tm_year - 100);
    *p = '\0';
    date.textLength = static_cast<int>(p - date.text);
}

// Converts `secs` through the spans and keeps its local day, cut to its span,
// as the first of its slot (none when no span covers it).
[[gnu::noinline]] bool LearnDay(Cache& cache, std::int64_t secs, LocalClock* out) noexcept {
    std::tm tm{};
    const Span* span = nullptr;
    if (!Convert(cache, secs, &tm, &span)) return false;
    out->hour = tm.tm_hour;
    out->minute = tm.tm_min;
    out->second = tm.tm_sec;
    if (span == nullptr) {
        SetDate(cache.uncached, tm);
        out->date = &cache.uncached;
        return true;
    }
    cache.offset = span->offset;
    const std::int64_t midnight = FloorDiv(secs + span->offset, kDay) * kDay - span->offset;
    const std::int64_t from = span->from > midnight ? span->from : midnight;
    const std::int64_t to = span->to < midnight + kDay ? span->to : midnight + kDay;
    Day* slot = &cache.days[DaySlot(secs, span->offset)];
    slot[1] = slot[0];
    slot[0].from = static_cast<std::uint64_t>(from);
    slot[0].length = static_cast<std::uint64_t>(to - from);
    slot[0].firstSecond = static_cast<int>(from - midnight);
    SetDate(slot[0].date, tm);
    out->date = &slot[0].date;
    return true;
}

}  // namespace

bool CachedLocalTime(std::int64_t secs, std::tm* out) noexcept {
    const Span* span = nullptr;
    return Convert(tCache, secs, out, &span);
}

bool LocalClockOf(std::int64_t secs, LocalClock* out) noexcept {
    Cache& cache = tCache;
    const Day* day = &cache.days[DaySlot(secs, cache.offset)];
    std::uint64_t since = static_cast<std::uint64_t>(secs) - day->from;
    if (since >= day->length) {
        ++day;
        since = static_cast<std::uint64_t>(secs) - day->from;
        if (since >= day->length) return LearnDay(cache, secs, out);
    }
    const int inDay = static_cast<int>(since) + day->firstSecond;
    const int hour = inDay / 3600;
    const int rest = inDay - hour * 3600;
    const int minute = rest / 60;
    out->date = &day->date;
    out->hour = hour;
    out->minute = minute;
    out->second = rest - minute * 60;
    return true;
}

}  // namespace vyt
