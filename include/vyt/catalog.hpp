// The report kinds: every kind's report type, collector report id, name,
// title, the request selections it takes, whether it changes the collector's
// rules, its decoder and its Java callbacks, each callback with the names of
// its parameters in call order and what each means (a role, and a unit where
// the value has one).  This file is
// the one declaration of all of it; the dispatch table, the request builder
// and the catalogue file for the Java side (tools/report_kinds.cpp) are made
// from it.
#pragma once

#include <cstddef>
#include <iterator>
#include <type_traits>

#include "vyt/emit.hpp"

namespace vyt {

inline constexpr int kMinReportType = 1;
inline constexpr int kMaxReportType = 32;

constexpr bool ValidReportType(int t) { return t >= kMinReportType && t <= kMaxReportType; }

// The selection arguments of a request a kind takes, in catalogue order.
enum Selection : unsigned {
    kSelTran = 1u << 0,       // transaction name
    kSelSub = 1u << 1,        // sub-transaction name or URL
    kSelPath = 1u << 2,       // path number
    kSelServer = 1u << 3,     // server number
    kSelView = 1u << 4,       // view or rule flags
    kSelContinue = 1u << 5,   // continuation index, or the rule number of a rule operation
    kSelContinue2 = 1u << 6,  // second continuation index
    kSelScroll = 1u << 7,     // page size
};
// The name of selection bit i, as the catalogue file writes it.
inline constexpr const char* kSelectionNames[] = {"tran", "sub", "path", "server",
                                                  "view", "continue", "continue2", "scroll"};
static_assert(std::size(kSelectionNames) == 8 && kSelScroll == 1u << 7, "one name per selection bit");

// ---- what a parameter means -------------------------------------------------------

// What a callback parameter means to the Java side.  The library passes every
// word through unchanged; the role says how to read it.
enum class Role : unsigned char {
    Text,             // display text made by the library or the collector
    EpochSeconds,     // UTC seconds since 1970
    DurationSeconds,  // a span of seconds
    Milliseconds,     // a response time or a limit of one
    Count,            // a number of things (unit "bytes" when it counts bytes)
    AlertState,       // a state as the collector defines it
    ReportFlags,      // a flags word of the REP_FLAGS_ bits
    UrlRuleFlags,     // a flags word of the URL rule bits
    Port,             // a port number
    Id,               // the collector's number for a path, server or rule
    Name,             // a name or an address text
    Value,            // a word whose meaning the collector does not state
};
// The name of each role, as the catalogue file writes it, in enum order.
inline constexpr const char* kRoleNames[] = {"text",  "epoch-seconds", "duration-seconds", "milliseconds",
                                             "count", "alert-state",   "report-flags",     "url-rule-flags",
                                             "port",  "id",            "name",             "value"};
static_assert(std::size(kRoleNames) == static_cast<std::size_t>(Role::Value) + 1, "one name per role");

// A parameter's role and the unit it was declared with (null: the role's own).
struct Meaning {
    Role role;
    const char* declaredUnit = nullptr;

