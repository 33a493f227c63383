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

// The values of an alert entry's path record that both lists pass on.
struct AlertPathValues {
    TextField<128> srcNetName;  // pathIPSrcNetName
    TextField<128> dstNetName;  // pathIPDstNetName
    TextField<16> srcAlias;  // pathIPSrcAlias
    TextField<16> dstAlias;  // pathIPDstAlias
    std::int32_t pathId;
    std::int32_t flags;
    std::uint16_t dstPort;  // pathIPDstPort
    std::int32_t dataCt;  // pathTotRespTimeDataCt
    std::int32_t totAlert;  // pathTotRespTimeAlert
    std::int32_t netAlert;  // pathNetRespTimeAlert
    std::int32_t srvAlert;  // pathSrvRespTimeAlert
    std::int32_t appAlert;  // pathAppRespTimeAlert
    std::int32_t waitAlert;  // pathWaitRespTimeAlert
    std::int32_t worst;  // worstComponentState
    std::int32_t totState;  // pathTotRespTimeAlertState
    std::int32_t netState;  // pathNetRespTimeAlertState
    std::int32_t srvState;  // pathSrvRespTimeAlertState
    std::int32_t appState;  // pathAppRespTimeAlertState
    std::int32_t waitState;  // pathWaitRespTimeAlertState
    std::int32_t maxState;  // pathMaxRespTimeAlertState
    std::int32_t pathAlert;  // pathRespTimeAlert
    std::int32_t pathState;  // pathRespTimeAlertState
};

template <class PathRecord>
AlertPathValues ReadAlertPath(const PathRecord& p) {
    return {VYT_FIELD(p, ends.pathIPSrcNetName),
            VYT_FIELD(p, ends.pathIPDstNetName),
            VYT_FIELD(p, ends.pathIPSrcAlias),
            VYT_FIELD(p, ends.pathIPDstAlias),
            VYT_FIELD(p, pathId),
            VYT_FIELD(p, flags),
            VYT_FIELD(p, ends.pathIPDstPort),
            VYT_FIELD(p, pathTotRespTimeDataCt),
            VYT_FIELD(p, pathTotRespTimeAlert),
            VYT_FIELD(p, pathNetRespTimeAlert),
            VYT_FIELD(p, pathSrvRespTimeAlert),
            VYT_FIELD(p, pathAppRespTimeAlert),
            VYT_FIELD(p, pathWaitRespTimeAlert),
            VYT_FIELD(p, worstComponentState),
            VYT_FIELD(p, pathTotRespTimeAlertState),
            VYT_FIELD(p, pathNetRespTimeAlertState),
            VYT_FIELD(p, pathSrvRespTimeAlertState),
            VYT_FIELD(p, pathAppRespTimeAlertState),
            VYT_FIELD(p, pathWaitRespTimeAlertState),
            VYT_FIELD(p, pathMaxRespTimeAlertState),
            VYT_FIELD(p, pathRespTimeAlert),
            VYT_FIELD(p, pathRespTimeAlertState)};
}

// What both lists pass of the path, by name.
cb::AlertPath PathArguments(const AlertPathValues& v) {
    return {.pathIPSrcNetName = text(v.srcNetName),
            .pathIPDstNetName = text(v.dstNetName),
            .pathIPSrcAlias = text(v.srcAlias),
            .pathIPDstAlias = text(v.dstAlias),
            .pathId = v.pathId,
            .flags = v.flags,
            .pathIPDstPort = v.dstPort,
            .pathTotRespTimeDataCt = v.dataCt,
            .pathTotRespTimeAlert = v.totAlert,
            .pathNetRespTimeAlert = v.netAlert,
            .pathSrvRespTimeAlert = v.srvAlert,
            .pathAppRespTimeAlert = v.appAlert,
            .pathWaitRespTimeAlert = v.waitAlert,
            .worstComponentState = v.worst,
            .pathTotRespTimeAlertState = v.totState,
            .pathNetRespTimeAlertState = v.netState,
            .pathSrvRespTimeAlertState = v.srvState,
            .pathAppRespTimeAlertState = v.appState,
            .pathWaitRespTimeAlertState = v.waitState,
            .pathMaxRespTimeAlertState = v.maxState,
            .pathRespTimeAlert = v.pathAlert,
            .pathRespTimeAlertState = v.pathState};
}

