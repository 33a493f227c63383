// The report kinds: every kind's report type, collector report id, name,
// title, the request selections it takes, its decoder and its Java callbacks,
// each callback with the names of its parameters in call order.  This file is
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

namespace cb {

// ---- the callbacks -----------------------------------------------------------------

// setData of all-transactions (report type 1).
#define VYT_ALL_TRANS_SET_DATA_PARAMS(P)  \
    P(Int, collectorStartupTime) \
    P(Int, flags)
VYT_CALLBACK(AllTransSetData, setData, VYT_ALL_TRANS_SET_DATA_PARAMS)

// addEntry of all-transactions (report type 1).
#define VYT_ALL_TRANS_ADD_ENTRY_PARAMS(P)  \
    P(Str, tranName) \
    P(Int, flags)
VYT_CALLBACK(AllTransAddEntry, addEntry, VYT_ALL_TRANS_ADD_ENTRY_PARAMS)

// addEntry of transaction-paths (report type 2).
#define VYT_TRANS_PATH_ADD_ENTRY_PARAMS(P)  \
    P(Str, tranName) \
    P(Str, pathIPSrcNetName) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Str, pathEndIPDstNetName) \
    P(Str, pathEndIPDstAlias) \
    P(Int, pathIPSrcPort) \
    P(Int, pathIPDstPort) \
    P(Int, pathId) \
    P(Int, pathEndId) \
    P(Int, pathEndIPSrcPort) \
    P(Int, pathEndIPDstPort) \
    P(Int, flags)
VYT_CALLBACK(TransPathAddEntry, addEntry, VYT_TRANS_PATH_ADD_ENTRY_PARAMS)

// setData of current-performance (report type 3).
#define VYT_CUR_PERF_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Str, allStateText) \
    P(Str, nodeRespTimeStateText) \
    P(Str, pathRespTimeStateText) \
    P(Str, networkStateText) \
    P(Str, serverStateText) \
    P(Str, sixthStateText) \
    P(Str, waitStateText) \
    P(Int, allState) \
    P(Int, nodeRespTimeState) \
    P(Int, waitState) \
    P(Int, networkState) \
    P(Int, serverState) \
    P(Int, pathRespTimeState) \
    P(Int, collectorStartupTime) \
    P(Int, flags)
VYT_CALLBACK(CurPerfSetData, setData, VYT_CUR_PERF_SET_DATA_PARAMS)

// setData of response-time (report type 4).
#define VYT_TRANS_RSP_TIME_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Int, tranTotalCtSum) \
    P(Int, sumIntervalAux) \
    P(Int, flags) \
    P(Int, reportReturnCode)
VYT_CALLBACK(TransRspTimeSetData, setData, VYT_TRANS_RSP_TIME_SET_DATA_PARAMS)

// addEntry of response-time (report type 4).
#define VYT_TRANS_RSP_TIME_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcNetName) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, pathId) \
    P(Int, pathIPDstPort) \
    P(Int, pathIPSrcPort) \
    P(Int, pathTotRespTimeDataCtSum) \
    P(Int, pathTotRespTimeAvg) \
    P(Int, pathNetRespTimeAvg) \
    P(Int, pathSrvRespTimeAvg) \
    P(Int, pathAppRespTimeAvg) \
    P(Int, pathWaitRespTimeAvg) \
    P(Int, flags) \
    P(Int, pathTotRespTimeAlertState) \
    P(Int, pathNetRespTimeAlertState) \
    P(Int, pathSrvRespTimeAlertState) \
    P(Int, pathAppRespTimeAlertState) \
    P(Int, pathWaitRespTimeAlertState) \
    P(Int, pathMaxRespTimeAlertState)
VYT_CALLBACK(TransRspTimeAddEntry, addEntry, VYT_TRANS_RSP_TIME_ADD_ENTRY_PARAMS)

// setData of network-time (report type 5).
#define VYT_TRANS_NET_TIME_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Int, tranTotalCtSum) \
    P(Int, sumIntervalAux) \
    P(Int, flags) \
    P(Int, reportReturnCode)
VYT_CALLBACK(TransNetTimeSetData, setData, VYT_TRANS_NET_TIME_SET_DATA_PARAMS)

// addEntry of network-time (report type 5).
#define VYT_TRANS_NET_TIME_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcNetName) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, pathId) \
    P(Int, pathIPDstPort) \
    P(Int, pathTotRespTimeDataCtSum) \
    P(Int, pathNetInKBytesPerSecAvg) \
    P(Int, pathNetOutKBytesPerSecAvg) \
    P(Int, pathNetInBytesCtAvg) \
    P(Int, pathNetOutBytesCtAvg) \
    P(Int, pathNetRespTimeAvg) \
    P(Int, pathNetRespTimeOutAvg) \
    P(Int, pathNetRespTimeInAvg) \
    P(Int, flags) \
    P(Int, pathNetRespTimeAlertState) \
    P(Int, pathNetRespTimeOutAlertState) \
    P(Int, pathNetRespTimeInAlertState)
VYT_CALLBACK(TransNetTimeAddEntry, addEntry, VYT_TRANS_NET_TIME_ADD_ENTRY_PARAMS)

// setData of server-time (report type 6).
#define VYT_TRANS_SRV_TIME_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Int, tranTotalCtSum) \
    P(Int, sumIntervalAux) \
    P(Int, headerValue) \
    P(Int, reportReturnCode)
VYT_CALLBACK(TransSrvTimeSetData, setData, VYT_TRANS_SRV_TIME_SET_DATA_PARAMS)

// addEntry of server-time (report type 6).
#define VYT_TRANS_SRV_TIME_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcNetName) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, pathId) \
    P(Int, pathIPDstPort) \
    P(Int, pathTotRespTimeDataCtSum) \
    P(Int, pathSrvRespTimeAvg) \
    P(Int, pathAppRespTimeAvg) \
    P(Int, pathWaitRespTimeAvg) \
    P(Int, pathDisRespTimeAvg) \
    P(Int, pathSrvRespTimeAlertState) \
    P(Int, pathAppRespTimeAlertState) \
    P(Int, pathWaitRespTimeAlertState) \
    P(Int, flags)
