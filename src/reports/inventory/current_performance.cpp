// The current performance overview: the overall state and the states of the
// response-time components, each with its text, and the span it covers.
#include <cstdio>

#include "decoders.hpp"
#include "vyt/callbacks/inventory.hpp"
#include "vyt/layout/inventory.hpp"
#include "vyt/timetext.hpp"

namespace vyt::inventory {

namespace {

using namespace layout;

void DecodeCurPerf(Bytes reply, Out& out) {
    const auto r = at<CurPerfReply>(reply, 0);
    const std::int32_t reportLen = FIELD(r, reportLen);
    const std::int32_t allState = FIELD(r, allState);
    const std::int32_t nodeState = FIELD(r, nodeRespTimeState);
    const std::int32_t pathState = FIELD(r, pathRespTimeState);
    const std::int32_t networkState = FIELD(r, networkState);
    const std::int32_t serverState = FIELD(r, serverState);
    const std::int32_t waitState = FIELD(r, waitState);
    const std::int32_t now = FIELD(r, secsUTCNow);
    const std::int32_t start = FIELD(r, secsUTCStart);
    const std::int32_t startup = FIELD(r, collectorStartupTime);
    const std::int32_t flags = FIELD(r, flags);
    TRACE(out, "\nProcessCurPerfData Entry: buflen=%d\n", reportLen);
    TRACE(out,
          "reportLen=%d reportId=%d allState=%d nodeRespTimeState=%d waitState=%d networkState=%d "
          "serverState=%d pathRespTimeState=%d collectorStartupTime=%d flags=%d \n",
          reportLen, FIELD(r, reportId), allState, nodeState, waitState, networkState, serverState, pathState,
          startup, flags);

    char nowStamp[kTimeTextMax];
    char startStamp[kTimeTextMax];
    DateTimeStamp(now, nowStamp);
    DateTimeStamp(start, startStamp);
    // The duration is copied out of the shared time buffer at once.
    char duration[kTimeTextMax];
    std::snprintf(duration, sizeof duration, "%s", FormatDurationTime(out.tracer(), now, start, 1));

    const auto allText = FIELD(r, allStateText);
    const auto nodeText = FIELD(r, nodeRespTimeStateText);
    const auto pathText = FIELD(r, pathRespTimeStateText);
    const auto networkText = FIELD(r, networkStateText);
    const auto serverText = FIELD(r, serverStateText);
    const auto sixthText = FIELD(r, sixthStateText);
    const auto waitText = FIELD(r, waitStateText);

    const auto set = out.method<cb::CurPerfSetData>();
    // Texts in block order; states in the order of the trace line.  The sixth
    // block gives its text only.
    out.call(set, text(nowStamp), text(startStamp), text(duration), text(allText), text(nodeText), text(pathText),
             text(networkText), text(serverText), text(sixthText), text(waitText), allState, nodeState, waitState,
             networkState, serverState, pathState, startup, flags);
}

}  // namespace

const Decoder kCurPerf{"ProcessCurPerfData", sizeof(CurPerfReply), DecodeCurPerf};

}  // namespace vyt::inventory
