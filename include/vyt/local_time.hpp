// Local time of a UTC second count, fast on a warm thread.
#pragma once

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

}  // namespace vyt