VYT_CALLBACK(TransSrvTimeAddEntry, addEntry, VYT_TRANS_SRV_TIME_ADD_ENTRY_PARAMS)

// setData of transaction-flow (report type 7).
#define VYT_TRANS_FLOW_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Int, tranTotalCtSum) \
    P(Int, sumIntervalAux) \
    P(Int, tranTotRespTimeAvg) \
    P(Int, flags) \
    P(Int, reportReturnCode)
VYT_CALLBACK(TransFlowSetData, setData, VYT_TRANS_FLOW_SET_DATA_PARAMS)

// addEntry of transaction-flow (report type 7).
#define VYT_TRANS_FLOW_ADD_ENTRY_PARAMS(P)  \
    P(Str, nodeName) \
    P(Str, nodeAlias) \
    P(Int, nodePort) \
    P(Int, colNum) \
    P(Int, type) \
    P(Int, flags) \
    P(Int, nodeSrvRespTimeAvg) \
    P(Int, nodeAppRespTimeAvg) \
    P(Int, nodeWaitRespTimeAvg) \
    P(Int, nodeSrvRespTimeAvgState) \
    P(Int, nodeAppRespTimeAvgState) \
    P(Int, nodeWaitRespTimeAvgState) \
    P(Int, nodeWorstComponentState) \
    P(Int, pathTotRespTimeAvg) \
    P(Int, pathNetRespTimeAvg) \
    P(Int, pathNetRespTimeOutAvg) \
    P(Int, pathNetRespTimeInAvg) \
    P(Int, pathTotRespTimeAvgState) \
    P(Int, pathNetRespTimeAvgState) \
    P(Int, pathWorstComponentState) \
    P(Int, pathId) \
    P(Int, pathTier) \
    P(Int, pathRespTimeAvg) \
    P(Int, pathRespTimeAvgState)
VYT_CALLBACK(TransFlowAddEntry, addEntry, VYT_TRANS_FLOW_ADD_ENTRY_PARAMS)

// setData of network-detail (report type 8).
#define VYT_NET_DETAIL_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Str, pathIPSrcAddress) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, pathIPDstPort) \
    P(Int, tranTotalCtSum) \
    P(Int, type) \
    P(Int, pathTotRespTimeDataCtSum) \
    P(Int, Group1) \
    P(Int, Group2) \
    P(Int, Group3) \
    P(Int, Group1Ct) \
    P(Int, Group2Ct) \
    P(Int, Group3Ct) \
    P(Int, Group4Ct) \
    P(Int, GroupAllCt) \
    P(Int, Group1State) \
    P(Int, Group2State) \
    P(Int, Group3State) \
    P(Int, Group4State) \
    P(Int, pathNetRespTimeMin) \
    P(Int, pathNetRespTimeMax) \
    P(Int, pathNetRespTimeAvg) \
    P(Int, pathNetRespTimeMinState) \
    P(Int, pathNetRespTimeMaxState) \
    P(Int, pathNetRespTimeAvgState) \
    P(Int, pathNetRespTimeOutMin) \
    P(Int, pathNetRespTimeOutMax) \
    P(Int, pathNetRespTimeOutAvg) \
    P(Int, pathNetRespTimeOutMinState) \
    P(Int, pathNetRespTimeOutMaxState) \
    P(Int, pathNetRespTimeOutAvgState) \
    P(Int, pathNetRespTimeInMin) \
    P(Int, pathNetRespTimeInMax) \
    P(Int, pathNetRespTimeInAvg) \
    P(Int, pathNetRespTimeInMinState) \
    P(Int, pathNetRespTimeInMaxState) \
    P(Int, pathNetRespTimeInAvgState) \
    P(Int, pathNetOutKBytesPerSecAvg) \
    P(Int, pathNetInKBytesPerSecAvg) \
    P(Int, pathNetTotKBytesPerSecAvg) \
    P(Int, pathNetOutBytesCtAvg) \
    P(Int, pathNetInBytesCtAvg) \
    P(Int, pathNetTotBytesCtAvg) \
    P(Int, sumIntervalAux) \
    P(Int, flags) \
    P(Int, reportReturnCode)
VYT_CALLBACK(NetDetailSetData, setData, VYT_NET_DETAIL_SET_DATA_PARAMS)

// addEntry of network-detail (report type 8).
#define VYT_NET_DETAIL_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcAddress) \
    P(Int, usePort) \
    P(Int, pathIPSrcPort) \
    P(Int, pathIPDstPort) \
    P(Int, pathIPSrc) \
    P(Int, pathNetRespTime) \
    P(Int, pathNetRespTimeOut) \
    P(Int, pathNetRespTimeIn) \
    P(Int, pathNetOutKBytesPerSec) \
    P(Int, pathNetInKBytesPerSec) \
    P(Int, pathNetTotKBytesPerSec) \
    P(Int, pathNetOutBytesCt) \
    P(Int, pathNetInBytesCt) \
    P(Int, pathNetTotBytesCt) \
    P(Int, pathNetRespTimeState) \
    P(Int, pathNetRespTimeOutState) \
    P(Int, pathNetRespTimeInState) \
    P(Int, pathClientTranCt)
VYT_CALLBACK(NetDetailAddEntry, addEntry, VYT_NET_DETAIL_ADD_ENTRY_PARAMS)

