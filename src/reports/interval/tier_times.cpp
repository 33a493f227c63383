// One transaction's paths broken down by a single tier of the response time:
// the network, server and wait tier reports.
#include "decoders.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/interval.hpp"

namespace vyt::interval {

namespace {

using namespace layout;

void DecodeTransNetTime(Bytes reply, Out& out) {
    const IntervalValues h = ReadIntervalHeader(reply, out, "ProcessTransNetTimeData", HeaderLine::kReturnCode);
    IntervalTexts texts;
    MakeIntervalTexts(out.tracer(), h.now, h.start, texts);
    const auto set = out.method<cb::TransNetTimeSetData>();
    const auto add = out.method<cb::TransNetTimeAddEntry>();
    // The header flags before the return code.
    out.call(set, {.start = Start(h, texts),
                   .sumIntervalAux = h.aux,
                   .flags = h.last,
                   .reportReturnCode = h.lastButOne});
    ForEntries(out, reply, h.size, sizeof(TransNetTimeEntry), h.count, [&](std::int32_t k, Bytes b) {
        const PathValues p = ReadPath(b);
        const auto e = at<TransNetTimeEntry>(b, 0);
        const std::int32_t dataCtSum = VYT_FIELD(e, pathTotRespTimeDataCtSum);
        VYT_FIELDS(e, pathNetInKBytesPerSecAvg, pathNetOutKBytesPerSecAvg, pathNetInBytesCtAvg, pathNetOutBytesCtAvg,
                   pathNetRespTimeAvg, pathNetRespTimeOutAvg, pathNetRespTimeInAvg, flags, pathNetRespTimeAlertState,
                   pathNetRespTimeOutAlertState, pathNetRespTimeInAlertState);
        VYT_TRACE(out,
                  "\nIdx[%d/%d] pathId=%d pathIPSrcNetName=[%s] pathIPDstNetName=[%s] pathIPSrcAlias=[%s] "
                  "pathIPDstAlias=[%s] pathIPDstPort=%d pathTotRespTimeDataCtSum=%d pathNetInKBytesPerSecAvg=%d "
                  "pathNetOutKBytesPerSecAvg=%d pathNetInBytesCtAvg=%d pathNetOutBytesCtAvg=%d pathNetRespTimeAvg=%d "
                  "pathNetRespTimeOutAvg=%d pathNetRespTimeInAvg=%d flags=%d pathNetRespTimeAlertState=%d "
                  "pathNetRespTimeOutAlertState=%d pathNetRespTimeInAlertState=%d \n",
                  k, h.count, p.pathId, p.pathIPSrcNetName.c_str(), p.pathIPDstNetName.c_str(),
                  p.pathIPSrcAlias.c_str(), p.pathIPDstAlias.c_str(), p.pathIPDstPort, dataCtSum,
                  pathNetInKBytesPerSecAvg, pathNetOutKBytesPerSecAvg, pathNetInBytesCtAvg, pathNetOutBytesCtAvg,
                  pathNetRespTimeAvg, pathNetRespTimeOutAvg, pathNetRespTimeInAvg, flags, pathNetRespTimeAlertState,
                  pathNetRespTimeOutAlertState, pathNetRespTimeInAlertState);
        // Inbound before outbound for both throughput pairs.
        out.call(add,
                 {.ends = Names(p),
                  .pathId = p.pathId,
                  .pathIPDstPort = p.pathIPDstPort,
                  .pathTotRespTimeDataCtSum = dataCtSum,
                  VYT_SAME(pathNetInKBytesPerSecAvg, pathNetOutKBytesPerSecAvg, pathNetInBytesCtAvg,
                           pathNetOutBytesCtAvg, pathNetRespTimeAvg, pathNetRespTimeOutAvg, pathNetRespTimeInAvg, flags,
                           pathNetRespTimeAlertState, pathNetRespTimeOutAlertState, pathNetRespTimeInAlertState)});
    });
}

void DecodeTransSrvTime(Bytes reply, Out& out) {
    // This reply keeps its return code where the others keep their flags,
    // and a plain value where they keep their return code.
    const IntervalValues h =
        ReadIntervalHeader(reply, out, "ProcessTransSrvTimeData", HeaderLine::kReturnCodeAt1148);
    IntervalTexts texts;
    MakeIntervalTexts(out.tracer(), h.now, h.start, texts);
    const auto set = out.method<cb::TransSrvTimeSetData>();
    const auto add = out.method<cb::TransSrvTimeAddEntry>();
    out.call(set, {.start = Start(h, texts),
                   .sumIntervalAux = h.aux,
                   .headerValue = h.lastButOne,
                   .reportReturnCode = h.last});
    ForEntries(out, reply, h.size, sizeof(TransSrvTimeEntry), h.count, [&](std::int32_t k, Bytes b) {
        const PathValues p = ReadPath(b);
        const auto e = at<TransSrvTimeEntry>(b, 0);
        const std::int32_t dataCtSum = VYT_FIELD(e, pathTotRespTimeDataCtSum);
        VYT_FIELDS(e, pathSrvRespTimeAvg, pathAppRespTimeAvg);
        const std::int32_t wait = VYT_FIELD(e, pathWaitRespTimeAvg);
        const std::int32_t dis = VYT_FIELD(e, pathDisRespTimeAvg);
        VYT_FIELDS(e, pathSrvRespTimeAlertState, pathAppRespTimeAlertState);
        const std::int32_t waitState = VYT_FIELD(e, pathWaitRespTimeAlertState);
        const std::int32_t flags = VYT_FIELD(e, flags);
        VYT_TRACE(out,
                  "\nIdx[%d/%d] pathIPSrcNetName=[%s] pathIPDstNetName=[%s] pathIPSrcAlias=[%s] pathIPDstAlias=[%s] "
                  "pathIPDstPort=%d pathTotRespTimeDataCtSum=%d pathSrvRespTimeAvg=%d pathAppRespTimeAvg=%d "
                  "pathWaitRespTimeAvg=%d pathDisRespTimeAvg=%d pathSrvRespTimeAlertState=%d "
                  "pathAppRespTimeAlertState=%d repEntry->pathWaitRespTimeAlertState=%d flags=%d \n",
                  k, h.count, p.pathIPSrcNetName.c_str(), p.pathIPDstNetName.c_str(), p.pathIPSrcAlias.c_str(),
                  p.pathIPDstAlias.c_str(), p.pathIPDstPort, dataCtSum, pathSrvRespTimeAvg, pathAppRespTimeAvg, wait,
                  dis, pathSrvRespTimeAlertState, pathAppRespTimeAlertState, waitState, flags);
        out.call(add, {.ends = Names(p),
                       .pathId = p.pathId,
                       .pathIPDstPort = p.pathIPDstPort,
                       .pathTotRespTimeDataCtSum = dataCtSum,
                       .pathSrvRespTimeAvg = pathSrvRespTimeAvg,
                       .pathAppRespTimeAvg = pathAppRespTimeAvg,
                       .pathWaitRespTimeAvg = wait,
                       .pathDisRespTimeAvg = dis,
                       .pathSrvRespTimeAlertState = pathSrvRespTimeAlertState,
                       .pathAppRespTimeAlertState = pathAppRespTimeAlertState,
                       .pathWaitRespTimeAlertState = waitState,
                       .flags = flags});
    });
}

// The path kinds of a wait entry, in the order their lines are written.
struct PathKind {
    std::uint32_t bit;
    int number;  // shown in the line
};
constexpr PathKind kPathKinds[] = {
    {0x1, 1},  // client path
    {0x8, 2},  // client-and-end path
    {0x2, 3},  // middle path
    {0x4, 4},  // end path
};

void DecodeTransWaitTime(Bytes reply, Out& out) {
    const IntervalValues h = ReadIntervalHeader(reply, out, "ProcessTransWaitTimeData", HeaderLine::kReturnCode);
    IntervalTexts texts;
    MakeIntervalTexts(out.tracer(), h.now, h.start, texts);
    const auto set = out.method<cb::TransWaitTimeSetData>();
    const auto add = out.method<cb::TransWaitTimeAddEntry>();
    out.call(set, {.start = Start(h, texts),
                   .sumIntervalAux = h.aux,
                   .flags = h.last,
                   .reportReturnCode = h.lastButOne});
    ForEntries(out, reply, h.size, sizeof(TransWaitTimeEntry), h.count, [&](std::int32_t k, Bytes b) {
        const PathValues p = ReadPath(b);
        const auto e = at<TransWaitTimeEntry>(b, 0);
        const std::int32_t dataCtSum = VYT_FIELD(e, pathTotRespTimeDataCtSum);
        const std::int32_t dis = VYT_FIELD(e, pathDisRespTimeAvg);
        const std::int32_t pathRetRespTimeAvg = VYT_FIELD(e, pathRetRespTimeAvg);
        const std::int32_t wait = VYT_FIELD(e, pathWaitRespTimeAvg);
        const std::int32_t waitState = VYT_FIELD(e, pathWaitRespTimeAlertState);
        const std::int32_t flags = VYT_FIELD(e, flags);
        VYT_TRACE(out,
                  "\nIdx[%d/%d] pathIPSrcNetName=[%s] pathIPDstNetName=[%s] jpathIPSrcAlias=[%s] jpathIPDstAlias=[%s] "
                  "pathIPDstPort=%d pathTotRespTimeDataCtSum=%d pathDisRespTimeAvg=%d pathRetRespTimeAvg=%d "
                  "pathWaitRespTimeAvg=%d pathWaitRespTimeAlertState=%d flags=%d \n",
                  k, h.count, p.pathIPSrcNetName.c_str(), p.pathIPDstNetName.c_str(), p.pathIPSrcAlias.c_str(),
                  p.pathIPDstAlias.c_str(), p.pathIPDstPort, dataCtSum, dis, pathRetRespTimeAvg, wait, waitState,
                  flags);
        for (const PathKind& kind : kPathKinds)
            if (static_cast<std::uint32_t>(flags) & kind.bit) VYT_TRACE(out, "\nIdx[%d/%d] %d Path\n", k, h.count, kind.number);
        // The port goes before the path number here.
        out.call(add, {.ends = Names(p),
                       .pathIPDstPort = p.pathIPDstPort,
                       .pathId = p.pathId,
                       .pathTotRespTimeDataCtSum = dataCtSum,
                       .pathDisRespTimeAvg = dis,
                       .pathRetRespTimeAvg = pathRetRespTimeAvg,
                       .pathWaitRespTimeAvg = wait,
                       .pathWaitRespTimeAlertState = waitState,
                       .flags = flags});
    });
}

}  // namespace

const Decoder kTransNetTime{"ProcessTransNetTimeData", sizeof(IntervalHeader), DecodeTransNetTime};
const Decoder kTransSrvTime{"ProcessTransSrvTimeData", sizeof(IntervalHeader), DecodeTransSrvTime};
const Decoder kTransWaitTime{"ProcessTransWaitTimeData", sizeof(IntervalHeader), DecodeTransWaitTime};

}  // namespace vyt::interval
