// The decoders of the interval performance reports.
#pragma once

#include <cstdint>

#include "vyt/bytes.hpp"
#include "vyt/decoder.hpp"
#include "vyt/timetext.hpp"

namespace vyt::interval {

extern const Decoder kTransRspTime;   // report type 4
extern const Decoder kTransNetTime;   // report type 5
extern const Decoder kTransSrvTime;   // report type 6
extern const Decoder kTransFlow;      // report type 7
extern const Decoder kTransWaitTime;  // report type 12
extern const Decoder kTransPathTime;  // report type 18
extern const Decoder kServerLoad;     // report type 21

// The three texts that open every setData of these reports: the local stamps
// of the interval's end and start and the long duration text between them.
// Each lives in its own buffer, so nothing that later writes the per-thread
// time buffer changes them before the call.
struct IntervalTexts {
    char now[kTimeTextMax];
    char start[kTimeTextMax];
    char span[kTimeTextMax];
};

// Fills `t`; the duration formatter writes its own two trace lines.
void MakeIntervalTexts(Out& out, std::int32_t now, std::int32_t start, IntervalTexts& t);

// The values of the 404-byte block that opens every response-time and
// tier-time path entry.
struct PathValues {
    std::int32_t pathId;
    std::uint16_t pathIPSrcPort;
    std::uint16_t pathIPDstPort;
    FixedText<128> pathIPSrcNetName;
    FixedText<128> pathIPDstNetName;
    FixedText<16> pathIPSrcAlias;
    FixedText<16> pathIPDstAlias;
};

// Reads the block at the start of `entry` (a whole entry record).
PathValues ReadPath(Bytes entry);

}  // namespace vyt::interval