    // "ms", "s", a declared unit such as "KB/s", or null when the value has none.
    constexpr const char* unit() const {
        if (declaredUnit != nullptr) return declaredUnit;
        if (role == Role::Milliseconds) return "ms";
        if (role == Role::DurationSeconds) return "s";
        return nullptr;
    }
};

namespace cb {

// ---- the callbacks -----------------------------------------------------------------
//
// Each parameter is P(type, name, role) or P(type, name, role, "unit"); the
// role is a Role above.  VYT_KIND_CALLBACK declares the callback (VYT_CALLBACK)
// and its meanings, MeaningsOf<Callback>::kMeanings in call order.

template <class CB>
struct MeaningsOf;

#define VYT_PARAM_MEANING(kind, pname, ...) VYT_PARAM_MEANING_##kind(pname, __VA_ARGS__)
#define VYT_PARAM_MEANING_Int(pname, role, ...) ::vyt::Meaning{::vyt::Role::role, __VA_ARGS__},
#define VYT_PARAM_MEANING_Str(pname, role, ...) ::vyt::Meaning{::vyt::Role::role, __VA_ARGS__},
#define VYT_PARAM_MEANING_Group(pname, Type, prefix) VYT_GROUP_LIST_##Type(VYT_GROUP_MEANING, ~)
#define VYT_GROUP_MEANING(x, kind, pname, role, ...) ::vyt::Meaning{::vyt::Role::role, __VA_ARGS__},
#define VYT_KIND_CALLBACK(Type, method, PARAMS)                                             \
    VYT_CALLBACK(Type, method, PARAMS)                                                      \
    template <>                                                                             \
    struct MeaningsOf<Type> {                                                               \
        static constexpr ::vyt::Meaning kMeanings[] = {PARAMS(VYT_PARAM_MEANING)};          \
        static_assert(std::size(kMeanings) == std::size(Type::kParams), "one role a parameter"); \
    };

// ---- parameter groups ------------------------------------------------------------
//
// Runs of parameters that several callbacks pass, declared once (see
// VYT_PARAM_GROUP in vyt/emit.hpp); a callback names one as
// P(Group, member, Group, prefix).

// The distribution of a path's response times: three group limits, the counts
// of four groups and their total, and a state per group.  The server detail
// report passes a second one, of the application time, as appGroup1 and so on.
#define VYT_GROUP_LIST_Distribution(P, x) \
    P(x, Int, Group1, Milliseconds) \
    P(x, Int, Group2, Milliseconds) \
    P(x, Int, Group3, Milliseconds) \
    P(x, Int, Group1Ct, Count) \
    P(x, Int, Group2Ct, Count) \
    P(x, Int, Group3Ct, Count) \
    P(x, Int, Group4Ct, Count) \
    P(x, Int, GroupAllCt, Count) \
    P(x, Int, Group1State, AlertState) \
    P(x, Int, Group2State, AlertState) \
    P(x, Int, Group3State, AlertState) \
    P(x, Int, Group4State, AlertState)
VYT_PARAM_GROUP(Distribution)

// The names of a path's two ends, as the interval, alert and load reports pass them.
#define VYT_GROUP_LIST_PathNames(P, x) \
    P(x, Str, pathIPSrcNetName, Name) \
    P(x, Str, pathIPDstNetName, Name) \
    P(x, Str, pathIPSrcAlias, Name) \
    P(x, Str, pathIPDstAlias, Name)
VYT_PARAM_GROUP(PathNames)

// The path's ends as the path detail reports pass them: the source by its address.
#define VYT_GROUP_LIST_DetailPathNames(P, x) \
    P(x, Str, pathIPSrcAddress, Name) \
    P(x, Str, pathIPDstNetName, Name) \
    P(x, Str, pathIPSrcAlias, Name) \
    P(x, Str, pathIPDstAlias, Name)
VYT_PARAM_GROUP(DetailPathNames)

// A value's minimum, maximum and average over the interval, with or without
// their states; the prefix names the value (pathNetRespTimeOut: pathNetRespTimeOutMin, ...).
#define VYT_GROUP_LIST_Range(P, x) \
    P(x, Int, Min, Milliseconds) \
    P(x, Int, Max, Milliseconds) \
    P(x, Int, Avg, Milliseconds)
VYT_PARAM_GROUP(Range)

#define VYT_GROUP_LIST_RangeWithStates(P, x) \
    VYT_GROUP_LIST_Range(P, x) \
    P(x, Int, MinState, AlertState) \
    P(x, Int, MaxState, AlertState) \
    P(x, Int, AvgState, AlertState)
VYT_PARAM_GROUP(RangeWithStates)

// What both current alert lists pass of an alert's path, after its names.
#define VYT_GROUP_LIST_AlertPath(P, x) \
    VYT_GROUP_LIST_PathNames(P, x) \
    P(x, Int, pathId, Id) \
    P(x, Int, flags, ReportFlags) \
    P(x, Int, pathIPDstPort, Port) \
    P(x, Int, pathTotRespTimeDataCt, Count) \
    P(x, Int, pathTotRespTimeAlert, Milliseconds) \
    P(x, Int, pathNetRespTimeAlert, Milliseconds) \
    P(x, Int, pathSrvRespTimeAlert, Milliseconds) \
    P(x, Int, pathAppRespTimeAlert, Milliseconds) \
    P(x, Int, pathWaitRespTimeAlert, Milliseconds) \
    P(x, Int, worstComponentState, AlertState) \
    P(x, Int, pathTotRespTimeAlertState, AlertState) \
    P(x, Int, pathNetRespTimeAlertState, AlertState) \
    P(x, Int, pathSrvRespTimeAlertState, AlertState) \
    P(x, Int, pathAppRespTimeAlertState, AlertState) \
    P(x, Int, pathWaitRespTimeAlertState, AlertState) \
    P(x, Int, pathMaxRespTimeAlertState, AlertState) \
    P(x, Int, pathRespTimeAlert, Milliseconds) \
    P(x, Int, pathRespTimeAlertState, AlertState)
VYT_PARAM_GROUP(AlertPath)

// setData of all-transactions (report type 1).
#define VYT_ALL_TRANS_SET_DATA_PARAMS(P)  \
    P(Int, collectorStartupTime, EpochSeconds) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(AllTransSetData, setData, VYT_ALL_TRANS_SET_DATA_PARAMS)

// addEntry of all-transactions (report type 1).
#define VYT_ALL_TRANS_ADD_ENTRY_PARAMS(P)  \
    P(Str, tranName, Name) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(AllTransAddEntry, addEntry, VYT_ALL_TRANS_ADD_ENTRY_PARAMS)

// addEntry of transaction-paths (report type 2).
#define VYT_TRANS_PATH_ADD_ENTRY_PARAMS(P)  \
    P(Str, tranName, Name) \
    P(Group, ends, PathNames, ) \
    P(Str, pathEndIPDstNetName, Name) \
    P(Str, pathEndIPDstAlias, Name) \
    P(Int, pathIPSrcPort, Port) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathId, Id) \
    P(Int, pathEndId, Id) \
    P(Int, pathEndIPSrcPort, Port) \
    P(Int, pathEndIPDstPort, Port) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(TransPathAddEntry, addEntry, VYT_TRANS_PATH_ADD_ENTRY_PARAMS)

// setData of current-performance (report type 3).
#define VYT_CUR_PERF_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Str, allStateText, Text) \
    P(Str, nodeRespTimeStateText, Text) \
    P(Str, pathRespTimeStateText, Text) \
    P(Str, networkStateText, Text) \
    P(Str, serverStateText, Text) \
    P(Str, sixthStateText, Text) \
    P(Str, waitStateText, Text) \
    P(Int, allState, AlertState) \
    P(Int, nodeRespTimeState, AlertState) \
    P(Int, waitState, AlertState) \
    P(Int, networkState, AlertState) \
    P(Int, serverState, AlertState) \
    P(Int, pathRespTimeState, AlertState) \
    P(Int, collectorStartupTime, EpochSeconds) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(CurPerfSetData, setData, VYT_CUR_PERF_SET_DATA_PARAMS)

// setData of response-time (report type 4).
#define VYT_TRANS_RSP_TIME_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Int, tranTotalCtSum, Count) \
    P(Int, sumIntervalAux, Value) \
    P(Int, flags, ReportFlags) \
    P(Int, reportReturnCode, Value)
VYT_KIND_CALLBACK(TransRspTimeSetData, setData, VYT_TRANS_RSP_TIME_SET_DATA_PARAMS)

// addEntry of response-time (report type 4).
#define VYT_TRANS_RSP_TIME_ADD_ENTRY_PARAMS(P)  \
    P(Group, ends, PathNames, ) \
    P(Int, pathId, Id) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathIPSrcPort, Port) \
    P(Int, pathTotRespTimeDataCtSum, Count) \
    P(Int, pathTotRespTimeAvg, Milliseconds) \
    P(Int, pathNetRespTimeAvg, Milliseconds) \
    P(Int, pathSrvRespTimeAvg, Milliseconds) \
    P(Int, pathAppRespTimeAvg, Milliseconds) \
    P(Int, pathWaitRespTimeAvg, Milliseconds) \
    P(Int, flags, ReportFlags) \
    P(Int, pathTotRespTimeAlertState, AlertState) \
    P(Int, pathNetRespTimeAlertState, AlertState) \
    P(Int, pathSrvRespTimeAlertState, AlertState) \
    P(Int, pathAppRespTimeAlertState, AlertState) \
    P(Int, pathWaitRespTimeAlertState, AlertState) \
    P(Int, pathMaxRespTimeAlertState, AlertState)
VYT_KIND_CALLBACK(TransRspTimeAddEntry, addEntry, VYT_TRANS_RSP_TIME_ADD_ENTRY_PARAMS)

// setData of network-time (report type 5).
#define VYT_TRANS_NET_TIME_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Int, tranTotalCtSum, Count) \
    P(Int, sumIntervalAux, Value) \
    P(Int, flags, ReportFlags) \
    P(Int, reportReturnCode, Value)
VYT_KIND_CALLBACK(TransNetTimeSetData, setData, VYT_TRANS_NET_TIME_SET_DATA_PARAMS)

