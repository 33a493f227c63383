// Local time from the zone's changes, read once per thread from its zone
// file, and the local days converted lately.
#include "vyt/local_time.hpp"

#include <climits>
#include <cstdlib>
#include <utility>

#include "vyt/platform.hpp"

namespace vyt {

namespace {

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
    // Day of the year from January 1st: the year from March counts February
    // last, so March to December follow January, February and the leap day
    // of the same year of the era.
    const bool leap = yoe % 4 == 0 && (yoe % 100 != 0 || yoe == 0);
    *yday = static_cast<int>(doy >= 306 ? doy - 306 : doy + 59 + leap);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) noexcept { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

bool IsLeap(std::int64_t y) noexcept { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

// ---- the zone's table: every change of UTC offset, daylight-saving flag or
// name over the 32-bit second counts ----

constexpr std::int64_t kFirst = INT32_MIN, kLast = INT32_MAX;
constexpr int kMaxChanges = 512;  // the most changing zones have about 240 between 1901 and 2038
constexpr int kMaxKinds = 32;     // distinct (offset, flag, name) triples of one zone
constexpr int kBucketShift = 22;  // buckets of 2^22 s (48.5 days) over the 2^32 s
constexpr int kBuckets = 1 << (32 - kBucketShift);

struct Kind {
    std::int32_t offset;  // local time minus UTC, in seconds
    int isdst;
    char name[16];
};

enum class Source : std::uint8_t { unknown, table, library };

// Period p runs from changes[p - 1] (or kFirst) up to changes[p] (or past
// kLast) with kind kinds[kindOf[p]].
struct Zone {
    Source source = Source::unknown;
    std::uint64_t tzKey = 0;  // TZ when the zone was read (see TzKey)
    int count = 0;
    int kindCount = 0;
    std::int32_t changes[kMaxChanges];
    std::uint8_t kindOf[kMaxChanges + 1];
    std::uint16_t firstPeriod[kBuckets];  // the period of each bucket's first second
    Kind kinds[kMaxKinds];
};

std::size_t BucketOf(std::int64_t secs) noexcept {
    return static_cast<std::uint32_t>(secs - kFirst) >> kBucketShift;  // secs within [kFirst, kLast]
}

// The period of `secs`, within [kFirst, kLast].
int PeriodOf(const Zone& z, std::int64_t secs) noexcept {
    int p = z.firstPeriod[BucketOf(secs)];
    while (p < z.count && z.changes[p] <= secs) ++p;
    return p;
}

// Adds changes in time order; kinds that do not differ from the one before
// are dropped, and changes before the range only set the first kind.
struct Builder {
    Zone& zone;
    bool ok = true;

    int KindIndex(std::int32_t offset, int isdst, const char* name, std::size_t length) noexcept {
        if (length >= sizeof(Kind::name)) return ok = false, 0;
        for (int i = 0; i < zone.kindCount; ++i) {
            const Kind& k = zone.kinds[i];
            if (k.offset == offset && k.isdst == isdst && std::strlen(k.name) == length &&
                std::memcmp(k.name, name, length) == 0)
                return i;
        }
        if (zone.kindCount == kMaxKinds) return ok = false, 0;
        Kind& k = zone.kinds[zone.kindCount];
        k.offset = offset;
        k.isdst = isdst;
        std::memcpy(k.name, name, length);
        k.name[length] = '\0';
        return zone.kindCount++;
    }

    void Add(std::int64_t at, int kind) noexcept {
        if (at <= kFirst) {
            zone.kindOf[0] = static_cast<std::uint8_t>(kind);
            return;
        }
        if (at > kLast || zone.kindOf[zone.count] == kind) return;
        if (zone.count == kMaxChanges || (zone.count > 0 && at <= zone.changes[zone.count - 1])) {
            ok = false;
            return;
        }
        zone.changes[zone.count++] = static_cast<std::int32_t>(at);
        zone.kindOf[zone.count] = static_cast<std::uint8_t>(kind);
    }
};

// ---- the rule for the times after the file's last change: a POSIX TZ
// string such as "EST5EDT,M3.2.0,M11.1.0", read as the C library reads it ----

struct RuleDate {
    char form = 0;  // 'J': day 1..365 without Feb 29; 'D': day 0..365; 'M': month.week.weekday
    int day = 0, month = 0, week = 0;
    std::int64_t secs = 7200;  // local time of the change, after midnight
};

struct Rule {
    int standard = 0, daylight = -1;  // kinds; daylight -1: no daylight saving
    std::int32_t standardOffset = 0, daylightOffset = 0;
    RuleDate start, end;
};

class RuleReader {
public:
    explicit RuleReader(const char* p, const char* end) : p_(p), end_(end) {}

    bool Read(Builder& b, Rule* rule) noexcept {
        const char* name = nullptr;
        std::size_t length = 0;
        std::int64_t west = 0;
        if (!Name(&name, &length) || !Offset(&west, 24)) return false;
        rule->standardOffset = static_cast<std::int32_t>(-west);
        rule->standard = b.KindIndex(rule->standardOffset, 0, name, length);
        if (p_ == end_) return b.ok;
        if (!Name(&name, &length)) return false;
        rule->daylightOffset = rule->standardOffset + 3600;
        if (p_ != end_ && *p_ != ',') {
            if (!Offset(&west, 24)) return false;
            rule->daylightOffset = static_cast<std::int32_t>(-west);
        }
        rule->daylight = b.KindIndex(rule->daylightOffset, 1, name, length);
        // Without dates the C library takes a default rule of its own: not followed here.
        return b.ok && Take(',') && Date(&rule->start) && Take(',') && Date(&rule->end) && p_ == end_;
    }

private:
    bool Take(char c) noexcept {
        if (p_ == end_ || *p_ != c) return false;
        ++p_;
        return true;
    }
    bool Digit() const noexcept { return p_ != end_ && *p_ >= '0' && *p_ <= '9'; }
    static bool Alpha(char c) noexcept { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    bool Number(int* v, int max) noexcept {
        if (!Digit()) return false;
        int n = 0;
        while (Digit()) {
            n = n * 10 + (*p_++ - '0');
            if (n > max) return false;
        }
        *v = n;
        return true;
    }

    // "<...>" or three or more letters.
    bool Name(const char** name, std::size_t* length) noexcept {
        if (Take('<')) {
            *name = p_;
            while (p_ != end_ && *p_ != '>') ++p_;
            *length = static_cast<std::size_t>(p_ - *name);
            return Take('>') && *length >= 3;
        }
        *name = p_;
        while (p_ != end_ && Alpha(*p_)) ++p_;
        *length = static_cast<std::size_t>(p_ - *name);
        return *length >= 3;
    }

    // [+-]hh[:mm[:ss]] in seconds; '+' or no sign is positive.
    bool Offset(std::int64_t* secs, int maxHours) noexcept {
        const bool negative = p_ != end_ && *p_ == '-';
        if (p_ != end_ && (*p_ == '-' || *p_ == '+')) ++p_;
        int h = 0, m = 0, s = 0;
        if (!Number(&h, maxHours)) return false;
        if (Take(':') && (!Number(&m, 59) || (Take(':') && !Number(&s, 59)))) return false;
        *secs = (negative ? -1 : 1) * (h * 3600LL + m * 60 + s);
        return true;
    }

    bool Date(RuleDate* d) noexcept {
        if (Take('J')) {
            d->form = 'J';
            if (!Number(&d->day, 365) || d->day < 1) return false;
        } else if (Take('M')) {
            d->form = 'M';
            if (!Number(&d->month, 12) || d->month < 1 || !Take('.') || !Number(&d->week, 5) || d->week < 1 ||
                !Take('.') || !Number(&d->day, 6))
                return false;
        } else {
            d->form = 'D';
            if (!Number(&d->day, 365)) return false;
        }
        return !Take('/') || Offset(&d->secs, 167);
    }

    const char* p_;
    const char* end_;
};

// The UTC second of the change `d` in `year`, with `offset` in force before
// it.  For 1970 and earlier years glibc counts the days from 1970-01-01 (with
// the weekdays and the leap day of the year itself); so does this.
std::int64_t ChangeOf(const RuleDate& d, std::int64_t year, std::int32_t offset) noexcept {
    const std::int64_t jan1 = DaysFromCivil(year, 1, 1);
    const std::int64_t base = year > 1970 ? jan1 : 0;
    std::int64_t day = base;
    if (d.form == 'J') {
        day += d.day - 1 + (d.day >= 60 && IsLeap(year));
    } else if (d.form == 'D') {
        day += d.day;
    } else {
        static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const int length = kMonthDays[d.month - 1] + (d.month == 2 && IsLeap(year));
        const std::int64_t first = DaysFromCivil(year, static_cast<unsigned>(d.month), 1);
        int date = static_cast<int>(((d.day - (first + 4) % 7) % 7 + 7) % 7);  // 1970-01-01 was a Thursday
        for (int w = 1; w < d.week && date + 7 < length; ++w) date += 7;
        day += first - jan1 + date;
    }
    return day * kDay + d.secs - offset;
}

std::int64_t YearOf(std::int64_t secs) noexcept {
    std::int64_t year = 0;
    int month = 0, day = 0, yday = 0;
    CivilFromDays(FloorDiv(secs, kDay), &year, &month, &day, &yday);
    return year;
}

// The kind in force at `secs` under the rule: the year's two changes are
// taken in the UTC year of `secs`, the daylight-saving part spanning the
// new year where the start comes after the end (southern zones).
int RuleKindAt(const Rule& r, std::int64_t secs) noexcept {
    if (r.daylight < 0) return r.standard;
    const std::int64_t year = YearOf(secs);
    const std::int64_t start = ChangeOf(r.start, year, r.standardOffset);
    const std::int64_t end = ChangeOf(r.end, year, r.daylightOffset);
    const bool daylight = start > end ? (secs < end || secs >= start) : (secs >= start && secs < end);
    return daylight ? r.daylight : r.standard;
}

// Adds the rule's changes from `from` (its first second) to the end of the range.
void AddRule(Builder& b, const Rule& r, std::int64_t from) noexcept {
    b.Add(from, RuleKindAt(r, from));
    if (r.daylight < 0) return;
    for (std::int64_t year = YearOf(from); year <= 2038; ++year) {
        const std::int64_t first = DaysFromCivil(year, 1, 1) * kDay, next = DaysFromCivil(year + 1, 1, 1) * kDay;
        std::int64_t start = ChangeOf(r.start, year, r.standardOffset);
        std::int64_t end = ChangeOf(r.end, year, r.daylightOffset);
        if (start > end) std::swap(start, end);
        for (const std::int64_t at : {first, start, end})
            if (at > from && at >= first && at < next) b.Add(at, RuleKindAt(r, at));
    }
}

// ---- the zone file (TZif, versions 1 to 4) ----

std::uint32_t Big32(const unsigned char* p) noexcept {
    unsigned char b[4];
    std::memcpy(b, p, 4);
    return static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
           static_cast<std::uint32_t>(b[2]) << 8 | b[3];
}

std::int64_t Big64(const unsigned char* p) noexcept {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(Big32(p)) << 32 | Big32(p + 4));
}

struct Counts {
    std::size_t utLocal, standardWall, leaps, changes, kinds, chars;

    // The size of the data block after the header, with `timeSize`-byte times.
    std::size_t DataSize(std::size_t timeSize) const noexcept {
        return changes * (timeSize + 1) + kinds * 6 + chars + leaps * (timeSize + 4) + standardWall + utLocal;
    }
};

constexpr std::size_t kHeaderSize = 44;

// The header at `off` and the size of the data after it, with `timeSize`-byte times.
bool ReadHeader(const unsigned char* file, std::size_t size, std::size_t off, std::size_t timeSize,
                Counts* c) noexcept {
    if (!(off <= size && kHeaderSize <= size - off) || std::memcmp(file + off, "TZif", 4) != 0) return false;
    std::size_t v[6];
    for (int i = 0; i < 6; ++i) v[i] = Big32(file + off + 20 + 4 * i);
    *c = Counts{v[0], v[1], v[2], v[3], v[4], v[5]};
    // Bounds that keep DataSize from overflowing; real files are far below them.
    for (std::size_t n : v)
        if (n > size) return false;
    return c->kinds >= 1 && off + kHeaderSize <= size && c->DataSize(timeSize) <= size - off - kHeaderSize;
}

// Builds the table from a zone file; false where the file is not one this
// code follows exactly (leap seconds included).
bool ReadZone(const unsigned char* file, std::size_t size, Zone& zone) noexcept {
    Counts c{};
    if (!ReadHeader(file, size, 0, 4, &c)) return false;
    std::size_t off = kHeaderSize;
    std::size_t timeSize = 4;
    const bool v2 = file[4] >= '2';
    if (v2) {  // the 64-bit block follows the 32-bit one
        off += c.DataSize(4);
        if (!ReadHeader(file, size, off, 8, &c)) return false;
        off += kHeaderSize;
        timeSize = 8;
    }
    if (c.leaps != 0) return false;
    const unsigned char* times = file + off;
    const unsigned char* kindOf = times + c.changes * timeSize;
    const unsigned char* kinds = kindOf + c.changes;
    const char* chars = reinterpret_cast<const char*>(kinds + c.kinds * 6);
    const std::size_t end = off + c.DataSize(timeSize);

    Builder b{zone};
    int kindIndex[256];
    for (std::size_t i = 0; i < c.kinds && i < 256; ++i) {
        const unsigned char* k = kinds + 6 * i;
        const std::size_t name = k[5];
        if (k[4] > 1 || name >= c.chars) return false;
        const void* nul = std::memchr(chars + name, '\0', c.chars - name);
        if (nul == nullptr) return false;
        kindIndex[i] = b.KindIndex(static_cast<std::int32_t>(Big32(k)), k[4], chars + name,
                                   static_cast<std::size_t>(static_cast<const char*>(nul) - (chars + name)));
    }
    if (c.kinds > 256 || !b.ok) return false;

    // The rule in the footer ("\n...\n"), used from the last change on.
    Rule rule;
    bool haveRule = false;
    if (v2 && end < size && file[end] == '\n') {
        const char* text = reinterpret_cast<const char*>(file + end + 1);
        const void* nl = std::memchr(text, '\n', size - end - 1);
        if (nl == nullptr) return false;
        const char* textEnd = static_cast<const char*>(nl);
        if (textEnd != text) {
            if (!RuleReader(text, textEnd).Read(b, &rule)) return false;
            haveRule = true;
        }
    }

    // Before the first change (or with none): the first kind without daylight saving.
    std::size_t first = 0;
    while (first < c.kinds && kinds[6 * first + 4] != 0) ++first;
    zone.kindOf[0] = static_cast<std::uint8_t>(kindIndex[first == c.kinds ? 0 : first]);
    for (std::size_t i = 0; i < c.changes && b.ok; ++i) {
        const std::int64_t at = timeSize == 8 ? Big64(times + 8 * i)
                                              : static_cast<std::int32_t>(Big32(times + 4 * i));
        if (kindOf[i] >= c.kinds) return false;
        if (i + 1 == c.changes && haveRule) AddRule(b, rule, at);
        else b.Add(at, kindIndex[kindOf[i]]);
    }
    if (!b.ok) return false;

    for (int bucket = 0, p = 0; bucket < kBuckets; ++bucket) {
        const std::int64_t from = kFirst + (static_cast<std::int64_t>(bucket) << kBucketShift);
        while (p < zone.count && zone.changes[p] <= from) ++p;
        zone.firstPeriod[bucket] = static_cast<std::uint16_t>(p);
    }
    return true;
}

// tm_gmtoff and tm_zone where the platform's tm has them.
template <class T>
auto SetZoneFields(T& tm, const Kind& k, int) noexcept -> decltype(tm.tm_gmtoff = 0, tm.tm_zone = "", void()) {
    tm.tm_gmtoff = k.offset;
    tm.tm_zone = k.name;
}
template <class T>
void SetZoneFields(T&, const Kind&, long) noexcept {}

// The conversion of `secs` through the table; `*from`, `*to` and `*offset`
// give its period.
void FromTable(const Zone& z, std::int64_t secs, std::tm* out, std::int64_t* from, std::int64_t* to,
               std::int64_t* offset) noexcept {
    const int p = PeriodOf(z, secs);
    const Kind& k = z.kinds[z.kindOf[p]];
    *from = p == 0 ? kFirst : z.changes[p - 1];
    *to = p == z.count ? kLast + 1 : z.changes[p];
    *offset = k.offset;
    // Local seconds of the 32-bit range, made positive by whole weeks of days,
    // so that the date arithmetic divides unsigned 32-bit numbers.
    constexpr std::uint32_t kBiasDays = 7 * 4286;  // more than 2^31 s
    const std::uint64_t local = static_cast<std::uint64_t>(secs + k.offset + std::int64_t{kBiasDays} * kDay);
    const std::uint32_t days = static_cast<std::uint32_t>(local / kDay);
    const std::uint32_t inDay = static_cast<std::uint32_t>(local - std::uint64_t{days} * kDay);
    // As CivilFromDays, from the 0000-03-01 that day 719468 - kBiasDays is.
    const std::uint32_t fromYear0 = days + (719468 - kBiasDays);
    const std::uint32_t era = fromYear0 / 146097;
    const std::uint32_t doe = fromYear0 - era * 146097;
    const std::uint32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::uint32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::uint32_t mp = (5 * doy + 2) / 153;
    const bool leap = yoe % 4 == 0 && (yoe % 100 != 0 || yoe == 0);
    out->tm_year = static_cast<int>(yoe + era * 400 + (mp >= 10)) - 1900;
    out->tm_mon = static_cast<int>(mp < 10 ? mp + 2 : mp - 10);
    out->tm_mday = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    out->tm_yday = static_cast<int>(doy >= 306 ? doy - 306 : doy + 59 + leap);
    out->tm_wday = static_cast<int>((days + 4) % 7);  // 1970-01-01 was a Thursday
    out->tm_hour = static_cast<int>(inDay / 3600);
    out->tm_min = static_cast<int>(inDay / 60 % 60);
    out->tm_sec = static_cast<int>(inDay % 60);
    out->tm_isdst = k.isdst;
    SetZoneFields(*out, k, 0);
}

bool SameTime(const std::tm& a, const std::tm& b) noexcept {
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday && a.tm_hour == b.tm_hour &&
           a.tm_min == b.tm_min && a.tm_sec == b.tm_sec && a.tm_wday == b.tm_wday && a.tm_yday == b.tm_yday &&
           a.tm_isdst == b.tm_isdst;
}

// A hash of TZ's value, 0 while TZ is unset.
std::uint64_t TzKey() noexcept {
    const char* tz = std::getenv("TZ");
    if (tz == nullptr) return 0;
    std::uint64_t h = 1469598103934665603ull;
    for (; *tz != '\0'; ++tz) h = (h ^ static_cast<unsigned char>(*tz)) * 1099511628211ull;
    return h | 1;
}

// Reads the zone on the thread's first conversion.  The table is used only
// if it agrees with the C library now and half a year either side, so that a
// TZ changed without tzset, which the C library does not see, is not
// followed either.
[[gnu::noinline]] void Load(Zone& zone) noexcept {
    zone.source = Source::library;
    zone.tzKey = TzKey();
    unsigned char file[16384];
    const std::size_t size = platform::ReadZoneFile(file, sizeof file);
    zone.count = 0;
    zone.kindCount = 0;
    if (size == 0 || !ReadZone(file, size, zone)) return;
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    for (const std::int64_t at : {now, now - 182 * kDay, now + 182 * kDay}) {
        if (at < kFirst || at > kLast) continue;
        std::tm want{}, got{};
        std::int64_t from = 0, to = 0, offset = 0;
        FromTable(zone, at, &got, &from, &to, &offset);
        if (!platform::LocalTimeOf(at, &want) || !SameTime(want, got)) return;
    }
    zone.source = Source::table;
}

// The part of one local date that lies in one period: UTC seconds
// [from, from + length), the first of them `firstSecond` seconds after local
// midnight.
struct Day {
    std::uint64_t from = 0;  // as unsigned, so that one comparison checks both ends
    std::uint64_t length = 0;  // 0: empty
    int firstSecond = 0;
    LocalDate date{};
};

constexpr int kDaySlots = 8;  // local days, by local day number, two to a slot: a day with a zone change has two parts

struct Cache {
    Zone zone;
    Day days[2 * kDaySlots];  // the slot's latest part first
    std::int64_t offset = 0;  // of the last period converted: places a second in its local day's slot
    LocalDate uncached{};     // the date of a conversion that no table covers
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

// Converts `secs` into `out`, false where that fails; true in `*inTable`
// with its period in `*from`, `*to` and `*offset` where the table covers it.
bool Convert(Cache& cache, std::int64_t secs, std::tm* out, bool* inTable, std::int64_t* from, std::int64_t* to,
             std::int64_t* offset) noexcept {
    Zone& zone = cache.zone;
    if (zone.source == Source::unknown) Load(zone);
    *inTable = zone.source == Source::table && secs >= kFirst && secs <= kLast;
    if (!*inTable) return platform::LocalTimeOf(secs, out);
    FromTable(zone, secs, out, from, to, offset);
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

// Converts `secs` and keeps its local day, cut to its period, as the first
// of its slot (none where the table does not cover it).
[[gnu::noinline]] bool LearnDay(Cache& cache, std::int64_t secs, LocalClock* out) noexcept {
    std::tm tm{};
    bool inTable = false;
    std::int64_t periodFrom = 0, periodTo = 0, offset = 0;
    if (!Convert(cache, secs, &tm, &inTable, &periodFrom, &periodTo, &offset)) return false;
    out->hour = tm.tm_hour;
    out->minute = tm.tm_min;
    out->second = tm.tm_sec;
    if (!inTable) {
        SetDate(cache.uncached, tm);
        out->date = &cache.uncached;
        return true;
    }
    cache.offset = offset;
    const std::int64_t midnight = FloorDiv(secs + offset, kDay) * kDay - offset;
    const std::int64_t from = periodFrom > midnight ? periodFrom : midnight;
    const std::int64_t to = periodTo < midnight + kDay ? periodTo : midnight + kDay;
    Day* slot = &cache.days[DaySlot(secs, offset)];
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
    bool inTable = false;
    std::int64_t from = 0, to = 0, offset = 0;
    return Convert(tCache, secs, out, &inTable, &from, &to, &offset);
}

void FollowZoneChange() noexcept {
    Cache& cache = tCache;
    if (cache.zone.source == Source::unknown || cache.zone.tzKey == TzKey()) return;
    cache.zone.source = Source::unknown;
    for (Day& d : cache.days) d.length = 0;
}

bool LocalTimeFollowsZoneFile() noexcept {
    Cache& cache = tCache;
    if (cache.zone.source == Source::unknown) Load(cache.zone);
    return cache.zone.source == Source::table;
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
