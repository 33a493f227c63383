// The decoders of the transaction inventory and URL rule reports.
#pragma once

#include "vyt/decoder.hpp"

namespace vyt::inventory {

extern const Decoder kAllTrans;        // report type 1
extern const Decoder kTranInfo;        // report type 25
extern const Decoder kTransSrvLoad;    // report type 20

}  // namespace vyt::inventory