// addEntry of network-time (report type 5).
#define VYT_TRANS_NET_TIME_ADD_ENTRY_PARAMS(P)  \
    P(Group, ends, PathNames, ) \
    P(Int, pathId, Id) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathTotRespTimeDataCtSum, Count) \
    P(Int, pathNetInKBytesPerSecAvg, Value, "KB/s") \
    P(Int, pathNetOutKBytesPerSecAvg, Value, "KB/s") \
    P(Int, pathNetInBytesCtAvg, Count, "bytes") \
    P(Int, pathNetOutBytesCtAvg, Count, "bytes") \
    P(Int, pathNetRespTimeAvg, Milliseconds) \
    P(Int, pathNetRespTimeOutAvg, Milliseconds) \
    P(Int, pathNetRespTimeInAvg, Milliseconds) \
    P(Int, flags, ReportFlags) \
    P(Int, pathNetRespTimeAlertState, AlertState) \
    P(Int, pathNetRespTimeOutAlertState, AlertState) \
    P(Int, pathNetRespTimeInAlertState, AlertState)
VYT_KIND_CALLBACK(TransNetTimeAddEntry, addEntry, VYT_TRANS_NET_TIME_ADD_ENTRY_PARAMS)

// setData of server-time (report type 6).
#define VYT_TRANS_SRV_TIME_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Int, tranTotalCtSum, Count) \
    P(Int, sumIntervalAux, Value) \
    P(Int, headerValue, Value) \
    P(Int, reportReturnCode, Value)
VYT_KIND_CALLBACK(TransSrvTimeSetData, setData, VYT_TRANS_SRV_TIME_SET_DATA_PARAMS)

// addEntry of server-time (report type 6).
#define VYT_TRANS_SRV_TIME_ADD_ENTRY_PARAMS(P)  \
    P(Group, ends, PathNames, ) \
    P(Int, pathId, Id) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathTotRespTimeDataCtSum, Count) \
    P(Int, pathSrvRespTimeAvg, Milliseconds) \
    P(Int, pathAppRespTimeAvg, Milliseconds) \
    P(Int, pathWaitRespTimeAvg, Milliseconds) \
    P(Int, pathDisRespTimeAvg, Milliseconds) \
    P(Int, pathSrvRespTimeAlertState, AlertState) \
    P(Int, pathAppRespTimeAlertState, AlertState) \
    P(Int, pathWaitRespTimeAlertState, AlertState) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(TransSrvTimeAddEntry, addEntry, VYT_TRANS_SRV_TIME_ADD_ENTRY_PARAMS)

// setData of transaction-flow (report type 7).
#define VYT_TRANS_FLOW_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Int, tranTotalCtSum, Count) \
    P(Int, sumIntervalAux, Value) \
    P(Int, tranTotRespTimeAvg, Milliseconds) \
    P(Int, flags, ReportFlags) \
    P(Int, reportReturnCode, Value)
VYT_KIND_CALLBACK(TransFlowSetData, setData, VYT_TRANS_FLOW_SET_DATA_PARAMS)

// addEntry of transaction-flow (report type 7).
#define VYT_TRANS_FLOW_ADD_ENTRY_PARAMS(P)  \
    P(Str, nodeName, Name) \
    P(Str, nodeAlias, Name) \
    P(Int, nodePort, Port) \
    P(Int, colNum, Value) \
    P(Int, type, Value) \
    P(Int, flags, ReportFlags) \
    P(Int, nodeSrvRespTimeAvg, Milliseconds) \
    P(Int, nodeAppRespTimeAvg, Milliseconds) \
    P(Int, nodeWaitRespTimeAvg, Milliseconds) \
    P(Int, nodeSrvRespTimeAvgState, AlertState) \
    P(Int, nodeAppRespTimeAvgState, AlertState) \
    P(Int, nodeWaitRespTimeAvgState, AlertState) \
    P(Int, nodeWorstComponentState, AlertState) \
    P(Int, pathTotRespTimeAvg, Milliseconds) \
    P(Int, pathNetRespTimeAvg, Milliseconds) \
    P(Int, pathNetRespTimeOutAvg, Milliseconds) \
    P(Int, pathNetRespTimeInAvg, Milliseconds) \
    P(Int, pathTotRespTimeAvgState, AlertState) \
    P(Int, pathNetRespTimeAvgState, AlertState) \
    P(Int, pathWorstComponentState, AlertState) \
    P(Int, pathId, Id) \
    P(Int, pathTier, Value) \
    P(Int, pathRespTimeAvg, Milliseconds) \
    P(Int, pathRespTimeAvgState, AlertState)
VYT_KIND_CALLBACK(TransFlowAddEntry, addEntry, VYT_TRANS_FLOW_ADD_ENTRY_PARAMS)

// setData of network-detail (report type 8).
#define VYT_NET_DETAIL_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Group, ends, DetailPathNames, ) \
    P(Int, pathIPDstPort, Port) \
    P(Int, tranTotalCtSum, Count) \
    P(Int, type, Value) \
    P(Int, pathTotRespTimeDataCtSum, Count) \
    P(Group, groups, Distribution, ) \
    P(Group, pathNetRespTime, RangeWithStates, pathNetRespTime) \
    P(Group, pathNetRespTimeOut, RangeWithStates, pathNetRespTimeOut) \
    P(Group, pathNetRespTimeIn, RangeWithStates, pathNetRespTimeIn) \
    P(Int, pathNetOutKBytesPerSecAvg, Value, "KB/s") \
    P(Int, pathNetInKBytesPerSecAvg, Value, "KB/s") \
    P(Int, pathNetTotKBytesPerSecAvg, Value, "KB/s") \
    P(Int, pathNetOutBytesCtAvg, Count, "bytes") \
    P(Int, pathNetInBytesCtAvg, Count, "bytes") \
    P(Int, pathNetTotBytesCtAvg, Count, "bytes") \
    P(Int, sumIntervalAux, Value) \
    P(Int, flags, ReportFlags) \
    P(Int, reportReturnCode, Value)
VYT_KIND_CALLBACK(NetDetailSetData, setData, VYT_NET_DETAIL_SET_DATA_PARAMS)

// addEntry of network-detail (report type 8).
#define VYT_NET_DETAIL_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcAddress, Name) \
    P(Int, usePort, Value) \
    P(Int, pathIPSrcPort, Port) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathIPSrc, Value) \
    P(Int, pathNetRespTime, Milliseconds) \
    P(Int, pathNetRespTimeOut, Milliseconds) \
    P(Int, pathNetRespTimeIn, Milliseconds) \
    P(Int, pathNetOutKBytesPerSec, Value, "KB/s") \
    P(Int, pathNetInKBytesPerSec, Value, "KB/s") \
    P(Int, pathNetTotKBytesPerSec, Value, "KB/s") \
    P(Int, pathNetOutBytesCt, Count, "bytes") \
    P(Int, pathNetInBytesCt, Count, "bytes") \
    P(Int, pathNetTotBytesCt, Count, "bytes") \
    P(Int, pathNetRespTimeState, AlertState) \
    P(Int, pathNetRespTimeOutState, AlertState) \
    P(Int, pathNetRespTimeInState, AlertState) \
    P(Int, pathClientTranCt, Count)
VYT_KIND_CALLBACK(NetDetailAddEntry, addEntry, VYT_NET_DETAIL_ADD_ENTRY_PARAMS)

