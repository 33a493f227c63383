// The paths currently in alert, per transaction and per URL (paged).
#include <cstddef>
#include <cstdio>
#include <type_traits>

#include "vyt/decoder.hpp"
#include "alert_lines.hpp"
#include "stamps.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/alerts.hpp"
#include "vyt/timetext.hpp"

namespace vyt::alerts {

namespace {

using namespace layout;

// Both lists share the header and the entry from the path number on; the URL
// list adds the continue indexes to setData and the URL text to each entry.
// The arguments both lists pass after the entry's names, by name.
#define VYT_ALERT_PATH_ARGUMENTS                                                                                 \
    .pathIPSrcNetName = text(srcNetName), .pathIPDstNetName = text(dstNetName), .pathIPSrcAlias = text(srcAlias), \
    .pathIPDstAlias = text(dstAlias), .pathId = pathId, .flags = flags, .pathIPDstPort = dstPort,                \
    .pathTotRespTimeDataCt = dataCt, .pathTotRespTimeAlert = totAlert, .pathNetRespTimeAlert = netAlert,         \
    .pathSrvRespTimeAlert = srvAlert, .pathAppRespTimeAlert = appAlert, .pathWaitRespTimeAlert = waitAlert,      \
    .worstComponentState = worst, .pathTotRespTimeAlertState = totState, .pathNetRespTimeAlertState = netState,  \
    .pathSrvRespTimeAlertState = srvState, .pathAppRespTimeAlertState = appState,                                \
    .pathWaitRespTimeAlertState = waitState, .pathMaxRespTimeAlertState = maxState,                              \
    .pathRespTimeAlert = pathAlert, .pathRespTimeAlertState = pathState

template <bool kUrl>
void DecodeAlerts(Bytes reply, Out& out) {
    using Entry = std::conditional_t<kUrl, URLAlertEntry, CurrentAlertEntry>;
    using SetData = std::conditional_t<kUrl, cb::URLAlertSetData, cb::CurrentAlertSetData>;
    using AddEntry = std::conditional_t<kUrl, cb::URLAlertAddEntry, cb::CurrentAlertAddEntry>;

    const auto h = at<AlertHeader>(reply, 0);
    const std::int32_t count = VYT_FIELD(h, reportEntryCt);
    const std::int32_t now = VYT_FIELD(h, sumIntervalUTCNow);
    const std::int32_t start = VYT_FIELD(h, sumIntervalUTCStart);
    VYT_TRACE(out, "\n%s Entry: buflen=%d\n", out.who(), VYT_FIELD(h, reportLen));
    std::int32_t continueIdx = 0, continueIdx2 = 0;
    if constexpr (kUrl) {
        continueIdx = VYT_FIELD(h, reportEntryContinueIdx);
        continueIdx2 = VYT_FIELD(h, reportEntryContinueIdx2);
        VYT_TRACE(out,
                  "reportEntryCt=%d sumIntervalUTCNow=%d sumIntervalUTCStart=%d reportEntryContinueIdx=%d "
                  "reportEntryContinueIdx2=%d\n",
                  count, now, start, continueIdx, continueIdx2);
    } else {
        VYT_TRACE(out, "reportEntryCt=%d sumIntervalUTCNow=%d sumIntervalUTCStart=%d\n", count, now, start);
    }

    char currentTime[kTimeTextMax], startTime[kTimeTextMax], span[kTimeTextMax];
    DateTimeStamp(now, currentTime);
    DateTimeStamp(start, startTime);
    FormatDurationTime(out.tracer(), now, start, 1, span);
    VYT_TRACE(out, "currentTime<%s> startTime<%s> timebuff<%s>\n", currentTime, startTime, span);

    const auto set = out.method<SetData>();
    const auto add = out.method<AddEntry>();
    const std::int32_t value1 = VYT_FIELD(h, alertHeaderValue1);
    const std::int32_t value2 = VYT_FIELD(h, alertHeaderValue2);
    if constexpr (kUrl)
        out.call(set, {.currentTime = text(currentTime),
                       .startTime = text(startTime),
                       .duration = text(span),
                       .alertHeaderValue1 = value1,
                       .alertHeaderValue2 = value2,
                       .reportEntryContinueIdx = continueIdx,
                       .reportEntryContinueIdx2 = continueIdx2});
    else
        out.call(set, {.currentTime = text(currentTime),
                       .startTime = text(startTime),
                       .duration = text(span),
                       .alertHeaderValue1 = value1,
                       .alertHeaderValue2 = value2});

    ForEntries(out, reply, sizeof(AlertHeader), sizeof(Entry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<Entry>(b, 0);
        const auto p = at<AlertPath>(b, offsetof(Entry, path));
        const std::int32_t firstStart = VYT_FIELD(p, pathFirstAlertUTCStart);
        char alertStart[kTimeTextMax];
        AlertStartText(firstStart, alertStart);
        const auto tranName = VYT_FIELD(e, tranName);
        const auto srcNetName = VYT_FIELD(p, ends.pathIPSrcNetName);
        const auto dstNetName = VYT_FIELD(p, ends.pathIPDstNetName);
        const auto srcAlias = VYT_FIELD(p, ends.pathIPSrcAlias);
        const auto dstAlias = VYT_FIELD(p, ends.pathIPDstAlias);
        const std::int32_t pathId = VYT_FIELD(p, pathId);
        const std::int32_t flags = VYT_FIELD(p, flags);
        const std::uint16_t dstPort = VYT_FIELD(p, ends.pathIPDstPort);
        const std::int32_t dataCt = VYT_FIELD(p, pathTotRespTimeDataCt);
        const std::int32_t totAlert = VYT_FIELD(p, pathTotRespTimeAlert);
        const std::int32_t netAlert = VYT_FIELD(p, pathNetRespTimeAlert);
        const std::int32_t srvAlert = VYT_FIELD(p, pathSrvRespTimeAlert);
        const std::int32_t appAlert = VYT_FIELD(p, pathAppRespTimeAlert);
        const std::int32_t waitAlert = VYT_FIELD(p, pathWaitRespTimeAlert);
        const std::int32_t worst = VYT_FIELD(p, worstComponentState);
        const std::int32_t totState = VYT_FIELD(p, pathTotRespTimeAlertState);
        const std::int32_t netState = VYT_FIELD(p, pathNetRespTimeAlertState);
        const std::int32_t srvState = VYT_FIELD(p, pathSrvRespTimeAlertState);
        const std::int32_t appState = VYT_FIELD(p, pathAppRespTimeAlertState);
        const std::int32_t waitState = VYT_FIELD(p, pathWaitRespTimeAlertState);
        const std::int32_t maxState = VYT_FIELD(p, pathMaxRespTimeAlertState);
        const std::int32_t pathAlert = VYT_FIELD(p, pathRespTimeAlert);
        const std::int32_t pathState = VYT_FIELD(p, pathRespTimeAlertState);
        if constexpr (kUrl) {
            const auto subTranName = VYT_FIELD(e, subTranName);
            VYT_TRACE(out,
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
            out.call(add, {.alertStart = text(alertStart),
                           .tranName = text(tranName),
                           .subTranName = text(subTranName),
                           VYT_ALERT_PATH_ARGUMENTS});
        } else {
            VYT_TRACE(out, kCurrentAlertEntryLine,
                      k, count, tranName.c_str(), alertStart, firstStart, pathId, flags, srcNetName.c_str(),
                      dstNetName.c_str(), dstPort, dataCt, totAlert, netAlert, srvAlert, appAlert, waitAlert, worst,
                      totState, netState, srvState, appState, waitState, maxState, pathAlert, pathState);
            out.call(add, {.alertStart = text(alertStart), .tranName = text(tranName), VYT_ALERT_PATH_ARGUMENTS});
        }
    });
}
#undef VYT_ALERT_PATH_ARGUMENTS

}  // namespace

const Decoder kCurrentAlert{"ProcessCurrentAlertData", sizeof(AlertHeader), DecodeAlerts<false>};
const Decoder kCurrentURLAlert{"ProcessCurrentURLAlertData", sizeof(AlertHeader), DecodeAlerts<true>};

}  // namespace vyt::alerts
