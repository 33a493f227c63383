// Per-path response times of one transaction over the summary interval: the
// response-time report (total, network, server, application and wait) and
// the path-time report (total, network and application, with the
// transaction's overall average in its header).
#include "decoders.hpp"
#include "vyt/callbacks/interval.hpp"
#include "vyt/layout/interval.hpp"

namespace vyt::interval {

namespace {

using namespace layout;

void DecodeTransRspTime(Bytes reply, Out& out) {
    const auto h = at<IntervalHeader>(reply, 0);
    const std::int32_t count = FIELD(h, reportEntryCt);
    const std::int32_t ctSum = FIELD(h, tranTotalCtSum);
    const std::int32_t now = FIELD(h, sumIntervalUTCNow);
    const std::int32_t start = FIELD(h, sumIntervalUTCStart);
    const std::int32_t returnCode = FIELD(h, reportReturnCode);
    TRACE(out, "\nProcessTransRspTimeData Entry: buflen=%d\n", FIELD(h, reportLen));
    TRACE(out,
          "reportEntryCt=%d tranTotalTierCt=%d tranTotalPathCt=%d tranTotalCt=%d tranTotalCtSum=%d "
          "sumIntervalUTCNow=%d sumIntervalUTCStart=%d sumIntervalSecs=%d reportReturnCode=%d\n",
          count, FIELD(h, tranTotalTierCt), FIELD(h, tranTotalPathCt), FIELD(h, tranTotalCt), ctSum, now, start,
          FIELD(h, sumIntervalSecs), returnCode);
    IntervalTexts texts;
    MakeIntervalTexts(out, now, start, texts);
    const auto set = out.method<cb::TransRspTimeSetData>();
    const auto add = out.method<cb::TransRspTimeAddEntry>();
    // The header flags go to Java before the return code, though they follow it in the reply.
    out.call(set, text(texts.now), text(texts.start), text(texts.span), ctSum, FIELD(h, sumIntervalAux),
             FIELD(h, flags), returnCode);
    ForEntries(out, reply, sizeof(IntervalHeader), sizeof(TransRspTimeEntry), count, [&](std::int32_t k, Bytes b) {
        const PathValues p = ReadPath(b);
        const auto e = at<TransRspTimeEntry>(b, 0);
        const std::int32_t dataCtSum = FIELD(e, pathTotRespTimeDataCtSum);
        const std::int32_t tot = FIELD(e, pathTotRespTimeAvg);
        const std::int32_t net = FIELD(e, pathNetRespTimeAvg);
        const std::int32_t srv = FIELD(e, pathSrvRespTimeAvg);
        const std::int32_t app = FIELD(e, pathAppRespTimeAvg);
        const std::int32_t wait = FIELD(e, pathWaitRespTimeAvg);
        const std::int32_t flags = FIELD(e, flags);
        const std::int32_t totState = FIELD(e, pathTotRespTimeAlertState);
        const std::int32_t netState = FIELD(e, pathNetRespTimeAlertState);
        const std::int32_t srvState = FIELD(e, pathSrvRespTimeAlertState);
        const std::int32_t appState = FIELD(e, pathAppRespTimeAlertState);
        const std::int32_t waitState = FIELD(e, pathWaitRespTimeAlertState);
        const std::int32_t maxState = FIELD(e, pathMaxRespTimeAlertState);
        TRACE(out,
              "\nIdx[%d/%d] pathIPSrcNetName[%s] pathIPDstNetName[%s] pathIPSrcAlias[%s] pathIPDstAlias[%s] "
              "pathId=%d pathIPDstPort=%d pathIPSrcPort=%d pathTotRespTimeDataCtSum=%d pathTotRespTimeAvg=%d "
              "pathNetRespTimeAvg=%d pathSrvRespTimeAvg=%d pathAppRespTimeAvg=%d pathWaitRespTimeAvg=%d flags=%d "
              "pathTotRespTimeAlertState=%d pathNetRespTimeAlertState=%d pathSrvRespTimeAlertState=%d "
              "pathAppRespTimeAlertState=%d pathWaitRespTimeAlertState=%d pathMaxRespTimeAlertState=%d \n",
              k, count, p.pathIPSrcNetName.c_str(), p.pathIPDstNetName.c_str(), p.pathIPSrcAlias.c_str(),
              p.pathIPDstAlias.c_str(), p.pathId, p.pathIPDstPort, p.pathIPSrcPort, dataCtSum, tot, net, srv, app,
              wait, flags, totState, netState, srvState, appState, waitState, maxState);
        out.call(add, text(p.pathIPSrcNetName), text(p.pathIPDstNetName), text(p.pathIPSrcAlias),
                 text(p.pathIPDstAlias), p.pathId, p.pathIPDstPort, p.pathIPSrcPort, dataCtSum, tot, net, srv, app,
                 wait, flags, totState, netState, srvState, appState, waitState, maxState);
    });
}

void DecodeTransPathTime(Bytes reply, Out& out) {
    const auto h = at<IntervalHeaderWithAvg>(reply, 0);
    const std::int32_t count = FIELD(h, reportEntryCt);
    const std::int32_t ctSum = FIELD(h, tranTotalCtSum);
    const std::int32_t avg = FIELD(h, tranTotRespTimeAvg);
    const std::int32_t now = FIELD(h, sumIntervalUTCNow);
    const std::int32_t start = FIELD(h, sumIntervalUTCStart);
    const std::int32_t returnCode = FIELD(h, reportReturnCode);
    const std::int32_t headerFlags = FIELD(h, flags);
    TRACE(out, "\nProcessTransPathTimeData Entry: buflen=%d\n", FIELD(h, reportLen));
    TRACE(out,
          "reportEntryCt=%d tranTotalTierCt=%d tranTotalPathCt=%d tranTotalCt=%d tranTotalCtSum=%d "
          "sumIntervalUTCNow=%d sumIntervalUTCStart=%d sumIntervalSecs=%d tranTotRespTimeAvg=%d flags=%d "
          "reportReturnCode=%d\n",
          count, FIELD(h, tranTotalTierCt), FIELD(h, tranTotalPathCt), FIELD(h, tranTotalCt), ctSum, now, start,
          FIELD(h, sumIntervalSecs), avg, headerFlags, returnCode);
    IntervalTexts texts;
    MakeIntervalTexts(out, now, start, texts);
    const auto set = out.method<cb::TransPathTimeSetData>();
    const auto add = out.method<cb::TransPathTimeAddEntry>();
    out.call(set, text(texts.now), text(texts.start), text(texts.span), ctSum, avg, FIELD(h, sumIntervalAux),
             headerFlags, returnCode);
    ForEntries(out, reply, sizeof(IntervalHeaderWithAvg), sizeof(TransPathTimeEntry), count,
               [&](std::int32_t k, Bytes b) {
                   const PathValues p = ReadPath(b);
                   const auto e = at<TransPathTimeEntry>(b, 0);
                   const std::int32_t dataCtSum = FIELD(e, pathTotRespTimeDataCtSum);
                   const std::int32_t tot = FIELD(e, pathTotRespTimeAvg);
                   const std::int32_t net = FIELD(e, pathNetRespTimeAvg);
                   const std::int32_t app = FIELD(e, pathAppRespTimeAvg);
                   const std::int32_t totState = FIELD(e, pathTotRespTimeAlertState);
                   const std::int32_t netState = FIELD(e, pathNetRespTimeAlertState);
                   const std::int32_t appState = FIELD(e, pathAppRespTimeAlertState);
                   const std::int32_t flags = FIELD(e, flags);
                   TRACE(out,
                         "\nIdx[%d/%d] pathIPSrcNetName[%s] pathIPDstNetName[%s] pathIPSrcAlias[%s] "
                         "pathIPDstAlias[%s] pathId=%d pathIPDstPort=%d pathIPSrcPort=%d "
                         "pathTotRespTimeDataCtSum=%d pathTotRespTimeAvg=%d pathNetRespTimeAvg=%d "
                         "pathAppRespTimeAvg=%d pathTotRespTimeAlertState=%d pathNetRespTimeAlertState=%d "
                         "pathAppRespTimeAlertState=%d flags=%d  \n",
                         k, count, p.pathIPSrcNetName.c_str(), p.pathIPDstNetName.c_str(), p.pathIPSrcAlias.c_str(),
                         p.pathIPDstAlias.c_str(), p.pathId, p.pathIPDstPort, p.pathIPSrcPort, dataCtSum, tot, net,
                         app, totState, netState, appState, flags);
                   out.call(add, text(p.pathIPSrcNetName), text(p.pathIPDstNetName), text(p.pathIPSrcAlias),
                            text(p.pathIPDstAlias), p.pathId, p.pathIPDstPort, p.pathIPSrcPort, dataCtSum, tot, net,
                            app, totState, netState, appState, flags);
               });
}

}  // namespace

const Decoder kTransRspTime{"ProcessTransRspTimeData", sizeof(IntervalHeader), DecodeTransRspTime};
const Decoder kTransPathTime{"ProcessTransPathTimeData", sizeof(IntervalHeaderWithAvg), DecodeTransPathTime};

}  // namespace vyt::interval
