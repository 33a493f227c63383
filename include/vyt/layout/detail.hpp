// Wire layout of the path detail replies: response-time, path time, network,
// server and wait detail.
//
// All five share one layout.  After the common header and the path block come
// the distribution block, a metric block of M words (its length and meaning
// depend on the report), one unread word, the 7-word interval block at
// T = 1516 + 4*M and the entries at T + 28.  Each entry is K metric words
// followed by a 28-byte tail that names the source, so an entry is 4*K + 28
// bytes long.  `PathDetailReply<Metrics>` and `PathDetailEntry<EntryMetrics>`
// give the layout for a metric block and an entry metric part of any length;
// each report declares only its metric names.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vyt/bytes.hpp"
#include "vyt/layout/common.hpp"

namespace vyt::layout {

// Bits of the reply and entry flags words read by the path detail decoders.
inline constexpr std::int32_t kFlagClientPath = 0x1;        // REP_FLAGS_CLIENT_PATH
inline constexpr std::int32_t kFlagMiddlePath = 0x2;        // REP_FLAGS_MIDDLE_PATH
inline constexpr std::int32_t kFlagEndPath = 0x4;           // REP_FLAGS_END_PATH
inline constexpr std::int32_t kFlagClientAndEndPath = 0x8;  // REP_FLAGS_CLIENT_AND_END_PATH
inline constexpr std::int32_t kFlagClientSum = 0x2000;      // REP_FLAGS_CLIENT_SUM

// Word lists.  The runs of metric words that a callback passes through as
// they are, in the same order and under the same names, are declared once as
// a list of P(x, Int, name, role[, "unit"]) entries: the layout below makes
// one int32 field of each, and vyt/catalog.hpp makes a parameter group of the
// same list (VYT_PARAM_GROUP), so that the group's members and the layout's
// words cannot differ in name or order.  The role is the parameter's meaning
// in the catalogue; the layout ignores it.
#define VYT_LAYOUT_WORD(x, kind, name, ...) VYT_LAYOUT_WORD_##kind(name)
#define VYT_LAYOUT_WORD_Int(name) std::int32_t name;

VYT_PACKED_BEGIN

// ---- the parts every path detail reply shares ------------------------------------

// The distribution of the path's response times.
struct PathDetailDistribution {
    std::int32_t pathTotRespTimeDataCtSum;
    std::int32_t Group1;
    std::int32_t Group2;
    std::int32_t Group3;
    std::int32_t Group1Ct;
    std::int32_t Group2Ct;
    std::int32_t Group3Ct;
    std::int32_t Group4Ct;
    std::int32_t GroupAllCt;
    std::int32_t Group1State;
    std::int32_t Group2State;
    std::int32_t Group3State;
    std::int32_t Group4State;
};

// The summary interval the reply covers.
struct PathDetailInterval {
    std::int32_t tranTotalCtSum;
    std::int32_t sumIntervalUTCNow;
    std::int32_t sumIntervalUTCStart;
    std::int32_t sumIntervalSecs;
    std::int32_t sumIntervalAux;
    std::int32_t reportReturnCode;
    std::int32_t flags;
};

// What follows the metric words of every entry: the source it describes.
struct PathDetailEntryTail {
    char pathIPSrcAddress[16];
    std::int32_t pathIPSrc;
    std::uint16_t pathIPSrcPort;
    std::uint16_t pathIPDstPort;
    std::int32_t flags;
};

// Everything before the first entry, for a metric block of layout Metrics.
template <class Metrics>
struct PathDetailReply {
    std::int32_t reportLen;
    std::int32_t reportId;
    std::int32_t reportEntryCt;
    std::uint8_t unused12[8];
    char tranName[64];
    char subTranName[1048];  // up to offset 1131
    PathPortsAndEndpoints path;
    std::uint8_t unused1456[4];
    PathDetailDistribution dist;
    Metrics metrics;
    std::int32_t unusedAfterMetrics;
    PathDetailInterval interval;
};

// One entry, for an entry metric part of layout EntryMetrics.
template <class EntryMetrics>
struct PathDetailEntry {
    EntryMetrics metrics;
    PathDetailEntryTail tail;
};

// ---- response-time detail (M = 6, K = 11) ------------------------------------------

struct RspTimeDetailMetrics {
    std::int32_t pathTotRespTimeMin;
    std::int32_t pathTotRespTimeMax;
    std::int32_t pathTotRespTimeAvg;
    std::int32_t pathTotRespTimeMinState;
    std::int32_t pathTotRespTimeMaxState;
    std::int32_t pathTotRespTimeAvgState;
};

#define VYT_GROUP_LIST_RspTimeDetailEntryWords(P, x) \
    P(x, Int, pathTotRespTime, Milliseconds) \
    P(x, Int, pathNetRespTime, Milliseconds) \
    P(x, Int, pathSrvRespTime, Milliseconds) \
    P(x, Int, pathAppRespTime, Milliseconds) \
    P(x, Int, pathWaitRespTime, Milliseconds) \
    P(x, Int, pathTotRespTimeState, AlertState) \
    P(x, Int, pathNetRespTimeState, AlertState) \
    P(x, Int, pathSrvRespTimeState, AlertState) \
    P(x, Int, pathAppRespTimeState, AlertState) \
    P(x, Int, pathWaitRespTimeState, AlertState) \
    P(x, Int, pathClientTranCt, Count)
struct RspTimeDetailEntryMetrics {
    VYT_GROUP_LIST_RspTimeDetailEntryWords(VYT_LAYOUT_WORD, ~)
};

// ---- path time detail (M = 6, K = 7) -----------------------------------------------

struct PathTimeDetailMetrics {
    std::int32_t pathRespTimeMin;
    std::int32_t pathRespTimeMax;
    std::int32_t pathRespTimeAvg;
    std::int32_t pathRespTimeMinState;
    std::int32_t pathRespTimeMaxState;
    std::int32_t pathRespTimeAvgState;
};

#define VYT_GROUP_LIST_PathTimeDetailEntryWords(P, x) \
    P(x, Int, pathRespTime, Milliseconds) \
    P(x, Int, pathNetRespTime, Milliseconds) \
    P(x, Int, pathAppRespTime, Milliseconds) \
    P(x, Int, pathRespTimeState, AlertState) \
    P(x, Int, pathNetRespTimeState, AlertState) \
    P(x, Int, pathAppRespTimeState, AlertState) \
    P(x, Int, pathClientTranCt, Count)
struct PathTimeDetailEntryMetrics {
    VYT_GROUP_LIST_PathTimeDetailEntryWords(VYT_LAYOUT_WORD, ~)
};

// ---- network detail (M = 24, K = 13) -----------------------------------------------

// The network's throughput over the interval, last in the metric block.
#define VYT_GROUP_LIST_NetDetailThroughput(P, x) \
    P(x, Int, pathNetOutKBytesPerSecAvg, Value, "KB/s") \
    P(x, Int, pathNetInKBytesPerSecAvg, Value, "KB/s") \
    P(x, Int, pathNetTotKBytesPerSecAvg, Value, "KB/s") \
    P(x, Int, pathNetOutBytesCtAvg, Count, "bytes") \
    P(x, Int, pathNetInBytesCtAvg, Count, "bytes") \
    P(x, Int, pathNetTotBytesCtAvg, Count, "bytes")
struct NetDetailMetrics {
    std::int32_t pathNetRespTimeMin;
    std::int32_t pathNetRespTimeMax;
    std::int32_t pathNetRespTimeAvg;
    std::int32_t pathNetRespTimeMinState;
    std::int32_t pathNetRespTimeMaxState;
    std::int32_t pathNetRespTimeAvgState;
    std::int32_t pathNetRespTimeOutMin;
    std::int32_t pathNetRespTimeOutMax;
    std::int32_t pathNetRespTimeOutAvg;
    std::int32_t pathNetRespTimeOutMinState;
    std::int32_t pathNetRespTimeOutMaxState;
    std::int32_t pathNetRespTimeOutAvgState;
    std::int32_t pathNetRespTimeInMin;
    std::int32_t pathNetRespTimeInMax;
    std::int32_t pathNetRespTimeInAvg;
    std::int32_t pathNetRespTimeInMinState;
    std::int32_t pathNetRespTimeInMaxState;
    std::int32_t pathNetRespTimeInAvgState;
    VYT_GROUP_LIST_NetDetailThroughput(VYT_LAYOUT_WORD, ~)
};

#define VYT_GROUP_LIST_NetDetailEntryWords(P, x) \
    P(x, Int, pathNetRespTime, Milliseconds) \
    P(x, Int, pathNetRespTimeOut, Milliseconds) \
    P(x, Int, pathNetRespTimeIn, Milliseconds) \
    P(x, Int, pathNetOutKBytesPerSec, Value, "KB/s") \
    P(x, Int, pathNetInKBytesPerSec, Value, "KB/s") \
    P(x, Int, pathNetTotKBytesPerSec, Value, "KB/s") \
    P(x, Int, pathNetOutBytesCt, Count, "bytes") \
    P(x, Int, pathNetInBytesCt, Count, "bytes") \
    P(x, Int, pathNetTotBytesCt, Count, "bytes") \
    P(x, Int, pathNetRespTimeState, AlertState) \
    P(x, Int, pathNetRespTimeOutState, AlertState) \
    P(x, Int, pathNetRespTimeInState, AlertState) \
    P(x, Int, pathClientTranCt, Count)
struct NetDetailEntryMetrics {
    VYT_GROUP_LIST_NetDetailEntryWords(VYT_LAYOUT_WORD, ~)
};

// ---- server detail (M = 30, K = 14) ------------------------------------------------

struct SrvDetailMetrics {
    std::int32_t pathSrvRespTimeMin;
    std::int32_t pathSrvRespTimeMax;
    std::int32_t pathSrvRespTimeAvg;
    std::int32_t pathSrvRespTimeMinState;
    std::int32_t pathSrvRespTimeMaxState;
    std::int32_t pathSrvRespTimeAvgState;
    // The application time's distribution, mirroring the path's own.
    std::int32_t appGroup1;
    std::int32_t appGroup2;
    std::int32_t appGroup3;
    std::int32_t appGroup1Ct;
    std::int32_t appGroup2Ct;
    std::int32_t appGroup3Ct;
    std::int32_t appGroup4Ct;
    std::int32_t appGroupAllCt;
    std::int32_t appGroup1State;
    std::int32_t appGroup2State;
    std::int32_t appGroup3State;
    std::int32_t appGroup4State;
    std::int32_t pathAppRespTimeMin;
    std::int32_t pathAppRespTimeMax;
    std::int32_t pathAppRespTimeAvg;
    std::int32_t pathAppRespTimeMinState;
    std::int32_t pathAppRespTimeMaxState;
    std::int32_t pathAppRespTimeAvgState;
    std::int32_t pathWaitRespTimeMin;
    std::int32_t pathWaitRespTimeMax;
    std::int32_t pathWaitRespTimeAvg;
    std::int32_t pathWaitRespTimeMinState;
    std::int32_t pathWaitRespTimeMaxState;
    std::int32_t pathWaitRespTimeAvgState;
};

// The entry travels as times, network direction states, the rest; the
// callback passes the network direction states last.
#define VYT_GROUP_LIST_SrvDetailEntryTimes(P, x) \
    P(x, Int, pathDisRespTime, Milliseconds) \
    P(x, Int, pathTotRespTime, Milliseconds) \
    P(x, Int, pathNetRespTimeOut, Milliseconds) \
    P(x, Int, pathNetRespTimeIn, Milliseconds) \
    P(x, Int, pathSrvRespTime, Milliseconds) \
    P(x, Int, pathAppRespTime, Milliseconds) \
    P(x, Int, pathWaitRespTime, Milliseconds) \
    P(x, Int, pathTotRespTimeState, AlertState)
#define VYT_GROUP_LIST_SrvDetailEntryNetStates(P, x) \
    P(x, Int, pathNetRespTimeOutState, AlertState) \
    P(x, Int, pathNetRespTimeInState, AlertState)
#define VYT_GROUP_LIST_SrvDetailEntryRest(P, x) \
    P(x, Int, pathSrvRespTimeState, AlertState) \
    P(x, Int, pathAppRespTimeState, AlertState) \
    P(x, Int, pathWaitRespTimeState, AlertState) \
    P(x, Int, pathClientTranCt, Count)
struct SrvDetailEntryMetrics {
    VYT_GROUP_LIST_SrvDetailEntryTimes(VYT_LAYOUT_WORD, ~)
    VYT_GROUP_LIST_SrvDetailEntryNetStates(VYT_LAYOUT_WORD, ~)
    VYT_GROUP_LIST_SrvDetailEntryRest(VYT_LAYOUT_WORD, ~)
};

// ---- wait detail (M = 36, K = 7) ---------------------------------------------------

struct WaitDetailMetrics {
    std::int32_t pathSrvRespTimeMin;
    std::int32_t pathSrvRespTimeMax;
    std::int32_t pathSrvRespTimeAvg;
    std::int32_t pathSrvRespTimeMinState;
    std::int32_t pathSrvRespTimeMaxState;
    std::int32_t pathSrvRespTimeAvgState;
    std::int32_t pathAppRespTimeMin;
    std::int32_t pathAppRespTimeMax;
    std::int32_t pathAppRespTimeAvg;
    std::int32_t pathAppRespTimeMinState;
    std::int32_t pathAppRespTimeMaxState;
    std::int32_t pathAppRespTimeAvgState;
    std::int32_t pathWaitRespTimeMin;
    std::int32_t pathWaitRespTimeMax;
    std::int32_t pathWaitRespTimeAvg;
    std::int32_t pathWaitRespTimeMinState;
    std::int32_t pathWaitRespTimeMaxState;
    std::int32_t pathWaitRespTimeAvgState;
    std::int32_t pathDisRespTimeMin;
    std::int32_t pathDisRespTimeMax;
    std::int32_t pathDisRespTimeAvg;
    std::int32_t pathDisAppRespTimeMin;
    std::int32_t pathDisAppRespTimeMax;
    std::int32_t pathDisAppRespTimeAvg;
    std::int32_t pathDisWaitRespTimeMin;
    std::int32_t pathDisWaitRespTimeMax;
    std::int32_t pathDisWaitRespTimeAvg;
    std::int32_t pathRetRespTimeMin;
    std::int32_t pathRetRespTimeMax;
    std::int32_t pathRetRespTimeAvg;
    std::int32_t pathRetAppRespTimeMin;
    std::int32_t pathRetAppRespTimeMax;
    std::int32_t pathRetAppRespTimeAvg;
    std::int32_t pathRetWaitRespTimeMin;
    std::int32_t pathRetWaitRespTimeMax;
    std::int32_t pathRetWaitRespTimeAvg;
};

#define VYT_GROUP_LIST_WaitDetailEntryWords(P, x) \
    P(x, Int, pathSrvRespTime, Milliseconds) \
    P(x, Int, pathAppRespTime, Milliseconds) \
    P(x, Int, pathWaitRespTime, Milliseconds) \
    P(x, Int, pathSrvRespTimeState, AlertState) \
    P(x, Int, pathAppRespTimeState, AlertState) \
    P(x, Int, pathWaitRespTimeState, AlertState) \
    P(x, Int, pathClientTranCt, Count)
struct WaitDetailEntryMetrics {
    VYT_GROUP_LIST_WaitDetailEntryWords(VYT_LAYOUT_WORD, ~)
};

VYT_PACKED_END

using RspTimeDetailReply = PathDetailReply<RspTimeDetailMetrics>;
using RspTimeDetailEntry = PathDetailEntry<RspTimeDetailEntryMetrics>;
using PathTimeDetailReply = PathDetailReply<PathTimeDetailMetrics>;
using PathTimeDetailEntry = PathDetailEntry<PathTimeDetailEntryMetrics>;
using NetDetailReply = PathDetailReply<NetDetailMetrics>;
using NetDetailEntry = PathDetailEntry<NetDetailEntryMetrics>;
using SrvDetailReply = PathDetailReply<SrvDetailMetrics>;
using SrvDetailEntry = PathDetailEntry<SrvDetailEntryMetrics>;
using WaitDetailReply = PathDetailReply<WaitDetailMetrics>;
using WaitDetailEntry = PathDetailEntry<WaitDetailEntryMetrics>;

// The number of int32 words in a metric layout (M for a reply, K for an entry).
template <class Metrics>
inline constexpr std::size_t kWords = sizeof(Metrics) / 4;

// The general rule: interval block at T = 1516 + 4*M, entries at T + 28, an
// entry of 4*K + 28 bytes.
template <class Metrics, class EntryMetrics>
constexpr bool PathDetailShapeHolds() {
    using R = PathDetailReply<Metrics>;
    using E = PathDetailEntry<EntryMetrics>;
    return sizeof(Metrics) % 4 == 0 && sizeof(EntryMetrics) % 4 == 0 &&
           offsetof(R, metrics) == 1512 && offsetof(R, interval) == 1516 + 4 * kWords<Metrics> &&
           sizeof(R) == offsetof(R, interval) + 28 && offsetof(E, tail) == 4 * kWords<EntryMetrics> &&
           sizeof(E) == 4 * kWords<EntryMetrics> + 28;
}

// ---- the shared parts (the same in every report: they precede the metric block) ----

VYT_SIZE(PathDetailDistribution, 52);
VYT_SIZE(PathDetailInterval, 28);
VYT_SIZE(PathDetailEntryTail, 28);

VYT_AT(RspTimeDetailReply, reportEntryCt, 8);
VYT_AT(RspTimeDetailReply, tranName, 20);
VYT_AT(RspTimeDetailReply, subTranName, 84);
VYT_AT(RspTimeDetailReply, path.pathIPSrcPort, 1132);
VYT_AT(RspTimeDetailReply, path.pathIPDstPort, 1134);
VYT_AT(RspTimeDetailReply, path.pathIPSrcAddress, 1136);
VYT_AT(RspTimeDetailReply, path.pathIPSrcNetName, 1152);
VYT_AT(RspTimeDetailReply, path.pathIPSrcAlias, 1280);
VYT_AT(RspTimeDetailReply, path.pathIPDstAddress, 1296);
VYT_AT(RspTimeDetailReply, path.pathIPDstNetName, 1312);
VYT_AT(RspTimeDetailReply, path.pathIPDstAlias, 1440);
VYT_AT(RspTimeDetailReply, unused1456, 1456);
VYT_AT(RspTimeDetailReply, dist.pathTotRespTimeDataCtSum, 1460);
VYT_AT(RspTimeDetailReply, dist.Group1, 1464);
VYT_AT(RspTimeDetailReply, dist.Group2, 1468);
VYT_AT(RspTimeDetailReply, dist.Group3, 1472);
VYT_AT(RspTimeDetailReply, dist.Group1Ct, 1476);
VYT_AT(RspTimeDetailReply, dist.Group2Ct, 1480);
VYT_AT(RspTimeDetailReply, dist.Group3Ct, 1484);
VYT_AT(RspTimeDetailReply, dist.Group4Ct, 1488);
VYT_AT(RspTimeDetailReply, dist.GroupAllCt, 1492);
VYT_AT(RspTimeDetailReply, dist.Group1State, 1496);
VYT_AT(RspTimeDetailReply, dist.Group2State, 1500);
VYT_AT(RspTimeDetailReply, dist.Group3State, 1504);
VYT_AT(RspTimeDetailReply, dist.Group4State, 1508);
VYT_AT(RspTimeDetailReply, metrics, 1512);

// ---- response-time detail ----------------------------------------------------------

static_assert(PathDetailShapeHolds<RspTimeDetailMetrics, RspTimeDetailEntryMetrics>());
static_assert(kWords<RspTimeDetailMetrics> == 6 && kWords<RspTimeDetailEntryMetrics> == 11);
VYT_AT(RspTimeDetailReply, metrics.pathTotRespTimeMin, 1512);
VYT_AT(RspTimeDetailReply, metrics.pathTotRespTimeMax, 1516);
VYT_AT(RspTimeDetailReply, metrics.pathTotRespTimeAvg, 1520);
VYT_AT(RspTimeDetailReply, metrics.pathTotRespTimeMinState, 1524);
VYT_AT(RspTimeDetailReply, metrics.pathTotRespTimeMaxState, 1528);
VYT_AT(RspTimeDetailReply, metrics.pathTotRespTimeAvgState, 1532);
VYT_AT(RspTimeDetailReply, unusedAfterMetrics, 1536);
VYT_AT(RspTimeDetailReply, interval.tranTotalCtSum, 1540);
VYT_AT(RspTimeDetailReply, interval.sumIntervalUTCNow, 1544);
VYT_AT(RspTimeDetailReply, interval.sumIntervalUTCStart, 1548);
VYT_AT(RspTimeDetailReply, interval.sumIntervalSecs, 1552);
VYT_AT(RspTimeDetailReply, interval.sumIntervalAux, 1556);
VYT_AT(RspTimeDetailReply, interval.reportReturnCode, 1560);
VYT_AT(RspTimeDetailReply, interval.flags, 1564);
VYT_SIZE(RspTimeDetailReply, 1568);
VYT_AT(RspTimeDetailEntry, metrics.pathTotRespTime, 0);
VYT_AT(RspTimeDetailEntry, metrics.pathNetRespTime, 4);
VYT_AT(RspTimeDetailEntry, metrics.pathSrvRespTime, 8);
VYT_AT(RspTimeDetailEntry, metrics.pathAppRespTime, 12);
VYT_AT(RspTimeDetailEntry, metrics.pathWaitRespTime, 16);
VYT_AT(RspTimeDetailEntry, metrics.pathTotRespTimeState, 20);
VYT_AT(RspTimeDetailEntry, metrics.pathNetRespTimeState, 24);
VYT_AT(RspTimeDetailEntry, metrics.pathSrvRespTimeState, 28);
VYT_AT(RspTimeDetailEntry, metrics.pathAppRespTimeState, 32);
VYT_AT(RspTimeDetailEntry, metrics.pathWaitRespTimeState, 36);
VYT_AT(RspTimeDetailEntry, metrics.pathClientTranCt, 40);
VYT_AT(RspTimeDetailEntry, tail.pathIPSrcAddress, 44);
VYT_AT(RspTimeDetailEntry, tail.pathIPSrc, 60);
VYT_AT(RspTimeDetailEntry, tail.pathIPSrcPort, 64);
VYT_AT(RspTimeDetailEntry, tail.pathIPDstPort, 66);
VYT_AT(RspTimeDetailEntry, tail.flags, 68);
VYT_SIZE(RspTimeDetailEntry, 72);

// ---- path time detail --------------------------------------------------------------

static_assert(PathDetailShapeHolds<PathTimeDetailMetrics, PathTimeDetailEntryMetrics>());
static_assert(kWords<PathTimeDetailMetrics> == 6 && kWords<PathTimeDetailEntryMetrics> == 7);
VYT_AT(PathTimeDetailReply, metrics.pathRespTimeMin, 1512);
VYT_AT(PathTimeDetailReply, metrics.pathRespTimeMax, 1516);
VYT_AT(PathTimeDetailReply, metrics.pathRespTimeAvg, 1520);
VYT_AT(PathTimeDetailReply, metrics.pathRespTimeMinState, 1524);
VYT_AT(PathTimeDetailReply, metrics.pathRespTimeMaxState, 1528);
VYT_AT(PathTimeDetailReply, metrics.pathRespTimeAvgState, 1532);
VYT_AT(PathTimeDetailReply, unusedAfterMetrics, 1536);
VYT_AT(PathTimeDetailReply, interval.tranTotalCtSum, 1540);
VYT_AT(PathTimeDetailReply, interval.sumIntervalUTCNow, 1544);
VYT_AT(PathTimeDetailReply, interval.sumIntervalUTCStart, 1548);
VYT_AT(PathTimeDetailReply, interval.sumIntervalSecs, 1552);
VYT_AT(PathTimeDetailReply, interval.sumIntervalAux, 1556);
VYT_AT(PathTimeDetailReply, interval.reportReturnCode, 1560);
VYT_AT(PathTimeDetailReply, interval.flags, 1564);
VYT_SIZE(PathTimeDetailReply, 1568);
VYT_AT(PathTimeDetailEntry, metrics.pathRespTime, 0);
VYT_AT(PathTimeDetailEntry, metrics.pathNetRespTime, 4);
VYT_AT(PathTimeDetailEntry, metrics.pathAppRespTime, 8);
VYT_AT(PathTimeDetailEntry, metrics.pathRespTimeState, 12);
VYT_AT(PathTimeDetailEntry, metrics.pathNetRespTimeState, 16);
VYT_AT(PathTimeDetailEntry, metrics.pathAppRespTimeState, 20);
VYT_AT(PathTimeDetailEntry, metrics.pathClientTranCt, 24);
VYT_AT(PathTimeDetailEntry, tail.pathIPSrcAddress, 28);
VYT_AT(PathTimeDetailEntry, tail.pathIPSrc, 44);
VYT_AT(PathTimeDetailEntry, tail.pathIPSrcPort, 48);
VYT_AT(PathTimeDetailEntry, tail.pathIPDstPort, 50);
VYT_AT(PathTimeDetailEntry, tail.flags, 52);
VYT_SIZE(PathTimeDetailEntry, 56);

// ---- network detail ----------------------------------------------------------------

static_assert(PathDetailShapeHolds<NetDetailMetrics, NetDetailEntryMetrics>());
static_assert(kWords<NetDetailMetrics> == 24 && kWords<NetDetailEntryMetrics> == 13);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeMin, 1512);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeMax, 1516);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeAvg, 1520);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeMinState, 1524);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeMaxState, 1528);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeAvgState, 1532);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeOutMin, 1536);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeOutMax, 1540);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeOutAvg, 1544);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeOutMinState, 1548);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeOutMaxState, 1552);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeOutAvgState, 1556);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeInMin, 1560);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeInMax, 1564);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeInAvg, 1568);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeInMinState, 1572);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeInMaxState, 1576);
VYT_AT(NetDetailReply, metrics.pathNetRespTimeInAvgState, 1580);
VYT_AT(NetDetailReply, metrics.pathNetOutKBytesPerSecAvg, 1584);
VYT_AT(NetDetailReply, metrics.pathNetInKBytesPerSecAvg, 1588);
VYT_AT(NetDetailReply, metrics.pathNetTotKBytesPerSecAvg, 1592);
VYT_AT(NetDetailReply, metrics.pathNetOutBytesCtAvg, 1596);
VYT_AT(NetDetailReply, metrics.pathNetInBytesCtAvg, 1600);
VYT_AT(NetDetailReply, metrics.pathNetTotBytesCtAvg, 1604);
VYT_AT(NetDetailReply, unusedAfterMetrics, 1608);
VYT_AT(NetDetailReply, interval.tranTotalCtSum, 1612);
VYT_AT(NetDetailReply, interval.sumIntervalUTCNow, 1616);
VYT_AT(NetDetailReply, interval.sumIntervalUTCStart, 1620);
VYT_AT(NetDetailReply, interval.sumIntervalSecs, 1624);
VYT_AT(NetDetailReply, interval.sumIntervalAux, 1628);
VYT_AT(NetDetailReply, interval.reportReturnCode, 1632);
VYT_AT(NetDetailReply, interval.flags, 1636);
VYT_SIZE(NetDetailReply, 1640);
VYT_AT(NetDetailEntry, metrics.pathNetRespTime, 0);
VYT_AT(NetDetailEntry, metrics.pathNetRespTimeOut, 4);
VYT_AT(NetDetailEntry, metrics.pathNetRespTimeIn, 8);
VYT_AT(NetDetailEntry, metrics.pathNetOutKBytesPerSec, 12);
VYT_AT(NetDetailEntry, metrics.pathNetInKBytesPerSec, 16);
VYT_AT(NetDetailEntry, metrics.pathNetTotKBytesPerSec, 20);
VYT_AT(NetDetailEntry, metrics.pathNetOutBytesCt, 24);
VYT_AT(NetDetailEntry, metrics.pathNetInBytesCt, 28);
VYT_AT(NetDetailEntry, metrics.pathNetTotBytesCt, 32);
VYT_AT(NetDetailEntry, metrics.pathNetRespTimeState, 36);
VYT_AT(NetDetailEntry, metrics.pathNetRespTimeOutState, 40);
VYT_AT(NetDetailEntry, metrics.pathNetRespTimeInState, 44);
VYT_AT(NetDetailEntry, metrics.pathClientTranCt, 48);
VYT_AT(NetDetailEntry, tail.pathIPSrcAddress, 52);
VYT_AT(NetDetailEntry, tail.pathIPSrc, 68);
VYT_AT(NetDetailEntry, tail.pathIPSrcPort, 72);
VYT_AT(NetDetailEntry, tail.pathIPDstPort, 74);
VYT_AT(NetDetailEntry, tail.flags, 76);
VYT_SIZE(NetDetailEntry, 80);

