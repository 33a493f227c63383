// The decoders of the transaction inventory and URL rule reports.
#pragma once

#include "vyt/decoder.hpp"

namespace vyt::inventory {

extern const Decoder kAllTrans;        // report type 1
extern const Decoder kTranInfo;        // report type 25
extern const Decoder kTransSrvLoad;    // report type 20
extern const Decoder kTransPath;       // report type 2
extern const Decoder kTransPathPort;   // report type 16
extern const Decoder kCurPerf;         // report type 3
extern const Decoder kReportability;        // report type 22
extern const Decoder kReportabilityDetail;  // report type 23
extern const Decoder kSubTranList;     // report type 24
extern const Decoder kUrlRules;        // report type 27
extern const Decoder kUrlRuleOperation;  // report types 28 to 32

}  // namespace vyt::inventory
