// Local time of a UTC second count, fast on a warm thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

namespace vyt {

// The same broken-down local time as platform::LocalTimeOf (localtime_r or
// _localtime64_s), false where that fails.  Each thread keeps the UTC offset
// of the hour it last converted, when the offset holds for that whole hour, so
// further seconds of that hour need no call into the C library.  A process
// that changes its time zone while running sees the change within the hour
// on threads that already converted a time.
bool CachedLocalTime(std::int64_t secs, std::tm* out) noexcept;

// Writes v (0..99) as two digits; returns the position after them.
inline char* PutTwoDigits(char* p, int v) noexcept {
    p[0] = static_cast<char>('0' + v / 10);
    p[1] = static_cast<char>('0' + v % 10);
    return p + 2;
}

// Writes v as printf's "%2.2d" does (at least two digits, a '-' before a
// negative number); returns the position after it.  At most 11 characters.
inline char* PutNumber2(char* p, std::int32_t v) noexcept {
    std::uint32_t u = static_cast<std::uint32_t>(v);
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
