// The decoders of the path detail reports.
#pragma once

#include "vyt/decoder.hpp"

namespace vyt::pathdetail {

extern const Decoder kNetDetail;       // report type 8
extern const Decoder kSrvDetail;       // report type 9
extern const Decoder kRspTimeDetail;   // report type 10
extern const Decoder kWaitDetail;      // report type 13
extern const Decoder kPathTimeDetail;  // report type 19

}  // namespace vyt::pathdetail
