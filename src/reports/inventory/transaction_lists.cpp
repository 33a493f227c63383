// The list of monitored transactions, one transaction's information, and the
// servers that carry one transaction.
#include "decoders.hpp"
#include "vyt/callbacks/inventory.hpp"
#include "vyt/layout/inventory.hpp"
#include "vyt/trace.hpp"

namespace vyt::inventory {

namespace {

using namespace layout;

void DecodeAllTrans(Bytes reply, Out& out) {
    const auto h = at<AllTransHeader>(reply, 0);
    const std::int32_t startup = FIELD(h, collectorStartupTime);
    TRACE(out, "\nProcessAllTransData Entry: buflen=%d collectorStartupTime=%d\n", FIELD(h, reportLen), startup);
    const auto set = out.method<cb::AllTransSetData>();
    const auto add = out.method<cb::AllTransAddEntry>();
    out.call(set, startup, FIELD(h, flags));
    ForEntries(out, reply, sizeof(AllTransHeader), sizeof(AllTransEntry), FIELD(h, reportEntryCt),
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<AllTransEntry>(b, 0);
                   const auto tranName = FIELD(e, tranName);
                   const std::int32_t flags = FIELD(e, flags);
                   TRACE(out, "Idx[%d] tranName[%-*.*s] flags<%s>\n", k, 64, 64, tranName.c_str(),
                         FlagsText(static_cast<std::uint32_t>(flags)));
                   out.call(add, text(tranName), flags);
               });
}

void DecodeTranInfo(Bytes reply, Out& out) {
    const auto h = at<TranInfoReply>(reply, 0);
    const auto tranName = FIELD(h, tranName);
    const std::int32_t startup = FIELD(h, collectorStartupTime);
    const std::int32_t flags = FIELD(h, flags);
    TRACE(out, "\nProcessTranInfoData Entry: buflen=%d tranName<%s> collectorStartupTime=%d flags=%d\n",
          FIELD(h, reportLen), tranName.c_str(), startup, flags);
    const auto set = out.method<cb::TranInfoSetData>();
    out.call(set, text(tranName), startup, flags);
}

void DecodeTransSrvLoad(Bytes reply, Out& out) {
    const auto h = at<TransSrvLoadHeader>(reply, 0);
    const auto tranName = FIELD(h, tranName);
    TRACE(out, "\nProcessTransSrvLoadData Entry: buflen=%d tranName<%s>\n", FIELD(h, reportLen), tranName.c_str());
    const auto add = out.method<cb::TransSrvLoadAddEntry>();
    const SharedText tran = out.share(text(tranName));
    ForEntries(out, reply, sizeof(TransSrvLoadHeader), sizeof(TransSrvLoadEntry), FIELD(h, reportEntryCt),
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<TransSrvLoadEntry>(b, 0);
                   const std::int32_t serverId = FIELD(e, serverId);
                   const auto netName = FIELD(e, serverIPNetName);
                   const std::int32_t flags = FIELD(e, flags);
                   TRACE(out, "Idx[%d] serverId=%d serverIPNetName<%s> flags=%d\n", k, serverId, netName.c_str(),
                         flags);
                   out.call(add, tran, text(netName), serverId, flags);
               });
}

}  // namespace

const Decoder kAllTrans{"ProcessAllTransData", sizeof(AllTransHeader), DecodeAllTrans};
const Decoder kTranInfo{"ProcessTranInfoData", sizeof(TranInfoReply), DecodeTranInfo};
const Decoder kTransSrvLoad{"ProcessTransSrvLoadData", sizeof(TransSrvLoadHeader), DecodeTransSrvLoad};

}  // namespace vyt::inventory