// Both lists share the header and the entry from the path number on; the URL
// list adds the continue indexes to setData and the URL text to each entry.
template <bool kUrl>
void DecodeAlerts(Bytes reply, Out& out) {
    using Entry = std::conditional_t<kUrl, URLAlertEntry, CurrentAlertEntry>;
    using SetData = std::conditional_t<kUrl, cb::URLAlertSetData, cb::CurrentAlertSetData>;
    using AddEntry = std::conditional_t<kUrl, cb::URLAlertAddEntry, cb::CurrentAlertAddEntry>;

    const auto h = at<AlertHeader>(reply, 0);
    const std::int32_t count = VYT_FIELD(h, reportEntryCt);
    VYT_FIELDS(h, sumIntervalUTCNow, sumIntervalUTCStart);
    VYT_TRACE(out, "\n%s Entry: buflen=%d\n", out.who(), VYT_FIELD(h, reportLen));
    std::int32_t continueIdx = 0, continueIdx2 = 0;
    if constexpr (kUrl) {
        continueIdx = VYT_FIELD(h, reportEntryContinueIdx);
        continueIdx2 = VYT_FIELD(h, reportEntryContinueIdx2);
        VYT_TRACE(out,
                  "reportEntryCt=%d sumIntervalUTCNow=%d sumIntervalUTCStart=%d reportEntryContinueIdx=%d "
                  "reportEntryContinueIdx2=%d\n",
                  count, sumIntervalUTCNow, sumIntervalUTCStart, continueIdx, continueIdx2);
    } else {
        VYT_TRACE(out, "reportEntryCt=%d sumIntervalUTCNow=%d sumIntervalUTCStart=%d\n", count, sumIntervalUTCNow,
                  sumIntervalUTCStart);
    }

    char currentTime[kTimeTextMax], startTime[kTimeTextMax], span[kTimeTextMax];
    DateTimeStamp(sumIntervalUTCNow, currentTime);
    DateTimeStamp(sumIntervalUTCStart, startTime);
    FormatDurationTime(out.tracer(), sumIntervalUTCNow, sumIntervalUTCStart, 1, span);
    VYT_TRACE(out, "currentTime<%s> startTime<%s> timebuff<%s>\n", currentTime, startTime, span);

    const auto set = out.method<SetData>();
    const auto add = out.method<AddEntry>();
    VYT_FIELDS(h, alertHeaderValue1, alertHeaderValue2);
    if constexpr (kUrl)
        out.call(set, {.currentTime = text(currentTime),
                       .startTime = text(startTime),
                       .duration = text(span),
                       .alertHeaderValue1 = alertHeaderValue1,
                       .alertHeaderValue2 = alertHeaderValue2,
                       .reportEntryContinueIdx = continueIdx,
                       .reportEntryContinueIdx2 = continueIdx2});
    else
        out.call(set, {.currentTime = text(currentTime),
                       .startTime = text(startTime),
                       .duration = text(span),
                       .alertHeaderValue1 = alertHeaderValue1,
                       .alertHeaderValue2 = alertHeaderValue2});

    ForEntries(out, reply, sizeof(AlertHeader), sizeof(Entry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<Entry>(b, 0);
        const auto p = at<AlertPath>(b, offsetof(Entry, path));
        const std::int32_t pathFirstAlertUTCStart = VYT_FIELD(p, pathFirstAlertUTCStart);
        char alertStart[kTimeTextMax];
        AlertStartText(pathFirstAlertUTCStart, alertStart);
        const auto tranName = VYT_FIELD(e, tranName);
        const AlertPathValues v = ReadAlertPath(p);
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
                      k, count, tranName.c_str(), subTranName.c_str(), alertStart, pathFirstAlertUTCStart, v.pathId,
                      v.flags, v.srcNetName.c_str(), v.dstNetName.c_str(), v.dstPort, v.dataCt, v.totAlert, v.netAlert,
                      v.srvAlert, v.appAlert, v.waitAlert, v.worst, v.totState, v.netState, v.srvState, v.appState,
                      v.waitState, v.maxState, v.pathAlert, v.pathState);
            out.call(add, {.alertStart = text(alertStart),
                           .tranName = text(tranName),
                           .subTranName = text(subTranName),
                           .path = PathArguments(v)});
        } else {
            VYT_TRACE(out, kCurrentAlertEntryLine, k, count, tranName.c_str(), alertStart, pathFirstAlertUTCStart,
                      v.pathId, v.flags, v.srcNetName.c_str(), v.dstNetName.c_str(), v.dstPort, v.dataCt, v.totAlert,
                      v.netAlert, v.srvAlert, v.appAlert, v.waitAlert, v.worst, v.totState, v.netState, v.srvState,
                      v.appState, v.waitState, v.maxState, v.pathAlert, v.pathState);
            out.call(add, {.alertStart = text(alertStart), .tranName = text(tranName), .path = PathArguments(v)});
        }
    });
}

}  // namespace

const Decoder kCurrentAlert{"ProcessCurrentAlertData", sizeof(AlertHeader), DecodeAlerts<false>};
const Decoder kCurrentURLAlert{"ProcessCurrentURLAlertData", sizeof(AlertHeader), DecodeAlerts<true>};

}  // namespace vyt::alerts
