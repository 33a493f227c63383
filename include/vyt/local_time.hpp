// Local time of a UTC second count, fast on a warm thread whatever the spread of the times.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ctime>

namespace vyt {

// The same broken-down local time as platform::LocalTimeOf (localtime_r or
// _localtime64_s), false where that fails.  On its first conversion a thread
// reads the zone file that the C library follows (TZ, or /etc/localtime)
// into a table of every change of UTC offset between 1901 and 2038, and
// converts 32-bit second counts through it; other counts, and zones it cannot
// read as a file (a rule such as "EST5", a missing file, leap seconds, or
// Windows), go to the C library on every call.  The thread keeps its table
// until FollowZoneChange finds TZ changed.
bool CachedLocalTime(std::int64_t secs, std::tm* out) noexcept;

// Called once per reply: when TZ no longer holds the value the calling
// thread's table was read for, the table and the thread's cached days are
// dropped and the zone is read again at the next conversion (and used only
// where it agrees with the C library, so a TZ changed without tzset is not
// followed either).
void FollowZoneChange() noexcept;

// Whether the calling thread converts through its table of the zone (true)
// or calls the C library each time.
bool LocalTimeFollowsZoneFile() noexcept;

// One local date as the time texts show it.
struct LocalDate {
    int year;   // full year, e.g. 2005
    int month;  // 1..12
    int day;    // 1..31
    int textLength;
    char text[20];  // "%2.2d/%2.2d/%2.2d" of month, day and year - 2000, NUL-terminated
};

// The local date and clock time of a UTC second count.
struct LocalClock {
    const LocalDate* date;  // the calling thread's; valid until its next conversion
    int hour, minute, second;
};

// The local time of `secs`, equal to CachedLocalTime's.  Each thread also
// keeps the local days it converted lately through its table (the part of one
// local date under one UTC offset, as UTC seconds), so that a second within
// one of them needs only the clock-time arithmetic.  False where the
// conversion fails.
bool LocalClockOf(std::int64_t secs, LocalClock* out) noexcept;

// "00" to "99", two characters each.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes v (0..99) as two digits; returns the position after them.
inline char* PutTwoDigits(char* p, int v) noexcept {
    std::memcpy(p, kDigitPairs + 2 * v, 2);
    return p + 2;
}

// Writes v as printf's "%2.2d" does (at least two digits, a '-' before a
// negative number); returns the position after it.  At most 11 characters.
inline char* PutNumber2(char* p, std::int32_t v) noexcept {
    std::uint32_t u = static_cast<std::uint32_t>(v);
    if (u < 100) return PutTwoDigits(p, v);
    if (v < 0) {
        *p++ = '-';
        u = 0u - u;
    }
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (n < 2) digits[n++] = '0';
    while (n > 0) *p++ = digits[--n];
    return p;
}

// Copies a literal without its NUL; returns the position after it.
template <std::size_t N>
inline char* PutLiteral(char* p, const char (&s)[N]) noexcept {
    for (std::size_t i = 0; i + 1 < N; ++i) *p++ = s[i];
    return p;
}

}  // namespace vyt
