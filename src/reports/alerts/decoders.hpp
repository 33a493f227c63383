// The decoders of the alert, summary and threshold reports.
#pragma once

#include "vyt/decoder.hpp"

namespace vyt::alerts {

extern const Decoder kCurrentAlert;     // report type 11
extern const Decoder kCurrentURLAlert;  // report type 26
extern const Decoder kEventAlert;       // report type 15
extern const Decoder kSummary;          // report type 14
extern const Decoder kThreshold;        // report type 17

}  // namespace vyt::alerts
