// The local-time conversion and the time texts made from it give what the C
// library gives, second for second, in zones read from their files and in
// zones left to the C library.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <unistd.h>

#include "../../src/reports/alerts/stamps.hpp"
#include "vyt/local_time.hpp"
#include "vyt/timetext.hpp"

namespace vyt {
namespace {

// Sets TZ for the test and puts the previous value back afterwards.
class Zone {
public:
    explicit Zone(const char* tz) {
        if (const char* old = std::getenv("TZ")) old_ = old, had_ = true;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~Zone() {
        if (had_) setenv("TZ", old_.c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    std::string old_;
    bool had_ = false;
};

std::string Show(const std::tm& t) {
    char b[128];
    std::snprintf(b, sizeof b, "%d-%02d-%02d %02d:%02d:%02d wday %d yday %d dst %d gmtoff %ld", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, t.tm_wday, t.tm_yday, t.tm_isdst,
                  static_cast<long>(t.tm_gmtoff));
    return b;
}

// The time texts as snprintf writes them from localtime_r's fields.
struct Texts {
    char stamp[kTimeTextMax], alert[kTimeTextMax], interval[kTimeTextMax];
};

void Want(const std::tm& t, Texts* w) {
    std::snprintf(w->stamp, sizeof w->stamp, "%2.2d/%2.2d/%2.2d (%2.2d:%2.2d:%2.2d)", t.tm_mon + 1, t.tm_mday,
                  t.tm_year - 100, t.tm_hour, t.tm_min, t.tm_sec);
    std::snprintf(w->alert, sizeof w->alert, "%2.2d:%2.2d:%2.2d<br>%2.2d/%2.2d", t.tm_hour, t.tm_min, t.tm_sec,
                  t.tm_mon + 1, t.tm_mday);
    std::snprintf(w->interval, sizeof w->interval, "%2.2d/%2.2d %2.2d:%2.2d", t.tm_mon + 1, t.tm_mday, t.tm_hour,
                  t.tm_min);
}

std::string TextDifference(std::int32_t secs, bool ok, const std::tm& want) {
    Texts w{}, got{};
    if (ok) {
        Want(want, &w);
    } else {
        for (char* text : {w.stamp, w.alert, w.interval}) std::strcpy(text, kTimePlaceholder);
    }
    DateTimeStamp(secs, got.stamp);
    alerts::AlertStartText(secs, got.alert);
    alerts::IntervalStamp(secs, got.interval);
    const std::pair<const char*, const char*> pairs[] = {
        {got.stamp, w.stamp}, {got.alert, w.alert}, {got.interval, w.interval}};
    for (const auto& [g, x] : pairs)
        if (std::strcmp(g, x) != 0) return std::to_string(secs) + ": \"" + g + "\" instead of \"" + x + "\"";
    return "";
}

// Compares the seconds in their order and returns the first difference, if
// any: the broken-down time and, for 32-bit counts, the texts made from the
// per-thread cached local days.  Odd seconds make their texts first, so that
// the day cache is filled both from the texts and from the broken-down time.
std::string FirstDifference(const std::vector<std::int64_t>& seconds) {
    for (const std::int64_t s : seconds) {
        const std::time_t t = static_cast<std::time_t>(s);
        std::tm want{}, got{};
        const bool ok = localtime_r(&t, &want) != nullptr;
        const bool texts = s >= INT32_MIN && s <= INT32_MAX;
        const bool textsFirst = (s & 1) != 0;
        std::string diff;
        if (texts && textsFirst) diff = TextDifference(static_cast<std::int32_t>(s), ok, want);
        if (!diff.empty()) return diff;
        if (CachedLocalTime(s, &got) != ok) return std::to_string(s) + ": success differs";
        if (ok && Show(want) != Show(got)) return std::to_string(s) + ": " + Show(got) + " instead of " + Show(want);
        if (texts && !textsFirst) diff = TextDifference(static_cast<std::int32_t>(s), ok, want);
        if (!diff.empty()) return diff;
    }
    return "";
}

long OffsetAt(std::int64_t s, int* isdst) {
    const std::time_t t = static_cast<std::time_t>(s);
    std::tm tm{};
    localtime_r(&t, &tm);
    *isdst = tm.tm_isdst;
    return tm.tm_gmtoff;
}

// Every second of the 32-bit range where the C library's offset or
// daylight-saving flag changes: samples every three hours, then bisection.
std::vector<std::int64_t> Changes() {
    constexpr std::int64_t kStep = 3 * 3600;
    std::vector<std::int64_t> out;
    int dst = 0, d = 0;
    long off = OffsetAt(INT32_MIN, &dst);
    for (std::int64_t s = INT32_MIN + kStep; s <= INT32_MAX; s += kStep) {
        const long o = OffsetAt(s, &d);
        if (o == off && d == dst) continue;
        std::int64_t good = s - kStep, bad = s;  // the last second of the old offset, the first seen with the new
        while (bad - good > 1) {
            const std::int64_t mid = good + (bad - good) / 2;
            int md = 0;
            (OffsetAt(mid, &md) == off && md == dst ? good : bad) = mid;
        }
        out.push_back(bad);
        off = o;
        dst = d;
    }
    return out;
}

std::uint32_t Big32(const std::string& b, std::size_t off) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(b[off + i]);
    return v;
}

// A copy of a zone file (version 2 or later) whose 64-bit data keeps only
// the changes before `until`, so that its footer rule governs the years
// after; written to a temporary file, whose absolute path is returned.
std::string CopyUntil(const char* zone, std::int64_t until) {
    std::string b;
    if (std::FILE* f = std::fopen((std::string("/usr/share/zoneinfo/") + zone).c_str(), "rb")) {
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) b.append(chunk, n);
        std::fclose(f);
    }
    if (b.size() < 44 || b[4] < '2') return "";
    auto count = [&](std::size_t header, int i) { return static_cast<std::size_t>(Big32(b, header + 20 + 4 * i)); };
    const std::size_t v2 = 44 + count(0, 3) * 5 + count(0, 4) * 6 + count(0, 5) + count(0, 2) * 8 + count(0, 1) +
                           count(0, 0);
    const std::size_t n = count(v2, 3), times = v2 + 44;
    std::size_t keep = 0;
    while (keep < n && static_cast<std::int64_t>(static_cast<std::uint64_t>(Big32(b, times + 8 * keep)) << 32 |
                                                 Big32(b, times + 8 * keep + 4)) < until)
        ++keep;
    std::string out = b.substr(0, v2 + 32);
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(keep >> shift & 0xff);
    out += b.substr(v2 + 36, 8);
    out += b.substr(times, 8 * keep);
    out += b.substr(times + 8 * n, keep);
    out += b.substr(times + 9 * n);
    // Named per process: the test binaries of several builds run at once.
    const std::string path = testing::TempDir() + "vyt_zone_" + std::to_string(getpid()) + "_" +
                             std::to_string(until) + "_" + std::to_string(n);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return "";
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);
    return path;
}

TEST(LocalTime, EqualsTheCLibraryAtEveryChangeAndRandomSecondsInEachZone) {
    struct Case {
        const char* tz;
        bool fromFile;       // converted through the zone file's table; else by the C library
        std::size_t changes;  // the least number of changes of offset or flag in the 32-bit range (when fromFile)
        std::int64_t from = 0, to = 0;  // also every second of [from, to)
    };
    const std::string cut[] = {CopyUntil("America/New_York", 946684800), CopyUntil("Australia/Lord_Howe", 0),
                               CopyUntil("Pacific/Chatham", 946684800)};  // 2000, 1970, 2000
    for (const std::string& path : cut) ASSERT_FALSE(path.empty()) << "is the time zone database installed?";
    const Case cases[] = {
        {"UTC", true, 0},
        {"America/New_York", true, 200},
        {"Europe/London", true, 200},
        {"Australia/Lord_Howe", true, 80},  // +10:30, daylight saving of half an hour
        {"Asia/Kolkata", true, 4},          // +05:30 all year since 1945
        {"America/St_Johns", true, 200},    // -03:30 with daylight saving
        {"Pacific/Chatham", true, 60},      // +12:45 with daylight saving
        // Files that stop early: their footer rule makes every later change.
        {cut[0].c_str(), true, 100},
        {cut[1].c_str(), true, 80},
        {cut[2].c_str(), true, 60},
        {"EST5", false, 0},                 // a rule, not a file
        {"Nowhere/Missing", false, 0},
        // Counts leap seconds: 2016 ended with one, shown as 23:59:60 UTC.
        {"right/UTC", false, 0, 1483228800 + 20, 1483228800 + 32},
    };
    for (const Case& c : cases) {
        Zone zone(c.tz);
        // A fresh thread: it reads the zone on its first conversion.
        std::thread([&] {
            SCOPED_TRACE(c.tz);
            ASSERT_EQ(LocalTimeFollowsZoneFile(), c.fromFile) << "is the time zone database installed?";
            const std::vector<std::int64_t> changes = c.fromFile ? Changes() : std::vector<std::int64_t>{};
            EXPECT_GE(changes.size(), c.changes);
            std::vector<std::int64_t> seconds;
            // Each change from both sides, and back across it: the part of a
            // day cached on one side must not be used on the other.
            for (const std::int64_t at : changes)
                for (const std::int64_t d : {-1, 0, 1, -1, -3600, 3600, 0}) seconds.push_back(at + d);
            std::mt19937_64 rng(20261209);
            std::uniform_int_distribution<std::int64_t> any(INT32_MIN, INT32_MAX);
            for (int i = 0; i < 20000; ++i) seconds.push_back(any(rng));
            for (const std::int64_t s : {INT32_MIN - 1LL, INT32_MIN + 0LL, -1LL, 0LL, INT32_MAX + 0LL, INT32_MAX + 1LL})
                seconds.push_back(s);
            for (std::int64_t s = c.from; s < c.to; ++s) seconds.push_back(s);
            EXPECT_EQ(FirstDifference(seconds), "");
        }).join();
    }
    for (const std::string& path : cut) std::remove(path.c_str());
}

TEST(LocalTime, FollowsAZoneChangedWhileRunningAtTheNextReply) {
    const std::int64_t at = 1700000000;  // 2023-11-14 22:13:20 UTC
    Zone first("America/New_York");
    std::tm got{};
    ASSERT_TRUE(CachedLocalTime(at, &got));
    LocalClock clock{};
    ASSERT_TRUE(LocalClockOf(at, &clock));
    for (const char* tz : {"Asia/Kolkata", "EST5", "Pacific/Chatham"}) {
        SCOPED_TRACE(tz);
        Zone next(tz);
        FollowZoneChange();
        std::tm want{};
        const std::time_t t = static_cast<std::time_t>(at);
        ASSERT_NE(localtime_r(&t, &want), nullptr);
        ASSERT_TRUE(CachedLocalTime(at, &got));
        EXPECT_EQ(Show(got), Show(want));
        ASSERT_TRUE(LocalClockOf(at, &clock));
        EXPECT_EQ(clock.hour * 3600 + clock.minute * 60 + clock.second,
                  want.tm_hour * 3600 + want.tm_min * 60 + want.tm_sec);
        EXPECT_EQ(clock.date->day, want.tm_mday);
    }
}

}  // namespace
}  // namespace vyt
