// Every path that loads one server over the last summary interval, with the
// transaction that owns it and the transaction it impacts.
#include "decoders.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/interval.hpp"

namespace vyt::interval {

namespace {

using namespace layout;

void DecodeServerLoad(Bytes reply, Out& out) {
    const auto h = at<ServerLoadHeader>(reply, 0);
    const std::int32_t count = VYT_FIELD(h, reportEntryCt);
    VYT_FIELDS(h, totalServerRespTimeDataCtSumt, sumIntervalUTCStart, sumIntervalUTCNow, collectorStartupTime);
    const std::int32_t headerFlags = VYT_FIELD(h, flags);
    VYT_TRACE(out, "\nProcessServerLoadData Entry: buflen=%d\n", VYT_FIELD(h, reportLen));
    VYT_TRACE(out,
              "tranName<%s> serverId=%d totalServerRespTimeDataCtSumt=%d sumIntervalUTCStart=%d sumIntervalUTCNow=%d "
              "sumIntervalSecs=%d collectorStartupTime=%d flags=%d\n",
              VYT_FIELD(h, tranName).c_str(), VYT_FIELD(h, serverId), totalServerRespTimeDataCtSumt,
              sumIntervalUTCStart, sumIntervalUTCNow, VYT_FIELD(h, sumIntervalSecs), collectorStartupTime, headerFlags);
    IntervalTexts texts;
    MakeIntervalTexts(out.tracer(), sumIntervalUTCNow, sumIntervalUTCStart, texts);
    const auto set = out.method<cb::ServerLoadSetData>();
    const auto add = out.method<cb::ServerLoadAddEntry>();
    // The collector's start-up time goes to Java as the raw second count.
    out.call(set, {.currentTime = text(texts.now),
                   .startTime = text(texts.start),
                   .duration = text(texts.duration),
                   .totalServerRespTimeDataCtSumt = totalServerRespTimeDataCtSumt,
                   .collectorStartupTime = collectorStartupTime,
                   .flags = headerFlags});
    ForEntries(out, reply, sizeof(ServerLoadHeader), sizeof(ServerLoadEntry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<ServerLoadEntry>(b, 0);
        const auto own = VYT_FIELD(e, ownTranName);
        const auto imp = VYT_FIELD(e, impTranName);
        const std::int32_t pathId = VYT_FIELD(e, pathId);
        const std::uint16_t srcPort = VYT_FIELD(e, ends.pathIPSrcPort);
        const std::uint16_t dstPort = VYT_FIELD(e, ends.pathIPDstPort);
        const auto srcNet = VYT_FIELD(e, ends.pathIPSrcNetName);
        const auto srcAlias = VYT_FIELD(e, ends.pathIPSrcAlias);
        const auto dstNet = VYT_FIELD(e, ends.pathIPDstNetName);
        const auto dstAlias = VYT_FIELD(e, ends.pathIPDstAlias);
        VYT_FIELDS(e, pathTotRespTimeDataCtSum, pathTranPerMinute, pathKBytesPerMinute, pathTranImpactPct,
                   pathTotRespTimeAvg, pathWaitRespTimeAvg, pathTotRespTimeAlertState, pathWaitRespTimeAlertState,
                   pathWorstComponentState, flags);
        VYT_TRACE(out,
                  "\nIdx[%d/%d] ownTranName<%s> impTranName<%s> pathId=%d pathIPSrcPort=%d pathIPDstPort=%d "
                  "pathIPSrcAddress<%s> pathIPSrcNetName<%s> pathIPSrcAlias<%s> pathIPDstAddress<%s> "
                  "pathIPDstNetName<%s> pathIPDstAlias<%s> pathTotRespTimeDataCtSum=%d pathTranPerMinute=%d "
                  "pathTotRespTimeAvg=%d pathWaitRespTimeAvg=%d pathTotRespTimeAlertState=%d "
                  "pathWaitRespTimeAlertState=%d pathWorstComponentState=%d pathTranImpactPct=%d "
                  "pathKBytesPerMinute=%d flags=%d\n",
                  k, count, own.c_str(), imp.c_str(), pathId, srcPort, dstPort,
                  VYT_FIELD(e, ends.pathIPSrcAddress).c_str(), srcNet.c_str(), srcAlias.c_str(),
                  VYT_FIELD(e, ends.pathIPDstAddress).c_str(), dstNet.c_str(), dstAlias.c_str(),
                  pathTotRespTimeDataCtSum, pathTranPerMinute, pathTotRespTimeAvg, pathWaitRespTimeAvg,
                  pathTotRespTimeAlertState, pathWaitRespTimeAlertState, pathWorstComponentState, pathTranImpactPct,
                  pathKBytesPerMinute, flags);
        // Source port first; the impact share before the kilobytes, though the reply stores them the other way.
        out.call(add, {.ends = {text(srcNet), text(dstNet), text(srcAlias), text(dstAlias)},
                       .ownTranName = text(own),
                       .impTranName = text(imp),
                       .pathId = pathId,
                       .pathIPSrcPort = srcPort,
                       .pathIPDstPort = dstPort,
                       VYT_SAME(pathTotRespTimeDataCtSum, pathTranPerMinute, pathTotRespTimeAvg, pathWaitRespTimeAvg,
                                pathTotRespTimeAlertState, pathWaitRespTimeAlertState, pathWorstComponentState,
                                pathTranImpactPct, pathKBytesPerMinute, flags)});
    });
}

}  // namespace

const Decoder kServerLoad{"ProcessServerLoadData", sizeof(ServerLoadHeader), DecodeServerLoad};

}  // namespace vyt::interval
