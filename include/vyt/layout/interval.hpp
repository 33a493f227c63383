// Wire layouts of the interval performance replies: response time, path time,
// network/server/wait tier time, server load and transaction flow.
#pragma once

#include <cstdint>

#include "vyt/bytes.hpp"
#include "vyt/layout/common.hpp"

namespace vyt::layout {

VYT_PACKED_BEGIN

// ---- the two interval header forms ---------------------------------------------

// The 1152-byte header of the response-time and tier-time replies.
struct IntervalHeader {
    std::int32_t reportLen;
    std::int32_t reportId;
    std::int32_t reportEntryCt;
    std::int32_t reportEntryContinueIdx;
    std::int32_t reportEntryContinueIdx2;
    std::uint8_t unused20[1092];
    std::int32_t tranTotalTierCt;
    std::int32_t tranTotalPathCt;
    std::int32_t tranTotalCt;
    std::int32_t tranTotalCtSum;
    std::int32_t sumIntervalUTCNow;    // end of the summary interval
    std::int32_t sumIntervalUTCStart;  // start of the summary interval
    std::int32_t sumIntervalSecs;
    std::int32_t sumIntervalAux;
    // The last two words: the return code and the flags word, except in the
    // server tier reply, which keeps a plain value and then its return code here.
    std::int32_t word1144;
    std::int32_t word1148;
};

// The 1156-byte header of the path-time and transaction flow replies: the
// transaction's average response time sits before the interval words.
struct IntervalHeaderWithAvg {
    std::int32_t reportLen;
    std::int32_t reportId;
    std::int32_t reportEntryCt;
    std::int32_t reportEntryContinueIdx;
    std::int32_t reportEntryContinueIdx2;
    std::uint8_t unused20[1092];
    std::int32_t tranTotalTierCt;
    std::int32_t tranTotalPathCt;
    std::int32_t tranTotalCt;
    std::int32_t tranTotalCtSum;
    std::int32_t tranTotRespTimeAvg;
    std::int32_t sumIntervalUTCNow;
    std::int32_t sumIntervalUTCStart;
    std::int32_t sumIntervalSecs;
    std::int32_t sumIntervalAux;
    std::int32_t reportReturnCode;
    std::int32_t flags;
};

// ---- path entries ------------------------------------------------------------------

// The 404 bytes that open every path entry of the response-time and tier-time
// replies: the path number, its ports and both endpoint groups.
struct PathEndpoints {
    std::uint8_t unused0[64];
    std::int32_t pathId;
    std::uint8_t unused68[8];
    PathPortsAndEndpoints ends;
    std::uint8_t unused400[4];
};

struct TransRspTimeEntry {
    PathEndpoints path;
    std::int32_t pathTotRespTimeDataCtSum;
    std::int32_t pathTotRespTimeAvg;
    std::int32_t pathNetRespTimeAvg;
    std::int32_t pathSrvRespTimeAvg;
    std::int32_t pathAppRespTimeAvg;
    std::int32_t pathWaitRespTimeAvg;
    std::int32_t pathTotRespTimeAlertState;
    std::int32_t pathNetRespTimeAlertState;
    std::int32_t pathSrvRespTimeAlertState;
    std::int32_t pathAppRespTimeAlertState;
    std::int32_t pathWaitRespTimeAlertState;
    std::int32_t pathMaxRespTimeAlertState;
    std::int32_t flags;
};

struct TransPathTimeEntry {
    PathEndpoints path;
    std::int32_t pathTotRespTimeDataCtSum;
    std::int32_t pathTotRespTimeAvg;
    std::int32_t pathNetRespTimeAvg;
    std::int32_t pathAppRespTimeAvg;
    std::int32_t pathTotRespTimeAlertState;
    std::int32_t pathNetRespTimeAlertState;
    std::int32_t pathAppRespTimeAlertState;
    std::int32_t flags;
};

struct TransNetTimeEntry {
    PathEndpoints path;
    std::int32_t pathTotRespTimeDataCtSum;
    std::int32_t pathNetRespTimeAvg;
    std::int32_t pathNetRespTimeOutAvg;
    std::int32_t pathNetRespTimeInAvg;
    std::int32_t pathNetOutKBytesPerSecAvg;
    std::int32_t pathNetInKBytesPerSecAvg;
    std::uint8_t unused428[4];
    std::int32_t pathNetOutBytesCtAvg;
    std::int32_t pathNetInBytesCtAvg;
    std::uint8_t unused440[4];
    std::int32_t pathNetRespTimeAlertState;
    std::int32_t pathNetRespTimeOutAlertState;
    std::int32_t pathNetRespTimeInAlertState;
    std::int32_t flags;
};

struct TransSrvTimeEntry {
    PathEndpoints path;
    std::int32_t pathTotRespTimeDataCtSum;
    std::int32_t pathSrvRespTimeAvg;
    std::int32_t pathAppRespTimeAvg;
    std::int32_t pathWaitRespTimeAvg;
    std::int32_t pathDisRespTimeAvg;
    std::int32_t pathSrvRespTimeAlertState;
    std::int32_t pathAppRespTimeAlertState;
    std::int32_t pathWaitRespTimeAlertState;
    std::int32_t flags;
};

struct TransWaitTimeEntry {
    PathEndpoints path;
    std::int32_t pathTotRespTimeDataCtSum;
    std::int32_t pathDisRespTimeAvg;
    std::int32_t pathRetRespTimeAvg;
    std::int32_t pathWaitRespTimeAvg;
    std::int32_t pathWaitRespTimeAlertState;
    std::int32_t flags;  // low four bits: which kind of path the entry is
};

// ---- server load -------------------------------------------------------------------

// The server load reply has a header of its own: the interval start comes
// before its end.
struct ServerLoadHeader {
    std::int32_t reportLen;
    std::int32_t reportId;
    std::int32_t reportEntryCt;
    std::int32_t reportEntryContinueIdx;
    std::int32_t reportEntryContinueIdx2;
    char tranName[64];
    std::int32_t serverId;
    std::int32_t totalServerRespTimeDataCtSumt;
    std::int32_t sumIntervalUTCStart;
    std::int32_t sumIntervalUTCNow;
    std::int32_t sumIntervalSecs;
    std::int32_t collectorStartupTime;
    std::int32_t flags;
};

struct ServerLoadEntry {
    char ownTranName[64];
    char impTranName[64];
    std::int32_t pathId;
    PathPortsAndEndpoints ends;
    std::int32_t pathTotRespTimeDataCtSum;
    std::int32_t pathTranPerMinute;
    std::int32_t pathKBytesPerMinute;
    std::int32_t pathTranImpactPct;
    std::int32_t pathTotRespTimeAvg;
    std::int32_t pathWaitRespTimeAvg;
    std::int32_t pathTotRespTimeAlertState;
    std::int32_t pathWaitRespTimeAlertState;
    std::int32_t pathWorstComponentState;
    std::int32_t flags;
};

// ---- transaction flow ----------------------------------------------------------------

struct TransFlowEntry {
    std::int32_t type;
    std::int32_t pathTotRespTimeAvg;
    std::int32_t pathRespTimeAvg;
    std::int32_t pathNetRespTimeAvg;
    std::int32_t pathNetRespTimeOutAvg;
    std::int32_t pathNetRespTimeInAvg;
    std::uint8_t unused24[36];
    std::int32_t pathTotRespTimeAvgState;
    std::int32_t pathRespTimeAvgState;
    std::int32_t pathNetRespTimeAvgState;
    std::int32_t pathWorstComponentState;
    std::int32_t nodeSrvRespTimeAvg;
    std::int32_t nodeAppRespTimeAvg;
    std::int32_t nodeWaitRespTimeAvg;
    std::int32_t nodeSrvRespTimeAvgState;
    std::int32_t nodeAppRespTimeAvgState;
    std::int32_t nodeWaitRespTimeAvgState;
    std::int32_t nodeWorstComponentState;
    std::int32_t pathId;
    std::int32_t pathTier;
    std::int32_t pathTotRespTimeDataCt;
    std::int32_t pathTotRespTimeDataCtSum;
    std::int32_t colNum;
    char nodeName[144];
    char nodeAlias[16];
    std::uint16_t nodePort;
    std::uint8_t unused286[2];
    std::int32_t flags;
};

VYT_PACKED_END

// ---- compile-time checks of the documented offsets and sizes ---------------------

VYT_AT(IntervalHeader, reportLen, 0);
VYT_AT(IntervalHeader, reportId, 4);
VYT_AT(IntervalHeader, reportEntryCt, 8);
VYT_AT(IntervalHeader, reportEntryContinueIdx, 12);
VYT_AT(IntervalHeader, reportEntryContinueIdx2, 16);
VYT_AT(IntervalHeader, unused20, 20);
VYT_AT(IntervalHeader, tranTotalTierCt, 1112);
VYT_AT(IntervalHeader, tranTotalPathCt, 1116);
VYT_AT(IntervalHeader, tranTotalCt, 1120);
VYT_AT(IntervalHeader, tranTotalCtSum, 1124);
VYT_AT(IntervalHeader, sumIntervalUTCNow, 1128);
VYT_AT(IntervalHeader, sumIntervalUTCStart, 1132);
VYT_AT(IntervalHeader, sumIntervalSecs, 1136);
VYT_AT(IntervalHeader, sumIntervalAux, 1140);
VYT_AT(IntervalHeader, word1144, 1144);
VYT_AT(IntervalHeader, word1148, 1148);
VYT_SIZE(IntervalHeader, 1152);

VYT_AT(IntervalHeaderWithAvg, reportLen, 0);
VYT_AT(IntervalHeaderWithAvg, reportId, 4);
VYT_AT(IntervalHeaderWithAvg, reportEntryCt, 8);
VYT_AT(IntervalHeaderWithAvg, reportEntryContinueIdx, 12);
VYT_AT(IntervalHeaderWithAvg, reportEntryContinueIdx2, 16);
VYT_AT(IntervalHeaderWithAvg, unused20, 20);
VYT_AT(IntervalHeaderWithAvg, tranTotalTierCt, 1112);
VYT_AT(IntervalHeaderWithAvg, tranTotalPathCt, 1116);
VYT_AT(IntervalHeaderWithAvg, tranTotalCt, 1120);
VYT_AT(IntervalHeaderWithAvg, tranTotalCtSum, 1124);
VYT_AT(IntervalHeaderWithAvg, tranTotRespTimeAvg, 1128);
VYT_AT(IntervalHeaderWithAvg, sumIntervalUTCNow, 1132);
VYT_AT(IntervalHeaderWithAvg, sumIntervalUTCStart, 1136);
VYT_AT(IntervalHeaderWithAvg, sumIntervalSecs, 1140);
VYT_AT(IntervalHeaderWithAvg, sumIntervalAux, 1144);
VYT_AT(IntervalHeaderWithAvg, reportReturnCode, 1148);
VYT_AT(IntervalHeaderWithAvg, flags, 1152);
VYT_SIZE(IntervalHeaderWithAvg, 1156);

VYT_AT(PathEndpoints, pathId, 64);
VYT_AT(PathEndpoints, unused68, 68);
VYT_AT(PathEndpoints, ends.pathIPSrcPort, 76);
VYT_AT(PathEndpoints, ends.pathIPDstPort, 78);
VYT_AT(PathEndpoints, ends.pathIPSrcAddress, 80);
VYT_AT(PathEndpoints, ends.pathIPSrcNetName, 96);
VYT_AT(PathEndpoints, ends.pathIPSrcAlias, 224);
VYT_AT(PathEndpoints, ends.pathIPDstAddress, 240);
VYT_AT(PathEndpoints, ends.pathIPDstNetName, 256);
VYT_AT(PathEndpoints, ends.pathIPDstAlias, 384);
VYT_AT(PathEndpoints, unused400, 400);
VYT_SIZE(PathEndpoints, 404);

VYT_AT(TransRspTimeEntry, pathTotRespTimeDataCtSum, 404);
VYT_AT(TransRspTimeEntry, pathTotRespTimeAvg, 408);
VYT_AT(TransRspTimeEntry, pathNetRespTimeAvg, 412);
VYT_AT(TransRspTimeEntry, pathSrvRespTimeAvg, 416);
VYT_AT(TransRspTimeEntry, pathAppRespTimeAvg, 420);
VYT_AT(TransRspTimeEntry, pathWaitRespTimeAvg, 424);
VYT_AT(TransRspTimeEntry, pathTotRespTimeAlertState, 428);
VYT_AT(TransRspTimeEntry, pathNetRespTimeAlertState, 432);
VYT_AT(TransRspTimeEntry, pathSrvRespTimeAlertState, 436);
VYT_AT(TransRspTimeEntry, pathAppRespTimeAlertState, 440);
VYT_AT(TransRspTimeEntry, pathWaitRespTimeAlertState, 444);
VYT_AT(TransRspTimeEntry, pathMaxRespTimeAlertState, 448);
VYT_AT(TransRspTimeEntry, flags, 452);
VYT_SIZE(TransRspTimeEntry, 456);

VYT_AT(TransPathTimeEntry, pathTotRespTimeDataCtSum, 404);
VYT_AT(TransPathTimeEntry, pathTotRespTimeAvg, 408);
VYT_AT(TransPathTimeEntry, pathNetRespTimeAvg, 412);
VYT_AT(TransPathTimeEntry, pathAppRespTimeAvg, 416);
VYT_AT(TransPathTimeEntry, pathTotRespTimeAlertState, 420);
VYT_AT(TransPathTimeEntry, pathNetRespTimeAlertState, 424);
VYT_AT(TransPathTimeEntry, pathAppRespTimeAlertState, 428);
VYT_AT(TransPathTimeEntry, flags, 432);
VYT_SIZE(TransPathTimeEntry, 436);

VYT_AT(TransNetTimeEntry, pathTotRespTimeDataCtSum, 404);
VYT_AT(TransNetTimeEntry, pathNetRespTimeAvg, 408);
VYT_AT(TransNetTimeEntry, pathNetRespTimeOutAvg, 412);
VYT_AT(TransNetTimeEntry, pathNetRespTimeInAvg, 416);
VYT_AT(TransNetTimeEntry, pathNetOutKBytesPerSecAvg, 420);
VYT_AT(TransNetTimeEntry, pathNetInKBytesPerSecAvg, 424);
VYT_AT(TransNetTimeEntry, unused428, 428);
VYT_AT(TransNetTimeEntry, pathNetOutBytesCtAvg, 432);
VYT_AT(TransNetTimeEntry, pathNetInBytesCtAvg, 436);
VYT_AT(TransNetTimeEntry, unused440, 440);
VYT_AT(TransNetTimeEntry, pathNetRespTimeAlertState, 444);
VYT_AT(TransNetTimeEntry, pathNetRespTimeOutAlertState, 448);
VYT_AT(TransNetTimeEntry, pathNetRespTimeInAlertState, 452);
VYT_AT(TransNetTimeEntry, flags, 456);
VYT_SIZE(TransNetTimeEntry, 460);

VYT_AT(TransSrvTimeEntry, pathTotRespTimeDataCtSum, 404);
VYT_AT(TransSrvTimeEntry, pathSrvRespTimeAvg, 408);
VYT_AT(TransSrvTimeEntry, pathAppRespTimeAvg, 412);
VYT_AT(TransSrvTimeEntry, pathWaitRespTimeAvg, 416);
VYT_AT(TransSrvTimeEntry, pathDisRespTimeAvg, 420);
VYT_AT(TransSrvTimeEntry, pathSrvRespTimeAlertState, 424);
VYT_AT(TransSrvTimeEntry, pathAppRespTimeAlertState, 428);
VYT_AT(TransSrvTimeEntry, pathWaitRespTimeAlertState, 432);
VYT_AT(TransSrvTimeEntry, flags, 436);
VYT_SIZE(TransSrvTimeEntry, 440);

VYT_AT(TransWaitTimeEntry, pathTotRespTimeDataCtSum, 404);
VYT_AT(TransWaitTimeEntry, pathDisRespTimeAvg, 408);
VYT_AT(TransWaitTimeEntry, pathRetRespTimeAvg, 412);
VYT_AT(TransWaitTimeEntry, pathWaitRespTimeAvg, 416);
VYT_AT(TransWaitTimeEntry, pathWaitRespTimeAlertState, 420);
VYT_AT(TransWaitTimeEntry, flags, 424);
VYT_SIZE(TransWaitTimeEntry, 428);

VYT_AT(ServerLoadHeader, reportLen, 0);
VYT_AT(ServerLoadHeader, reportId, 4);
VYT_AT(ServerLoadHeader, reportEntryCt, 8);
VYT_AT(ServerLoadHeader, reportEntryContinueIdx, 12);
VYT_AT(ServerLoadHeader, reportEntryContinueIdx2, 16);
VYT_AT(ServerLoadHeader, tranName, 20);
VYT_AT(ServerLoadHeader, serverId, 84);
VYT_AT(ServerLoadHeader, totalServerRespTimeDataCtSumt, 88);
VYT_AT(ServerLoadHeader, sumIntervalUTCStart, 92);
VYT_AT(ServerLoadHeader, sumIntervalUTCNow, 96);
VYT_AT(ServerLoadHeader, sumIntervalSecs, 100);
VYT_AT(ServerLoadHeader, collectorStartupTime, 104);
VYT_AT(ServerLoadHeader, flags, 108);
VYT_SIZE(ServerLoadHeader, 112);

VYT_AT(ServerLoadEntry, ownTranName, 0);
VYT_AT(ServerLoadEntry, impTranName, 64);
VYT_AT(ServerLoadEntry, pathId, 128);
VYT_AT(ServerLoadEntry, ends.pathIPSrcPort, 132);
VYT_AT(ServerLoadEntry, ends.pathIPDstPort, 134);
VYT_AT(ServerLoadEntry, ends.pathIPSrcAddress, 136);
VYT_AT(ServerLoadEntry, ends.pathIPSrcNetName, 152);
VYT_AT(ServerLoadEntry, ends.pathIPSrcAlias, 280);
VYT_AT(ServerLoadEntry, ends.pathIPDstAddress, 296);
VYT_AT(ServerLoadEntry, ends.pathIPDstNetName, 312);
VYT_AT(ServerLoadEntry, ends.pathIPDstAlias, 440);
VYT_AT(ServerLoadEntry, pathTotRespTimeDataCtSum, 456);
VYT_AT(ServerLoadEntry, pathTranPerMinute, 460);
VYT_AT(ServerLoadEntry, pathKBytesPerMinute, 464);
VYT_AT(ServerLoadEntry, pathTranImpactPct, 468);
VYT_AT(ServerLoadEntry, pathTotRespTimeAvg, 472);
VYT_AT(ServerLoadEntry, pathWaitRespTimeAvg, 476);
VYT_AT(ServerLoadEntry, pathTotRespTimeAlertState, 480);
VYT_AT(ServerLoadEntry, pathWaitRespTimeAlertState, 484);
VYT_AT(ServerLoadEntry, pathWorstComponentState, 488);
VYT_AT(ServerLoadEntry, flags, 492);
VYT_SIZE(ServerLoadEntry, 496);

VYT_AT(TransFlowEntry, type, 0);
VYT_AT(TransFlowEntry, pathTotRespTimeAvg, 4);
VYT_AT(TransFlowEntry, pathRespTimeAvg, 8);
VYT_AT(TransFlowEntry, pathNetRespTimeAvg, 12);
VYT_AT(TransFlowEntry, pathNetRespTimeOutAvg, 16);
VYT_AT(TransFlowEntry, pathNetRespTimeInAvg, 20);
VYT_AT(TransFlowEntry, unused24, 24);
VYT_AT(TransFlowEntry, pathTotRespTimeAvgState, 60);
VYT_AT(TransFlowEntry, pathRespTimeAvgState, 64);
VYT_AT(TransFlowEntry, pathNetRespTimeAvgState, 68);
VYT_AT(TransFlowEntry, pathWorstComponentState, 72);
VYT_AT(TransFlowEntry, nodeSrvRespTimeAvg, 76);
VYT_AT(TransFlowEntry, nodeAppRespTimeAvg, 80);
VYT_AT(TransFlowEntry, nodeWaitRespTimeAvg, 84);
VYT_AT(TransFlowEntry, nodeSrvRespTimeAvgState, 88);
VYT_AT(TransFlowEntry, nodeAppRespTimeAvgState, 92);
VYT_AT(TransFlowEntry, nodeWaitRespTimeAvgState, 96);
VYT_AT(TransFlowEntry, nodeWorstComponentState, 100);
VYT_AT(TransFlowEntry, pathId, 104);
VYT_AT(TransFlowEntry, pathTier, 108);
VYT_AT(TransFlowEntry, pathTotRespTimeDataCt, 112);
VYT_AT(TransFlowEntry, pathTotRespTimeDataCtSum, 116);
VYT_AT(TransFlowEntry, colNum, 120);
VYT_AT(TransFlowEntry, nodeName, 124);
VYT_AT(TransFlowEntry, nodeAlias, 268);
VYT_AT(TransFlowEntry, nodePort, 284);
VYT_AT(TransFlowEntry, unused286, 286);
VYT_AT(TransFlowEntry, flags, 288);
VYT_SIZE(TransFlowEntry, 292);

}  // namespace vyt::layout