// ---- server detail -----------------------------------------------------------------

static_assert(PathDetailShapeHolds<SrvDetailMetrics, SrvDetailEntryMetrics>());
static_assert(kWords<SrvDetailMetrics> == 30 && kWords<SrvDetailEntryMetrics> == 14);
VYT_AT(SrvDetailReply, metrics.pathSrvRespTimeMin, 1512);
VYT_AT(SrvDetailReply, metrics.pathSrvRespTimeMax, 1516);
VYT_AT(SrvDetailReply, metrics.pathSrvRespTimeAvg, 1520);
VYT_AT(SrvDetailReply, metrics.pathSrvRespTimeMinState, 1524);
VYT_AT(SrvDetailReply, metrics.pathSrvRespTimeMaxState, 1528);
VYT_AT(SrvDetailReply, metrics.pathSrvRespTimeAvgState, 1532);
VYT_AT(SrvDetailReply, metrics.appGroup1, 1536);
VYT_AT(SrvDetailReply, metrics.appGroup2, 1540);
VYT_AT(SrvDetailReply, metrics.appGroup3, 1544);
VYT_AT(SrvDetailReply, metrics.appGroup1Ct, 1548);
VYT_AT(SrvDetailReply, metrics.appGroup2Ct, 1552);
VYT_AT(SrvDetailReply, metrics.appGroup3Ct, 1556);
VYT_AT(SrvDetailReply, metrics.appGroup4Ct, 1560);
VYT_AT(SrvDetailReply, metrics.appGroupAllCt, 1564);
VYT_AT(SrvDetailReply, metrics.appGroup1State, 1568);
VYT_AT(SrvDetailReply, metrics.appGroup2State, 1572);
VYT_AT(SrvDetailReply, metrics.appGroup3State, 1576);
VYT_AT(SrvDetailReply, metrics.appGroup4State, 1580);
VYT_AT(SrvDetailReply, metrics.pathAppRespTimeMin, 1584);
VYT_AT(SrvDetailReply, metrics.pathAppRespTimeMax, 1588);
VYT_AT(SrvDetailReply, metrics.pathAppRespTimeAvg, 1592);
VYT_AT(SrvDetailReply, metrics.pathAppRespTimeMinState, 1596);
VYT_AT(SrvDetailReply, metrics.pathAppRespTimeMaxState, 1600);
VYT_AT(SrvDetailReply, metrics.pathAppRespTimeAvgState, 1604);
VYT_AT(SrvDetailReply, metrics.pathWaitRespTimeMin, 1608);
VYT_AT(SrvDetailReply, metrics.pathWaitRespTimeMax, 1612);
VYT_AT(SrvDetailReply, metrics.pathWaitRespTimeAvg, 1616);
VYT_AT(SrvDetailReply, metrics.pathWaitRespTimeMinState, 1620);
VYT_AT(SrvDetailReply, metrics.pathWaitRespTimeMaxState, 1624);
VYT_AT(SrvDetailReply, metrics.pathWaitRespTimeAvgState, 1628);
VYT_AT(SrvDetailReply, unusedAfterMetrics, 1632);
VYT_AT(SrvDetailReply, interval.tranTotalCtSum, 1636);
VYT_AT(SrvDetailReply, interval.sumIntervalUTCNow, 1640);
VYT_AT(SrvDetailReply, interval.sumIntervalUTCStart, 1644);
VYT_AT(SrvDetailReply, interval.sumIntervalSecs, 1648);
VYT_AT(SrvDetailReply, interval.sumIntervalAux, 1652);
VYT_AT(SrvDetailReply, interval.reportReturnCode, 1656);
VYT_AT(SrvDetailReply, interval.flags, 1660);
VYT_SIZE(SrvDetailReply, 1664);
VYT_AT(SrvDetailEntry, metrics.pathDisRespTime, 0);
VYT_AT(SrvDetailEntry, metrics.pathTotRespTime, 4);
VYT_AT(SrvDetailEntry, metrics.pathNetRespTimeOut, 8);
VYT_AT(SrvDetailEntry, metrics.pathNetRespTimeIn, 12);
VYT_AT(SrvDetailEntry, metrics.pathSrvRespTime, 16);
VYT_AT(SrvDetailEntry, metrics.pathAppRespTime, 20);
VYT_AT(SrvDetailEntry, metrics.pathWaitRespTime, 24);
VYT_AT(SrvDetailEntry, metrics.pathTotRespTimeState, 28);
VYT_AT(SrvDetailEntry, metrics.pathNetRespTimeOutState, 32);
VYT_AT(SrvDetailEntry, metrics.pathNetRespTimeInState, 36);
VYT_AT(SrvDetailEntry, metrics.pathSrvRespTimeState, 40);
VYT_AT(SrvDetailEntry, metrics.pathAppRespTimeState, 44);
VYT_AT(SrvDetailEntry, metrics.pathWaitRespTimeState, 48);
VYT_AT(SrvDetailEntry, metrics.pathClientTranCt, 52);
VYT_AT(SrvDetailEntry, tail.pathIPSrcAddress, 56);
VYT_AT(SrvDetailEntry, tail.pathIPSrc, 72);
VYT_AT(SrvDetailEntry, tail.pathIPSrcPort, 76);
VYT_AT(SrvDetailEntry, tail.pathIPDstPort, 78);
VYT_AT(SrvDetailEntry, tail.flags, 80);
VYT_SIZE(SrvDetailEntry, 84);

