// What the interval report decoders share: the header reader and the block
// that opens their path entries.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vyt/bytes.hpp"
#include "vyt/catalog.hpp"
#include "vyt/decoder.hpp"
#include "vyt/timetext.hpp"

namespace vyt::interval {

// The header line a decoder writes after its entry line; it also says which
// header form the reply has (B: the transaction's average before the interval).
enum class HeaderLine {
    kReturnCode,         // form A: "... sumIntervalSecs=%d reportReturnCode=%d", the return code at 1144
    kReturnCodeAt1148,   // form A, the return code at 1148 (the server tier reply)
    kAvgReturnCode,      // form B: "... tranTotRespTimeAvg=%d reportReturnCode=%d"
    kAvgFlagsReturnCode  // form B: "... tranTotRespTimeAvg=%d flags=%d reportReturnCode=%d"
};

// The header values a decoder passes on.  `lastButOne` and `last` are the
// header's two last words (form A at 1144 and 1148, form B at 1148 and 1152):
// the return code and the flags word in every reply but the server tier one,
// which keeps a plain value and then its return code there.
struct IntervalValues {
    std::int32_t count;  // reportEntryCt
    std::int32_t ctSum;  // tranTotalCtSum
    std::int32_t avg;    // tranTotRespTimeAvg (form B; 0 in form A)
    std::int32_t now;    // sumIntervalUTCNow
    std::int32_t start;  // sumIntervalUTCStart
    std::int32_t aux;    // sumIntervalAux
    std::int32_t lastButOne;
    std::int32_t last;
    std::size_t size;  // of the header: where the entries begin
};

// Reads the interval header of `reply` and writes the entry line of decoder
// `name` and its header line.
IntervalValues ReadIntervalHeader(Bytes reply, Out& out, const char* name, HeaderLine line);

// What every interval report's setData passes first, from the header's
// values and the interval's texts.
inline cb::IntervalStart Start(const IntervalValues& h, const IntervalTexts& t) {
    return {.currentTime = text(t.now),
            .startTime = text(t.start),
            .duration = text(t.duration),
            .tranTotalCtSum = h.ctSum};
}

// The values of the 404-byte block that opens every response-time and
// tier-time path entry.
struct PathValues {
    std::int32_t pathId;
    std::uint16_t pathIPSrcPort;
    std::uint16_t pathIPDstPort;
    TextField<128> pathIPSrcNetName;
    TextField<128> pathIPDstNetName;
    TextField<16> pathIPSrcAlias;
    TextField<16> pathIPDstAlias;
};

// Reads the block at the start of `entry` (a whole entry record).
PathValues ReadPath(Bytes entry);

// The path's ends as the interval reports pass them.
inline cb::PathNames Names(const PathValues& p) {
    return {text(p.pathIPSrcNetName), text(p.pathIPDstNetName), text(p.pathIPSrcAlias), text(p.pathIPDstAlias)};
}

}  // namespace vyt::interval
