// One transaction laid out over the summary interval as a flow of cells: each
// entry carries one node and the values of the path that leads to it.
#include "decoders.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/interval.hpp"

namespace vyt::interval {

namespace {

using namespace layout;

void DecodeTransFlow(Bytes reply, Out& out) {
    const IntervalValues h = ReadIntervalHeader(reply, out, "ProcessTransFlowData", HeaderLine::kAvgReturnCode);
    IntervalTexts texts;
    MakeIntervalTexts(out.tracer(), h.now, h.start, texts);
    const auto set = out.method<cb::TransFlowSetData>();
    const auto add = out.method<cb::TransFlowAddEntry>();
    // sumIntervalAux goes before the average here (the path-time report has them the other way).
    out.call(set, {.start = Start(h, texts),
                   .sumIntervalAux = h.aux,
                   .tranTotRespTimeAvg = h.avg,
                   .flags = h.last,
                   .reportReturnCode = h.lastButOne});
    VYT_TRACE(out, "reportEntryCt=%d\n", h.count);
    ForEntries(out, reply, h.size, sizeof(TransFlowEntry), h.count,
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<TransFlowEntry>(b, 0);
                   const std::int32_t type = VYT_FIELD(e, type);
                   const std::int32_t pathTot = VYT_FIELD(e, pathTotRespTimeAvg);
                   const std::int32_t pathResp = VYT_FIELD(e, pathRespTimeAvg);
                   const std::int32_t pathNet = VYT_FIELD(e, pathNetRespTimeAvg);
                   const std::int32_t pathNetOut = VYT_FIELD(e, pathNetRespTimeOutAvg);
                   const std::int32_t pathNetIn = VYT_FIELD(e, pathNetRespTimeInAvg);
                   const std::int32_t pathTotState = VYT_FIELD(e, pathTotRespTimeAvgState);
                   const std::int32_t pathRespState = VYT_FIELD(e, pathRespTimeAvgState);
                   const std::int32_t pathNetState = VYT_FIELD(e, pathNetRespTimeAvgState);
                   const std::int32_t pathWorst = VYT_FIELD(e, pathWorstComponentState);
                   const std::int32_t nodeSrv = VYT_FIELD(e, nodeSrvRespTimeAvg);
                   const std::int32_t nodeApp = VYT_FIELD(e, nodeAppRespTimeAvg);
                   const std::int32_t nodeWait = VYT_FIELD(e, nodeWaitRespTimeAvg);
                   const std::int32_t nodeSrvState = VYT_FIELD(e, nodeSrvRespTimeAvgState);
                   const std::int32_t nodeAppState = VYT_FIELD(e, nodeAppRespTimeAvgState);
                   const std::int32_t nodeWaitState = VYT_FIELD(e, nodeWaitRespTimeAvgState);
                   const std::int32_t nodeWorst = VYT_FIELD(e, nodeWorstComponentState);
                   const std::int32_t pathId = VYT_FIELD(e, pathId);
                   const std::int32_t pathTier = VYT_FIELD(e, pathTier);
                   const std::int32_t colNum = VYT_FIELD(e, colNum);
                   const auto nodeName = VYT_FIELD(e, nodeName);
                   const auto nodeAlias = VYT_FIELD(e, nodeAlias);
                   const std::uint16_t nodePort = VYT_FIELD(e, nodePort);
                   const std::int32_t flags = VYT_FIELD(e, flags);
                   // The network average is shown under both of its labels.
                   VYT_TRACE(out,
                             "\nIdx[%d/%d] colNum=%d nodeName=[%s] nodeAlias=[%s] nodePort=%d type=%d flags=%d "
                             "nodeSrvRespTimeAvg=%d nodeAppRespTimeAvg=%d nodeWaitRespTimeAvg=%d pathNetRespTimeAvg=%d "
                             "nodeSrvRespTimeAvgState=%d nodeAppRespTimeAvgState=%d nodeWaitRespTimeAvgState=%d "
                             "nodeWorstComponentState=%d pathTotRespTimeAvg=%d pathNetRespTimeAvg=%d "
                             "pathNetRespTimeOutAvg=%d pathNetRespTimeInAvg=%d pathTotRespTimeAvgState=%d "
                             "pathNetRespTimeAvgState=%d pathWorstComponentState=%d pathId=%d pathTier=%d "
                             "pathTotRespTimeDataCt=%d pathTotRespTimeDataCtSum=%d pathRespTimeAvg=%d "
                             "pathRespTimeAvgState=%d \n",
                             k, h.count, colNum, nodeName.c_str(), nodeAlias.c_str(), nodePort, type, flags, nodeSrv,
                             nodeApp, nodeWait, pathNet, nodeSrvState, nodeAppState, nodeWaitState, nodeWorst, pathTot,
                             pathNet, pathNetOut, pathNetIn, pathTotState, pathNetState, pathWorst, pathId, pathTier,
                             VYT_FIELD(e, pathTotRespTimeDataCt), VYT_FIELD(e, pathTotRespTimeDataCtSum), pathResp,
                             pathRespState);
                   out.call(add, {.nodeName = text(nodeName),
                                  .nodeAlias = text(nodeAlias),
                                  .nodePort = nodePort,
                                  .colNum = colNum,
                                  .type = type,
                                  .flags = flags,
                                  .nodeSrvRespTimeAvg = nodeSrv,
                                  .nodeAppRespTimeAvg = nodeApp,
                                  .nodeWaitRespTimeAvg = nodeWait,
                                  .nodeSrvRespTimeAvgState = nodeSrvState,
                                  .nodeAppRespTimeAvgState = nodeAppState,
                                  .nodeWaitRespTimeAvgState = nodeWaitState,
                                  .nodeWorstComponentState = nodeWorst,
                                  .pathTotRespTimeAvg = pathTot,
                                  .pathNetRespTimeAvg = pathNet,
                                  .pathNetRespTimeOutAvg = pathNetOut,
                                  .pathNetRespTimeInAvg = pathNetIn,
                                  .pathTotRespTimeAvgState = pathTotState,
                                  .pathNetRespTimeAvgState = pathNetState,
                                  .pathWorstComponentState = pathWorst,
                                  .pathId = pathId,
                                  .pathTier = pathTier,
                                  .pathRespTimeAvg = pathResp,
                                  .pathRespTimeAvgState = pathRespState});
               });
}

}  // namespace

const Decoder kTransFlow{"ProcessTransFlowData", sizeof(IntervalHeaderWithAvg), DecodeTransFlow};

}  // namespace vyt::interval
