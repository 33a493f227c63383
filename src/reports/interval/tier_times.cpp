// One transaction's paths broken down by a single tier of the response time:
// the network, server and wait tier reports.
#include "decoders.hpp"
#include "vyt/callbacks/interval.hpp"
#include "vyt/layout/interval.hpp"

namespace vyt::interval {

namespace {

using namespace layout;

// The header values these three reports read, and their entry and header
// lines.  The header line shows the word at 1148 as the return code when
// `returnCodeAt1148`, else the word at 1144.
struct TierHeader {
    std::int32_t count, ctSum, now, start, aux, word1144, word1148;
};

TierHeader ReadTierHeader(Bytes reply, Out& out, const char* name, bool returnCodeAt1148) {
    const auto h = at<IntervalHeader>(reply, 0);
    const TierHeader t{FIELD(h, reportEntryCt),     FIELD(h, tranTotalCtSum), FIELD(h, sumIntervalUTCNow),
                       FIELD(h, sumIntervalUTCStart), FIELD(h, sumIntervalAux), FIELD(h, reportReturnCode),
                       FIELD(h, flags)};
    TRACE(out, "\n%s Entry: buflen=%d\n", name, FIELD(h, reportLen));
    TRACE(out,
          "reportEntryCt=%d tranTotalTierCt=%d tranTotalPathCt=%d tranTotalCt=%d tranTotalCtSum=%d "
          "sumIntervalUTCNow=%d sumIntervalUTCStart=%d sumIntervalSecs=%d reportReturnCode=%d\n",
          t.count, FIELD(h, tranTotalTierCt), FIELD(h, tranTotalPathCt), FIELD(h, tranTotalCt), t.ctSum, t.now,
          t.start, FIELD(h, sumIntervalSecs), returnCodeAt1148 ? t.word1148 : t.word1144);
    return t;
}

void DecodeTransNetTime(Bytes reply, Out& out) {
    const TierHeader h = ReadTierHeader(reply, out, "ProcessTransNetTimeData", false);
    IntervalTexts texts;
    MakeIntervalTexts(out, h.now, h.start, texts);
    const auto set = out.method<cb::TransNetTimeSetData>();
    const auto add = out.method<cb::TransNetTimeAddEntry>();
    // Header flags (1148) before the return code (1144).
    out.call(set, text(texts.now), text(texts.start), text(texts.span), h.ctSum, h.aux, h.word1148, h.word1144);
    ForEntries(out, reply, sizeof(IntervalHeader), sizeof(TransNetTimeEntry), h.count, [&](std::int32_t k, Bytes b) {
        const PathValues p = ReadPath(b);
        const auto e = at<TransNetTimeEntry>(b, 0);
        const std::int32_t dataCtSum = FIELD(e, pathTotRespTimeDataCtSum);
        const std::int32_t inKBytes = FIELD(e, pathNetInKBytesPerSecAvg);
        const std::int32_t outKBytes = FIELD(e, pathNetOutKBytesPerSecAvg);
        const std::int32_t inBytes = FIELD(e, pathNetInBytesCtAvg);
        const std::int32_t outBytes = FIELD(e, pathNetOutBytesCtAvg);
        const std::int32_t net = FIELD(e, pathNetRespTimeAvg);
        const std::int32_t netOut = FIELD(e, pathNetRespTimeOutAvg);
        const std::int32_t netIn = FIELD(e, pathNetRespTimeInAvg);
        const std::int32_t flags = FIELD(e, flags);
        const std::int32_t netState = FIELD(e, pathNetRespTimeAlertState);
        const std::int32_t netOutState = FIELD(e, pathNetRespTimeOutAlertState);
        const std::int32_t netInState = FIELD(e, pathNetRespTimeInAlertState);
        TRACE(out,
              "\nIdx[%d/%d] pathId=%d pathIPSrcNetName=[%s] pathIPDstNetName=[%s] pathIPSrcAlias=[%s] "
              "pathIPDstAlias=[%s] pathIPDstPort=%d pathTotRespTimeDataCtSum=%d pathNetInKBytesPerSecAvg=%d "
              "pathNetOutKBytesPerSecAvg=%d pathNetInBytesCtAvg=%d pathNetOutBytesCtAvg=%d pathNetRespTimeAvg=%d "
              "pathNetRespTimeOutAvg=%d pathNetRespTimeInAvg=%d flags=%d pathNetRespTimeAlertState=%d "
              "pathNetRespTimeOutAlertState=%d pathNetRespTimeInAlertState=%d \n",
              k, h.count, p.pathId, p.pathIPSrcNetName.c_str(), p.pathIPDstNetName.c_str(), p.pathIPSrcAlias.c_str(),
              p.pathIPDstAlias.c_str(), p.pathIPDstPort, dataCtSum, inKBytes, outKBytes, inBytes, outBytes, net,
              netOut, netIn, flags, netState, netOutState, netInState);
        // Inbound before outbound for both throughput pairs.
        out.call(add, text(p.pathIPSrcNetName), text(p.pathIPDstNetName), text(p.pathIPSrcAlias),
                 text(p.pathIPDstAlias), p.pathId, p.pathIPDstPort, dataCtSum, inKBytes, outKBytes, inBytes, outBytes,
                 net, netOut, netIn, flags, netState, netOutState, netInState);
    });
}

void DecodeTransSrvTime(Bytes reply, Out& out) {
    // This reply keeps its return code at 1148, where the others keep their
    // flags, and a plain value at 1144.
    const TierHeader h = ReadTierHeader(reply, out, "ProcessTransSrvTimeData", true);
    IntervalTexts texts;
    MakeIntervalTexts(out, h.now, h.start, texts);
    const auto set = out.method<cb::TransSrvTimeSetData>();
    const auto add = out.method<cb::TransSrvTimeAddEntry>();
    out.call(set, text(texts.now), text(texts.start), text(texts.span), h.ctSum, h.aux, h.word1144, h.word1148);
    ForEntries(out, reply, sizeof(IntervalHeader), sizeof(TransSrvTimeEntry), h.count, [&](std::int32_t k, Bytes b) {
        const PathValues p = ReadPath(b);
        const auto e = at<TransSrvTimeEntry>(b, 0);
        const std::int32_t dataCtSum = FIELD(e, pathTotRespTimeDataCtSum);
        const std::int32_t srv = FIELD(e, pathSrvRespTimeAvg);
        const std::int32_t app = FIELD(e, pathAppRespTimeAvg);
        const std::int32_t wait = FIELD(e, pathWaitRespTimeAvg);
        const std::int32_t dis = FIELD(e, pathDisRespTimeAvg);
        const std::int32_t srvState = FIELD(e, pathSrvRespTimeAlertState);
        const std::int32_t appState = FIELD(e, pathAppRespTimeAlertState);
        const std::int32_t waitState = FIELD(e, pathWaitRespTimeAlertState);
        const std::int32_t flags = FIELD(e, flags);
        TRACE(out,
              "\nIdx[%d/%d] pathIPSrcNetName=[%s] pathIPDstNetName=[%s] pathIPSrcAlias=[%s] pathIPDstAlias=[%s] "
              "pathIPDstPort=%d pathTotRespTimeDataCtSum=%d pathSrvRespTimeAvg=%d pathAppRespTimeAvg=%d "
              "pathWaitRespTimeAvg=%d pathDisRespTimeAvg=%d pathSrvRespTimeAlertState=%d "
              "pathAppRespTimeAlertState=%d repEntry->pathWaitRespTimeAlertState=%d flags=%d \n",
              k, h.count, p.pathIPSrcNetName.c_str(), p.pathIPDstNetName.c_str(), p.pathIPSrcAlias.c_str(),
              p.pathIPDstAlias.c_str(), p.pathIPDstPort, dataCtSum, srv, app, wait, dis, srvState, appState,
              waitState, flags);
        out.call(add, text(p.pathIPSrcNetName), text(p.pathIPDstNetName), text(p.pathIPSrcAlias),
                 text(p.pathIPDstAlias), p.pathId, p.pathIPDstPort, dataCtSum, srv, app, wait, dis, srvState,
                 appState, waitState, flags);
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
    const TierHeader h = ReadTierHeader(reply, out, "ProcessTransWaitTimeData", false);
    IntervalTexts texts;
    MakeIntervalTexts(out, h.now, h.start, texts);
    const auto set = out.method<cb::TransWaitTimeSetData>();
    const auto add = out.method<cb::TransWaitTimeAddEntry>();
    out.call(set, text(texts.now), text(texts.start), text(texts.span), h.ctSum, h.aux, h.word1148, h.word1144);
    ForEntries(out, reply, sizeof(IntervalHeader), sizeof(TransWaitTimeEntry), h.count, [&](std::int32_t k, Bytes b) {
        const PathValues p = ReadPath(b);
        const auto e = at<TransWaitTimeEntry>(b, 0);
        const std::int32_t dataCtSum = FIELD(e, pathTotRespTimeDataCtSum);
        const std::int32_t dis = FIELD(e, pathDisRespTimeAvg);
        const std::int32_t ret = FIELD(e, pathRetRespTimeAvg);
        const std::int32_t wait = FIELD(e, pathWaitRespTimeAvg);
        const std::int32_t waitState = FIELD(e, pathWaitRespTimeAlertState);
        const std::int32_t flags = FIELD(e, flags);
        TRACE(out,
              "\nIdx[%d/%d] pathIPSrcNetName=[%s] pathIPDstNetName=[%s] jpathIPSrcAlias=[%s] jpathIPDstAlias=[%s] "
              "pathIPDstPort=%d pathTotRespTimeDataCtSum=%d pathDisRespTimeAvg=%d pathRetRespTimeAvg=%d "
              "pathWaitRespTimeAvg=%d pathWaitRespTimeAlertState=%d flags=%d \n",
              k, h.count, p.pathIPSrcNetName.c_str(), p.pathIPDstNetName.c_str(), p.pathIPSrcAlias.c_str(),
              p.pathIPDstAlias.c_str(), p.pathIPDstPort, dataCtSum, dis, ret, wait, waitState, flags);
        for (const PathKind& kind : kPathKinds)
            if (static_cast<std::uint32_t>(flags) & kind.bit) TRACE(out, "\nIdx[%d/%d] %d Path\n", k, h.count, kind.number);
        // The port goes before the path number here.
        out.call(add, text(p.pathIPSrcNetName), text(p.pathIPDstNetName), text(p.pathIPSrcAlias),
                 text(p.pathIPDstAlias), p.pathIPDstPort, p.pathId, dataCtSum, dis, ret, wait, waitState, flags);
    });
}

}  // namespace

const Decoder kTransNetTime{"ProcessTransNetTimeData", sizeof(IntervalHeader), DecodeTransNetTime};
const Decoder kTransSrvTime{"ProcessTransSrvTimeData", sizeof(IntervalHeader), DecodeTransSrvTime};
const Decoder kTransWaitTime{"ProcessTransWaitTimeData", sizeof(IntervalHeader), DecodeTransWaitTime};

}  // namespace vyt::interval
