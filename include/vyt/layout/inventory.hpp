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

}  // namespace vyt::layout
