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

using TimeText = char[kTimeTextMax];

// Writes the time elapsed from `start` to `now` into `out` and returns it.
// Style 1: "Last hh hours mm mins ss secs" / "Last mm mins ss secs"; else "hh:mm:ss".
const char* FormatDurationTime(Tracer& t, std::int32_t now, std::int32_t start, int style, TimeText& out);

// Writes a second count as "dd hh:mm:ss" (format 1) or "hh:mm:ss" into `out`
// and returns it.
const char* FormatStatusTime(Tracer& t, std::int32_t secs, int format, TimeText& out);

// The texts of a reporting interval: the local stamps of its end and start
// and the long-form duration between them, each in its own buffer.
struct IntervalTexts {
    TimeText now;
    TimeText start;
    TimeText duration;
};

// Fills `texts`; the duration formatter writes its own two trace lines.
void MakeIntervalTexts(Tracer& t, std::int32_t now, std::int32_t start, IntervalTexts& texts);

}  // namespace vyt