// setData of server-detail (report type 9).
#define VYT_SRV_DETAIL_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Str, pathIPSrcAddress) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, pathIPDstPort) \
    P(Int, tranTotalCtSum) \
    P(Int, type) \
    P(Int, pathTotRespTimeDataCtSum) \
    P(Int, Group1) \
    P(Int, Group2) \
    P(Int, Group3) \
    P(Int, Group1Ct) \
    P(Int, Group2Ct) \
    P(Int, Group3Ct) \
    P(Int, Group4Ct) \
    P(Int, GroupAllCt) \
    P(Int, Group1State) \
    P(Int, Group2State) \
    P(Int, Group3State) \
    P(Int, Group4State) \
    P(Int, pathSrvRespTimeMin) \
    P(Int, pathSrvRespTimeMax) \
    P(Int, pathSrvRespTimeAvg) \
    P(Int, pathSrvRespTimeMinState) \
    P(Int, pathSrvRespTimeMaxState) \
    P(Int, pathSrvRespTimeAvgState) \
    P(Int, pathAppRespTimeMin) \
    P(Int, pathAppRespTimeMax) \
    P(Int, pathAppRespTimeAvg) \
    P(Int, pathAppRespTimeMinState) \
    P(Int, pathAppRespTimeMaxState) \
    P(Int, pathAppRespTimeAvgState) \
    P(Int, pathWaitRespTimeMin) \
    P(Int, pathWaitRespTimeMax) \
    P(Int, pathWaitRespTimeAvg) \
    P(Int, pathWaitRespTimeMinState) \
    P(Int, pathWaitRespTimeMaxState) \
    P(Int, pathWaitRespTimeAvgState) \
    P(Int, sumIntervalAux) \
    P(Int, flags) \
    P(Int, reportReturnCode) \
    P(Int, appGroup1) \
    P(Int, appGroup2) \
    P(Int, appGroup3) \
    P(Int, appGroup1Ct) \
    P(Int, appGroup2Ct) \
    P(Int, appGroup3Ct) \
    P(Int, appGroup4Ct) \
    P(Int, appGroupAllCt) \
    P(Int, appGroup1State) \
    P(Int, appGroup2State) \
    P(Int, appGroup3State) \
    P(Int, appGroup4State)
VYT_CALLBACK(SrvDetailSetData, setData, VYT_SRV_DETAIL_SET_DATA_PARAMS)

// addEntry of server-detail (report type 9).
#define VYT_SRV_DETAIL_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcAddress) \
    P(Int, usePort) \
    P(Int, pathIPSrcPort) \
    P(Int, pathIPDstPort) \
    P(Int, pathIPSrc) \
    P(Int, pathDisRespTime) \
    P(Int, pathTotRespTime) \
    P(Int, pathNetRespTimeOut) \
    P(Int, pathNetRespTimeIn) \
    P(Int, pathSrvRespTime) \
    P(Int, pathAppRespTime) \
    P(Int, pathWaitRespTime) \
    P(Int, pathTotRespTimeState) \
    P(Int, pathSrvRespTimeState) \
    P(Int, pathAppRespTimeState) \
    P(Int, pathWaitRespTimeState) \
    P(Int, pathClientTranCt) \
    P(Int, pathNetRespTimeOutState) \
    P(Int, pathNetRespTimeInState)
VYT_CALLBACK(SrvDetailAddEntry, addEntry, VYT_SRV_DETAIL_ADD_ENTRY_PARAMS)

// setData of response-time-detail (report type 10).
#define VYT_RSP_TIME_DETAIL_SET_DATA_PARAMS(P)  \
    P(Str, subTranName) \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Str, pathIPSrcAddress) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, pathIPDstPort) \
    P(Int, tranTotalCtSum) \
    P(Int, type) \
    P(Int, pathTotRespTimeDataCtSum) \
    P(Int, Group1) \
    P(Int, Group2) \
    P(Int, Group3) \
    P(Int, Group1Ct) \
    P(Int, Group2Ct) \
    P(Int, Group3Ct) \
    P(Int, Group4Ct) \
    P(Int, GroupAllCt) \
    P(Int, Group1State) \
    P(Int, Group2State) \
    P(Int, Group3State) \
    P(Int, Group4State) \
    P(Int, pathTotRespTimeMin) \
    P(Int, pathTotRespTimeMax) \
    P(Int, pathTotRespTimeAvg) \
    P(Int, pathTotRespTimeMinState) \
    P(Int, pathTotRespTimeMaxState) \
    P(Int, pathTotRespTimeAvgState) \
    P(Int, sumIntervalAux) \
    P(Int, flags) \
    P(Int, reportReturnCode)
VYT_CALLBACK(RspTimeDetailSetData, setData, VYT_RSP_TIME_DETAIL_SET_DATA_PARAMS)

// addEntry of response-time-detail (report type 10).
#define VYT_RSP_TIME_DETAIL_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcAddress) \
    P(Int, pathIPSrc) \
    P(Int, usePort) \
    P(Int, pathIPSrcPort) \
    P(Int, pathIPDstPort) \
    P(Int, pathTotRespTime) \
    P(Int, pathNetRespTime) \
    P(Int, pathSrvRespTime) \
    P(Int, pathAppRespTime) \
    P(Int, pathWaitRespTime) \
    P(Int, pathTotRespTimeState) \
    P(Int, pathNetRespTimeState) \
    P(Int, pathSrvRespTimeState) \
    P(Int, pathAppRespTimeState) \
    P(Int, pathWaitRespTimeState) \
    P(Int, pathClientTranCt)
VYT_CALLBACK(RspTimeDetailAddEntry, addEntry, VYT_RSP_TIME_DETAIL_ADD_ENTRY_PARAMS)

// setData of current-alerts (report type 11).
#define VYT_CURRENT_ALERT_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Int, alertHeaderValue1) \
    P(Int, alertHeaderValue2)
VYT_CALLBACK(CurrentAlertSetData, setData, VYT_CURRENT_ALERT_SET_DATA_PARAMS)

