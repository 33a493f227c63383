// The short local-time stamps of the alert and summary reports.
#pragma once

#include <cstdint>

#include "vyt/timetext.hpp"

namespace vyt::alerts {

// "hh:mm:ss<br>MM/DD": the clock time above the date on a web page, no year.
void AlertStartText(std::int32_t secs, char (&buffer)[kTimeTextMax]);

// "MM/DD hh:mm": the seconds are dropped, never rounded into the minute.
void IntervalStamp(std::int32_t secs, char (&buffer)[kTimeTextMax]);

// now - start in 32-bit two's complement, without signed overflow.
inline std::int32_t WrapSub(std::int32_t now, std::int32_t start) noexcept {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(now) - static_cast<std::uint32_t>(start));
}

}  // namespace vyt::alerts
