// The cached local-time conversion and the time texts made from it give what
// the C library gives, second for second.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <utility>
#include <vector>

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
    char b[96];
    std::snprintf(b, sizeof b, "%d-%02d-%02d %02d:%02d:%02d wday %d yday %d dst %d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, t.tm_wday, t.tm_yday, t.tm_isdst);
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

// Compares every second of [from, to) and returns the first difference, if
// any: the broken-down time and, for 32-bit counts, the texts made from the
// per-thread cached local day.  Odd seconds make their texts first, so that
// both caches are filled from the C library and from each other.
std::string FirstDifference(std::int64_t from, std::int64_t to, std::int64_t step = 1) {
    for (std::int64_t s = from; s < to; s += step) {
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

// The instants of 2026 where the zone's offset or daylight-saving flag changes.
std::vector<std::int64_t> Changes2026() {
    std::vector<std::int64_t> out;
    const std::int64_t start = 1767225600;  // 2026-01-01 00:00 UTC
    std::time_t t = static_cast<std::time_t>(start);
    std::tm prev{};
    localtime_r(&t, &prev);
    for (std::int64_t s = start + 900; s < start + 366 * 86400; s += 900) {
        t = static_cast<std::time_t>(s);
        std::tm now{};
        localtime_r(&t, &now);
        if (now.tm_isdst != prev.tm_isdst || now.tm_gmtoff != prev.tm_gmtoff) out.push_back(s);
        prev = now;
    }
    return out;
}

TEST(LocalTime, EqualsTheCLibraryAcrossZoneChangesAndTheWholeRange) {
    struct Case {
        const char* tz;
        std::size_t changes;  // in 2026
    };
    const Case cases[] = {
        {"America/New_York", 2}, {"Europe/London", 2},
        {"America/St_Johns", 2},    // -03:30, with daylight saving
        {"Australia/Lord_Howe", 2}, // +10:30, daylight saving of half an hour
        {"Asia/Kolkata", 0},        // +05:30 all year
        {"UTC", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tz);
        Zone zone(c.tz);
        // A fresh thread: its cache starts empty in this zone.
        std::thread([&] {
            const std::vector<std::int64_t> changes = Changes2026();
            ASSERT_EQ(changes.size(), c.changes) << "is the time zone database installed?";
            for (std::int64_t at : changes) EXPECT_EQ(FirstDifference(at - 3 * 3600, at + 3 * 3600), "");
            // Every 400009th second of the 32-bit range (before 1970 included), and
            // whole days at that step, cached as days.
            EXPECT_EQ(FirstDifference(INT32_MIN, INT32_MAX, 400009), "");
            for (std::int64_t day = INT32_MIN; day < INT32_MAX - 86400; day += 86400 * 997)
                EXPECT_EQ(FirstDifference(day, day + 86400, 61), "");
            // Back and forth across a change: the part cached on one side must not leak into the other.
            if (!changes.empty()) {
                for (int k = 0; k < 100; ++k)
                    EXPECT_EQ(FirstDifference(changes[0] - 1 - (k % 2) * 7200, changes[0] + 1 - (k % 2) * 7200),
                              "");
            }
        }).join();
    }
}

TEST(LocalTime, EqualsTheCLibraryAroundALeapSecond) {
    // 2016 ended with a leap second; zones that count leap seconds show it as
    // 23:59:60 UTC, a few dozen seconds after 1483228800 in their counting.
    const std::int64_t around = 1483228800;
    for (const char* tz : {"right/UTC", "right/America/New_York"}) {
        SCOPED_TRACE(tz);
        Zone zone(tz);
        bool leap = false;
        for (std::int64_t s = around; s < around + 60 && !leap; ++s) {
            const std::time_t t = static_cast<std::time_t>(s);
            std::tm tm{};
            leap = localtime_r(&t, &tm) != nullptr && tm.tm_sec == 60;
        }
        ASSERT_TRUE(leap) << "are the time zones that count leap seconds (right/) installed?";
        std::thread([&] { EXPECT_EQ(FirstDifference(around - 3 * 3600, around + 3 * 3600), ""); }).join();
    }
}

}  // namespace
}  // namespace vyt