// setData of server-detail (report type 9).
#define VYT_SRV_DETAIL_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Group, ends, DetailPathNames, ) \
    P(Int, pathIPDstPort, Port) \
    P(Int, tranTotalCtSum, Count) \
    P(Int, type, Value) \
    P(Int, pathTotRespTimeDataCtSum, Count) \
    P(Group, groups, Distribution, ) \
    P(Group, pathSrvRespTime, RangeWithStates, pathSrvRespTime) \
    P(Group, pathAppRespTime, RangeWithStates, pathAppRespTime) \
    P(Group, pathWaitRespTime, RangeWithStates, pathWaitRespTime) \
    P(Int, sumIntervalAux, Value) \
    P(Int, flags, ReportFlags) \
    P(Int, reportReturnCode, Value) \
    P(Group, appGroups, Distribution, app)
VYT_KIND_CALLBACK(SrvDetailSetData, setData, VYT_SRV_DETAIL_SET_DATA_PARAMS)

// addEntry of server-detail (report type 9).
#define VYT_SRV_DETAIL_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcAddress, Name) \
    P(Int, usePort, Value) \
    P(Int, pathIPSrcPort, Port) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathIPSrc, Value) \
    P(Int, pathDisRespTime, Milliseconds) \
    P(Int, pathTotRespTime, Milliseconds) \
    P(Int, pathNetRespTimeOut, Milliseconds) \
    P(Int, pathNetRespTimeIn, Milliseconds) \
    P(Int, pathSrvRespTime, Milliseconds) \
    P(Int, pathAppRespTime, Milliseconds) \
    P(Int, pathWaitRespTime, Milliseconds) \
    P(Int, pathTotRespTimeState, AlertState) \
    P(Int, pathSrvRespTimeState, AlertState) \
    P(Int, pathAppRespTimeState, AlertState) \
    P(Int, pathWaitRespTimeState, AlertState) \
    P(Int, pathClientTranCt, Count) \
    P(Int, pathNetRespTimeOutState, AlertState) \
    P(Int, pathNetRespTimeInState, AlertState)
VYT_KIND_CALLBACK(SrvDetailAddEntry, addEntry, VYT_SRV_DETAIL_ADD_ENTRY_PARAMS)

// setData of response-time-detail (report type 10).
#define VYT_RSP_TIME_DETAIL_SET_DATA_PARAMS(P)  \
    P(Str, subTranName, Name) \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Group, ends, DetailPathNames, ) \
    P(Int, pathIPDstPort, Port) \
    P(Int, tranTotalCtSum, Count) \
    P(Int, type, Value) \
    P(Int, pathTotRespTimeDataCtSum, Count) \
    P(Group, groups, Distribution, ) \
    P(Group, pathTotRespTime, RangeWithStates, pathTotRespTime) \
    P(Int, sumIntervalAux, Value) \
    P(Int, flags, ReportFlags) \
    P(Int, reportReturnCode, Value)
VYT_KIND_CALLBACK(RspTimeDetailSetData, setData, VYT_RSP_TIME_DETAIL_SET_DATA_PARAMS)

// addEntry of response-time-detail (report type 10).
#define VYT_RSP_TIME_DETAIL_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcAddress, Name) \
    P(Int, pathIPSrc, Value) \
    P(Int, usePort, Value) \
    P(Int, pathIPSrcPort, Port) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathTotRespTime, Milliseconds) \
    P(Int, pathNetRespTime, Milliseconds) \
    P(Int, pathSrvRespTime, Milliseconds) \
    P(Int, pathAppRespTime, Milliseconds) \
    P(Int, pathWaitRespTime, Milliseconds) \
    P(Int, pathTotRespTimeState, AlertState) \
    P(Int, pathNetRespTimeState, AlertState) \
    P(Int, pathSrvRespTimeState, AlertState) \
    P(Int, pathAppRespTimeState, AlertState) \
    P(Int, pathWaitRespTimeState, AlertState) \
    P(Int, pathClientTranCt, Count)
VYT_KIND_CALLBACK(RspTimeDetailAddEntry, addEntry, VYT_RSP_TIME_DETAIL_ADD_ENTRY_PARAMS)

// setData of current-alerts (report type 11).
#define VYT_CURRENT_ALERT_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Int, alertHeaderValue1, Value) \
    P(Int, alertHeaderValue2, Value)
VYT_KIND_CALLBACK(CurrentAlertSetData, setData, VYT_CURRENT_ALERT_SET_DATA_PARAMS)

// addEntry of current-alerts (report type 11).
#define VYT_CURRENT_ALERT_ADD_ENTRY_PARAMS(P)  \
    P(Str, alertStart, Text) \
    P(Str, tranName, Name) \
    P(Group, path, AlertPath, )
VYT_KIND_CALLBACK(CurrentAlertAddEntry, addEntry, VYT_CURRENT_ALERT_ADD_ENTRY_PARAMS)

// setData of wait-time (report type 12).
#define VYT_TRANS_WAIT_TIME_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Int, tranTotalCtSum, Count) \
    P(Int, sumIntervalAux, Value) \
    P(Int, flags, ReportFlags) \
    P(Int, reportReturnCode, Value)
VYT_KIND_CALLBACK(TransWaitTimeSetData, setData, VYT_TRANS_WAIT_TIME_SET_DATA_PARAMS)

// addEntry of wait-time (report type 12).
#define VYT_TRANS_WAIT_TIME_ADD_ENTRY_PARAMS(P)  \
    P(Group, ends, PathNames, ) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathId, Id) \
    P(Int, pathTotRespTimeDataCtSum, Count) \
    P(Int, pathDisRespTimeAvg, Milliseconds) \
    P(Int, pathRetRespTimeAvg, Milliseconds) \
    P(Int, pathWaitRespTimeAvg, Milliseconds) \
    P(Int, pathWaitRespTimeAlertState, AlertState) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(TransWaitTimeAddEntry, addEntry, VYT_TRANS_WAIT_TIME_ADD_ENTRY_PARAMS)

// setData of wait-detail (report type 13).
#define VYT_WAIT_DETAIL_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Group, ends, DetailPathNames, ) \
    P(Int, pathIPDstPort, Port) \
    P(Int, tranTotalCtSum, Count) \
    P(Int, type, Value) \
    P(Int, flags, ReportFlags) \
    P(Int, pathTotRespTimeDataCtSum, Count) \
    P(Group, groups, Distribution, ) \
    P(Group, pathSrvRespTime, RangeWithStates, pathSrvRespTime) \
    P(Group, pathAppRespTime, RangeWithStates, pathAppRespTime) \
    P(Group, pathWaitRespTime, RangeWithStates, pathWaitRespTime) \
    P(Group, pathDisRespTime, Range, pathDisRespTime) \
    P(Group, pathDisAppRespTime, Range, pathDisAppRespTime) \
    P(Group, pathDisWaitRespTime, Range, pathDisWaitRespTime) \
    P(Group, pathRetRespTime, Range, pathRetRespTime) \
    P(Group, pathRetAppRespTime, Range, pathRetAppRespTime) \
    P(Group, pathRetWaitRespTime, Range, pathRetWaitRespTime) \
    P(Int, sumIntervalAux, Value) \
    P(Int, reportReturnCode, Value)
