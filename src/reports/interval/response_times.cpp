// Per-path response times of one transaction over the summary interval: the
// response-time report (total, network, server, application and wait) and
// the path-time report (total, network and application, with the
// transaction's overall average in its header).
#include "decoders.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/interval.hpp"

namespace vyt::interval {

namespace {

using namespace layout;

void DecodeTransRspTime(Bytes reply, Out& out) {
    const IntervalValues h = ReadIntervalHeader(reply, out, "ProcessTransRspTimeData", HeaderLine::kReturnCode);
    IntervalTexts texts;
    MakeIntervalTexts(out.tracer(), h.now, h.start, texts);
    const auto set = out.method<cb::TransRspTimeSetData>();
    const auto add = out.method<cb::TransRspTimeAddEntry>();
    // The header flags go to Java before the return code, though they follow it in the reply.
    out.call(set, {.start = Start(h, texts),
                   .sumIntervalAux = h.aux,
                   .flags = h.last,
                   .reportReturnCode = h.lastButOne});
    ForEntries(out, reply, h.size, sizeof(TransRspTimeEntry), h.count, [&](std::int32_t k, Bytes b) {
        const PathValues p = ReadPath(b);
        const auto e = at<TransRspTimeEntry>(b, 0);
        const std::int32_t dataCtSum = VYT_FIELD(e, pathTotRespTimeDataCtSum);
        const std::int32_t tot = VYT_FIELD(e, pathTotRespTimeAvg);
        const std::int32_t net = VYT_FIELD(e, pathNetRespTimeAvg);
        const std::int32_t pathSrvRespTimeAvg = VYT_FIELD(e, pathSrvRespTimeAvg);
        const std::int32_t app = VYT_FIELD(e, pathAppRespTimeAvg);
        VYT_FIELDS(e, pathWaitRespTimeAvg, flags);
        const std::int32_t totState = VYT_FIELD(e, pathTotRespTimeAlertState);
        const std::int32_t netState = VYT_FIELD(e, pathNetRespTimeAlertState);
        const std::int32_t pathSrvRespTimeAlertState = VYT_FIELD(e, pathSrvRespTimeAlertState);
        const std::int32_t appState = VYT_FIELD(e, pathAppRespTimeAlertState);
        VYT_FIELDS(e, pathWaitRespTimeAlertState, pathMaxRespTimeAlertState);
        VYT_TRACE(out,
                  "\nIdx[%d/%d] pathIPSrcNetName[%s] pathIPDstNetName[%s] pathIPSrcAlias[%s] pathIPDstAlias[%s] "
                  "pathId=%d pathIPDstPort=%d pathIPSrcPort=%d pathTotRespTimeDataCtSum=%d pathTotRespTimeAvg=%d "
                  "pathNetRespTimeAvg=%d pathSrvRespTimeAvg=%d pathAppRespTimeAvg=%d pathWaitRespTimeAvg=%d flags=%d "
                  "pathTotRespTimeAlertState=%d pathNetRespTimeAlertState=%d pathSrvRespTimeAlertState=%d "
                  "pathAppRespTimeAlertState=%d pathWaitRespTimeAlertState=%d pathMaxRespTimeAlertState=%d \n",
                  k, h.count, p.pathIPSrcNetName.c_str(), p.pathIPDstNetName.c_str(), p.pathIPSrcAlias.c_str(),
                  p.pathIPDstAlias.c_str(), p.pathId, p.pathIPDstPort, p.pathIPSrcPort, dataCtSum, tot, net,
                  pathSrvRespTimeAvg, app, pathWaitRespTimeAvg, flags, totState, netState, pathSrvRespTimeAlertState,
                  appState, pathWaitRespTimeAlertState, pathMaxRespTimeAlertState);
        out.call(add, {.ends = Names(p),
                       .pathId = p.pathId,
                       .pathIPDstPort = p.pathIPDstPort,
                       .pathIPSrcPort = p.pathIPSrcPort,
                       .pathTotRespTimeDataCtSum = dataCtSum,
                       .pathTotRespTimeAvg = tot,
                       .pathNetRespTimeAvg = net,
                       .pathSrvRespTimeAvg = pathSrvRespTimeAvg,
                       .pathAppRespTimeAvg = app,
                       .pathWaitRespTimeAvg = pathWaitRespTimeAvg,
                       .flags = flags,
                       .pathTotRespTimeAlertState = totState,
                       .pathNetRespTimeAlertState = netState,
                       .pathSrvRespTimeAlertState = pathSrvRespTimeAlertState,
                       .pathAppRespTimeAlertState = appState,
                       .pathWaitRespTimeAlertState = pathWaitRespTimeAlertState,
                       .pathMaxRespTimeAlertState = pathMaxRespTimeAlertState});
    });
}

void DecodeTransPathTime(Bytes reply, Out& out) {
    const IntervalValues h =
        ReadIntervalHeader(reply, out, "ProcessTransPathTimeData", HeaderLine::kAvgFlagsReturnCode);
    IntervalTexts texts;
    MakeIntervalTexts(out.tracer(), h.now, h.start, texts);
    const auto set = out.method<cb::TransPathTimeSetData>();
    const auto add = out.method<cb::TransPathTimeAddEntry>();
    out.call(set, {.start = Start(h, texts),
                   .tranTotRespTimeAvg = h.avg,
                   .sumIntervalAux = h.aux,
                   .flags = h.last,
                   .reportReturnCode = h.lastButOne});
    ForEntries(out, reply, h.size, sizeof(TransPathTimeEntry), h.count,
               [&](std::int32_t k, Bytes b) {
                   const PathValues p = ReadPath(b);
                   const auto e = at<TransPathTimeEntry>(b, 0);
                   const std::int32_t dataCtSum = VYT_FIELD(e, pathTotRespTimeDataCtSum);
                   const std::int32_t tot = VYT_FIELD(e, pathTotRespTimeAvg);
                   const std::int32_t net = VYT_FIELD(e, pathNetRespTimeAvg);
                   const std::int32_t app = VYT_FIELD(e, pathAppRespTimeAvg);
                   const std::int32_t totState = VYT_FIELD(e, pathTotRespTimeAlertState);
                   const std::int32_t netState = VYT_FIELD(e, pathNetRespTimeAlertState);
                   const std::int32_t appState = VYT_FIELD(e, pathAppRespTimeAlertState);
                   const std::int32_t flags = VYT_FIELD(e, flags);
                   VYT_TRACE(out,
                             "\nIdx[%d/%d] pathIPSrcNetName[%s] pathIPDstNetName[%s] pathIPSrcAlias[%s] "
                             "pathIPDstAlias[%s] pathId=%d pathIPDstPort=%d pathIPSrcPort=%d "
                             "pathTotRespTimeDataCtSum=%d pathTotRespTimeAvg=%d pathNetRespTimeAvg=%d "
                             "pathAppRespTimeAvg=%d pathTotRespTimeAlertState=%d pathNetRespTimeAlertState=%d "
                             "pathAppRespTimeAlertState=%d flags=%d  \n",
                             k, h.count, p.pathIPSrcNetName.c_str(), p.pathIPDstNetName.c_str(), p.pathIPSrcAlias.c_str(),
                             p.pathIPDstAlias.c_str(), p.pathId, p.pathIPDstPort, p.pathIPSrcPort, dataCtSum, tot, net,
                             app, totState, netState, appState, flags);
                   out.call(add, {.ends = Names(p),
                                  .pathId = p.pathId,
                                  .pathIPDstPort = p.pathIPDstPort,
                                  .pathIPSrcPort = p.pathIPSrcPort,
                                  .pathTotRespTimeDataCtSum = dataCtSum,
                                  .pathTotRespTimeAvg = tot,
                                  .pathNetRespTimeAvg = net,
                                  .pathAppRespTimeAvg = app,
                                  .pathTotRespTimeAlertState = totState,
                                  .pathNetRespTimeAlertState = netState,
                                  .pathAppRespTimeAlertState = appState,
                                  .flags = flags});
               });
}

}  // namespace

const Decoder kTransRspTime{"ProcessTransRspTimeData", sizeof(IntervalHeader), DecodeTransRspTime};
const Decoder kTransPathTime{"ProcessTransPathTimeData", sizeof(IntervalHeaderWithAvg), DecodeTransPathTime};

}  // namespace vyt::interval
