// Every path that loads one server over the last summary interval, with the
// transaction that owns it and the transaction it impacts.
#include "decoders.hpp"
#include "vyt/callbacks/interval.hpp"
#include "vyt/layout/interval.hpp"

namespace vyt::interval {

namespace {

using namespace layout;

void DecodeServerLoad(Bytes reply, Out& out) {
    const auto h = at<ServerLoadHeader>(reply, 0);
    const std::int32_t count = FIELD(h, reportEntryCt);
    const std::int32_t ctSum = FIELD(h, totalServerRespTimeDataCtSumt);
    const std::int32_t start = FIELD(h, sumIntervalUTCStart);
    const std::int32_t now = FIELD(h, sumIntervalUTCNow);
    const std::int32_t startup = FIELD(h, collectorStartupTime);
    const std::int32_t headerFlags = FIELD(h, flags);
    TRACE(out, "\nProcessServerLoadData Entry: buflen=%d\n", FIELD(h, reportLen));
    TRACE(out,
          "tranName<%s> serverId=%d totalServerRespTimeDataCtSumt=%d sumIntervalUTCStart=%d sumIntervalUTCNow=%d "
          "sumIntervalSecs=%d collectorStartupTime=%d flags=%d\n",
          FIELD(h, tranName).c_str(), FIELD(h, serverId), ctSum, start, now, FIELD(h, sumIntervalSecs), startup,
          headerFlags);
    IntervalTexts texts;
    MakeIntervalTexts(out, now, start, texts);
    const auto set = out.method<cb::ServerLoadSetData>();
    const auto add = out.method<cb::ServerLoadAddEntry>();
    // The collector's start-up time goes to Java as the raw second count.
    out.call(set, text(texts.now), text(texts.start), text(texts.span), ctSum, startup, headerFlags);
    ForEntries(out, reply, sizeof(ServerLoadHeader), sizeof(ServerLoadEntry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<ServerLoadEntry>(b, 0);
        const auto own = FIELD(e, ownTranName);
        const auto imp = FIELD(e, impTranName);
        const std::int32_t pathId = FIELD(e, pathId);
        const std::uint16_t srcPort = FIELD(e, ends.pathIPSrcPort);
        const std::uint16_t dstPort = FIELD(e, ends.pathIPDstPort);
        const auto srcNet = FIELD(e, ends.pathIPSrcNetName);
        const auto srcAlias = FIELD(e, ends.pathIPSrcAlias);
        const auto dstNet = FIELD(e, ends.pathIPDstNetName);
        const auto dstAlias = FIELD(e, ends.pathIPDstAlias);
        const std::int32_t dataCtSum = FIELD(e, pathTotRespTimeDataCtSum);
        const std::int32_t perMinute = FIELD(e, pathTranPerMinute);
        const std::int32_t kBytes = FIELD(e, pathKBytesPerMinute);
        const std::int32_t impactPct = FIELD(e, pathTranImpactPct);
        const std::int32_t tot = FIELD(e, pathTotRespTimeAvg);
        const std::int32_t wait = FIELD(e, pathWaitRespTimeAvg);
        const std::int32_t totState = FIELD(e, pathTotRespTimeAlertState);
        const std::int32_t waitState = FIELD(e, pathWaitRespTimeAlertState);
        const std::int32_t worst = FIELD(e, pathWorstComponentState);
        const std::int32_t flags = FIELD(e, flags);
        TRACE(out,
              "\nIdx[%d/%d] ownTranName<%s> impTranName<%s> pathId=%d pathIPSrcPort=%d pathIPDstPort=%d "
              "pathIPSrcAddress<%s> pathIPSrcNetName<%s> pathIPSrcAlias<%s> pathIPDstAddress<%s> "
              "pathIPDstNetName<%s> pathIPDstAlias<%s> pathTotRespTimeDataCtSum=%d pathTranPerMinute=%d "
              "pathTotRespTimeAvg=%d pathWaitRespTimeAvg=%d pathTotRespTimeAlertState=%d "
              "pathWaitRespTimeAlertState=%d pathWorstComponentState=%d pathTranImpactPct=%d "
              "pathKBytesPerMinute=%d flags=%d\n",
              k, count, own.c_str(), imp.c_str(), pathId, srcPort, dstPort, FIELD(e, ends.pathIPSrcAddress).c_str(),
              srcNet.c_str(), srcAlias.c_str(), FIELD(e, ends.pathIPDstAddress).c_str(), dstNet.c_str(),
              dstAlias.c_str(), dataCtSum, perMinute, tot, wait, totState, waitState, worst, impactPct, kBytes,
              flags);
        // Source port first; the impact share before the kilobytes, though the reply stores them the other way.
        out.call(add, text(srcNet), text(dstNet), text(srcAlias), text(dstAlias), text(own), text(imp), pathId,
                 srcPort, dstPort, dataCtSum, perMinute, tot, wait, totState, waitState, worst, impactPct, kBytes,
                 flags);
    });
}

}  // namespace

const Decoder kServerLoad{"ProcessServerLoadData", sizeof(ServerLoadHeader), DecodeServerLoad};

}  // namespace vyt::interval