VYT_KIND_CALLBACK(WaitDetailSetData, setData, VYT_WAIT_DETAIL_SET_DATA_PARAMS)

// addEntry of wait-detail (report type 13).
#define VYT_WAIT_DETAIL_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcAddress, Name) \
    P(Int, usePort, Value) \
    P(Int, pathIPSrc, Value) \
    P(Int, pathIPSrcPort, Port) \
    P(Int, pathSrvRespTime, Milliseconds) \
    P(Int, pathAppRespTime, Milliseconds) \
    P(Int, pathWaitRespTime, Milliseconds) \
    P(Int, pathSrvRespTimeState, AlertState) \
    P(Int, pathAppRespTimeState, AlertState) \
    P(Int, pathWaitRespTimeState, AlertState) \
    P(Int, pathClientTranCt, Count) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(WaitDetailAddEntry, addEntry, VYT_WAIT_DETAIL_ADD_ENTRY_PARAMS)

// setData of summary (report type 14).
#define VYT_SUMMARY_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Int, pathIPSrcPort, Port) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathTotRespTimeDataCt, Count) \
    P(Int, pathTotRespTimeAvgMax, Milliseconds) \
    P(Int, pathNetRespTimeAvgMax, Milliseconds) \
    P(Int, pathSrvRespTimeAvgMax, Milliseconds) \
    P(Int, pathAppRespTimeAvgMax, Milliseconds) \
    P(Int, pathWaitRespTimeAvgMax, Milliseconds) \
    P(Int, pathSumIntervalCtMax, Count) \
    P(Int, sumDataUTCStart, EpochSeconds) \
    P(Int, sumDataUTCNow, EpochSeconds) \
    P(Int, tranTotalCt, Count) \
    P(Int, flags, ReportFlags) \
    P(Int, summaryHeaderValue, Value) \
    P(Int, reportReturnCode, Value)
VYT_KIND_CALLBACK(SummarySetData, setData, VYT_SUMMARY_SET_DATA_PARAMS)

// addEntry of summary (report type 14).
#define VYT_SUMMARY_ADD_ENTRY_PARAMS(P)  \
    P(Str, intervalStart, Text) \
    P(Str, intervalEnd, Text) \
    P(Int, sumIntervalSecs, DurationSeconds) \
    P(Int, pathTotRespTimeDataCtSum, Count) \
    P(Int, pathTotRespTimeAvg, Milliseconds) \
    P(Int, pathTotRespTimeAvgState, AlertState) \
    P(Int, pathNetRespTimeAvg, Milliseconds) \
    P(Int, pathNetRespTimeAvgState, AlertState) \
    P(Int, pathSrvRespTimeAvg, Milliseconds) \
    P(Int, pathSrvRespTimeAvgState, AlertState) \
    P(Int, pathAppRespTimeAvg, Milliseconds) \
    P(Int, pathAppRespTimeAvgState, AlertState) \
    P(Int, pathWaitRespTimeAvg, Milliseconds) \
    P(Int, pathWaitRespTimeAvgState, AlertState) \
    P(Int, pathRespTimeAvg, Milliseconds) \
    P(Int, pathRespTimeAvgState, AlertState) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(SummaryAddEntry, addEntry, VYT_SUMMARY_ADD_ENTRY_PARAMS)

// setData of event-alerts (report type 15).
#define VYT_EVENT_ALERT_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Int, eventHeaderValue1, Value) \
    P(Int, eventHeaderValue2, Value)
VYT_KIND_CALLBACK(EventAlertSetData, setData, VYT_EVENT_ALERT_SET_DATA_PARAMS)

// addEntry of event-alerts (report type 15).
#define VYT_EVENT_ALERT_ADD_ENTRY_PARAMS(P)  \
    P(Str, eventStart, Text) \
    P(Str, tranName, Name) \
    P(Group, ends, PathNames, ) \
    P(Int, duration, DurationSeconds) \
    P(Int, pathIPSrcPort, Port) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathId, Id) \
    P(Int, pathTranCtMax, Count) \
    P(Int, pathTotRespTimeDataCt, Count) \
    P(Int, pathEventType, Value) \
    P(Int, pathEventTime, Value) \
    P(Int, pathEventState, AlertState) \
    P(Int, pathEventTypeAndState, Value) \
    P(Int, pathEventCurState, AlertState) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(EventAlertAddEntry, addEntry, VYT_EVENT_ALERT_ADD_ENTRY_PARAMS)

// setData of path-ports (report type 16).
#define VYT_TRANS_PATH_PORT_SET_DATA_PARAMS(P)  \
    P(Str, tranName, Name) \
    P(Str, pathIPSrcAddress, Name) \
    P(Str, pathIPSrcNetName, Name) \
    P(Str, pathIPSrcAlias, Name) \
    P(Str, pathIPDstAddress, Name) \
    P(Str, pathIPDstNetName, Name) \
    P(Str, pathIPDstAlias, Name) \
    P(Int, pathId, Id) \
    P(Int, pathIPSrcPortCt, Count) \
    P(Int, pathIPDstPortCt, Count) \
    P(Int, collectorStartupTime, EpochSeconds) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(TransPathPortSetData, setData, VYT_TRANS_PATH_PORT_SET_DATA_PARAMS)

// addEntry of path-ports (report type 16).
#define VYT_TRANS_PATH_PORT_ADD_ENTRY_PARAMS(P)  \
    P(Int, pathIPPort, Port) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(TransPathPortAddEntry, addEntry, VYT_TRANS_PATH_PORT_ADD_ENTRY_PARAMS)

