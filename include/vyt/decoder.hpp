// The decoder frame shared by every report decoder.
//
// A decoder states only its layout, its calls and its trace lines.  The frame
// refuses replies too short for the decoder's header, writes the exit line and
// works out the status: 0 when the reply was decoded in full, 1 when the reply
// was short, a callback was missing or threw, or the decoder read outside a
// checked record (a DecodeFault, reported with the decoder's name and offset).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "vyt/bytes.hpp"
#include "vyt/emit.hpp"

namespace vyt {

struct Decoder {
    const char* name;         // e.g. "ProcessAllTransData"; used in the exit line
    std::size_t headerSize;   // bytes the reply must hold before anything is read
    void (*decode)(Bytes reply, Out& out);
};

// Runs `d` over `reply`; returns the status.
int RunDecoder(const Decoder& d, Bytes reply, Sink& sink);

// Calls f(k, entry) for the entries k = 1..count (a count of 0 or below gives
// none), each `size` bytes from `first` on, while the decode is ok.  Stops
// with an error line and status 1 at the first entry that does not fit.
template <class F>
void ForEntries(Out& out, Bytes reply, std::size_t first, std::size_t size, std::int32_t count, F&& f) {
    for (std::int64_t k = 1; k <= count && out.ok(); ++k) {
        const std::uint64_t wide = first + static_cast<std::uint64_t>(k - 1) * size;
        const std::size_t off = static_cast<std::size_t>(std::min<std::uint64_t>(wide, SIZE_MAX));
        if (!CheckRead(reply, off, size, [&] {
                out.fail("%s: reply of %zu bytes holds %lld of %d entries; entry %lld at offset %llu needs %zu bytes\n",
                         out.who(), reply.size(), static_cast<long long>(k - 1), count, static_cast<long long>(k),
                         static_cast<unsigned long long>(wide), size);
            }))
            return;
        f(static_cast<std::int32_t>(k), reply.sub(off, size));
    }
}

// The decoders, bound to their report types in the dispatch table (the kinds
// in vyt/catalog.hpp name them).
namespace inventory {
extern const Decoder kAllTrans, kTranInfo, kTransSrvLoad, kTransPath, kTransPathPort, kCurPerf, kReportability,
    kReportabilityDetail, kSubTranList, kUrlRules, kUrlRuleOperation;
}
namespace interval {
extern const Decoder kTransRspTime, kTransNetTime, kTransSrvTime, kTransFlow, kTransWaitTime, kTransPathTime,
    kServerLoad;
}
namespace detail {
extern const Decoder kNetDetail, kSrvDetail, kRspTimeDetail, kWaitDetail, kPathTimeDetail;
}
namespace alerts {
extern const Decoder kCurrentAlert, kCurrentURLAlert, kEventAlert, kSummary, kThreshold;
}

// The decoder of report type `t`, or null when `t` is outside 1..32.
const Decoder* FindDecoder(int t);

}  // namespace vyt