// addEntry of current-alerts (report type 11).
#define VYT_CURRENT_ALERT_ADD_ENTRY_PARAMS(P)  \
    P(Str, alertStart) \
    P(Str, tranName) \
    P(Str, pathIPSrcNetName) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, pathId) \
    P(Int, flags) \
    P(Int, pathIPDstPort) \
    P(Int, pathTotRespTimeDataCt) \
    P(Int, pathTotRespTimeAlert) \
    P(Int, pathNetRespTimeAlert) \
    P(Int, pathSrvRespTimeAlert) \
    P(Int, pathAppRespTimeAlert) \
    P(Int, pathWaitRespTimeAlert) \
    P(Int, worstComponentState) \
    P(Int, pathTotRespTimeAlertState) \
    P(Int, pathNetRespTimeAlertState) \
    P(Int, pathSrvRespTimeAlertState) \
    P(Int, pathAppRespTimeAlertState) \
    P(Int, pathWaitRespTimeAlertState) \
    P(Int, pathMaxRespTimeAlertState) \
    P(Int, pathRespTimeAlert) \
    P(Int, pathRespTimeAlertState)
VYT_CALLBACK(CurrentAlertAddEntry, addEntry, VYT_CURRENT_ALERT_ADD_ENTRY_PARAMS)

// setData of wait-time (report type 12).
#define VYT_TRANS_WAIT_TIME_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Int, tranTotalCtSum) \
    P(Int, sumIntervalAux) \
    P(Int, flags) \
    P(Int, reportReturnCode)
VYT_CALLBACK(TransWaitTimeSetData, setData, VYT_TRANS_WAIT_TIME_SET_DATA_PARAMS)

// addEntry of wait-time (report type 12).
#define VYT_TRANS_WAIT_TIME_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcNetName) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, pathIPDstPort) \
    P(Int, pathId) \
    P(Int, pathTotRespTimeDataCtSum) \
    P(Int, pathDisRespTimeAvg) \
    P(Int, pathRetRespTimeAvg) \
    P(Int, pathWaitRespTimeAvg) \
    P(Int, pathWaitRespTimeAlertState) \
    P(Int, flags)
VYT_CALLBACK(TransWaitTimeAddEntry, addEntry, VYT_TRANS_WAIT_TIME_ADD_ENTRY_PARAMS)

// setData of wait-detail (report type 13).
#define VYT_WAIT_DETAIL_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Str, pathIPSrcAddress) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, pathIPDstPort) \
    P(Int, tranTotalCtSum) \
    P(Int, type) \
    P(Int, flags) \
    P(Int, pathTotRespTimeDataCtSum) \
    P(Int, Group1) \
    P(Int, Group2) \
    P(Int, Group3) \
    P(Int, Group1Ct) \
    P(Int, Group2Ct) \
    P(Int, Group3Ct) \
    P(Int, Group4Ct) \
    P(Int, GroupAllCt) \
    P(Int, Group1State) \
    P(Int, Group2State) \
    P(Int, Group3State) \
    P(Int, Group4State) \
    P(Int, pathSrvRespTimeMin) \
    P(Int, pathSrvRespTimeMax) \
    P(Int, pathSrvRespTimeAvg) \
    P(Int, pathSrvRespTimeMinState) \
    P(Int, pathSrvRespTimeMaxState) \
    P(Int, pathSrvRespTimeAvgState) \
    P(Int, pathAppRespTimeMin) \
    P(Int, pathAppRespTimeMax) \
    P(Int, pathAppRespTimeAvg) \
    P(Int, pathAppRespTimeMinState) \
    P(Int, pathAppRespTimeMaxState) \
    P(Int, pathAppRespTimeAvgState) \
    P(Int, pathWaitRespTimeMin) \
    P(Int, pathWaitRespTimeMax) \
    P(Int, pathWaitRespTimeAvg) \
    P(Int, pathWaitRespTimeMinState) \
    P(Int, pathWaitRespTimeMaxState) \
    P(Int, pathWaitRespTimeAvgState) \
    P(Int, pathDisRespTimeMin) \
    P(Int, pathDisRespTimeMax) \
    P(Int, pathDisRespTimeAvg) \
    P(Int, pathDisAppRespTimeMin) \
    P(Int, pathDisAppRespTimeMax) \
    P(Int, pathDisAppRespTimeAvg) \
    P(Int, pathDisWaitRespTimeMin) \
    P(Int, pathDisWaitRespTimeMax) \
    P(Int, pathDisWaitRespTimeAvg) \
    P(Int, pathRetRespTimeMin) \
    P(Int, pathRetRespTimeMax) \
    P(Int, pathRetRespTimeAvg) \
    P(Int, pathRetAppRespTimeMin) \
    P(Int, pathRetAppRespTimeMax) \
    P(Int, pathRetAppRespTimeAvg) \
    P(Int, pathRetWaitRespTimeMin) \
    P(Int, pathRetWaitRespTimeMax) \
    P(Int, pathRetWaitRespTimeAvg) \
    P(Int, sumIntervalAux) \
    P(Int, reportReturnCode)
VYT_CALLBACK(WaitDetailSetData, setData, VYT_WAIT_DETAIL_SET_DATA_PARAMS)

// addEntry of wait-detail (report type 13).
#define VYT_WAIT_DETAIL_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcAddress) \
    P(Int, usePort) \
    P(Int, pathIPSrc) \
    P(Int, pathIPSrcPort) \
    P(Int, pathSrvRespTime) \
    P(Int, pathAppRespTime) \
    P(Int, pathWaitRespTime) \
    P(Int, pathSrvRespTimeState) \
    P(Int, pathAppRespTimeState) \
    P(Int, pathWaitRespTimeState) \
    P(Int, pathClientTranCt) \
    P(Int, flags)
VYT_CALLBACK(WaitDetailAddEntry, addEntry, VYT_WAIT_DETAIL_ADD_ENTRY_PARAMS)

