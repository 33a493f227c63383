// Alert events of the collector's paths, each with how long it has lasted.
#include "vyt/decoder.hpp"
#include "stamps.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/alerts.hpp"
#include "vyt/timetext.hpp"

namespace vyt::alerts {

namespace {

using namespace layout;

void DecodeEventAlerts(Bytes reply, Out& out) {
    const auto h = at<EventAlertHeader>(reply, 0);
    const std::int32_t count = VYT_FIELD(h, reportEntryCt);
    const std::int32_t sumIntervalUTCNow = VYT_FIELD(h, sumIntervalUTCNow);
    VYT_TRACE(out, "\nProcessEventAlertData Entry: buflen=%d\n", VYT_FIELD(h, reportLen));
    VYT_TRACE(out, "reportEntryCt=%d \n", count);
    char nowStamp[kTimeTextMax];
    DateTimeStamp(sumIntervalUTCNow, nowStamp);

    const auto set = out.method<cb::EventAlertSetData>();
    const auto add = out.method<cb::EventAlertAddEntry>();
    out.call(set, {.currentTime = text(nowStamp),
                   .eventHeaderValue1 = VYT_FIELD(h, eventHeaderValue1),
                   .eventHeaderValue2 = VYT_FIELD(h, eventHeaderValue2)});

    ForEntries(out, reply, sizeof(EventAlertHeader), sizeof(EventAlertEntry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<EventAlertEntry>(b, 0);
        const std::int32_t pathEventUTCStart = VYT_FIELD(e, pathEventUTCStart);
        char startText[kTimeTextMax];
        AlertStartText(pathEventUTCStart, startText);
        const auto tranName = VYT_FIELD(e, tranName);
        const auto srcNetName = VYT_FIELD(e, ends.pathIPSrcNetName);
        const auto dstNetName = VYT_FIELD(e, ends.pathIPDstNetName);
        const auto srcAlias = VYT_FIELD(e, ends.pathIPSrcAlias);
        const auto dstAlias = VYT_FIELD(e, ends.pathIPDstAlias);
        // A start after "now" gives a negative duration, passed on as it is.
        const std::int32_t duration = WrapSub(sumIntervalUTCNow, pathEventUTCStart);
        const std::uint16_t srcPort = VYT_FIELD(e, ends.pathIPSrcPort);
        const std::uint16_t dstPort = VYT_FIELD(e, ends.pathIPDstPort);
        VYT_FIELDS(e, pathId, pathTranCtMax, pathTotRespTimeDataCt, pathEventType, pathEventTime, pathEventState,
                   pathEventCurState, pathEventTypeAndState, flags);
        VYT_TRACE(out, "sumIntervalUTCNow=%d pathEventUTCStart=%d duration=%d\n", sumIntervalUTCNow, pathEventUTCStart,
                  duration);
        VYT_TRACE(out,
                  "\nIdx[%d/%d] tranName<%s> startTime<%s> pathIPSrcNetName<%s> pathIPDstNetName<%s> "
                  "pathIPSrcAlias<%s> pathIPDstAlias<%s> duration=%d pathIPSrcPort=%d pathIPDstPort=%d pathId=%d "
                  "pathTranCtMax=%dpathTotRespTimeDataCt=%d repEntry->pathEventType=%d pathEventTime=%d "
                  "pathEventState=%d pathEventCurState=%d pathEventTypeAndState=%d flags=%d \n",
                  k, count, tranName.c_str(), startText, srcNetName.c_str(), dstNetName.c_str(), srcAlias.c_str(),
                  dstAlias.c_str(), duration, srcPort, dstPort, pathId, pathTranCtMax, pathTotRespTimeDataCt,
                  pathEventType, pathEventTime, pathEventState, pathEventCurState, pathEventTypeAndState, flags);
        // The combined type and state goes before the current state.
        out.call(add, {.eventStart = text(startText),
                       .tranName = text(tranName),
                       .ends = {text(srcNetName), text(dstNetName), text(srcAlias), text(dstAlias)},
                       .duration = duration,
                       .pathIPSrcPort = srcPort,
                       .pathIPDstPort = dstPort,
                       VYT_SAME(pathId, pathTranCtMax, pathTotRespTimeDataCt, pathEventType, pathEventTime,
                                pathEventState, pathEventTypeAndState, pathEventCurState, flags)});
    });
}

}  // namespace

const Decoder kEventAlert{"ProcessEventAlertData", sizeof(EventAlertHeader), DecodeEventAlerts};

}  // namespace vyt::alerts
