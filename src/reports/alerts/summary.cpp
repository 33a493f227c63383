// The summary of one path over a span of collected data, one entry per interval.
#include <cstdio>

#include "decoders.hpp"
#include "stamps.hpp"
#include "vyt/callbacks/alerts.hpp"
#include "vyt/layout/alerts.hpp"
#include "vyt/timetext.hpp"

namespace vyt::alerts {

namespace {

using namespace layout;

void DecodeSummary(Bytes reply, Out& out) {
    const auto h = at<SummaryHeader>(reply, 0);
    const std::int32_t count = FIELD(h, reportEntryCt);
    const std::uint16_t srcPort = FIELD(h, ends.pathIPSrcPort);
    const std::uint16_t dstPort = FIELD(h, ends.pathIPDstPort);
    const std::int32_t dataCt = FIELD(h, pathTotRespTimeDataCt);
    const std::int32_t totMax = FIELD(h, pathTotRespTimeAvgMax);
    const std::int32_t netMax = FIELD(h, pathNetRespTimeAvgMax);
    const std::int32_t srvMax = FIELD(h, pathSrvRespTimeAvgMax);
    const std::int32_t appMax = FIELD(h, pathAppRespTimeAvgMax);
    const std::int32_t waitMax = FIELD(h, pathWaitRespTimeAvgMax);
    const std::int32_t intervalCtMax = FIELD(h, pathSumIntervalCtMax);
    const std::int32_t dataStart = FIELD(h, sumDataUTCStart);
    const std::int32_t dataNow = FIELD(h, sumDataUTCNow);
    const std::int32_t tranTotalCt = FIELD(h, tranTotalCt);
    const std::int32_t flags = FIELD(h, flags);
    const std::int32_t returnCode = FIELD(h, reportReturnCode);
    TRACE(out, "\nProcessSummaryData Entry: buflen=%d\n", FIELD(h, reportLen));
    TRACE(out,
          "pathIPSrcAddress=%s pathIPSrcNetName=%s pathIPDstAddress=%s pathIPDstNetName=%s pathIPSrcPort=%d "
          "pathIPDstPort=%d pathTotRespTimeDataCt=%d pathTotRespTimeAvgMax=%d pathNetRespTimeAvgMax=%d "
          "pathSrvRespTimeAvgMax=%d pathAppRespTimeAvgMax=%d pathWaitRespTimeAvgMax=%d pathSumIntervalCtMax=%d "
          "sumDataUTCStart=%d sumDataUTCNow=%d tranTotalCt=%d flags=%d reportReturnCode=%d\n",
          FIELD(h, ends.pathIPSrcAddress).c_str(), FIELD(h, ends.pathIPSrcNetName).c_str(),
          FIELD(h, ends.pathIPDstAddress).c_str(), FIELD(h, ends.pathIPDstNetName).c_str(), srcPort, dstPort,
          dataCt, totMax, netMax, srvMax, appMax, waitMax, intervalCtMax, dataStart, dataNow, tranTotalCt, flags,
          returnCode);

    char nowStamp[kTimeTextMax], startStamp[kTimeTextMax], span[kTimeTextMax];
    DateTimeStamp(dataNow, nowStamp);
    DateTimeStamp(dataStart, startStamp);
    std::snprintf(span, sizeof span, "%s", FormatDurationTime(out.tracer(), dataNow, dataStart, 1));

    const auto set = out.method<cb::SummarySetData>();
    const auto add = out.method<cb::SummaryAddEntry>();
    out.call(set, text(nowStamp), text(startStamp), text(span), srcPort, dstPort, dataCt, totMax, netMax, srvMax,
             appMax, waitMax, intervalCtMax, dataStart, dataNow, tranTotalCt, flags, FIELD(h, summaryHeaderValue),
             returnCode);

    ForEntries(out, reply, sizeof(SummaryHeader), sizeof(SummaryEntry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<SummaryEntry>(b, 0);
        const std::int32_t intervalStart = FIELD(e, sumIntervalUTCStart);
        const std::int32_t intervalEnd = FIELD(e, sumIntervalUTCEnd);
        char startText[kTimeTextMax], endText[kTimeTextMax];
        IntervalStamp(intervalStart, startText);
        IntervalStamp(intervalEnd, endText);
        const std::int32_t secs = FIELD(e, sumIntervalSecs);
        const std::int32_t dataCtSum = FIELD(e, pathTotRespTimeDataCtSum);
        const std::int32_t totAvg = FIELD(e, pathTotRespTimeAvg);
        const std::int32_t totState = FIELD(e, pathTotRespTimeAvgState);
        const std::int32_t netAvg = FIELD(e, pathNetRespTimeAvg);
        const std::int32_t netState = FIELD(e, pathNetRespTimeAvgState);
        const std::int32_t srvAvg = FIELD(e, pathSrvRespTimeAvg);
        const std::int32_t srvState = FIELD(e, pathSrvRespTimeAvgState);
        const std::int32_t appAvg = FIELD(e, pathAppRespTimeAvg);
        const std::int32_t appState = FIELD(e, pathAppRespTimeAvgState);
        const std::int32_t waitAvg = FIELD(e, pathWaitRespTimeAvg);
        const std::int32_t waitState = FIELD(e, pathWaitRespTimeAvgState);
        const std::int32_t pathAvg = FIELD(e, pathRespTimeAvg);
        const std::int32_t pathState = FIELD(e, pathRespTimeAvgState);
        const std::int32_t entryFlags = FIELD(e, flags);
        TRACE(out,
              "\nIdx[%d/%d] intervalStartTime=<%s>sumIntervalUTCStart=%d sumIntervalUTCEnd=%d sumIntervalSecs=%d "
              "pathTotRespTimeDataCtSum=%d pathTotRespTimeAvg=%d pathTotRespTimeAvgState=%d pathNetRespTimeAvg=%d "
              "pathNetRespTimeAvgState=%d pathSrvRespTimeAvg=%d pathSrvRespTimeAvgState=%d pathAppRespTimeAvg=%d "
              "pathAppRespTimeAvgState=%d pathWaitRespTimeAvg=%d pathWaitRespTimeAvgState=%d pathRespTimeAvg=%d "
              "pathRespTimeAvgState=%d flags=%d \n",
              k, count, startText, intervalStart, intervalEnd, secs, dataCtSum, totAvg, totState, netAvg, netState,
              srvAvg, srvState, appAvg, appState, waitAvg, waitState, pathAvg, pathState, entryFlags);
        // The path response time pair follows the four component pairs; the flags word comes last.
        out.call(add, text(startText), text(endText), secs, dataCtSum, totAvg, totState, netAvg, netState, srvAvg,
                 srvState, appAvg, appState, waitAvg, waitState, pathAvg, pathState, entryFlags);
    });
}

}  // namespace

const Decoder kSummary{"ProcessSummaryData", sizeof(SummaryHeader), DecodeSummary};

}  // namespace vyt::alerts