// setData of summary (report type 14).
#define VYT_SUMMARY_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Int, pathIPSrcPort) \
    P(Int, pathIPDstPort) \
    P(Int, pathTotRespTimeDataCt) \
    P(Int, pathTotRespTimeAvgMax) \
    P(Int, pathNetRespTimeAvgMax) \
    P(Int, pathSrvRespTimeAvgMax) \
    P(Int, pathAppRespTimeAvgMax) \
    P(Int, pathWaitRespTimeAvgMax) \
    P(Int, pathSumIntervalCtMax) \
    P(Int, sumDataUTCStart) \
    P(Int, sumDataUTCNow) \
    P(Int, tranTotalCt) \
    P(Int, flags) \
    P(Int, summaryHeaderValue) \
    P(Int, reportReturnCode)
VYT_CALLBACK(SummarySetData, setData, VYT_SUMMARY_SET_DATA_PARAMS)

// addEntry of summary (report type 14).
#define VYT_SUMMARY_ADD_ENTRY_PARAMS(P)  \
    P(Str, intervalStart) \
    P(Str, intervalEnd) \
    P(Int, sumIntervalSecs) \
    P(Int, pathTotRespTimeDataCtSum) \
    P(Int, pathTotRespTimeAvg) \
    P(Int, pathTotRespTimeAvgState) \
    P(Int, pathNetRespTimeAvg) \
    P(Int, pathNetRespTimeAvgState) \
    P(Int, pathSrvRespTimeAvg) \
    P(Int, pathSrvRespTimeAvgState) \
    P(Int, pathAppRespTimeAvg) \
    P(Int, pathAppRespTimeAvgState) \
    P(Int, pathWaitRespTimeAvg) \
    P(Int, pathWaitRespTimeAvgState) \
    P(Int, pathRespTimeAvg) \
    P(Int, pathRespTimeAvgState) \
    P(Int, flags)
VYT_CALLBACK(SummaryAddEntry, addEntry, VYT_SUMMARY_ADD_ENTRY_PARAMS)

// setData of event-alerts (report type 15).
#define VYT_EVENT_ALERT_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Int, eventHeaderValue1) \
    P(Int, eventHeaderValue2)
VYT_CALLBACK(EventAlertSetData, setData, VYT_EVENT_ALERT_SET_DATA_PARAMS)

// addEntry of event-alerts (report type 15).
#define VYT_EVENT_ALERT_ADD_ENTRY_PARAMS(P)  \
    P(Str, eventStart) \
    P(Str, tranName) \
    P(Str, pathIPSrcNetName) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, duration) \
    P(Int, pathIPSrcPort) \
    P(Int, pathIPDstPort) \
    P(Int, pathId) \
    P(Int, pathTranCtMax) \
    P(Int, pathTotRespTimeDataCt) \
    P(Int, pathEventType) \
    P(Int, pathEventTime) \
    P(Int, pathEventState) \
    P(Int, pathEventTypeAndState) \
    P(Int, pathEventCurState) \
    P(Int, flags)
VYT_CALLBACK(EventAlertAddEntry, addEntry, VYT_EVENT_ALERT_ADD_ENTRY_PARAMS)

// setData of path-ports (report type 16).
#define VYT_TRANS_PATH_PORT_SET_DATA_PARAMS(P)  \
    P(Str, tranName) \
    P(Str, pathIPSrcAddress) \
    P(Str, pathIPSrcNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAddress) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPDstAlias) \
    P(Int, pathId) \
    P(Int, pathIPSrcPortCt) \
    P(Int, pathIPDstPortCt) \
    P(Int, collectorStartupTime) \
    P(Int, flags)
VYT_CALLBACK(TransPathPortSetData, setData, VYT_TRANS_PATH_PORT_SET_DATA_PARAMS)

// addEntry of path-ports (report type 16).
#define VYT_TRANS_PATH_PORT_ADD_ENTRY_PARAMS(P)  \
    P(Int, pathIPPort) \
    P(Int, flags)
VYT_CALLBACK(TransPathPortAddEntry, addEntry, VYT_TRANS_PATH_PORT_ADD_ENTRY_PARAMS)

// setData of thresholds (report type 17).
#define VYT_THRESHOLD_SET_DATA_PARAMS(P)  \
    P(Str, tranName) \
    P(Str, pathIPSrcNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPDstAlias) \
    P(Int, pathNetRespTimeGroup1) \
    P(Int, pathNetRespTimeGroup2) \
    P(Int, pathNetRespTimeGroup3) \
    P(Int, pathSrvRespTimeGroup1) \
    P(Int, pathSrvRespTimeGroup2) \
    P(Int, pathSrvRespTimeGroup3) \
    P(Int, pathAppRespTimeGroup1) \
    P(Int, pathAppRespTimeGroup2) \
    P(Int, pathAppRespTimeGroup3) \
    P(Int, pathWaitRespTimeGroup1) \
    P(Int, pathWaitRespTimeGroup2) \
    P(Int, pathWaitRespTimeGroup3) \
    P(Int, pathTotRespTimeGroup1) \
    P(Int, pathTotRespTimeGroup2) \
    P(Int, pathTotRespTimeGroup3) \
    P(Int, pathTotRespTimeDataCt) \
    P(Int, pathNetRespTimeWarn) \
    P(Int, pathNetRespTimeCrit) \
    P(Int, pathSrvRespTimeWarn) \
    P(Int, pathSrvRespTimeCrit) \
    P(Int, pathAppRespTimeWarn) \
    P(Int, pathAppRespTimeCrit) \
    P(Int, pathWaitRespTimeWarn) \
    P(Int, pathWaitRespTimeCrit) \
    P(Int, pathTotRespTimeWarn) \
    P(Int, pathTotRespTimeCrit) \
    P(Int, pathRespTimeGroup1) \
    P(Int, pathRespTimeGroup2) \
    P(Int, pathRespTimeGroup3) \
    P(Int, pathRespTimeWarn) \
    P(Int, pathRespTimeCrit) \
    P(Int, flags)
VYT_CALLBACK(ThresholdSetData, setData, VYT_THRESHOLD_SET_DATA_PARAMS)

// setData of path-time (report type 18).
#define VYT_TRANS_PATH_TIME_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Int, tranTotalCtSum) \
    P(Int, tranTotRespTimeAvg) \
    P(Int, sumIntervalAux) \
    P(Int, flags) \
    P(Int, reportReturnCode)
