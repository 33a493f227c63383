// The paths currently in alert, per transaction and per URL (paged).
#include <cstddef>
#include <cstdio>
#include <type_traits>

#include "decoders.hpp"
#include "stamps.hpp"
#include "vyt/callbacks/alerts.hpp"
#include "vyt/layout/alerts.hpp"
#include "vyt/timetext.hpp"

namespace vyt::alerts {

namespace {

using namespace layout;

// Both lists share the header and the entry from the path number on; the URL
// list adds the continue indexes to setData and the URL text to each entry.
template <bool kUrl>
void DecodeAlerts(Bytes reply, Out& out) {
    using Entry = std::conditional_t<kUrl, URLAlertEntry, CurrentAlertEntry>;
    using SetData = std::conditional_t<kUrl, cb::URLAlertSetData, cb::CurrentAlertSetData>;
    using AddEntry = std::conditional_t<kUrl, cb::URLAlertAddEntry, cb::CurrentAlertAddEntry>;

    const auto h = at<AlertHeader>(reply, 0);
    const std::int32_t count = FIELD(h, reportEntryCt);
    const std::int32_t now = FIELD(h, sumIntervalUTCNow);
    const std::int32_t start = FIELD(h, sumIntervalUTCStart);
    TRACE(out, "\n%s Entry: buflen=%d\n", out.who(), FIELD(h, reportLen));
    std::int32_t continueIdx = 0, continueIdx2 = 0;
    if constexpr (kUrl) {
        continueIdx = FIELD(h, reportEntryContinueIdx);
        continueIdx2 = FIELD(h, reportEntryContinueIdx2);
        TRACE(out,
              "reportEntryCt=%d sumIntervalUTCNow=%d sumIntervalUTCStart=%d reportEntryContinueIdx=%d "
              "reportEntryContinueIdx2=%d\n",
              count, now, start, continueIdx, continueIdx2);
    } else {
        TRACE(out, "reportEntryCt=%d sumIntervalUTCNow=%d sumIntervalUTCStart=%d\n", count, now, start);
    }

    char currentTime[kTimeTextMax], startTime[kTimeTextMax], span[kTimeTextMax];
    DateTimeStamp(now, currentTime);
    DateTimeStamp(start, startTime);
    std::snprintf(span, sizeof span, "%s", FormatDurationTime(out.tracer(), now, start, 1));
    TRACE(out, "currentTime<%s> startTime<%s> timebuff<%s>\n", currentTime, startTime, span);

    const auto set = out.method<SetData>();
    const auto add = out.method<AddEntry>();
    const std::int32_t value1 = FIELD(h, alertHeaderValue1);
    const std::int32_t value2 = FIELD(h, alertHeaderValue2);
    if constexpr (kUrl)
        out.call(set, text(currentTime), text(startTime), text(span), value1, value2, continueIdx, continueIdx2);
    else
        out.call(set, text(currentTime), text(startTime), text(span), value1, value2);

    ForEntries(out, reply, sizeof(AlertHeader), sizeof(Entry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<Entry>(b, 0);
        const auto p = at<AlertPath>(b, offsetof(Entry, path));
        const std::int32_t firstStart = FIELD(p, pathFirstAlertUTCStart);
        char alertStart[kTimeTextMax];
        AlertStartText(firstStart, alertStart);
        const auto tranName = FIELD(e, tranName);
        const auto srcNetName = FIELD(p, ends.pathIPSrcNetName);
        const auto dstNetName = FIELD(p, ends.pathIPDstNetName);
        const auto srcAlias = FIELD(p, ends.pathIPSrcAlias);
        const auto dstAlias = FIELD(p, ends.pathIPDstAlias);
        const std::int32_t pathId = FIELD(p, pathId);
        const std::int32_t flags = FIELD(p, flags);
        const std::uint16_t dstPort = FIELD(p, ends.pathIPDstPort);
        const std::int32_t dataCt = FIELD(p, pathTotRespTimeDataCt);
        const std::int32_t totAlert = FIELD(p, pathTotRespTimeAlert);
        const std::int32_t netAlert = FIELD(p, pathNetRespTimeAlert);
        const std::int32_t srvAlert = FIELD(p, pathSrvRespTimeAlert);
        const std::int32_t appAlert = FIELD(p, pathAppRespTimeAlert);
        const std::int32_t waitAlert = FIELD(p, pathWaitRespTimeAlert);
        const std::int32_t worst = FIELD(p, worstComponentState);
        const std::int32_t totState = FIELD(p, pathTotRespTimeAlertState);
        const std::int32_t netState = FIELD(p, pathNetRespTimeAlertState);
        const std::int32_t srvState = FIELD(p, pathSrvRespTimeAlertState);
        const std::int32_t appState = FIELD(p, pathAppRespTimeAlertState);
        const std::int32_t waitState = FIELD(p, pathWaitRespTimeAlertState);
        const std::int32_t maxState = FIELD(p, pathMaxRespTimeAlertState);
        const std::int32_t pathAlert = FIELD(p, pathRespTimeAlert);
        const std::int32_t pathState = FIELD(p, pathRespTimeAlertState);
        if constexpr (kUrl) {
            const auto subTranName = FIELD(e, subTranName);
            TRACE(out,
                  "\nIdx[%d/%d] tranName<%s> subTranName<%s> startTime<%s> pathFirstAlertUTCStart=%d pathId=%d "
                  "flags=%d pathIPSrcNetName<%s> pathIPDstNetName<%s> pathIPDstPort=%d pathTotRespTimeDataCt=%d "
                  "pathTotRespTimeAlert=%d pathNetRespTimeAlert=%d pathSrvRespTimeAlert=%d "
                  "pathAppRespTimeAlert=%d pathWaitRespTimeAlert=%d worstComponentState=%d "
                  "pathTotRespTimeAlertState=%d pathNetRespTimeAlertState=%d pathSrvRespTimeAlertState=%d "
                  "pathAppRespTimeAlertState=%d pathWaitRespTimeAlertState=%d pathMaxRespTimeAlertState=%d "
                  "pathRespTimeAlert=%d pathRespTimeAlertState=%d \n",
                  k, count, tranName.c_str(), subTranName.c_str(), alertStart, firstStart, pathId, flags,
                  srcNetName.c_str(), dstNetName.c_str(), dstPort, dataCt, totAlert, netAlert, srvAlert,
                  appAlert, waitAlert, worst, totState, netState, srvState, appState, waitState, maxState,
                  pathAlert, pathState);
            out.call(add, text(alertStart), text(tranName), text(subTranName), text(srcNetName),
                     text(dstNetName), text(srcAlias), text(dstAlias), pathId, flags, dstPort, dataCt, totAlert,
                     netAlert, srvAlert, appAlert, waitAlert, worst, totState, netState, srvState, appState,
                     waitState, maxState, pathAlert, pathState);
        } else {
            TRACE(out,
                  "\nIdx[%d/%d] tranName<%s> startTime<%s> pathFirstAlertUTCStart=%d pathId=%d flags=%d "
                  "pathIPSrcNetName<%s> pathIPDstNetName<%s> pathIPDstPort=%d pathTotRespTimeDataCt=%d "
                  "pathTotRespTimeAlert=%d pathNetRespTimeAlert=%d pathSrvRespTimeAlert=%d "
                  "pathAppRespTimeAlert=%d pathWaitRespTimeAlert=%d worstComponentState=%d "
                  "pathTotRespTimeAlertState=%d pathNetRespTimeAlertState=%d pathSrvRespTimeAlertState=%d "
                  "pathAppRespTimeAlertState=%d pathWaitRespTimeAlertState=%d pathMaxRespTimeAlertState=%d "
                  "pathRespTimeAlert=%d pathRespTimeAlertState=%d \n",
                  k, count, tranName.c_str(), alertStart, firstStart, pathId, flags, srcNetName.c_str(),
                  dstNetName.c_str(), dstPort, dataCt, totAlert, netAlert, srvAlert, appAlert, waitAlert, worst,
                  totState, netState, srvState, appState, waitState, maxState, pathAlert, pathState);
            out.call(add, text(alertStart), text(tranName), text(srcNetName), text(dstNetName), text(srcAlias),
                     text(dstAlias), pathId, flags, dstPort, dataCt, totAlert, netAlert, srvAlert, appAlert,
                     waitAlert, worst, totState, netState, srvState, appState, waitState, maxState, pathAlert,
                     pathState);
        }
    });
}

}  // namespace

const Decoder kCurrentAlert{"ProcessCurrentAlertData", sizeof(AlertHeader), DecodeAlerts<false>};
const Decoder kCurrentURLAlert{"ProcessCurrentURLAlertData", sizeof(AlertHeader), DecodeAlerts<true>};

}  // namespace vyt::alerts
