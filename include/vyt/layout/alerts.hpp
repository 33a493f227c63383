// Wire layouts of the alert, summary and threshold replies.
#pragma once

#include <cstdint>

#include "vyt/bytes.hpp"
#include "vyt/layout/common.hpp"

namespace vyt::layout {

VYT_PACKED_BEGIN

// ---- current alerts and current URL alerts ---------------------------------------

// Shared by both alert lists; the continue indexes are read by the URL list only.
struct AlertHeader {
    std::int32_t reportLen;
    std::int32_t reportId;
    std::int32_t reportEntryCt;
    std::int32_t reportEntryContinueIdx;
    std::int32_t reportEntryContinueIdx2;
    std::int32_t sumIntervalUTCNow;
    std::int32_t sumIntervalUTCStart;
    std::int32_t alertHeaderValue1;
    std::int32_t alertHeaderValue2;
};

// The part of an alert entry from the path number on; the URL alert entry
// carries it 1028 bytes further on than the current alert entry.
struct AlertPath {
    std::int32_t pathId;
    std::uint8_t unused4[8];
    PathPortsAndEndpoints ends;  // the source port is not read
    std::int32_t pathTotRespTimeDataCt;
    std::int32_t pathTotRespTimeAlert;
    std::int32_t pathNetRespTimeAlert;
    std::int32_t pathSrvRespTimeAlert;
    std::int32_t pathAppRespTimeAlert;
    std::int32_t pathWaitRespTimeAlert;
    std::int32_t pathRespTimeAlert;
    std::int32_t pathFirstAlertUTCStart;
    std::int32_t pathTotRespTimeAlertState;
    std::int32_t pathNetRespTimeAlertState;
    std::int32_t pathSrvRespTimeAlertState;
    std::int32_t pathAppRespTimeAlertState;
    std::int32_t pathWaitRespTimeAlertState;
    std::int32_t pathRespTimeAlertState;
    std::int32_t pathMaxRespTimeAlertState;
    std::int32_t worstComponentState;
    std::int32_t flags;
};

struct CurrentAlertEntry {
    char tranName[64];
    AlertPath path;
};

struct URLAlertEntry {
    char tranName[64];
    char subTranName[1028];  // a NUL-terminated text at the start of the region
    AlertPath path;
};

// ---- event alerts ----------------------------------------------------------------

struct EventAlertHeader {
    std::int32_t reportLen;
    std::int32_t reportId;
    std::int32_t reportEntryCt;
    std::uint8_t unused12[8];
    std::int32_t sumIntervalUTCNow;
    std::int32_t eventHeaderValue1;
    std::int32_t eventHeaderValue2;
};

struct EventAlertEntry {
    char tranName[64];
    std::int32_t pathId;
    std::uint8_t unused68[4];
    std::int32_t pathTranCtMax;
    PathPortsAndEndpoints ends;
    std::int32_t pathTotRespTimeDataCt;
    std::int32_t pathEventType;
    std::int32_t pathEventTime;
    std::int32_t pathEventUTCStart;
    std::int32_t pathEventState;
    std::int32_t pathEventCurState;
    std::int32_t pathEventTypeAndState;
    std::int32_t flags;
};

// ---- summary -----------------------------------------------------------------------

struct SummaryHeader {
    std::int32_t reportLen;
    std::int32_t reportId;
    std::int32_t reportEntryCt;
    std::uint8_t unused12[1108];
    std::int32_t tranTotalCt;
    std::uint8_t unused1124[12];
    std::int32_t pathTotRespTimeDataCt;
    std::int32_t pathTotRespTimeAvgMax;
    std::uint8_t unused1144[4];
    std::int32_t pathNetRespTimeAvgMax;
    std::int32_t pathSrvRespTimeAvgMax;
    std::int32_t pathAppRespTimeAvgMax;
    std::int32_t pathWaitRespTimeAvgMax;
    PathPortsAndEndpoints ends;  // the aliases are not read
    std::int32_t pathSumIntervalCtMax;
    std::int32_t sumDataUTCStart;
    std::int32_t sumDataUTCNow;
    std::int32_t summaryHeaderValue;
    std::int32_t reportReturnCode;
    std::int32_t flags;
};

// One summary interval.  Its flags word comes first.
struct SummaryEntry {
    std::int32_t flags;
    std::int32_t sumIntervalUTCStart;
    std::int32_t sumIntervalUTCEnd;
    std::int32_t sumIntervalSecs;
    std::int32_t pathTotRespTimeDataCtSum;
    std::int32_t pathTotRespTimeAvg;
    std::int32_t pathTotRespTimeAvgState;
    std::int32_t pathRespTimeAvg;
    std::int32_t pathRespTimeAvgState;
    std::int32_t pathNetRespTimeAvg;
    std::int32_t pathNetRespTimeAvgState;
    std::int32_t pathSrvRespTimeAvg;
    std::int32_t pathSrvRespTimeAvgState;
    std::int32_t pathAppRespTimeAvg;
    std::int32_t pathAppRespTimeAvgState;
    std::int32_t pathWaitRespTimeAvg;
    std::int32_t pathWaitRespTimeAvgState;
};

// ---- thresholds ----------------------------------------------------------------------

// A single record without entries.
struct ThresholdReply {
    std::int32_t reportLen;
    std::int32_t reportId;
    std::uint8_t unused8[12];
    char tranName[64];
    std::uint8_t unused84[8];
    std::int32_t pathId;
    std::uint8_t unused96[8];
    PathPortsAndEndpoints ends;
    std::int32_t pathNetRespTimeGroup1;
    std::int32_t pathNetRespTimeGroup2;
    std::int32_t pathNetRespTimeGroup3;
    std::int32_t pathSrvRespTimeGroup1;
    std::int32_t pathSrvRespTimeGroup2;
    std::int32_t pathSrvRespTimeGroup3;
    std::int32_t pathAppRespTimeGroup1;
    std::int32_t pathAppRespTimeGroup2;
    std::int32_t pathAppRespTimeGroup3;
    std::int32_t pathWaitRespTimeGroup1;
    std::int32_t pathWaitRespTimeGroup2;
    std::int32_t pathWaitRespTimeGroup3;
    std::int32_t pathTotRespTimeGroup1;
    std::int32_t pathTotRespTimeGroup2;
    std::int32_t pathTotRespTimeGroup3;
    std::int32_t pathRespTimeGroup1;
    std::int32_t pathRespTimeGroup2;
    std::int32_t pathRespTimeGroup3;
    std::int32_t pathTotRespTimeDataCt;
    std::int32_t pathNetRespTimeWarn;
    std::int32_t pathNetRespTimeCrit;
    std::int32_t pathSrvRespTimeWarn;
    std::int32_t pathSrvRespTimeCrit;
    std::int32_t pathAppRespTimeWarn;
    std::int32_t pathAppRespTimeCrit;
    std::int32_t pathWaitRespTimeWarn;
    std::int32_t pathWaitRespTimeCrit;
    std::int32_t pathTotRespTimeWarn;
    std::int32_t pathTotRespTimeCrit;
    std::int32_t pathRespTimeWarn;
    std::int32_t pathRespTimeCrit;
    std::uint8_t unused552[4];
    std::int32_t flags;
};

VYT_PACKED_END

VYT_AT(AlertHeader, reportEntryCt, 8);
VYT_AT(AlertHeader, reportEntryContinueIdx, 12);
VYT_AT(AlertHeader, reportEntryContinueIdx2, 16);
VYT_AT(AlertHeader, sumIntervalUTCNow, 20);
VYT_AT(AlertHeader, sumIntervalUTCStart, 24);
VYT_AT(AlertHeader, alertHeaderValue1, 28);
VYT_AT(AlertHeader, alertHeaderValue2, 32);
VYT_SIZE(AlertHeader, 36);

// Every documented field at its offset in both alert entries.
#define VYT_ALERT_AT(member, cur, url)       \
    VYT_AT(CurrentAlertEntry, member, cur); \
    VYT_AT(URLAlertEntry, member, url)
VYT_AT(URLAlertEntry, subTranName, 64);
VYT_ALERT_AT(path.pathId, 64, 1092);
VYT_ALERT_AT(path.ends.pathIPSrcPort, 76, 1104);
VYT_ALERT_AT(path.ends.pathIPDstPort, 78, 1106);
VYT_ALERT_AT(path.ends.pathIPSrcAddress, 80, 1108);
VYT_ALERT_AT(path.ends.pathIPSrcNetName, 96, 1124);
VYT_ALERT_AT(path.ends.pathIPSrcAlias, 224, 1252);
VYT_ALERT_AT(path.ends.pathIPDstAddress, 240, 1268);
VYT_ALERT_AT(path.ends.pathIPDstNetName, 256, 1284);
VYT_ALERT_AT(path.ends.pathIPDstAlias, 384, 1412);
VYT_ALERT_AT(path.pathTotRespTimeDataCt, 400, 1428);
VYT_ALERT_AT(path.pathTotRespTimeAlert, 404, 1432);
VYT_ALERT_AT(path.pathNetRespTimeAlert, 408, 1436);
VYT_ALERT_AT(path.pathSrvRespTimeAlert, 412, 1440);
VYT_ALERT_AT(path.pathAppRespTimeAlert, 416, 1444);
VYT_ALERT_AT(path.pathWaitRespTimeAlert, 420, 1448);
VYT_ALERT_AT(path.pathRespTimeAlert, 424, 1452);
VYT_ALERT_AT(path.pathFirstAlertUTCStart, 428, 1456);
VYT_ALERT_AT(path.pathTotRespTimeAlertState, 432, 1460);
VYT_ALERT_AT(path.pathNetRespTimeAlertState, 436, 1464);
VYT_ALERT_AT(path.pathSrvRespTimeAlertState, 440, 1468);
VYT_ALERT_AT(path.pathAppRespTimeAlertState, 444, 1472);
VYT_ALERT_AT(path.pathWaitRespTimeAlertState, 448, 1476);
VYT_ALERT_AT(path.pathRespTimeAlertState, 452, 1480);
VYT_ALERT_AT(path.pathMaxRespTimeAlertState, 456, 1484);
VYT_ALERT_AT(path.worstComponentState, 460, 1488);
VYT_ALERT_AT(path.flags, 464, 1492);
#undef VYT_ALERT_AT
VYT_SIZE(CurrentAlertEntry, 468);
VYT_SIZE(URLAlertEntry, 1496);

VYT_AT(EventAlertHeader, reportEntryCt, 8);
VYT_AT(EventAlertHeader, sumIntervalUTCNow, 20);
VYT_AT(EventAlertHeader, eventHeaderValue1, 24);
VYT_AT(EventAlertHeader, eventHeaderValue2, 28);
VYT_SIZE(EventAlertHeader, 32);
VYT_AT(EventAlertEntry, pathId, 64);
VYT_AT(EventAlertEntry, pathTranCtMax, 72);
VYT_AT(EventAlertEntry, ends.pathIPSrcPort, 76);
VYT_AT(EventAlertEntry, ends.pathIPDstPort, 78);
VYT_AT(EventAlertEntry, ends.pathIPSrcAddress, 80);
VYT_AT(EventAlertEntry, ends.pathIPSrcNetName, 96);
VYT_AT(EventAlertEntry, ends.pathIPSrcAlias, 224);
VYT_AT(EventAlertEntry, ends.pathIPDstAddress, 240);
VYT_AT(EventAlertEntry, ends.pathIPDstNetName, 256);
VYT_AT(EventAlertEntry, ends.pathIPDstAlias, 384);
VYT_AT(EventAlertEntry, pathTotRespTimeDataCt, 400);
VYT_AT(EventAlertEntry, pathEventType, 404);
VYT_AT(EventAlertEntry, pathEventTime, 408);
VYT_AT(EventAlertEntry, pathEventUTCStart, 412);
VYT_AT(EventAlertEntry, pathEventState, 416);
VYT_AT(EventAlertEntry, pathEventCurState, 420);
VYT_AT(EventAlertEntry, pathEventTypeAndState, 424);
VYT_AT(EventAlertEntry, flags, 428);
VYT_SIZE(EventAlertEntry, 432);

VYT_AT(SummaryHeader, reportEntryCt, 8);
VYT_AT(SummaryHeader, tranTotalCt, 1120);
VYT_AT(SummaryHeader, pathTotRespTimeDataCt, 1136);
VYT_AT(SummaryHeader, pathTotRespTimeAvgMax, 1140);
VYT_AT(SummaryHeader, pathNetRespTimeAvgMax, 1148);
VYT_AT(SummaryHeader, pathSrvRespTimeAvgMax, 1152);
VYT_AT(SummaryHeader, pathAppRespTimeAvgMax, 1156);
VYT_AT(SummaryHeader, pathWaitRespTimeAvgMax, 1160);
VYT_AT(SummaryHeader, ends.pathIPSrcPort, 1164);
VYT_AT(SummaryHeader, ends.pathIPDstPort, 1166);
VYT_AT(SummaryHeader, ends.pathIPSrcAddress, 1168);
VYT_AT(SummaryHeader, ends.pathIPSrcNetName, 1184);
VYT_AT(SummaryHeader, ends.pathIPSrcAlias, 1312);
VYT_AT(SummaryHeader, ends.pathIPDstAddress, 1328);
VYT_AT(SummaryHeader, ends.pathIPDstNetName, 1344);
VYT_AT(SummaryHeader, ends.pathIPDstAlias, 1472);
VYT_AT(SummaryHeader, pathSumIntervalCtMax, 1488);
VYT_AT(SummaryHeader, sumDataUTCStart, 1492);
VYT_AT(SummaryHeader, sumDataUTCNow, 1496);
VYT_AT(SummaryHeader, summaryHeaderValue, 1500);
VYT_AT(SummaryHeader, reportReturnCode, 1504);
VYT_AT(SummaryHeader, flags, 1508);
VYT_SIZE(SummaryHeader, 1512);
VYT_AT(SummaryEntry, sumIntervalUTCStart, 4);
VYT_AT(SummaryEntry, sumIntervalUTCEnd, 8);
VYT_AT(SummaryEntry, sumIntervalSecs, 12);
VYT_AT(SummaryEntry, pathTotRespTimeDataCtSum, 16);
VYT_AT(SummaryEntry, pathTotRespTimeAvg, 20);
VYT_AT(SummaryEntry, pathTotRespTimeAvgState, 24);
VYT_AT(SummaryEntry, pathRespTimeAvg, 28);
VYT_AT(SummaryEntry, pathRespTimeAvgState, 32);
VYT_AT(SummaryEntry, pathNetRespTimeAvg, 36);
VYT_AT(SummaryEntry, pathNetRespTimeAvgState, 40);
VYT_AT(SummaryEntry, pathSrvRespTimeAvg, 44);
VYT_AT(SummaryEntry, pathSrvRespTimeAvgState, 48);
VYT_AT(SummaryEntry, pathAppRespTimeAvg, 52);
VYT_AT(SummaryEntry, pathAppRespTimeAvgState, 56);
VYT_AT(SummaryEntry, pathWaitRespTimeAvg, 60);
VYT_AT(SummaryEntry, pathWaitRespTimeAvgState, 64);
VYT_SIZE(SummaryEntry, 68);

VYT_AT(ThresholdReply, tranName, 20);
VYT_AT(ThresholdReply, pathId, 92);
VYT_AT(ThresholdReply, ends.pathIPSrcPort, 104);
VYT_AT(ThresholdReply, ends.pathIPDstPort, 106);
VYT_AT(ThresholdReply, ends.pathIPSrcAddress, 108);
VYT_AT(ThresholdReply, ends.pathIPSrcNetName, 124);
VYT_AT(ThresholdReply, ends.pathIPSrcAlias, 252);
VYT_AT(ThresholdReply, ends.pathIPDstAddress, 268);
VYT_AT(ThresholdReply, ends.pathIPDstNetName, 284);
VYT_AT(ThresholdReply, ends.pathIPDstAlias, 412);
VYT_AT(ThresholdReply, pathNetRespTimeGroup1, 428);
VYT_AT(ThresholdReply, pathNetRespTimeGroup2, 432);
VYT_AT(ThresholdReply, pathNetRespTimeGroup3, 436);
VYT_AT(ThresholdReply, pathSrvRespTimeGroup1, 440);
VYT_AT(ThresholdReply, pathSrvRespTimeGroup2, 444);
VYT_AT(ThresholdReply, pathSrvRespTimeGroup3, 448);
VYT_AT(ThresholdReply, pathAppRespTimeGroup1, 452);
VYT_AT(ThresholdReply, pathAppRespTimeGroup2, 456);
VYT_AT(ThresholdReply, pathAppRespTimeGroup3, 460);
VYT_AT(ThresholdReply, pathWaitRespTimeGroup1, 464);
VYT_AT(ThresholdReply, pathWaitRespTimeGroup2, 468);
VYT_AT(ThresholdReply, pathWaitRespTimeGroup3, 472);
VYT_AT(ThresholdReply, pathTotRespTimeGroup1, 476);
VYT_AT(ThresholdReply, pathTotRespTimeGroup2, 480);
VYT_AT(ThresholdReply, pathTotRespTimeGroup3, 484);
VYT_AT(ThresholdReply, pathRespTimeGroup1, 488);
VYT_AT(ThresholdReply, pathRespTimeGroup2, 492);
VYT_AT(ThresholdReply, pathRespTimeGroup3, 496);
VYT_AT(ThresholdReply, pathTotRespTimeDataCt, 500);
VYT_AT(ThresholdReply, pathNetRespTimeWarn, 504);
VYT_AT(ThresholdReply, pathNetRespTimeCrit, 508);
VYT_AT(ThresholdReply, pathSrvRespTimeWarn, 512);
VYT_AT(ThresholdReply, pathSrvRespTimeCrit, 516);
VYT_AT(ThresholdReply, pathAppRespTimeWarn, 520);
VYT_AT(ThresholdReply, pathAppRespTimeCrit, 524);
VYT_AT(ThresholdReply, pathWaitRespTimeWarn, 528);
VYT_AT(ThresholdReply, pathWaitRespTimeCrit, 532);
VYT_AT(ThresholdReply, pathTotRespTimeWarn, 536);
VYT_AT(ThresholdReply, pathTotRespTimeCrit, 540);
VYT_AT(ThresholdReply, pathRespTimeWarn, 544);
VYT_AT(ThresholdReply, pathRespTimeCrit, 548);
VYT_AT(ThresholdReply, flags, 556);
VYT_SIZE(ThresholdReply, 560);

}  // namespace vyt::layout