VYT_CALLBACK(TransPathTimeSetData, setData, VYT_TRANS_PATH_TIME_SET_DATA_PARAMS)

// addEntry of path-time (report type 18).
#define VYT_TRANS_PATH_TIME_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcNetName) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, pathId) \
    P(Int, pathIPDstPort) \
    P(Int, pathIPSrcPort) \
    P(Int, pathTotRespTimeDataCtSum) \
    P(Int, pathTotRespTimeAvg) \
    P(Int, pathNetRespTimeAvg) \
    P(Int, pathAppRespTimeAvg) \
    P(Int, pathTotRespTimeAlertState) \
    P(Int, pathNetRespTimeAlertState) \
    P(Int, pathAppRespTimeAlertState) \
    P(Int, flags)
VYT_CALLBACK(TransPathTimeAddEntry, addEntry, VYT_TRANS_PATH_TIME_ADD_ENTRY_PARAMS)

// setData of path-time-detail (report type 19).
#define VYT_PATH_TIME_DETAIL_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Str, pathIPSrcAddress) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, pathIPDstPort) \
    P(Int, tranTotalCtSum) \
    P(Int, type) \
    P(Int, pathTotRespTimeDataCtSum) \
    P(Int, Group1) \
    P(Int, Group2) \
    P(Int, Group3) \
    P(Int, Group1Ct) \
    P(Int, Group2Ct) \
    P(Int, Group3Ct) \
    P(Int, Group4Ct) \
    P(Int, GroupAllCt) \
    P(Int, Group1State) \
    P(Int, Group2State) \
    P(Int, Group3State) \
    P(Int, Group4State) \
    P(Int, pathRespTimeMin) \
    P(Int, pathRespTimeMax) \
    P(Int, pathRespTimeAvg) \
    P(Int, pathRespTimeMinState) \
    P(Int, pathRespTimeMaxState) \
    P(Int, pathRespTimeAvgState) \
    P(Int, sumIntervalAux) \
    P(Int, flags) \
    P(Int, reportReturnCode)
VYT_CALLBACK(PathTimeDetailSetData, setData, VYT_PATH_TIME_DETAIL_SET_DATA_PARAMS)

// addEntry of path-time-detail (report type 19).
#define VYT_PATH_TIME_DETAIL_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcAddress) \
    P(Int, pathIPSrc) \
    P(Int, usePort) \
    P(Int, pathIPSrcPort) \
    P(Int, pathIPDstPort) \
    P(Int, pathRespTime) \
    P(Int, pathNetRespTime) \
    P(Int, pathAppRespTime) \
    P(Int, pathRespTimeState) \
    P(Int, pathNetRespTimeState) \
    P(Int, pathAppRespTimeState) \
    P(Int, pathClientTranCt)
VYT_CALLBACK(PathTimeDetailAddEntry, addEntry, VYT_PATH_TIME_DETAIL_ADD_ENTRY_PARAMS)

// addEntry of transaction-servers (report type 20).
#define VYT_TRANS_SRV_LOAD_ADD_ENTRY_PARAMS(P)  \
    P(Str, tranName) \
    P(Str, serverIPNetName) \
    P(Int, serverId) \
    P(Int, flags)
VYT_CALLBACK(TransSrvLoadAddEntry, addEntry, VYT_TRANS_SRV_LOAD_ADD_ENTRY_PARAMS)

// setData of server-load (report type 21).
#define VYT_SERVER_LOAD_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Int, totalServerRespTimeDataCtSumt) \
    P(Int, collectorStartupTime) \
    P(Int, flags)
VYT_CALLBACK(ServerLoadSetData, setData, VYT_SERVER_LOAD_SET_DATA_PARAMS)

// addEntry of server-load (report type 21).
#define VYT_SERVER_LOAD_ADD_ENTRY_PARAMS(P)  \
    P(Str, pathIPSrcNetName) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Str, ownTranName) \
    P(Str, impTranName) \
    P(Int, pathId) \
    P(Int, pathIPSrcPort) \
    P(Int, pathIPDstPort) \
    P(Int, pathTotRespTimeDataCtSum) \
    P(Int, pathTranPerMinute) \
    P(Int, pathTotRespTimeAvg) \
    P(Int, pathWaitRespTimeAvg) \
    P(Int, pathTotRespTimeAlertState) \
    P(Int, pathWaitRespTimeAlertState) \
    P(Int, pathWorstComponentState) \
    P(Int, pathTranImpactPct) \
    P(Int, pathKBytesPerMinute) \
    P(Int, flags)
VYT_CALLBACK(ServerLoadAddEntry, addEntry, VYT_SERVER_LOAD_ADD_ENTRY_PARAMS)

// setData of reportability (report type 22).
#define VYT_REPORTABILITY_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startupTime) \
    P(Str, duration) \
    P(Int, collectorStartupTime)
VYT_CALLBACK(ReportabilitySetData, setData, VYT_REPORTABILITY_SET_DATA_PARAMS)

// addEntry of reportability (report type 22).
#define VYT_REPORTABILITY_ADD_ENTRY_PARAMS(P)  \
    P(Str, tranName) \
    P(Str, tranTime) \
    P(Int, msrvCtTotal) \
    P(Int, msrvCtOnline) \
    P(Int, flags)
VYT_CALLBACK(ReportabilityAddEntry, addEntry, VYT_REPORTABILITY_ADD_ENTRY_PARAMS)

// setData of reportability-detail (report type 23).
#define VYT_REPORTABILITY_DETAIL_SET_DATA_PARAMS(P)  \
    P(Str, tranName) \
    P(Str, currentTime) \
    P(Str, startupTime) \
    P(Str, duration) \
    P(Int, collectorStartupTime)
VYT_CALLBACK(ReportabilityDetailSetData, setData, VYT_REPORTABILITY_DETAIL_SET_DATA_PARAMS)