// ---- wait detail -------------------------------------------------------------------

static_assert(PathDetailShapeHolds<WaitDetailMetrics, WaitDetailEntryMetrics>());
static_assert(kWords<WaitDetailMetrics> == 36 && kWords<WaitDetailEntryMetrics> == 7);
VYT_AT(WaitDetailReply, metrics.pathSrvRespTimeMin, 1512);
VYT_AT(WaitDetailReply, metrics.pathSrvRespTimeMax, 1516);
VYT_AT(WaitDetailReply, metrics.pathSrvRespTimeAvg, 1520);
VYT_AT(WaitDetailReply, metrics.pathSrvRespTimeMinState, 1524);
VYT_AT(WaitDetailReply, metrics.pathSrvRespTimeMaxState, 1528);
VYT_AT(WaitDetailReply, metrics.pathSrvRespTimeAvgState, 1532);
VYT_AT(WaitDetailReply, metrics.pathAppRespTimeMin, 1536);
VYT_AT(WaitDetailReply, metrics.pathAppRespTimeMax, 1540);
VYT_AT(WaitDetailReply, metrics.pathAppRespTimeAvg, 1544);
VYT_AT(WaitDetailReply, metrics.pathAppRespTimeMinState, 1548);
VYT_AT(WaitDetailReply, metrics.pathAppRespTimeMaxState, 1552);
VYT_AT(WaitDetailReply, metrics.pathAppRespTimeAvgState, 1556);
VYT_AT(WaitDetailReply, metrics.pathWaitRespTimeMin, 1560);
VYT_AT(WaitDetailReply, metrics.pathWaitRespTimeMax, 1564);
VYT_AT(WaitDetailReply, metrics.pathWaitRespTimeAvg, 1568);
VYT_AT(WaitDetailReply, metrics.pathWaitRespTimeMinState, 1572);
VYT_AT(WaitDetailReply, metrics.pathWaitRespTimeMaxState, 1576);
VYT_AT(WaitDetailReply, metrics.pathWaitRespTimeAvgState, 1580);
VYT_AT(WaitDetailReply, metrics.pathDisRespTimeMin, 1584);
VYT_AT(WaitDetailReply, metrics.pathDisRespTimeMax, 1588);
VYT_AT(WaitDetailReply, metrics.pathDisRespTimeAvg, 1592);
VYT_AT(WaitDetailReply, metrics.pathDisAppRespTimeMin, 1596);
VYT_AT(WaitDetailReply, metrics.pathDisAppRespTimeMax, 1600);
VYT_AT(WaitDetailReply, metrics.pathDisAppRespTimeAvg, 1604);
VYT_AT(WaitDetailReply, metrics.pathDisWaitRespTimeMin, 1608);
VYT_AT(WaitDetailReply, metrics.pathDisWaitRespTimeMax, 1612);
VYT_AT(WaitDetailReply, metrics.pathDisWaitRespTimeAvg, 1616);
VYT_AT(WaitDetailReply, metrics.pathRetRespTimeMin, 1620);
VYT_AT(WaitDetailReply, metrics.pathRetRespTimeMax, 1624);
VYT_AT(WaitDetailReply, metrics.pathRetRespTimeAvg, 1628);
VYT_AT(WaitDetailReply, metrics.pathRetAppRespTimeMin, 1632);
VYT_AT(WaitDetailReply, metrics.pathRetAppRespTimeMax, 1636);
VYT_AT(WaitDetailReply, metrics.pathRetAppRespTimeAvg, 1640);
VYT_AT(WaitDetailReply, metrics.pathRetWaitRespTimeMin, 1644);
VYT_AT(WaitDetailReply, metrics.pathRetWaitRespTimeMax, 1648);
VYT_AT(WaitDetailReply, metrics.pathRetWaitRespTimeAvg, 1652);
VYT_AT(WaitDetailReply, unusedAfterMetrics, 1656);
VYT_AT(WaitDetailReply, interval.tranTotalCtSum, 1660);
VYT_AT(WaitDetailReply, interval.sumIntervalUTCNow, 1664);
VYT_AT(WaitDetailReply, interval.sumIntervalUTCStart, 1668);
VYT_AT(WaitDetailReply, interval.sumIntervalSecs, 1672);
VYT_AT(WaitDetailReply, interval.sumIntervalAux, 1676);
VYT_AT(WaitDetailReply, interval.reportReturnCode, 1680);
VYT_AT(WaitDetailReply, interval.flags, 1684);
VYT_SIZE(WaitDetailReply, 1688);
VYT_AT(WaitDetailEntry, metrics.pathSrvRespTime, 0);
VYT_AT(WaitDetailEntry, metrics.pathAppRespTime, 4);
VYT_AT(WaitDetailEntry, metrics.pathWaitRespTime, 8);
VYT_AT(WaitDetailEntry, metrics.pathSrvRespTimeState, 12);
VYT_AT(WaitDetailEntry, metrics.pathAppRespTimeState, 16);
VYT_AT(WaitDetailEntry, metrics.pathWaitRespTimeState, 20);
VYT_AT(WaitDetailEntry, metrics.pathClientTranCt, 24);
VYT_AT(WaitDetailEntry, tail.pathIPSrcAddress, 28);
VYT_AT(WaitDetailEntry, tail.pathIPSrc, 44);
VYT_AT(WaitDetailEntry, tail.pathIPSrcPort, 48);
VYT_AT(WaitDetailEntry, tail.pathIPDstPort, 50);
VYT_AT(WaitDetailEntry, tail.flags, 52);
VYT_SIZE(WaitDetailEntry, 56);

}  // namespace vyt::layout
