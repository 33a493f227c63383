// The list of monitored transactions, one transaction's information, and the
// servers that carry one transaction.
#include "vyt/decoder.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/inventory.hpp"
#include "vyt/trace.hpp"

namespace vyt::inventory {

namespace {

using namespace layout;

void DecodeAllTrans(Bytes reply, Out& out) {
    const auto h = at<AllTransHeader>(reply, 0);
    const std::int32_t startup = VYT_FIELD(h, collectorStartupTime);
    VYT_TRACE(out, "\nProcessAllTransData Entry: buflen=%d collectorStartupTime=%d\n", VYT_FIELD(h, reportLen), startup);
    const auto set = out.method<cb::AllTransSetData>();
    const auto add = out.method<cb::AllTransAddEntry>();
    out.call(set, {.collectorStartupTime = startup, .flags = VYT_FIELD(h, flags)});
    ForEntries(out, reply, sizeof(AllTransHeader), sizeof(AllTransEntry), VYT_FIELD(h, reportEntryCt),
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<AllTransEntry>(b, 0);
                   const auto tranName = VYT_FIELD(e, tranName);
                   const std::int32_t flags = VYT_FIELD(e, flags);
                   FlagsTextBuffer flagsText;
                   VYT_TRACE(out, "Idx[%d] tranName[%-*.*s] flags<%s>\n", k, 64, 64, tranName.c_str(),
                             FlagsText(static_cast<std::uint32_t>(flags), flagsText));
                   out.call(add, {.tranName = text(tranName), .flags = flags});
               });
}

void DecodeTranInfo(Bytes reply, Out& out) {
    const auto h = at<TranInfoReply>(reply, 0);
    const auto tranName = VYT_FIELD(h, tranName);
    const std::int32_t startup = VYT_FIELD(h, collectorStartupTime);
    const std::int32_t flags = VYT_FIELD(h, flags);
    VYT_TRACE(out, "\nProcessTranInfoData Entry: buflen=%d tranName<%s> collectorStartupTime=%d flags=%d\n",
              VYT_FIELD(h, reportLen), tranName.c_str(), startup, flags);
    const auto set = out.method<cb::TranInfoSetData>();
    out.call(set, {.tranName = text(tranName), .collectorStartupTime = startup, .flags = flags});
}

void DecodeTransSrvLoad(Bytes reply, Out& out) {
    const auto h = at<TransSrvLoadHeader>(reply, 0);
    const auto tranName = VYT_FIELD(h, tranName);
    VYT_TRACE(out, "\nProcessTransSrvLoadData Entry: buflen=%d tranName<%s>\n", VYT_FIELD(h, reportLen), tranName.c_str());
    const auto add = out.method<cb::TransSrvLoadAddEntry>();
    const SharedText tran = out.share(text(tranName));
    ForEntries(out, reply, sizeof(TransSrvLoadHeader), sizeof(TransSrvLoadEntry), VYT_FIELD(h, reportEntryCt),
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<TransSrvLoadEntry>(b, 0);
                   const std::int32_t serverId = VYT_FIELD(e, serverId);
                   const auto netName = VYT_FIELD(e, serverIPNetName);
                   const std::int32_t flags = VYT_FIELD(e, flags);
                   VYT_TRACE(out, "Idx[%d] serverId=%d serverIPNetName<%s> flags=%d\n", k, serverId, netName.c_str(),
                             flags);
                   out.call(add, {.tranName = tran,
                                  .serverIPNetName = text(netName),
                                  .serverId = serverId,
                                  .flags = flags});
               });
}

}  // namespace

const Decoder kAllTrans{"ProcessAllTransData", sizeof(AllTransHeader), DecodeAllTrans};
const Decoder kTranInfo{"ProcessTranInfoData", sizeof(TranInfoReply), DecodeTranInfo};
const Decoder kTransSrvLoad{"ProcessTransSrvLoadData", sizeof(TransSrvLoadHeader), DecodeTransSrvLoad};

}  // namespace vyt::inventory