// addEntry of reportability-detail (report type 23).
#define VYT_REPORTABILITY_DETAIL_ADD_ENTRY_PARAMS(P)  \
    P(Str, msrvIPAddress) \
    P(Str, msrvIPNetName) \
    P(Str, msrvTime) \
    P(Int, flags)
VYT_CALLBACK(ReportabilityDetailAddEntry, addEntry, VYT_REPORTABILITY_DETAIL_ADD_ENTRY_PARAMS)

// setData of sub-transactions (report type 24).
#define VYT_SUB_TRAN_LIST_SET_DATA_PARAMS(P)  \
    P(Str, tranName) \
    P(Int, collectorStartupTime) \
    P(Int, flags) \
    P(Int, reportEntryCt) \
    P(Int, reportEntryContinueIdx) \
    P(Int, reportEntryContinueIdx2)
VYT_CALLBACK(SubTranListSetData, setData, VYT_SUB_TRAN_LIST_SET_DATA_PARAMS)

// addEntry of sub-transactions (report type 24).
#define VYT_SUB_TRAN_LIST_ADD_ENTRY_PARAMS(P)  \
    P(Str, subTranName) \
    P(Int, subTranNameLen) \
    P(Int, flags)
VYT_CALLBACK(SubTranListAddEntry, addEntry, VYT_SUB_TRAN_LIST_ADD_ENTRY_PARAMS)

// setData of transaction-info (report type 25).
#define VYT_TRAN_INFO_SET_DATA_PARAMS(P)  \
    P(Str, tranName) \
    P(Int, collectorStartupTime) \
    P(Int, flags)
VYT_CALLBACK(TranInfoSetData, setData, VYT_TRAN_INFO_SET_DATA_PARAMS)

// setData of current-url-alerts (report type 26).
#define VYT_URL_ALERT_SET_DATA_PARAMS(P)  \
    P(Str, currentTime) \
    P(Str, startTime) \
    P(Str, duration) \
    P(Int, alertHeaderValue1) \
    P(Int, alertHeaderValue2) \
    P(Int, reportEntryContinueIdx) \
    P(Int, reportEntryContinueIdx2)
VYT_CALLBACK(URLAlertSetData, setData, VYT_URL_ALERT_SET_DATA_PARAMS)

// addEntry of current-url-alerts (report type 26).
#define VYT_URL_ALERT_ADD_ENTRY_PARAMS(P)  \
    P(Str, alertStart) \
    P(Str, tranName) \
    P(Str, subTranName) \
    P(Str, pathIPSrcNetName) \
    P(Str, pathIPDstNetName) \
    P(Str, pathIPSrcAlias) \
    P(Str, pathIPDstAlias) \
    P(Int, pathId) \
    P(Int, flags) \
    P(Int, pathIPDstPort) \
    P(Int, pathTotRespTimeDataCt) \
    P(Int, pathTotRespTimeAlert) \
    P(Int, pathNetRespTimeAlert) \
    P(Int, pathSrvRespTimeAlert) \
    P(Int, pathAppRespTimeAlert) \
    P(Int, pathWaitRespTimeAlert) \
    P(Int, worstComponentState) \
    P(Int, pathTotRespTimeAlertState) \
    P(Int, pathNetRespTimeAlertState) \
    P(Int, pathSrvRespTimeAlertState) \
    P(Int, pathAppRespTimeAlertState) \
    P(Int, pathWaitRespTimeAlertState) \
    P(Int, pathMaxRespTimeAlertState) \
    P(Int, pathRespTimeAlert) \
    P(Int, pathRespTimeAlertState)
VYT_CALLBACK(URLAlertAddEntry, addEntry, VYT_URL_ALERT_ADD_ENTRY_PARAMS)

// setData of url-rules (report type 27).
#define VYT_URL_RULES_SET_DATA_PARAMS(P)  \
    P(Str, tranName) \
    P(Int, collectorStartupTime) \
    P(Int, flags) \
    P(Int, reportEntryCt) \
    P(Int, reportEntryContinueIdx)
VYT_CALLBACK(UrlRulesSetData, setData, VYT_URL_RULES_SET_DATA_PARAMS)

// addEntry of url-rules (report type 27).
#define VYT_URL_RULES_ADD_ENTRY_PARAMS(P)  \
    P(Str, urlName) \
    P(Int, urlLen) \
    P(Int, urlRuleId) \
    P(Int, hitCt) \
    P(Int, flags)
VYT_CALLBACK(UrlRulesAddEntry, addEntry, VYT_URL_RULES_ADD_ENTRY_PARAMS)

// setData of add-url-rule (report types 28 to 32).
#define VYT_URL_RULE_OPERATION_SET_DATA_PARAMS(P)  \
    P(Str, tranName) \
    P(Str, subTranName) \
    P(Int, reportReturnCode) \
    P(Int, flags)
VYT_CALLBACK(UrlRuleOperationSetData, setData, VYT_URL_RULE_OPERATION_SET_DATA_PARAMS)

// Stands for the call a kind does not make.
struct NoCallback {};

}  // namespace cb

// ---- the kinds -----------------------------------------------------------------------

