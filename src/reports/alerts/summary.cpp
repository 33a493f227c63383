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
    const std::int32_t dataCt = VYT_FIELD(h, pathTotRespTimeDataCt);
    const std::int32_t totMax = VYT_FIELD(h, pathTotRespTimeAvgMax);
    const std::int32_t netMax = VYT_FIELD(h, pathNetRespTimeAvgMax);
    const std::int32_t srvMax = VYT_FIELD(h, pathSrvRespTimeAvgMax);
    const std::int32_t appMax = VYT_FIELD(h, pathAppRespTimeAvgMax);
    const std::int32_t waitMax = VYT_FIELD(h, pathWaitRespTimeAvgMax);
    const std::int32_t intervalCtMax = VYT_FIELD(h, pathSumIntervalCtMax);
    const std::int32_t dataStart = VYT_FIELD(h, sumDataUTCStart);
    const std::int32_t dataNow = VYT_FIELD(h, sumDataUTCNow);
    const std::int32_t tranTotalCt = VYT_FIELD(h, tranTotalCt);
    const std::int32_t flags = VYT_FIELD(h, flags);
    const std::int32_t returnCode = VYT_FIELD(h, reportReturnCode);
    VYT_TRACE(out, "\nProcessSummaryData Entry: buflen=%d\n", VYT_FIELD(h, reportLen));
    VYT_TRACE(out,
              "pathIPSrcAddress=%s pathIPSrcNetName=%s pathIPDstAddress=%s pathIPDstNetName=%s pathIPSrcPort=%d "
              "pathIPDstPort=%d pathTotRespTimeDataCt=%d pathTotRespTimeAvgMax=%d pathNetRespTimeAvgMax=%d "
              "pathSrvRespTimeAvgMax=%d pathAppRespTimeAvgMax=%d pathWaitRespTimeAvgMax=%d pathSumIntervalCtMax=%d "
              "sumDataUTCStart=%d sumDataUTCNow=%d tranTotalCt=%d flags=%d reportReturnCode=%d\n",
              VYT_FIELD(h, ends.pathIPSrcAddress).c_str(), VYT_FIELD(h, ends.pathIPSrcNetName).c_str(),
              VYT_FIELD(h, ends.pathIPDstAddress).c_str(), VYT_FIELD(h, ends.pathIPDstNetName).c_str(), srcPort, dstPort,
              dataCt, totMax, netMax, srvMax, appMax, waitMax, intervalCtMax, dataStart, dataNow, tranTotalCt, flags,
              returnCode);

    char nowStamp[kTimeTextMax], startStamp[kTimeTextMax], span[kTimeTextMax];
    DateTimeStamp(dataNow, nowStamp);
    DateTimeStamp(dataStart, startStamp);
    FormatDurationTime(out.tracer(), dataNow, dataStart, 1, span);

    const auto set = out.method<cb::SummarySetData>();
    const auto add = out.method<cb::SummaryAddEntry>();
    out.call(set, {.currentTime = text(nowStamp),
                   .startTime = text(startStamp),
                   .duration = text(span),
                   .pathIPSrcPort = srcPort,
                   .pathIPDstPort = dstPort,
                   .pathTotRespTimeDataCt = dataCt,
                   .pathTotRespTimeAvgMax = totMax,
                   .pathNetRespTimeAvgMax = netMax,
                   .pathSrvRespTimeAvgMax = srvMax,
                   .pathAppRespTimeAvgMax = appMax,
                   .pathWaitRespTimeAvgMax = waitMax,
                   .pathSumIntervalCtMax = intervalCtMax,
                   .sumDataUTCStart = dataStart,
                   .sumDataUTCNow = dataNow,
                   .tranTotalCt = tranTotalCt,
                   .flags = flags,
                   .summaryHeaderValue = VYT_FIELD(h, summaryHeaderValue),
                   .reportReturnCode = returnCode});

    ForEntries(out, reply, sizeof(SummaryHeader), sizeof(SummaryEntry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<SummaryEntry>(b, 0);
        const std::int32_t intervalStart = VYT_FIELD(e, sumIntervalUTCStart);
        const std::int32_t intervalEnd = VYT_FIELD(e, sumIntervalUTCEnd);
        char startText[kTimeTextMax], endText[kTimeTextMax];
        IntervalStamp(intervalStart, startText);
        IntervalStamp(intervalEnd, endText);
        const std::int32_t secs = VYT_FIELD(e, sumIntervalSecs);
        const std::int32_t dataCtSum = VYT_FIELD(e, pathTotRespTimeDataCtSum);
        const std::int32_t totAvg = VYT_FIELD(e, pathTotRespTimeAvg);
        const std::int32_t totState = VYT_FIELD(e, pathTotRespTimeAvgState);
        const std::int32_t netAvg = VYT_FIELD(e, pathNetRespTimeAvg);
        const std::int32_t netState = VYT_FIELD(e, pathNetRespTimeAvgState);
        const std::int32_t srvAvg = VYT_FIELD(e, pathSrvRespTimeAvg);
        const std::int32_t srvState = VYT_FIELD(e, pathSrvRespTimeAvgState);
        const std::int32_t appAvg = VYT_FIELD(e, pathAppRespTimeAvg);
        const std::int32_t appState = VYT_FIELD(e, pathAppRespTimeAvgState);
        const std::int32_t waitAvg = VYT_FIELD(e, pathWaitRespTimeAvg);
        const std::int32_t waitState = VYT_FIELD(e, pathWaitRespTimeAvgState);
        const std::int32_t pathAvg = VYT_FIELD(e, pathRespTimeAvg);
        const std::int32_t pathState = VYT_FIELD(e, pathRespTimeAvgState);
        const std::int32_t entryFlags = VYT_FIELD(e, flags);
        VYT_TRACE(out,
                  "\nIdx[%d/%d] intervalStartTime=<%s>sumIntervalUTCStart=%d sumIntervalUTCEnd=%d sumIntervalSecs=%d "
                  "pathTotRespTimeDataCtSum=%d pathTotRespTimeAvg=%d pathTotRespTimeAvgState=%d pathNetRespTimeAvg=%d "
                  "pathNetRespTimeAvgState=%d pathSrvRespTimeAvg=%d pathSrvRespTimeAvgState=%d pathAppRespTimeAvg=%d "
                  "pathAppRespTimeAvgState=%d pathWaitRespTimeAvg=%d pathWaitRespTimeAvgState=%d pathRespTimeAvg=%d "
                  "pathRespTimeAvgState=%d flags=%d \n",
                  k, count, startText, intervalStart, intervalEnd, secs, dataCtSum, totAvg, totState, netAvg, netState,
                  srvAvg, srvState, appAvg, appState, waitAvg, waitState, pathAvg, pathState, entryFlags);
        // The path response time pair follows the four component pairs; the flags word comes last.
        out.call(add, {.intervalStart = text(startText),
                       .intervalEnd = text(endText),
                       .sumIntervalSecs = secs,
                       .pathTotRespTimeDataCtSum = dataCtSum,
                       .pathTotRespTimeAvg = totAvg,
                       .pathTotRespTimeAvgState = totState,
                       .pathNetRespTimeAvg = netAvg,
                       .pathNetRespTimeAvgState = netState,
                       .pathSrvRespTimeAvg = srvAvg,
                       .pathSrvRespTimeAvgState = srvState,
                       .pathAppRespTimeAvg = appAvg,
                       .pathAppRespTimeAvgState = appState,
                       .pathWaitRespTimeAvg = waitAvg,
                       .pathWaitRespTimeAvgState = waitState,
                       .pathRespTimeAvg = pathAvg,
                       .pathRespTimeAvgState = pathState,
                       .flags = entryFlags});
    });
}

}  // namespace

const Decoder kSummary{"ProcessSummaryData", sizeof(SummaryHeader), DecodeSummary};

}  // namespace vyt::alerts
