// The summary of one path over a span of collected data, one entry per interval.
#include <cstdio>

#include "vyt/decoder.hpp"
#include "stamps.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/alerts.hpp"
#include "vyt/timetext.hpp"

namespace vyt::alerts {

namespace {

using namespace layout;

void DecodeSummary(Bytes reply, Out& out) {
    const auto h = at<SummaryHeader>(reply, 0);
    const std::int32_t count = VYT_FIELD(h, reportEntryCt);
    const std::uint16_t srcPort = VYT_FIELD(h, ends.pathIPSrcPort);
    const std::uint16_t dstPort = VYT_FIELD(h, ends.pathIPDstPort);
    VYT_FIELDS(h, pathTotRespTimeDataCt, pathTotRespTimeAvgMax, pathNetRespTimeAvgMax, pathSrvRespTimeAvgMax,
               pathAppRespTimeAvgMax, pathWaitRespTimeAvgMax, pathSumIntervalCtMax, sumDataUTCStart, sumDataUTCNow,
               tranTotalCt, flags, reportReturnCode);
    VYT_TRACE(out, "\nProcessSummaryData Entry: buflen=%d\n", VYT_FIELD(h, reportLen));
    VYT_TRACE(out,
              "pathIPSrcAddress=%s pathIPSrcNetName=%s pathIPDstAddress=%s pathIPDstNetName=%s pathIPSrcPort=%d "
              "pathIPDstPort=%d pathTotRespTimeDataCt=%d pathTotRespTimeAvgMax=%d pathNetRespTimeAvgMax=%d "
              "pathSrvRespTimeAvgMax=%d pathAppRespTimeAvgMax=%d pathWaitRespTimeAvgMax=%d pathSumIntervalCtMax=%d "
              "sumDataUTCStart=%d sumDataUTCNow=%d tranTotalCt=%d flags=%d reportReturnCode=%d\n",
              VYT_FIELD(h, ends.pathIPSrcAddress).c_str(), VYT_FIELD(h, ends.pathIPSrcNetName).c_str(),
              VYT_FIELD(h, ends.pathIPDstAddress).c_str(), VYT_FIELD(h, ends.pathIPDstNetName).c_str(), srcPort,
              dstPort, pathTotRespTimeDataCt, pathTotRespTimeAvgMax, pathNetRespTimeAvgMax, pathSrvRespTimeAvgMax,
              pathAppRespTimeAvgMax, pathWaitRespTimeAvgMax, pathSumIntervalCtMax, sumDataUTCStart, sumDataUTCNow,
              tranTotalCt, flags, reportReturnCode);

    char nowStamp[kTimeTextMax], startStamp[kTimeTextMax], span[kTimeTextMax];
    DateTimeStamp(sumDataUTCNow, nowStamp);
    DateTimeStamp(sumDataUTCStart, startStamp);
    FormatDurationTime(out.tracer(), sumDataUTCNow, sumDataUTCStart, 1, span);

    const auto set = out.method<cb::SummarySetData>();
    const auto add = out.method<cb::SummaryAddEntry>();
    out.call(set, {.currentTime = text(nowStamp),
                   .startTime = text(startStamp),
                   .duration = text(span),
                   .pathIPSrcPort = srcPort,
                   .pathIPDstPort = dstPort,
                   VYT_SAME(pathTotRespTimeDataCt, pathTotRespTimeAvgMax, pathNetRespTimeAvgMax, pathSrvRespTimeAvgMax,
                            pathAppRespTimeAvgMax, pathWaitRespTimeAvgMax, pathSumIntervalCtMax, sumDataUTCStart,
                            sumDataUTCNow, tranTotalCt, flags),
                   .summaryHeaderValue = VYT_FIELD(h, summaryHeaderValue),
                   .reportReturnCode = reportReturnCode});

    ForEntries(out, reply, sizeof(SummaryHeader), sizeof(SummaryEntry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<SummaryEntry>(b, 0);
        VYT_FIELDS(e, sumIntervalUTCStart, sumIntervalUTCEnd);
        char startText[kTimeTextMax], endText[kTimeTextMax];
        IntervalStamp(sumIntervalUTCStart, startText);
        IntervalStamp(sumIntervalUTCEnd, endText);
        VYT_FIELDS(e, sumIntervalSecs, pathTotRespTimeDataCtSum, pathTotRespTimeAvg, pathTotRespTimeAvgState,
                   pathNetRespTimeAvg, pathNetRespTimeAvgState, pathSrvRespTimeAvg, pathSrvRespTimeAvgState,
                   pathAppRespTimeAvg, pathAppRespTimeAvgState, pathWaitRespTimeAvg, pathWaitRespTimeAvgState,
                   pathRespTimeAvg, pathRespTimeAvgState);
        const std::int32_t entryFlags = VYT_FIELD(e, flags);
        VYT_TRACE(out,
                  "\nIdx[%d/%d] intervalStartTime=<%s>sumIntervalUTCStart=%d sumIntervalUTCEnd=%d sumIntervalSecs=%d "
                  "pathTotRespTimeDataCtSum=%d pathTotRespTimeAvg=%d pathTotRespTimeAvgState=%d pathNetRespTimeAvg=%d "
                  "pathNetRespTimeAvgState=%d pathSrvRespTimeAvg=%d pathSrvRespTimeAvgState=%d pathAppRespTimeAvg=%d "
                  "pathAppRespTimeAvgState=%d pathWaitRespTimeAvg=%d pathWaitRespTimeAvgState=%d pathRespTimeAvg=%d "
                  "pathRespTimeAvgState=%d flags=%d \n",
                  k, count, startText, sumIntervalUTCStart, sumIntervalUTCEnd, sumIntervalSecs,
                  pathTotRespTimeDataCtSum, pathTotRespTimeAvg, pathTotRespTimeAvgState, pathNetRespTimeAvg,
                  pathNetRespTimeAvgState, pathSrvRespTimeAvg, pathSrvRespTimeAvgState, pathAppRespTimeAvg,
                  pathAppRespTimeAvgState, pathWaitRespTimeAvg, pathWaitRespTimeAvgState, pathRespTimeAvg,
                  pathRespTimeAvgState, entryFlags);
        // The path response time pair follows the four component pairs; the flags word comes last.
        out.call(add, {.intervalStart = text(startText),
                       .intervalEnd = text(endText),
                       VYT_SAME(sumIntervalSecs, pathTotRespTimeDataCtSum, pathTotRespTimeAvg, pathTotRespTimeAvgState,
                                pathNetRespTimeAvg, pathNetRespTimeAvgState, pathSrvRespTimeAvg,
                                pathSrvRespTimeAvgState, pathAppRespTimeAvg, pathAppRespTimeAvgState,
                                pathWaitRespTimeAvg, pathWaitRespTimeAvgState, pathRespTimeAvg, pathRespTimeAvgState),
                       .flags = entryFlags});
    });
}

}  // namespace

const Decoder kSummary{"ProcessSummaryData", sizeof(SummaryHeader), DecodeSummary};

}  // namespace vyt::alerts
