// Alert events of the collector's paths, each with how long it has lasted.
#include "decoders.hpp"
#include "stamps.hpp"
#include "vyt/callbacks/alerts.hpp"
#include "vyt/layout/alerts.hpp"
#include "vyt/timetext.hpp"

namespace vyt::alerts {

namespace {

using namespace layout;

void DecodeEventAlerts(Bytes reply, Out& out) {
    const auto h = at<EventAlertHeader>(reply, 0);
    const std::int32_t count = FIELD(h, reportEntryCt);
    const std::int32_t now = FIELD(h, sumIntervalUTCNow);
    TRACE(out, "\nProcessEventAlertData Entry: buflen=%d\n", FIELD(h, reportLen));
    TRACE(out, "reportEntryCt=%d \n", count);
    char nowStamp[kTimeTextMax];
    DateTimeStamp(now, nowStamp);

    const auto set = out.method<cb::EventAlertSetData>();
    const auto add = out.method<cb::EventAlertAddEntry>();
    out.call(set, text(nowStamp), FIELD(h, eventHeaderValue1), FIELD(h, eventHeaderValue2));

    ForEntries(out, reply, sizeof(EventAlertHeader), sizeof(EventAlertEntry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<EventAlertEntry>(b, 0);
        const std::int32_t eventStart = FIELD(e, pathEventUTCStart);
        char startText[kTimeTextMax];
        AlertStartText(eventStart, startText);
        const auto tranName = FIELD(e, tranName);
        const auto srcNetName = FIELD(e, ends.pathIPSrcNetName);
        const auto dstNetName = FIELD(e, ends.pathIPDstNetName);
        const auto srcAlias = FIELD(e, ends.pathIPSrcAlias);
        const auto dstAlias = FIELD(e, ends.pathIPDstAlias);
        // A start after "now" gives a negative duration, passed on as it is.
        const std::int32_t duration = WrapSub(now, eventStart);
        const std::uint16_t srcPort = FIELD(e, ends.pathIPSrcPort);
        const std::uint16_t dstPort = FIELD(e, ends.pathIPDstPort);
        const std::int32_t pathId = FIELD(e, pathId);
        const std::int32_t tranCtMax = FIELD(e, pathTranCtMax);
        const std::int32_t dataCt = FIELD(e, pathTotRespTimeDataCt);
        const std::int32_t type = FIELD(e, pathEventType);
        const std::int32_t time = FIELD(e, pathEventTime);
        const std::int32_t state = FIELD(e, pathEventState);
        const std::int32_t curState = FIELD(e, pathEventCurState);
        const std::int32_t typeAndState = FIELD(e, pathEventTypeAndState);
        const std::int32_t flags = FIELD(e, flags);
        TRACE(out, "sumIntervalUTCNow=%d pathEventUTCStart=%d duration=%d\n", now, eventStart, duration);
        TRACE(out,
              "\nIdx[%d/%d] tranName<%s> startTime<%s> pathIPSrcNetName<%s> pathIPDstNetName<%s> "
              "pathIPSrcAlias<%s> pathIPDstAlias<%s> duration=%d pathIPSrcPort=%d pathIPDstPort=%d pathId=%d "
              "pathTranCtMax=%dpathTotRespTimeDataCt=%d repEntry->pathEventType=%d pathEventTime=%d "
              "pathEventState=%d pathEventCurState=%d pathEventTypeAndState=%d flags=%d \n",
              k, count, tranName.c_str(), startText, srcNetName.c_str(), dstNetName.c_str(), srcAlias.c_str(),
              dstAlias.c_str(), duration, srcPort, dstPort, pathId, tranCtMax, dataCt, type, time, state, curState,
              typeAndState, flags);
        // The combined type and state goes before the current state.
        out.call(add, text(startText), text(tranName), text(srcNetName), text(dstNetName), text(srcAlias),
                 text(dstAlias), duration, srcPort, dstPort, pathId, tranCtMax, dataCt, type, time, state,
                 typeAndState, curState, flags);
    });
}

}  // namespace

const Decoder kEventAlert{"ProcessEventAlertData", sizeof(EventAlertHeader), DecodeEventAlerts};

}  // namespace vyt::alerts
