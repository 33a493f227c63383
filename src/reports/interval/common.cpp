// What every interval report shares: the header reader and the block that
// opens its path entries.
#include "decoders.hpp"
#include "vyt/layout/interval.hpp"

namespace vyt::interval {

namespace {

// The counts of the header that only the trace shows.
struct Traced {
    std::int32_t reportLen, tierCt, pathCt, tranTotalCt, secs;
};

template <class H>
Traced ReadTraced(const H& h) {
    return {VYT_FIELD(h, reportLen), VYT_FIELD(h, tranTotalTierCt), VYT_FIELD(h, tranTotalPathCt),
            VYT_FIELD(h, tranTotalCt), VYT_FIELD(h, sumIntervalSecs)};
}

}  // namespace

IntervalValues ReadIntervalHeader(Bytes reply, Out& out, const char* name, HeaderLine line) {
    IntervalValues v;
    Traced t;
    if (line == HeaderLine::kReturnCode || line == HeaderLine::kReturnCodeAt1148) {
        const auto h = at<layout::IntervalHeader>(reply, 0);
        v = {VYT_FIELD(h, reportEntryCt),   VYT_FIELD(h, tranTotalCtSum), 0,
             VYT_FIELD(h, sumIntervalUTCNow), VYT_FIELD(h, sumIntervalUTCStart), VYT_FIELD(h, sumIntervalAux),
             VYT_FIELD(h, word1144),        VYT_FIELD(h, word1148),       sizeof(layout::IntervalHeader)};
        t = ReadTraced(h);
    } else {
        const auto h = at<layout::IntervalHeaderWithAvg>(reply, 0);
        v = {VYT_FIELD(h, reportEntryCt),   VYT_FIELD(h, tranTotalCtSum), VYT_FIELD(h, tranTotRespTimeAvg),
             VYT_FIELD(h, sumIntervalUTCNow), VYT_FIELD(h, sumIntervalUTCStart), VYT_FIELD(h, sumIntervalAux),
             VYT_FIELD(h, reportReturnCode), VYT_FIELD(h, flags),        sizeof(layout::IntervalHeaderWithAvg)};
        t = ReadTraced(h);
    }
    if (!out.tracing()) return v;
    out.trace("\n%s Entry: buflen=%d\n", name, t.reportLen);
    switch (line) {
        case HeaderLine::kReturnCode:
        case HeaderLine::kReturnCodeAt1148:
            out.trace("reportEntryCt=%d tranTotalTierCt=%d tranTotalPathCt=%d tranTotalCt=%d tranTotalCtSum=%d "
                      "sumIntervalUTCNow=%d sumIntervalUTCStart=%d sumIntervalSecs=%d reportReturnCode=%d\n",
                      v.count, t.tierCt, t.pathCt, t.tranTotalCt, v.ctSum, v.now, v.start, t.secs,
                      line == HeaderLine::kReturnCode ? v.lastButOne : v.last);
            break;
        case HeaderLine::kAvgReturnCode:
            out.trace("reportEntryCt=%d tranTotalTierCt=%d tranTotalPathCt=%d tranTotalCt=%d tranTotalCtSum=%d "
                      "sumIntervalUTCNow=%d sumIntervalUTCStart=%d sumIntervalSecs=%d tranTotRespTimeAvg=%d "
                      "reportReturnCode=%d\n",
                      v.count, t.tierCt, t.pathCt, t.tranTotalCt, v.ctSum, v.now, v.start, t.secs, v.avg,
                      v.lastButOne);
            break;
        case HeaderLine::kAvgFlagsReturnCode:
            out.trace("reportEntryCt=%d tranTotalTierCt=%d tranTotalPathCt=%d tranTotalCt=%d tranTotalCtSum=%d "
                      "sumIntervalUTCNow=%d sumIntervalUTCStart=%d sumIntervalSecs=%d tranTotRespTimeAvg=%d flags=%d "
                      "reportReturnCode=%d\n",
                      v.count, t.tierCt, t.pathCt, t.tranTotalCt, v.ctSum, v.now, v.start, t.secs, v.avg, v.last,
                      v.lastButOne);
            break;
    }
    return v;
}

PathValues ReadPath(Bytes entry) {
    const auto p = at<layout::PathEndpoints>(entry, 0);
    return PathValues{VYT_FIELD(p, pathId),
                      VYT_FIELD(p, ends.pathIPSrcPort),
                      VYT_FIELD(p, ends.pathIPDstPort),
                      VYT_FIELD(p, ends.pathIPSrcNetName),
                      VYT_FIELD(p, ends.pathIPDstNetName),
                      VYT_FIELD(p, ends.pathIPSrcAlias),
                      VYT_FIELD(p, ends.pathIPDstAlias)};
}

}  // namespace vyt::interval