// K(type, reportId, name, title, selections, decoder, setData, addEntry), in
// report type order.
#define VYT_REPORT_KINDS(K) \
    K(1, 1, "all-transactions", "All monitored transactions", 0, inventory::kAllTrans, AllTransSetData, AllTransAddEntry) \
    K(2, 2, "transaction-paths", "Paths of a transaction", kSelTran, inventory::kTransPath, NoCallback, TransPathAddEntry) \
    K(3, 11, "current-performance", "Current performance overview", 0, inventory::kCurPerf, CurPerfSetData, NoCallback) \
    K(4, 12, "response-time", "Response time per path", kSelTran, interval::kTransRspTime, TransRspTimeSetData, TransRspTimeAddEntry) \
    K(5, 13, "network-time", "Network time per path", kSelTran, interval::kTransNetTime, TransNetTimeSetData, TransNetTimeAddEntry) \
    K(6, 14, "server-time", "Server time per path", kSelTran, interval::kTransSrvTime, TransSrvTimeSetData, TransSrvTimeAddEntry) \
    K(7, 23, "transaction-flow", "Transaction flow", kSelTran, interval::kTransFlow, TransFlowSetData, TransFlowAddEntry) \
    K(8, 19, "network-detail", "Network detail of a path", kSelTran | kSelPath | kSelView, detail::kNetDetail, NetDetailSetData, NetDetailAddEntry) \
    K(9, 21, "server-detail", "Server detail of a path", kSelTran | kSelPath | kSelView, detail::kSrvDetail, SrvDetailSetData, SrvDetailAddEntry) \
    K(10, 17, "response-time-detail", "Response time detail of a path", kSelTran | kSelSub | kSelPath | kSelView, detail::kRspTimeDetail, RspTimeDetailSetData, RspTimeDetailAddEntry) \
    K(11, 24, "current-alerts", "Current alerts", 0, alerts::kCurrentAlert, CurrentAlertSetData, CurrentAlertAddEntry) \
    K(12, 15, "wait-time", "Wait time per path", kSelTran, interval::kTransWaitTime, TransWaitTimeSetData, TransWaitTimeAddEntry) \
    K(13, 22, "wait-detail", "Wait detail of a path", kSelTran | kSelPath | kSelView, detail::kWaitDetail, WaitDetailSetData, WaitDetailAddEntry) \
    K(14, 5, "summary", "Interval summary of a path", kSelTran | kSelPath, alerts::kSummary, SummarySetData, SummaryAddEntry) \
    K(15, 26, "event-alerts", "Alert events", 0, alerts::kEventAlert, EventAlertSetData, EventAlertAddEntry) \
    K(16, 25, "path-ports", "Ports of a path", kSelTran | kSelPath, inventory::kTransPathPort, TransPathPortSetData, TransPathPortAddEntry) \
    K(17, 27, "thresholds", "Thresholds of a path", kSelTran | kSelPath, alerts::kThreshold, ThresholdSetData, NoCallback) \
    K(18, 29, "path-time", "Path time per path", kSelTran, interval::kTransPathTime, TransPathTimeSetData, TransPathTimeAddEntry) \
    K(19, 30, "path-time-detail", "Path time detail of a path", kSelTran | kSelPath | kSelView, detail::kPathTimeDetail, PathTimeDetailSetData, PathTimeDetailAddEntry) \
    K(20, 31, "transaction-servers", "Servers of a transaction", kSelTran, inventory::kTransSrvLoad, NoCallback, TransSrvLoadAddEntry) \
    K(21, 32, "server-load", "Load of a server", kSelTran | kSelServer, interval::kServerLoad, ServerLoadSetData, ServerLoadAddEntry) \
    K(22, 33, "reportability", "Reportability of the transactions", 0, inventory::kReportability, ReportabilitySetData, ReportabilityAddEntry) \
    K(23, 34, "reportability-detail", "Reportability of a transaction per server", kSelTran, inventory::kReportabilityDetail, ReportabilityDetailSetData, ReportabilityDetailAddEntry) \
    K(24, 35, "sub-transactions", "Sub-transactions (URLs) of a transaction", kSelTran | kSelContinue | kSelContinue2 | kSelScroll, inventory::kSubTranList, SubTranListSetData, SubTranListAddEntry) \
    K(25, 36, "transaction-info", "Information on a transaction", kSelTran, inventory::kTranInfo, TranInfoSetData, NoCallback) \
    K(26, 37, "current-url-alerts", "Current URL alerts", kSelContinue | kSelContinue2 | kSelScroll, alerts::kCurrentURLAlert, URLAlertSetData, URLAlertAddEntry) \
    K(27, 38, "url-rules", "URL include/exclude rules of a transaction", kSelTran | kSelContinue | kSelScroll, inventory::kUrlRules, UrlRulesSetData, UrlRulesAddEntry) \
    K(28, 39, "add-url-rule", "Add a URL rule", kSelTran | kSelSub | kSelView, inventory::kUrlRuleOperation, UrlRuleOperationSetData, NoCallback) \
    K(29, 40, "remove-url-rule", "Remove a URL rule", kSelTran | kSelContinue, inventory::kUrlRuleOperation, UrlRuleOperationSetData, NoCallback) \
    K(30, 41, "get-url-rule", "Show a URL rule", kSelTran | kSelContinue, inventory::kUrlRuleOperation, UrlRuleOperationSetData, NoCallback) \
    K(31, 42, "edit-url-rule", "Edit a URL rule", kSelTran | kSelSub | kSelContinue | kSelView, inventory::kUrlRuleOperation, UrlRuleOperationSetData, NoCallback) \
    K(32, 43, "url-rule-precedence", "Change the URL rule list precedence", kSelTran | kSelView, inventory::kUrlRuleOperation, UrlRuleOperationSetData, NoCallback)

// One callback as data.
struct CallbackInfo {
    const char* method = nullptr;  // null: the kind makes no such call
    const Param* params = nullptr;
    std::size_t count = 0;
    const char* signature = nullptr;
};

template <class CB>
constexpr CallbackInfo InfoOf() {
    if constexpr (std::is_same_v<CB, cb::NoCallback>) return {};
    else return {CB::kMethod, CB::kParams, kArity<CB>, kSignature<CB>};
}

// One report kind as data (its decoder is bound in the dispatch table).
struct ReportKind {
    int type;
    int reportId;
    const char* name;
    const char* title;
    unsigned selections;
    CallbackInfo setData;
    CallbackInfo addEntry;
};

#define VYT_KIND_INFO(type, reportId, name, title, selections, decoder, setData, addEntry) \
    ReportKind{type, reportId, name, title, selections, InfoOf<cb::setData>(), InfoOf<cb::addEntry>()},
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
