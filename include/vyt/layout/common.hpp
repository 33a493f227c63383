// Wire layouts shared by every reply and the request record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vyt/bytes.hpp"

namespace vyt::layout {

VYT_PACKED_BEGIN

// The five words that open every reply other than the error reply.
struct ReplyPrefix {
    std::int32_t reportLen;
    std::int32_t reportId;
    std::int32_t reportEntryCt;
    std::int32_t reportEntryContinueIdx;
    std::int32_t reportEntryContinueIdx2;
};

// The 35-byte error reply: the prefix's first two words, then a status text.
struct ErrorReply {
    std::int32_t reportLen;
    std::int32_t reportId;
    char status[27];
};

// One end of a path: address text, network name, alias.
struct EndpointGroup {
    char address[16];
    char netName[128];
    char alias[16];
};

// The two ports of a path followed by its source and destination endpoints
// (address text, network name, alias each, laid out as an EndpointGroup).
// Path records of the alert, interval and path detail replies carry this
// block; the names are those of the wire fields.
struct PathPortsAndEndpoints {
    std::uint16_t pathIPSrcPort;
    std::uint16_t pathIPDstPort;
    char pathIPSrcAddress[16];
    char pathIPSrcNetName[128];
    char pathIPSrcAlias[16];
    char pathIPDstAddress[16];
    char pathIPDstNetName[128];
    char pathIPDstAlias[16];
};

// The request record sent to the collector.
struct RequestRecord {
    std::int32_t reportLen;
    std::int32_t reportId;
    std::int32_t scrollAmount;
    std::int32_t continueIdx;
    std::int32_t continueIdx2;
    std::int32_t IPaddr;
    std::int32_t pathId;
    std::int32_t urlListRuleId;
    std::uint8_t unused32[8];
    char tranName[64];
    char subTranName[1024];
    std::int32_t flags;
};

VYT_PACKED_END

VYT_AT(ReplyPrefix, reportEntryCt, 8);
VYT_AT(ReplyPrefix, reportEntryContinueIdx, 12);
VYT_AT(ReplyPrefix, reportEntryContinueIdx2, 16);
VYT_SIZE(ReplyPrefix, 20);

VYT_AT(ErrorReply, status, 8);
VYT_SIZE(ErrorReply, 35);

VYT_AT(EndpointGroup, netName, 16);
VYT_AT(EndpointGroup, alias, 144);
VYT_SIZE(EndpointGroup, 160);

VYT_AT(PathPortsAndEndpoints, pathIPSrcPort, 0);
VYT_AT(PathPortsAndEndpoints, pathIPDstPort, 2);
VYT_AT(PathPortsAndEndpoints, pathIPSrcAddress, 4);
VYT_AT(PathPortsAndEndpoints, pathIPSrcNetName, 20);
VYT_AT(PathPortsAndEndpoints, pathIPSrcAlias, 148);
VYT_AT(PathPortsAndEndpoints, pathIPDstAddress, 164);
VYT_AT(PathPortsAndEndpoints, pathIPDstNetName, 180);
VYT_AT(PathPortsAndEndpoints, pathIPDstAlias, 308);
VYT_SIZE(PathPortsAndEndpoints, 324);
// The ports, then one EndpointGroup for each end.
static_assert(sizeof(PathPortsAndEndpoints) == 4 + 2 * sizeof(EndpointGroup));

VYT_AT(RequestRecord, scrollAmount, 8);
VYT_AT(RequestRecord, continueIdx, 12);
VYT_AT(RequestRecord, continueIdx2, 16);
VYT_AT(RequestRecord, IPaddr, 20);
VYT_AT(RequestRecord, pathId, 24);
VYT_AT(RequestRecord, urlListRuleId, 28);
VYT_AT(RequestRecord, tranName, 40);
VYT_AT(RequestRecord, subTranName, 104);
VYT_AT(RequestRecord, flags, 1128);
VYT_SIZE(RequestRecord, 1132);

// The status text of the transaction-not-found error reply, NUL included.
inline constexpr char kTranNotFound[16] = "FAIL_TRANNOTFOU";

}  // namespace vyt::layout