// setData of thresholds (report type 17).
#define VYT_THRESHOLD_SET_DATA_PARAMS(P)  \
    P(Str, tranName, Name) \
    P(Str, pathIPSrcNetName, Name) \
    P(Str, pathIPSrcAlias, Name) \
    P(Str, pathIPDstNetName, Name) \
    P(Str, pathIPDstAlias, Name) \
    P(Int, pathNetRespTimeGroup1, Milliseconds) \
    P(Int, pathNetRespTimeGroup2, Milliseconds) \
    P(Int, pathNetRespTimeGroup3, Milliseconds) \
    P(Int, pathSrvRespTimeGroup1, Milliseconds) \
    P(Int, pathSrvRespTimeGroup2, Milliseconds) \
    P(Int, pathSrvRespTimeGroup3, Milliseconds) \
    P(Int, pathAppRespTimeGroup1, Milliseconds) \
    P(Int, pathAppRespTimeGroup2, Milliseconds) \
    P(Int, pathAppRespTimeGroup3, Milliseconds) \
    P(Int, pathWaitRespTimeGroup1, Milliseconds) \
    P(Int, pathWaitRespTimeGroup2, Milliseconds) \
    P(Int, pathWaitRespTimeGroup3, Milliseconds) \
    P(Int, pathTotRespTimeGroup1, Milliseconds) \
    P(Int, pathTotRespTimeGroup2, Milliseconds) \
    P(Int, pathTotRespTimeGroup3, Milliseconds) \
    P(Int, pathTotRespTimeDataCt, Count) \
    P(Int, pathNetRespTimeWarn, Milliseconds) \
    P(Int, pathNetRespTimeCrit, Milliseconds) \
    P(Int, pathSrvRespTimeWarn, Milliseconds) \
    P(Int, pathSrvRespTimeCrit, Milliseconds) \
    P(Int, pathAppRespTimeWarn, Milliseconds) \
    P(Int, pathAppRespTimeCrit, Milliseconds) \
    P(Int, pathWaitRespTimeWarn, Milliseconds) \
    P(Int, pathWaitRespTimeCrit, Milliseconds) \
    P(Int, pathTotRespTimeWarn, Milliseconds) \
    P(Int, pathTotRespTimeCrit, Milliseconds) \
    P(Int, pathRespTimeGroup1, Milliseconds) \
    P(Int, pathRespTimeGroup2, Milliseconds) \
    P(Int, pathRespTimeGroup3, Milliseconds) \
    P(Int, pathRespTimeWarn, Milliseconds) \
    P(Int, pathRespTimeCrit, Milliseconds) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(ThresholdSetData, setData, VYT_THRESHOLD_SET_DATA_PARAMS)

// setData of path-time (report type 18).
#define VYT_TRANS_PATH_TIME_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Int, tranTotalCtSum, Count) \
    P(Int, tranTotRespTimeAvg, Milliseconds) \
    P(Int, sumIntervalAux, Value) \
    P(Int, flags, ReportFlags) \
    P(Int, reportReturnCode, Value)
VYT_KIND_CALLBACK(TransPathTimeSetData, setData, VYT_TRANS_PATH_TIME_SET_DATA_PARAMS)

// addEntry of path-time (report type 18).
#define VYT_TRANS_PATH_TIME_ADD_ENTRY_PARAMS(P)  \
    P(Group, ends, PathNames, ) \
    P(Int, pathId, Id) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathIPSrcPort, Port) \
    P(Int, pathTotRespTimeDataCtSum, Count) \
    P(Int, pathTotRespTimeAvg, Milliseconds) \
    P(Int, pathNetRespTimeAvg, Milliseconds) \
    P(Int, pathAppRespTimeAvg, Milliseconds) \
    P(Int, pathTotRespTimeAlertState, AlertState) \
    P(Int, pathNetRespTimeAlertState, AlertState) \
    P(Int, pathAppRespTimeAlertState, AlertState) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(TransPathTimeAddEntry, addEntry, VYT_TRANS_PATH_TIME_ADD_ENTRY_PARAMS)

// setData of path-time-detail (report type 19).
#define VYT_PATH_TIME_DETAIL_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Group, ends, DetailPathNames, ) \
    P(Int, pathIPDstPort, Port) \
    P(Int, tranTotalCtSum, Count) \
    P(Int, type, Value) \
    P(Int, pathTotRespTimeDataCtSum, Count) \
    P(Group, groups, Distribution, ) \
    P(Group, pathRespTime, RangeWithStates, pathRespTime) \
    P(Int, sumIntervalAux, Value) \
    P(Int, flags, ReportFlags) \
    P(Int, reportReturnCode, Value)
VYT_KIND_CALLBACK(PathTimeDetailSetData, setData, VYT_PATH_TIME_DETAIL_SET_DATA_PARAMS)

// addEntry of path-time-detail (report type 19).
#define VYT_PATH_TIME_DETAIL_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcAddress, Name) \
    P(Int, pathIPSrc, Value) \
    P(Int, usePort, Value) \
    P(Int, pathIPSrcPort, Port) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathRespTime, Milliseconds) \
    P(Int, pathNetRespTime, Milliseconds) \
    P(Int, pathAppRespTime, Milliseconds) \
    P(Int, pathRespTimeState, AlertState) \
    P(Int, pathNetRespTimeState, AlertState) \
    P(Int, pathAppRespTimeState, AlertState) \
    P(Int, pathClientTranCt, Count)
VYT_KIND_CALLBACK(PathTimeDetailAddEntry, addEntry, VYT_PATH_TIME_DETAIL_ADD_ENTRY_PARAMS)

// addEntry of transaction-servers (report type 20).
#define VYT_TRANS_SRV_LOAD_ADD_ENTRY_PARAMS(P)  \
    P(Str, tranName, Name) \
    P(Str, serverIPNetName, Name) \
    P(Int, serverId, Id) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(TransSrvLoadAddEntry, addEntry, VYT_TRANS_SRV_LOAD_ADD_ENTRY_PARAMS)

// setData of server-load (report type 21).
#define VYT_SERVER_LOAD_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Int, totalServerRespTimeDataCtSumt, Count) \
    P(Int, collectorStartupTime, EpochSeconds) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(ServerLoadSetData, setData, VYT_SERVER_LOAD_SET_DATA_PARAMS)

// addEntry of server-load (report type 21).
#define VYT_SERVER_LOAD_ADD_ENTRY_PARAMS(P)  \
    P(Group, ends, PathNames, ) \
    P(Str, ownTranName, Name) \
    P(Str, impTranName, Name) \
    P(Int, pathId, Id) \
    P(Int, pathIPSrcPort, Port) \
    P(Int, pathIPDstPort, Port) \
    P(Int, pathTotRespTimeDataCtSum, Count) \
    P(Int, pathTranPerMinute, Value, "/min") \
    P(Int, pathTotRespTimeAvg, Milliseconds) \
    P(Int, pathWaitRespTimeAvg, Milliseconds) \
    P(Int, pathTotRespTimeAlertState, AlertState) \
    P(Int, pathWaitRespTimeAlertState, AlertState) \
    P(Int, pathWorstComponentState, AlertState) \
    P(Int, pathTranImpactPct, Value, "%") \
    P(Int, pathKBytesPerMinute, Value, "KB/min") \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(ServerLoadAddEntry, addEntry, VYT_SERVER_LOAD_ADD_ENTRY_PARAMS)

// setData of reportability (report type 22).
#define VYT_REPORTABILITY_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startupTime, Text) \
    P(Str, duration, Text) \
    P(Int, collectorStartupTime, EpochSeconds)
VYT_KIND_CALLBACK(ReportabilitySetData, setData, VYT_REPORTABILITY_SET_DATA_PARAMS)

