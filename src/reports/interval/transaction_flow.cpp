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
                   VYT_FIELDS(e, type, pathTotRespTimeAvg, pathRespTimeAvg, pathNetRespTimeAvg, pathNetRespTimeOutAvg,
                              pathNetRespTimeInAvg, pathTotRespTimeAvgState, pathRespTimeAvgState,
                              pathNetRespTimeAvgState, pathWorstComponentState, nodeSrvRespTimeAvg, nodeAppRespTimeAvg,
                              nodeWaitRespTimeAvg, nodeSrvRespTimeAvgState, nodeAppRespTimeAvgState,
                              nodeWaitRespTimeAvgState, nodeWorstComponentState, pathId, pathTier, colNum);
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
                             k, h.count, colNum, nodeName.c_str(), nodeAlias.c_str(), nodePort, type, flags,
                             nodeSrvRespTimeAvg, nodeAppRespTimeAvg, nodeWaitRespTimeAvg, pathNetRespTimeAvg,
                             nodeSrvRespTimeAvgState, nodeAppRespTimeAvgState, nodeWaitRespTimeAvgState,
                             nodeWorstComponentState, pathTotRespTimeAvg, pathNetRespTimeAvg, pathNetRespTimeOutAvg,
                             pathNetRespTimeInAvg, pathTotRespTimeAvgState, pathNetRespTimeAvgState,
                             pathWorstComponentState, pathId, pathTier, VYT_FIELD(e, pathTotRespTimeDataCt),
                             VYT_FIELD(e, pathTotRespTimeDataCtSum), pathRespTimeAvg, pathRespTimeAvgState);
                   out.call(add, {.nodeName = text(nodeName),
                                  .nodeAlias = text(nodeAlias),
                                  VYT_SAME(nodePort, colNum, type, flags, nodeSrvRespTimeAvg, nodeAppRespTimeAvg,
                                           nodeWaitRespTimeAvg, nodeSrvRespTimeAvgState, nodeAppRespTimeAvgState,
                                           nodeWaitRespTimeAvgState, nodeWorstComponentState, pathTotRespTimeAvg,
                                           pathNetRespTimeAvg, pathNetRespTimeOutAvg, pathNetRespTimeInAvg,
                                           pathTotRespTimeAvgState, pathNetRespTimeAvgState, pathWorstComponentState,
                                           pathId, pathTier, pathRespTimeAvg, pathRespTimeAvgState)});
               });
}

}  // namespace

const Decoder kTransFlow{"ProcessTransFlowData", sizeof(IntervalHeaderWithAvg), DecodeTransFlow};

}  // namespace vyt::interval
