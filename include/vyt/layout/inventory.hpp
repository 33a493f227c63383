// Wire layouts of the transaction inventory and URL rule replies.
#pragma once

#include <cstdint>

#include "vyt/bytes.hpp"
#include "vyt/layout/common.hpp"

namespace vyt::layout {

VYT_PACKED_BEGIN

// ---- transaction lists -------------------------------------------------------

struct AllTransHeader {
    std::int32_t reportLen;
    std::uint8_t unused4[4];
    std::int32_t reportEntryCt;
    std::uint8_t unused12[8];
    std::int32_t collectorStartupTime;
    std::int32_t flags;
};

struct AllTransEntry {
    char tranName[64];
    std::int32_t flags;
};

struct TranInfoReply {
    std::int32_t reportLen;
    std::uint8_t unused4[16];
    char tranName[64];
    std::uint8_t unused84[20];
    std::int32_t collectorStartupTime;
    std::int32_t flags;
};

struct TransSrvLoadHeader {
    std::int32_t reportLen;
    std::uint8_t unused4[4];
    std::int32_t reportEntryCt;
    std::uint8_t unused12[8];
    char tranName[64];
    std::uint8_t unused84[8];
};

struct TransSrvLoadEntry {
    std::int32_t serverId;
    std::uint8_t unused4[16];
    char serverIPNetName[128];
    std::int32_t flags;
};

VYT_PACKED_END

VYT_AT(AllTransHeader, reportEntryCt, 8);
VYT_AT(AllTransHeader, collectorStartupTime, 20);
VYT_AT(AllTransHeader, flags, 24);
VYT_SIZE(AllTransHeader, 28);
VYT_AT(AllTransEntry, flags, 64);
VYT_SIZE(AllTransEntry, 68);

VYT_AT(TranInfoReply, tranName, 20);
VYT_AT(TranInfoReply, collectorStartupTime, 104);
VYT_AT(TranInfoReply, flags, 108);
VYT_SIZE(TranInfoReply, 112);

VYT_AT(TransSrvLoadHeader, reportEntryCt, 8);
VYT_AT(TransSrvLoadHeader, tranName, 20);
VYT_SIZE(TransSrvLoadHeader, 92);
VYT_AT(TransSrvLoadEntry, serverIPNetName, 20);
VYT_AT(TransSrvLoadEntry, flags, 148);
VYT_SIZE(TransSrvLoadEntry, 152);

VYT_PACKED_BEGIN

// ---- path definitions ----------------------------------------------------------

// The paths of one transaction.  Entries are counted by pathCt, not by the
// prefix's entry count (the word at offset 8 counts nothing here).
struct TransPathHeader {
    std::int32_t reportLen;
    std::uint8_t unused4[16];
    char tranName[64];
    std::uint8_t unused84[4];
    std::int32_t pathCt;
    std::uint8_t unused92[8];
};

// One path: numbers and ports, then the source, destination and end
// destination endpoint groups (their address texts are not read).
struct TransPathEntry {
    std::int32_t pathId;
    std::uint8_t unused4[8];
    std::uint16_t pathIPSrcPort;
    std::uint16_t pathIPDstPort;
    std::int32_t pathEndId;
    std::uint16_t pathEndIPSrcPort;
    std::uint16_t pathEndIPDstPort;
    EndpointGroup src;
    EndpointGroup dst;
    EndpointGroup endDst;
    std::int32_t flags;
};

// One path of one transaction in full, followed by its port entries.
struct TransPathPortHeader {
    std::int32_t reportLen;
    std::uint8_t unused4[4];
    std::int32_t reportEntryCt;
    std::uint8_t unused12[8];
    char tranName[64];
    std::int32_t pathId;
    std::int32_t pathIPSrcPortCt;
    EndpointGroup src;
    std::int32_t pathIPDstPortCt;
    EndpointGroup dst;
    std::int32_t collectorStartupTime;
    std::int32_t flags;
};

struct TransPathPortEntry {
    std::uint16_t pathIPPort;
    std::uint8_t unused2[2];
    std::int32_t flags;
};

// ---- current performance -------------------------------------------------------

// Seven state blocks (a state and its text), then the span and start words.
// The sixth block's state word is not read.
struct CurPerfReply {
    std::int32_t reportLen;
    std::int32_t reportId;
    std::uint8_t unused8[12];
    std::int32_t allState;
    char allStateText[64];
    std::int32_t nodeRespTimeState;
    char nodeRespTimeStateText[64];
    std::int32_t pathRespTimeState;
    char pathRespTimeStateText[64];
    std::int32_t networkState;
    char networkStateText[64];
    std::int32_t serverState;
    char serverStateText[64];
    std::uint8_t unused360[4];
    char sixthStateText[64];
    std::int32_t waitState;
    char waitStateText[64];
    std::int32_t secsUTCNow;
    std::int32_t secsUTCStart;
    std::int32_t collectorStartupTime;
    std::int32_t flags;
};

// ---- reportability -------------------------------------------------------------

struct ReportabilityHeader {
    std::int32_t reportLen;
    std::uint8_t unused4[4];
    std::int32_t reportEntryCt;
    std::uint8_t unused12[8];
    std::int32_t secsUTCNow;
    std::int32_t collectorStartupTime;
    std::uint8_t unused28[4];
};

struct ReportabilityEntry {
    std::int32_t msrvCtTotal;
    std::int32_t msrvCtOnline;
    char tranName[64];
    std::int32_t tranTime;  // -1: no transaction received
    std::int32_t flags;
};

struct ReportabilityDetailHeader {
    std::int32_t reportLen;
    std::uint8_t unused4[4];
    std::int32_t reportEntryCt;
    std::uint8_t unused12[8];
    char tranName[64];
    std::int32_t secsUTCNow;
    std::int32_t collectorStartupTime;
    std::uint8_t unused92[4];
};

struct ReportabilityDetailEntry {
    char msrvIPAddress[16];
    char msrvIPNetName[128];
    std::int32_t msrvTime;
    std::int32_t flags;
};

// ---- URL rules -----------------------------------------------------------------

struct SubTranListHeader {
    std::int32_t reportLen;
    std::uint8_t unused4[4];
    std::int32_t reportEntryCt;
    std::int32_t reportEntryContinueIdx;
    std::int32_t reportEntryContinueIdx2;
    char tranName[64];
    std::uint8_t unused84[356];
    std::int32_t collectorStartupTime;
    std::int32_t flags;
};

struct SubTranListEntry {
    char subTranName[1024];
    std::int32_t subTranNameLen;
    std::int32_t flags;
};

struct UrlRulesHeader {
    std::int32_t reportLen;
    std::uint8_t unused4[4];
    std::int32_t reportEntryCt;
    std::int32_t reportEntryContinueIdx;
    std::uint8_t unused16[4];
    char tranName[64];
    std::int32_t collectorStartupTime;
    std::int32_t flags;
};

struct UrlRulesEntry {
    char urlName[1024];
    std::int32_t urlLen;
    std::int32_t urlRuleId;
    std::int32_t hitCt;
    std::int32_t flags;
};

// The answer to a rule operation keeps the request record's layout; the word
// that is zero in the request carries the collector's return code.
struct UrlRuleOperationReply {
    std::int32_t reportLen;
    std::uint8_t unused4[28];
    std::int32_t reportReturnCode;
    std::uint8_t unused36[4];
    char tranName[64];
    char subTranName[1024];
    std::int32_t flags;
};

VYT_PACKED_END

VYT_AT(TransPathHeader, tranName, 20);
VYT_AT(TransPathHeader, pathCt, 88);
VYT_SIZE(TransPathHeader, 100);
VYT_AT(TransPathEntry, pathIPSrcPort, 12);
VYT_AT(TransPathEntry, pathIPDstPort, 14);
VYT_AT(TransPathEntry, pathEndId, 16);
VYT_AT(TransPathEntry, pathEndIPSrcPort, 20);
VYT_AT(TransPathEntry, pathEndIPDstPort, 22);
VYT_AT(TransPathEntry, src, 24);
VYT_AT(TransPathEntry, src.netName, 40);
VYT_AT(TransPathEntry, src.alias, 168);
VYT_AT(TransPathEntry, dst, 184);
VYT_AT(TransPathEntry, dst.netName, 200);
VYT_AT(TransPathEntry, dst.alias, 328);
VYT_AT(TransPathEntry, endDst, 344);
VYT_AT(TransPathEntry, endDst.netName, 360);
VYT_AT(TransPathEntry, endDst.alias, 488);
VYT_AT(TransPathEntry, flags, 504);
VYT_SIZE(TransPathEntry, 508);

VYT_AT(TransPathPortHeader, reportEntryCt, 8);
VYT_AT(TransPathPortHeader, tranName, 20);
VYT_AT(TransPathPortHeader, pathId, 84);
VYT_AT(TransPathPortHeader, pathIPSrcPortCt, 88);
VYT_AT(TransPathPortHeader, src.address, 92);
VYT_AT(TransPathPortHeader, src.netName, 108);
VYT_AT(TransPathPortHeader, src.alias, 236);
VYT_AT(TransPathPortHeader, pathIPDstPortCt, 252);
VYT_AT(TransPathPortHeader, dst.address, 256);
VYT_AT(TransPathPortHeader, dst.netName, 272);
VYT_AT(TransPathPortHeader, dst.alias, 400);
VYT_AT(TransPathPortHeader, collectorStartupTime, 416);
VYT_AT(TransPathPortHeader, flags, 420);
VYT_SIZE(TransPathPortHeader, 424);
VYT_AT(TransPathPortEntry, flags, 4);
VYT_SIZE(TransPathPortEntry, 8);

VYT_AT(CurPerfReply, reportId, 4);
VYT_AT(CurPerfReply, allState, 20);
VYT_AT(CurPerfReply, allStateText, 24);
VYT_AT(CurPerfReply, nodeRespTimeState, 88);
VYT_AT(CurPerfReply, nodeRespTimeStateText, 92);
VYT_AT(CurPerfReply, pathRespTimeState, 156);
VYT_AT(CurPerfReply, pathRespTimeStateText, 160);
VYT_AT(CurPerfReply, networkState, 224);
VYT_AT(CurPerfReply, networkStateText, 228);
VYT_AT(CurPerfReply, serverState, 292);
VYT_AT(CurPerfReply, serverStateText, 296);
VYT_AT(CurPerfReply, unused360, 360);
VYT_AT(CurPerfReply, sixthStateText, 364);
VYT_AT(CurPerfReply, waitState, 428);
VYT_AT(CurPerfReply, waitStateText, 432);
VYT_AT(CurPerfReply, secsUTCNow, 496);
VYT_AT(CurPerfReply, secsUTCStart, 500);
VYT_AT(CurPerfReply, collectorStartupTime, 504);
VYT_AT(CurPerfReply, flags, 508);
VYT_SIZE(CurPerfReply, 512);

VYT_AT(ReportabilityHeader, reportEntryCt, 8);
VYT_AT(ReportabilityHeader, secsUTCNow, 20);
VYT_AT(ReportabilityHeader, collectorStartupTime, 24);
VYT_SIZE(ReportabilityHeader, 32);
VYT_AT(ReportabilityEntry, msrvCtOnline, 4);
VYT_AT(ReportabilityEntry, tranName, 8);
VYT_AT(ReportabilityEntry, tranTime, 72);
VYT_AT(ReportabilityEntry, flags, 76);
VYT_SIZE(ReportabilityEntry, 80);

VYT_AT(ReportabilityDetailHeader, reportEntryCt, 8);
VYT_AT(ReportabilityDetailHeader, tranName, 20);
VYT_AT(ReportabilityDetailHeader, secsUTCNow, 84);
VYT_AT(ReportabilityDetailHeader, collectorStartupTime, 88);
VYT_SIZE(ReportabilityDetailHeader, 96);
VYT_AT(ReportabilityDetailEntry, msrvIPNetName, 16);
VYT_AT(ReportabilityDetailEntry, msrvTime, 144);
VYT_AT(ReportabilityDetailEntry, flags, 148);
VYT_SIZE(ReportabilityDetailEntry, 152);

VYT_AT(SubTranListHeader, reportEntryCt, 8);
VYT_AT(SubTranListHeader, reportEntryContinueIdx, 12);
VYT_AT(SubTranListHeader, reportEntryContinueIdx2, 16);
VYT_AT(SubTranListHeader, tranName, 20);
VYT_AT(SubTranListHeader, collectorStartupTime, 440);
VYT_AT(SubTranListHeader, flags, 444);
VYT_SIZE(SubTranListHeader, 448);
VYT_AT(SubTranListEntry, subTranNameLen, 1024);
VYT_AT(SubTranListEntry, flags, 1028);
VYT_SIZE(SubTranListEntry, 1032);

VYT_AT(UrlRulesHeader, reportEntryCt, 8);
VYT_AT(UrlRulesHeader, reportEntryContinueIdx, 12);
VYT_AT(UrlRulesHeader, tranName, 20);
VYT_AT(UrlRulesHeader, collectorStartupTime, 84);
VYT_AT(UrlRulesHeader, flags, 88);
VYT_SIZE(UrlRulesHeader, 92);
VYT_AT(UrlRulesEntry, urlLen, 1024);
VYT_AT(UrlRulesEntry, urlRuleId, 1028);
VYT_AT(UrlRulesEntry, hitCt, 1032);
VYT_AT(UrlRulesEntry, flags, 1036);
VYT_SIZE(UrlRulesEntry, 1040);

VYT_AT(UrlRuleOperationReply, reportReturnCode, 32);
VYT_AT(UrlRuleOperationReply, tranName, 40);
VYT_AT(UrlRuleOperationReply, subTranName, 104);
VYT_AT(UrlRuleOperationReply, flags, 1128);
VYT_SIZE(UrlRuleOperationReply, 1132);
// The texts and flags of the answer sit where the request record has them.
static_assert(offsetof(UrlRuleOperationReply, tranName) == offsetof(RequestRecord, tranName));
static_assert(offsetof(UrlRuleOperationReply, subTranName) == offsetof(RequestRecord, subTranName));
static_assert(offsetof(UrlRuleOperationReply, flags) == offsetof(RequestRecord, flags));
static_assert(sizeof(UrlRuleOperationReply) == sizeof(RequestRecord));

}  // namespace vyt::layout
