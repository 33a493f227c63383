// Java callbacks of the alert, summary and threshold reports.
#pragma once

#include "vyt/emit.hpp"

namespace vyt::cb {

// Current alerts: span texts and two header values; per entry six texts and 18 numbers.
using CurrentAlertSetData = Method<"setData", Str, Str, Str, Int, Int>;
using CurrentAlertAddEntry = Method<"addEntry", Str, Str, Str, Str, Str, Str, Ints<18>>;

// Current URL alerts: as above plus the two continue indexes and the URL text.
using URLAlertSetData = Method<"setData", Str, Str, Str, Int, Int, Int, Int>;
using URLAlertAddEntry = Method<"addEntry", Str, Str, Str, Str, Str, Str, Str, Ints<18>>;

// Event alerts.
using EventAlertSetData = Method<"setData", Str, Int, Int>;
using EventAlertAddEntry = Method<"addEntry", Str, Str, Str, Str, Str, Str, Ints<12>>;

// Summary of one path.
using SummarySetData = Method<"setData", Str, Str, Str, Ints<15>>;
using SummaryAddEntry = Method<"addEntry", Str, Str, Ints<15>>;

// Thresholds of one path: five texts and 32 numbers, no entries.
using ThresholdSetData = Method<"setData", Str, Str, Str, Str, Str, Ints<32>>;

}  // namespace vyt::cb
