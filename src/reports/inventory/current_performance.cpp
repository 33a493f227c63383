// The current performance overview: the overall state and the states of the
// response-time components, each with its text, and the span it covers.
#include <cstdio>

#include "vyt/decoder.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/inventory.hpp"
#include "vyt/timetext.hpp"

namespace vyt::inventory {

namespace {

using namespace layout;

void DecodeCurPerf(Bytes reply, Out& out) {
    const auto r = at<CurPerfReply>(reply, 0);
    VYT_FIELDS(r, reportLen, allState, nodeRespTimeState, pathRespTimeState, networkState, serverState, waitState,
               secsUTCNow, secsUTCStart, collectorStartupTime, flags);
    VYT_TRACE(out, "\nProcessCurPerfData Entry: buflen=%d\n", reportLen);
    VYT_TRACE(out,
              "reportLen=%d reportId=%d allState=%d nodeRespTimeState=%d waitState=%d networkState=%d "
              "serverState=%d pathRespTimeState=%d collectorStartupTime=%d flags=%d \n",
              reportLen, VYT_FIELD(r, reportId), allState, nodeRespTimeState, waitState, networkState, serverState,
              pathRespTimeState, collectorStartupTime, flags);

    char nowStamp[kTimeTextMax];
    char startStamp[kTimeTextMax];
    DateTimeStamp(secsUTCNow, nowStamp);
    DateTimeStamp(secsUTCStart, startStamp);
    char duration[kTimeTextMax];
    FormatDurationTime(out.tracer(), secsUTCNow, secsUTCStart, 1, duration);

    const auto allText = VYT_FIELD(r, allStateText);
    const auto nodeText = VYT_FIELD(r, nodeRespTimeStateText);
    const auto pathText = VYT_FIELD(r, pathRespTimeStateText);
    const auto networkText = VYT_FIELD(r, networkStateText);
    const auto serverText = VYT_FIELD(r, serverStateText);
    const auto sixthText = VYT_FIELD(r, sixthStateText);
    const auto waitText = VYT_FIELD(r, waitStateText);

    const auto set = out.method<cb::CurPerfSetData>();
    // Texts in block order; states in the order of the trace line.  The sixth
    // block gives its text only.
    out.call(set, {.currentTime = text(nowStamp),
                   .startTime = text(startStamp),
                   .duration = text(duration),
                   .allStateText = text(allText),
                   .nodeRespTimeStateText = text(nodeText),
                   .pathRespTimeStateText = text(pathText),
                   .networkStateText = text(networkText),
                   .serverStateText = text(serverText),
                   .sixthStateText = text(sixthText),
                   .waitStateText = text(waitText),
                   VYT_SAME(allState, nodeRespTimeState, waitState, networkState, serverState, pathRespTimeState,
                            collectorStartupTime, flags)});
}

}  // namespace

const Decoder kCurPerf{"ProcessCurPerfData", sizeof(CurPerfReply), DecodeCurPerf};

}  // namespace vyt::inventory