// addEntry of reportability (report type 22).
#define VYT_REPORTABILITY_ADD_ENTRY_PARAMS(P)  \
    P(Str, tranName, Name) \
    P(Str, tranTime, Text) \
    P(Int, msrvCtTotal, Count) \
    P(Int, msrvCtOnline, Count) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(ReportabilityAddEntry, addEntry, VYT_REPORTABILITY_ADD_ENTRY_PARAMS)

// setData of reportability-detail (report type 23).
#define VYT_REPORTABILITY_DETAIL_SET_DATA_PARAMS(P)  \
    P(Str, tranName, Name) \
    P(Str, currentTime, Text) \
    P(Str, startupTime, Text) \
    P(Str, duration, Text) \
    P(Int, collectorStartupTime, EpochSeconds)
VYT_KIND_CALLBACK(ReportabilityDetailSetData, setData, VYT_REPORTABILITY_DETAIL_SET_DATA_PARAMS)

// addEntry of reportability-detail (report type 23).
#define VYT_REPORTABILITY_DETAIL_ADD_ENTRY_PARAMS(P)  \
    P(Str, msrvIPAddress, Name) \
    P(Str, msrvIPNetName, Name) \
    P(Str, msrvTime, Text) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(ReportabilityDetailAddEntry, addEntry, VYT_REPORTABILITY_DETAIL_ADD_ENTRY_PARAMS)

// setData of sub-transactions (report type 24).
#define VYT_SUB_TRAN_LIST_SET_DATA_PARAMS(P)  \
    P(Str, tranName, Name) \
    P(Int, collectorStartupTime, EpochSeconds) \
    P(Int, flags, ReportFlags) \
    P(Int, reportEntryCt, Count) \
    P(Int, reportEntryContinueIdx, Value) \
    P(Int, reportEntryContinueIdx2, Value)
VYT_KIND_CALLBACK(SubTranListSetData, setData, VYT_SUB_TRAN_LIST_SET_DATA_PARAMS)

// addEntry of sub-transactions (report type 24).
#define VYT_SUB_TRAN_LIST_ADD_ENTRY_PARAMS(P)  \
    P(Str, subTranName, Name) \
    P(Int, subTranNameLen, Count, "bytes") \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(SubTranListAddEntry, addEntry, VYT_SUB_TRAN_LIST_ADD_ENTRY_PARAMS)

// setData of transaction-info (report type 25).
#define VYT_TRAN_INFO_SET_DATA_PARAMS(P)  \
    P(Str, tranName, Name) \
    P(Int, collectorStartupTime, EpochSeconds) \
    P(Int, flags, ReportFlags)
VYT_KIND_CALLBACK(TranInfoSetData, setData, VYT_TRAN_INFO_SET_DATA_PARAMS)

// setData of current-url-alerts (report type 26).
#define VYT_URL_ALERT_SET_DATA_PARAMS(P)  \
    P(Str, currentTime, Text) \
    P(Str, startTime, Text) \
    P(Str, duration, Text) \
    P(Int, alertHeaderValue1, Value) \
    P(Int, alertHeaderValue2, Value) \
    P(Int, reportEntryContinueIdx, Value) \
    P(Int, reportEntryContinueIdx2, Value)
VYT_KIND_CALLBACK(URLAlertSetData, setData, VYT_URL_ALERT_SET_DATA_PARAMS)

// addEntry of current-url-alerts (report type 26).
#define VYT_URL_ALERT_ADD_ENTRY_PARAMS(P)  \
    P(Str, alertStart, Text) \
    P(Str, tranName, Name) \
    P(Str, subTranName, Name) \
    P(Group, path, AlertPath, )
VYT_KIND_CALLBACK(URLAlertAddEntry, addEntry, VYT_URL_ALERT_ADD_ENTRY_PARAMS)

// setData of url-rules (report type 27).
#define VYT_URL_RULES_SET_DATA_PARAMS(P)  \
    P(Str, tranName, Name) \
    P(Int, collectorStartupTime, EpochSeconds) \
    P(Int, flags, UrlRuleFlags) \
    P(Int, reportEntryCt, Count) \
    P(Int, reportEntryContinueIdx, Value)
VYT_KIND_CALLBACK(UrlRulesSetData, setData, VYT_URL_RULES_SET_DATA_PARAMS)

// addEntry of url-rules (report type 27).
#define VYT_URL_RULES_ADD_ENTRY_PARAMS(P)  \
    P(Str, urlName, Name) \
    P(Int, urlLen, Count, "bytes") \
    P(Int, urlRuleId, Id) \
    P(Int, hitCt, Count) \
    P(Int, flags, UrlRuleFlags)
VYT_KIND_CALLBACK(UrlRulesAddEntry, addEntry, VYT_URL_RULES_ADD_ENTRY_PARAMS)

// setData of add-url-rule (report types 28 to 32).
#define VYT_URL_RULE_OPERATION_SET_DATA_PARAMS(P)  \
    P(Str, tranName, Name) \
    P(Str, subTranName, Name) \
    P(Int, reportReturnCode, Value) \
    P(Int, flags, UrlRuleFlags)
VYT_KIND_CALLBACK(UrlRuleOperationSetData, setData, VYT_URL_RULE_OPERATION_SET_DATA_PARAMS)

// Stands for the call a kind does not make.
struct NoCallback {};

}  // namespace cb

// ---- the kinds -----------------------------------------------------------------------

// Whether a kind's request changes the collector's URL rules (a rule
// operation that is not a read) or only reads.
enum RuleChange { kReadsOnly, kChangesRules };

