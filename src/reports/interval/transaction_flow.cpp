// One transaction laid out over the summary interval as a flow of cells: each
// entry carries one node and the values of the path that leads to it.
#include "decoders.hpp"
#include "vyt/callbacks/interval.hpp"
#include "vyt/layout/interval.hpp"

namespace vyt::interval {

namespace {

using namespace layout;

void DecodeTransFlow(Bytes reply, Out& out) {
    const auto h = at<IntervalHeaderWithAvg>(reply, 0);
    const std::int32_t count = FIELD(h, reportEntryCt);
    const std::int32_t ctSum = FIELD(h, tranTotalCtSum);
    const std::int32_t avg = FIELD(h, tranTotRespTimeAvg);
    const std::int32_t now = FIELD(h, sumIntervalUTCNow);
    const std::int32_t start = FIELD(h, sumIntervalUTCStart);
    const std::int32_t returnCode = FIELD(h, reportReturnCode);
    TRACE(out, "\nProcessTransFlowData Entry: buflen=%d\n", FIELD(h, reportLen));
    TRACE(out,
          "reportEntryCt=%d tranTotalTierCt=%d tranTotalPathCt=%d tranTotalCt=%d tranTotalCtSum=%d "
          "sumIntervalUTCNow=%d sumIntervalUTCStart=%d sumIntervalSecs=%d tranTotRespTimeAvg=%d "
          "reportReturnCode=%d\n",
          count, FIELD(h, tranTotalTierCt), FIELD(h, tranTotalPathCt), FIELD(h, tranTotalCt), ctSum, now, start,
          FIELD(h, sumIntervalSecs), avg, returnCode);
    IntervalTexts texts;
    MakeIntervalTexts(out, now, start, texts);
    const auto set = out.method<cb::TransFlowSetData>();
    const auto add = out.method<cb::TransFlowAddEntry>();
    // The interval word at 1144 goes before the average here (the path-time report has them the other way).
    out.call(set, text(texts.now), text(texts.start), text(texts.span), ctSum, FIELD(h, sumIntervalAux), avg,
             FIELD(h, flags), returnCode);
    TRACE(out, "reportEntryCt=%d\n", count);
    ForEntries(out, reply, sizeof(IntervalHeaderWithAvg), sizeof(TransFlowEntry), count,
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<TransFlowEntry>(b, 0);
                   const std::int32_t type = FIELD(e, type);
                   const std::int32_t pathTot = FIELD(e, pathTotRespTimeAvg);
                   const std::int32_t pathResp = FIELD(e, pathRespTimeAvg);
                   const std::int32_t pathNet = FIELD(e, pathNetRespTimeAvg);
                   const std::int32_t pathNetOut = FIELD(e, pathNetRespTimeOutAvg);
                   const std::int32_t pathNetIn = FIELD(e, pathNetRespTimeInAvg);
                   const std::int32_t pathTotState = FIELD(e, pathTotRespTimeAvgState);
                   const std::int32_t pathRespState = FIELD(e, pathRespTimeAvgState);
                   const std::int32_t pathNetState = FIELD(e, pathNetRespTimeAvgState);
                   const std::int32_t pathWorst = FIELD(e, pathWorstComponentState);
                   const std::int32_t nodeSrv = FIELD(e, nodeSrvRespTimeAvg);
                   const std::int32_t nodeApp = FIELD(e, nodeAppRespTimeAvg);
                   const std::int32_t nodeWait = FIELD(e, nodeWaitRespTimeAvg);
                   const std::int32_t nodeSrvState = FIELD(e, nodeSrvRespTimeAvgState);
                   const std::int32_t nodeAppState = FIELD(e, nodeAppRespTimeAvgState);
                   const std::int32_t nodeWaitState = FIELD(e, nodeWaitRespTimeAvgState);
                   const std::int32_t nodeWorst = FIELD(e, nodeWorstComponentState);
                   const std::int32_t pathId = FIELD(e, pathId);
                   const std::int32_t pathTier = FIELD(e, pathTier);
                   const std::int32_t colNum = FIELD(e, colNum);
                   const auto nodeName = FIELD(e, nodeName);
                   const auto nodeAlias = FIELD(e, nodeAlias);
                   const std::uint16_t nodePort = FIELD(e, nodePort);
                   const std::int32_t flags = FIELD(e, flags);
                   // The network average is shown under both of its labels.
                   TRACE(out,
                         "\nIdx[%d/%d] colNum=%d nodeName=[%s] nodeAlias=[%s] nodePort=%d type=%d flags=%d "
                         "nodeSrvRespTimeAvg=%d nodeAppRespTimeAvg=%d nodeWaitRespTimeAvg=%d pathNetRespTimeAvg=%d "
                         "nodeSrvRespTimeAvgState=%d nodeAppRespTimeAvgState=%d nodeWaitRespTimeAvgState=%d "
                         "nodeWorstComponentState=%d pathTotRespTimeAvg=%d pathNetRespTimeAvg=%d "
                         "pathNetRespTimeOutAvg=%d pathNetRespTimeInAvg=%d pathTotRespTimeAvgState=%d "
                         "pathNetRespTimeAvgState=%d pathWorstComponentState=%d pathId=%d pathTier=%d "
                         "pathTotRespTimeDataCt=%d pathTotRespTimeDataCtSum=%d pathRespTimeAvg=%d "
                         "pathRespTimeAvgState=%d \n",
                         k, count, colNum, nodeName.c_str(), nodeAlias.c_str(), nodePort, type, flags, nodeSrv,
                         nodeApp, nodeWait, pathNet, nodeSrvState, nodeAppState, nodeWaitState, nodeWorst, pathTot,
                         pathNet, pathNetOut, pathNetIn, pathTotState, pathNetState, pathWorst, pathId, pathTier,
                         FIELD(e, pathTotRespTimeDataCt), FIELD(e, pathTotRespTimeDataCtSum), pathResp,
                         pathRespState);
                   out.call(add, text(nodeName), text(nodeAlias), nodePort, colNum, type, flags, nodeSrv, nodeApp,
                            nodeWait, nodeSrvState, nodeAppState, nodeWaitState, nodeWorst, pathTot, pathNet,
                            pathNetOut, pathNetIn, pathTotState, pathNetState, pathWorst, pathId, pathTier, pathResp,
                            pathRespState);
               });
}

}  // namespace

const Decoder kTransFlow{"ProcessTransFlowData", sizeof(IntervalHeaderWithAvg), DecodeTransFlow};

}  // namespace vyt::interval
