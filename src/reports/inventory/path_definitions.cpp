// The paths of one transaction, and one path of a transaction with its ports.
#include "decoders.hpp"
#include "vyt/callbacks/inventory.hpp"
#include "vyt/layout/inventory.hpp"

namespace vyt::inventory {

namespace {

using namespace layout;

void DecodeTransPath(Bytes reply, Out& out) {
    const auto h = at<TransPathHeader>(reply, 0);
    const auto tranName = FIELD(h, tranName);
    TRACE(out, "\nProcessTransPathData Entry: buflen=%d tranName<%s>\n", FIELD(h, reportLen), tranName.c_str());
    const auto add = out.method<cb::TransPathAddEntry>();
    const SharedText tran = out.share(text(tranName));
    // This reply counts its paths with a word of its own.
    ForEntries(out, reply, sizeof(TransPathHeader), sizeof(TransPathEntry), FIELD(h, pathCt),
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<TransPathEntry>(b, 0);
                   const std::int32_t pathId = FIELD(e, pathId);
                   const std::int32_t srcPort = FIELD(e, pathIPSrcPort);
                   const std::int32_t dstPort = FIELD(e, pathIPDstPort);
                   const std::int32_t endId = FIELD(e, pathEndId);
                   const std::int32_t endSrcPort = FIELD(e, pathEndIPSrcPort);
                   const std::int32_t endDstPort = FIELD(e, pathEndIPDstPort);
                   const auto srcNet = FIELD(e, src.netName);
                   const auto srcAlias = FIELD(e, src.alias);
                   const auto dstNet = FIELD(e, dst.netName);
                   const auto dstAlias = FIELD(e, dst.alias);
                   const auto endNet = FIELD(e, endDst.netName);
                   const auto endAlias = FIELD(e, endDst.alias);
                   const std::int32_t flags = FIELD(e, flags);
                   TRACE(out,
                         "Idx[%d] pathIPSrcNetName{%s : %d} pathIPDstNetName{%s : %d} pathEndIPDstNetName<%s> "
                         "pathEndIPDstAlias<%s> pathId=%d pathEndId=%d pathEndIPSrcPort=%d pathEndIPDstPort=%d "
                         "flags=%d\n",
                         k, srcNet.c_str(), srcPort, dstNet.c_str(), dstPort, endNet.c_str(), endAlias.c_str(),
                         pathId, endId, endSrcPort, endDstPort, flags);
                   out.call(add, tran, text(srcNet), text(dstNet), text(srcAlias), text(dstAlias), text(endNet),
                            text(endAlias), srcPort, dstPort, pathId, endId, endSrcPort, endDstPort, flags);
               });
}

void DecodeTransPathPort(Bytes reply, Out& out) {
    const auto h = at<TransPathPortHeader>(reply, 0);
    const auto tranName = FIELD(h, tranName);
    const std::int32_t pathId = FIELD(h, pathId);
    const std::int32_t srcPortCt = FIELD(h, pathIPSrcPortCt);
    const std::int32_t dstPortCt = FIELD(h, pathIPDstPortCt);
    const auto srcAddress = FIELD(h, src.address);
    const auto srcNet = FIELD(h, src.netName);
    const auto srcAlias = FIELD(h, src.alias);
    const auto dstAddress = FIELD(h, dst.address);
    const auto dstNet = FIELD(h, dst.netName);
    const auto dstAlias = FIELD(h, dst.alias);
    const std::int32_t startup = FIELD(h, collectorStartupTime);
    const std::int32_t flags = FIELD(h, flags);
    TRACE(out, "\nProcessTransPathPortData Entry: buflen=%d\n", FIELD(h, reportLen));
    TRACE(out,
          "tranName<%s> pathId=%d pathIPSrcPortCt=%d pathIPSrcAddress<%s> pathIPSrcNetName<%s> pathIPSrcAlias<%s> "
          "pathIPDstPortCt=%d pathIPDstAddress<%s> pathIPDstNetName<%s> pathIPDstAlias<%s> "
          "collectorStartupTime=%d flags=%d\n",
          tranName.c_str(), pathId, srcPortCt, srcAddress.c_str(), srcNet.c_str(), srcAlias.c_str(), dstPortCt,
          dstAddress.c_str(), dstNet.c_str(), dstAlias.c_str(), startup, flags);
    const auto set = out.method<cb::TransPathPortSetData>();
    const auto add = out.method<cb::TransPathPortAddEntry>();
    out.call(set, text(tranName), text(srcAddress), text(srcNet), text(srcAlias), text(dstAddress), text(dstNet),
             text(dstAlias), pathId, srcPortCt, dstPortCt, startup, flags);
    // The walk follows the entry count; the two port counts are only passed on.
    ForEntries(out, reply, sizeof(TransPathPortHeader), sizeof(TransPathPortEntry), FIELD(h, reportEntryCt),
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<TransPathPortEntry>(b, 0);
                   const std::int32_t port = FIELD(e, pathIPPort);
                   const std::int32_t portFlags = FIELD(e, flags);
                   TRACE(out, "Idx[%d] pathIPPort=%d flags=%d\n", k, port, portFlags);
                   out.call(add, port, portFlags);
               });
}

}  // namespace

const Decoder kTransPath{"ProcessTransPathData", sizeof(TransPathHeader), DecodeTransPath};
const Decoder kTransPathPort{"ProcessTransPathPortData", sizeof(TransPathPortHeader), DecodeTransPathPort};

}  // namespace vyt::inventory