// K(type, reportId, name, title, selections, changes, decoder, setData,
// addEntry), in report type order.
#define VYT_REPORT_KINDS(K) \
    K(1, 1, "all-transactions", "All monitored transactions", 0, kReadsOnly, inventory::kAllTrans, AllTransSetData, AllTransAddEntry) \
    K(2, 2, "transaction-paths", "Paths of a transaction", kSelTran, kReadsOnly, inventory::kTransPath, NoCallback, TransPathAddEntry) \
    K(3, 11, "current-performance", "Current performance overview", 0, kReadsOnly, inventory::kCurPerf, CurPerfSetData, NoCallback) \
    K(4, 12, "response-time", "Response time per path", kSelTran, kReadsOnly, interval::kTransRspTime, TransRspTimeSetData, TransRspTimeAddEntry) \
    K(5, 13, "network-time", "Network time per path", kSelTran, kReadsOnly, interval::kTransNetTime, TransNetTimeSetData, TransNetTimeAddEntry) \
    K(6, 14, "server-time", "Server time per path", kSelTran, kReadsOnly, interval::kTransSrvTime, TransSrvTimeSetData, TransSrvTimeAddEntry) \
    K(7, 23, "transaction-flow", "Transaction flow", kSelTran, kReadsOnly, interval::kTransFlow, TransFlowSetData, TransFlowAddEntry) \
    K(8, 19, "network-detail", "Network detail of a path", kSelTran | kSelPath | kSelView, kReadsOnly, detail::kNetDetail, NetDetailSetData, NetDetailAddEntry) \
    K(9, 21, "server-detail", "Server detail of a path", kSelTran | kSelPath | kSelView, kReadsOnly, detail::kSrvDetail, SrvDetailSetData, SrvDetailAddEntry) \
    K(10, 17, "response-time-detail", "Response time detail of a path", kSelTran | kSelSub | kSelPath | kSelView, kReadsOnly, detail::kRspTimeDetail, RspTimeDetailSetData, RspTimeDetailAddEntry) \
    K(11, 24, "current-alerts", "Current alerts", 0, kReadsOnly, alerts::kCurrentAlert, CurrentAlertSetData, CurrentAlertAddEntry) \
    K(12, 15, "wait-time", "Wait time per path", kSelTran, kReadsOnly, interval::kTransWaitTime, TransWaitTimeSetData, TransWaitTimeAddEntry) \
    K(13, 22, "wait-detail", "Wait detail of a path", kSelTran | kSelPath | kSelView, kReadsOnly, detail::kWaitDetail, WaitDetailSetData, WaitDetailAddEntry) \
    K(14, 5, "summary", "Interval summary of a path", kSelTran | kSelPath, kReadsOnly, alerts::kSummary, SummarySetData, SummaryAddEntry) \
    K(15, 26, "event-alerts", "Alert events", 0, kReadsOnly, alerts::kEventAlert, EventAlertSetData, EventAlertAddEntry) \
    K(16, 25, "path-ports", "Ports of a path", kSelTran | kSelPath, kReadsOnly, inventory::kTransPathPort, TransPathPortSetData, TransPathPortAddEntry) \
    K(17, 27, "thresholds", "Thresholds of a path", kSelTran | kSelPath, kReadsOnly, alerts::kThreshold, ThresholdSetData, NoCallback) \
    K(18, 29, "path-time", "Path time per path", kSelTran, kReadsOnly, interval::kTransPathTime, TransPathTimeSetData, TransPathTimeAddEntry) \
    K(19, 30, "path-time-detail", "Path time detail of a path", kSelTran | kSelPath | kSelView, kReadsOnly, detail::kPathTimeDetail, PathTimeDetailSetData, PathTimeDetailAddEntry) \
    K(20, 31, "transaction-servers", "Servers of a transaction", kSelTran, kReadsOnly, inventory::kTransSrvLoad, NoCallback, TransSrvLoadAddEntry) \
    K(21, 32, "server-load", "Load of a server", kSelTran | kSelServer, kReadsOnly, interval::kServerLoad, ServerLoadSetData, ServerLoadAddEntry) \
    K(22, 33, "reportability", "Reportability of the transactions", 0, kReadsOnly, inventory::kReportability, ReportabilitySetData, ReportabilityAddEntry) \
    K(23, 34, "reportability-detail", "Reportability of a transaction per server", kSelTran, kReadsOnly, inventory::kReportabilityDetail, ReportabilityDetailSetData, ReportabilityDetailAddEntry) \
    K(24, 35, "sub-transactions", "Sub-transactions (URLs) of a transaction", kSelTran | kSelContinue | kSelContinue2 | kSelScroll, kReadsOnly, inventory::kSubTranList, SubTranListSetData, SubTranListAddEntry) \
    K(25, 36, "transaction-info", "Information on a transaction", kSelTran, kReadsOnly, inventory::kTranInfo, TranInfoSetData, NoCallback) \
    K(26, 37, "current-url-alerts", "Current URL alerts", kSelContinue | kSelContinue2 | kSelScroll, kReadsOnly, alerts::kCurrentURLAlert, URLAlertSetData, URLAlertAddEntry) \
    K(27, 38, "url-rules", "URL include/exclude rules of a transaction", kSelTran | kSelContinue | kSelScroll, kReadsOnly, inventory::kUrlRules, UrlRulesSetData, UrlRulesAddEntry) \
    K(28, 39, "add-url-rule", "Add a URL rule", kSelTran | kSelSub | kSelView, kChangesRules, inventory::kUrlRuleOperation, UrlRuleOperationSetData, NoCallback) \
    K(29, 40, "remove-url-rule", "Remove a URL rule", kSelTran | kSelContinue, kChangesRules, inventory::kUrlRuleOperation, UrlRuleOperationSetData, NoCallback) \
    K(30, 41, "get-url-rule", "Show a URL rule", kSelTran | kSelContinue, kReadsOnly, inventory::kUrlRuleOperation, UrlRuleOperationSetData, NoCallback) \
    K(31, 42, "edit-url-rule", "Edit a URL rule", kSelTran | kSelSub | kSelContinue | kSelView, kChangesRules, inventory::kUrlRuleOperation, UrlRuleOperationSetData, NoCallback) \
    K(32, 43, "url-rule-precedence", "Change the URL rule list precedence", kSelTran | kSelView, kChangesRules, inventory::kUrlRuleOperation, UrlRuleOperationSetData, NoCallback)

// One callback as data.
struct CallbackInfo {
    const char* method = nullptr;  // null: the kind makes no such call
    const Param* params = nullptr;
    const Meaning* meanings = nullptr;  // one per parameter
    std::size_t count = 0;
    const char* signature = nullptr;
};

template <class CB>
constexpr CallbackInfo InfoOf() {
    if constexpr (std::is_same_v<CB, cb::NoCallback>) return {};
    else return {CB::kMethod, CB::kParams, cb::MeaningsOf<CB>::kMeanings, kArity<CB>, kSignature<CB>};
}

// One report kind as data (its decoder is bound in the dispatch table).
struct ReportKind {
    int type;
    int reportId;
    const char* name;
    const char* title;
    unsigned selections;
    bool changesRules;  // the request changes the collector's URL rules
    CallbackInfo setData;
    CallbackInfo addEntry;
};

#define VYT_KIND_INFO(type, reportId, name, title, selections, changes, decoder, setData, addEntry)                \
    ReportKind{type, reportId, name, title, selections, changes == kChangesRules, InfoOf<cb::setData>(), \
               InfoOf<cb::addEntry>()},
inline constexpr ReportKind kReportKinds[] = {VYT_REPORT_KINDS(VYT_KIND_INFO)};
#undef VYT_KIND_INFO

static_assert(std::size(kReportKinds) == kMaxReportType, "one kind per report type");
static_assert(
    [] {
        for (std::size_t i = 0; i < std::size(kReportKinds); ++i)
            if (kReportKinds[i].type != static_cast<int>(i) + kMinReportType) return false;
        return true;
    }(),
    "kinds in report type order");

// The kind of report type `t`, or null when `t` is outside 1..32.
constexpr const ReportKind* FindReportKind(int t) {
    return ValidReportType(t) ? &kReportKinds[t - kMinReportType] : nullptr;
}

}  // namespace vyt
