// Display texts made from UTC second counts.
#pragma once

#include <cstdint>

#include "vyt/emit.hpp"

namespace vyt {

// Broken-down local time of a UTC second count.
struct LocalParts {
    int year;   // full year, e.g. 2005
    int month;  // 1..12
    int day;    // 1..31
    int hour, minute, second;
};

// Local time of `secs`; false when the platform cannot represent it.
bool LocalTime(std::int32_t secs, LocalParts* out) noexcept;

// Shown instead of a stamp whose second count local time cannot represent.
inline constexpr char kTimePlaceholder[] = "--";

inline constexpr std::size_t kTimeTextMax = 128;

// "MM/DD/YY (hh:mm:ss)" in local time, into the caller's buffer.
void DateTimeStamp(std::int32_t secs, char (&buffer)[kTimeTextMax]);

// The per-thread 128-byte text buffer the two formatters below write into.
char* timebuff() noexcept;

// Writes the time elapsed from `start` to `now` into timebuff() and returns it.
// Style 1: "Last hh hours mm mins ss secs" / "Last mm mins ss secs"; else "hh:mm:ss".
const char* FormatDurationTime(Tracer& t, std::int32_t now, std::int32_t start, int style);

// Writes a second count as "dd hh:mm:ss" (format 1) or "hh:mm:ss" into
// timebuff() and returns it.
const char* FormatStatusTime(Tracer& t, std::int32_t secs, int format);

}  // namespace vyt
