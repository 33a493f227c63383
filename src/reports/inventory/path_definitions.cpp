// The paths of one transaction, and one path of a transaction with its ports.
#include "vyt/decoder.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/inventory.hpp"

namespace vyt::inventory {

namespace {

using namespace layout;

void DecodeTransPath(Bytes reply, Out& out) {
    const auto h = at<TransPathHeader>(reply, 0);
    const auto tranName = VYT_FIELD(h, tranName);
    VYT_TRACE(out, "\nProcessTransPathData Entry: buflen=%d tranName<%s>\n", VYT_FIELD(h, reportLen), tranName.c_str());
    const auto add = out.method<cb::TransPathAddEntry>();
    const SharedText tran = out.share(text(tranName));
    // This reply counts its paths with a word of its own.
    ForEntries(out, reply, sizeof(TransPathHeader), sizeof(TransPathEntry), VYT_FIELD(h, pathCt),
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<TransPathEntry>(b, 0);
                   VYT_FIELDS(e, pathId, pathIPSrcPort, pathIPDstPort, pathEndId, pathEndIPSrcPort, pathEndIPDstPort);
                   const auto srcNet = VYT_FIELD(e, src.netName);
                   const auto srcAlias = VYT_FIELD(e, src.alias);
                   const auto dstNet = VYT_FIELD(e, dst.netName);
                   const auto dstAlias = VYT_FIELD(e, dst.alias);
                   const auto endNet = VYT_FIELD(e, endDst.netName);
                   const auto endAlias = VYT_FIELD(e, endDst.alias);
                   const std::int32_t flags = VYT_FIELD(e, flags);
                   VYT_TRACE(out,
                             "Idx[%d] pathIPSrcNetName{%s : %d} pathIPDstNetName{%s : %d} pathEndIPDstNetName<%s> "
                             "pathEndIPDstAlias<%s> pathId=%d pathEndId=%d pathEndIPSrcPort=%d pathEndIPDstPort=%d "
                             "flags=%d\n",
                             k, srcNet.c_str(), pathIPSrcPort, dstNet.c_str(), pathIPDstPort, endNet.c_str(),
                             endAlias.c_str(), pathId, pathEndId, pathEndIPSrcPort, pathEndIPDstPort, flags);
                   out.call(add, {.tranName = tran,
                                  .ends = {text(srcNet), text(dstNet), text(srcAlias), text(dstAlias)},
                                  .pathEndIPDstNetName = text(endNet),
                                  .pathEndIPDstAlias = text(endAlias),
                                  VYT_SAME(pathIPSrcPort, pathIPDstPort, pathId, pathEndId, pathEndIPSrcPort,
                                           pathEndIPDstPort, flags)});
               });
}

void DecodeTransPathPort(Bytes reply, Out& out) {
    const auto h = at<TransPathPortHeader>(reply, 0);
    const auto tranName = VYT_FIELD(h, tranName);
    VYT_FIELDS(h, pathId, pathIPSrcPortCt, pathIPDstPortCt);
    const auto srcAddress = VYT_FIELD(h, src.address);
    const auto srcNet = VYT_FIELD(h, src.netName);
    const auto srcAlias = VYT_FIELD(h, src.alias);
    const auto dstAddress = VYT_FIELD(h, dst.address);
    const auto dstNet = VYT_FIELD(h, dst.netName);
    const auto dstAlias = VYT_FIELD(h, dst.alias);
    VYT_FIELDS(h, collectorStartupTime, flags);
    VYT_TRACE(out, "\nProcessTransPathPortData Entry: buflen=%d\n", VYT_FIELD(h, reportLen));
    VYT_TRACE(out,
              "tranName<%s> pathId=%d pathIPSrcPortCt=%d pathIPSrcAddress<%s> pathIPSrcNetName<%s> pathIPSrcAlias<%s> "
              "pathIPDstPortCt=%d pathIPDstAddress<%s> pathIPDstNetName<%s> pathIPDstAlias<%s> "
              "collectorStartupTime=%d flags=%d\n",
              tranName.c_str(), pathId, pathIPSrcPortCt, srcAddress.c_str(), srcNet.c_str(), srcAlias.c_str(),
              pathIPDstPortCt, dstAddress.c_str(), dstNet.c_str(), dstAlias.c_str(), collectorStartupTime, flags);
    const auto set = out.method<cb::TransPathPortSetData>();
    const auto add = out.method<cb::TransPathPortAddEntry>();
    out.call(set, {.tranName = text(tranName),
                   .pathIPSrcAddress = text(srcAddress),
                   .pathIPSrcNetName = text(srcNet),
                   .pathIPSrcAlias = text(srcAlias),
                   .pathIPDstAddress = text(dstAddress),
                   .pathIPDstNetName = text(dstNet),
                   .pathIPDstAlias = text(dstAlias),
                   VYT_SAME(pathId, pathIPSrcPortCt, pathIPDstPortCt, collectorStartupTime, flags)});
    // The walk follows the entry count; the two port counts are only passed on.
    ForEntries(out, reply, sizeof(TransPathPortHeader), sizeof(TransPathPortEntry), VYT_FIELD(h, reportEntryCt),
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<TransPathPortEntry>(b, 0);
                   const std::int32_t pathIPPort = VYT_FIELD(e, pathIPPort);
                   const std::int32_t portFlags = VYT_FIELD(e, flags);
                   VYT_TRACE(out, "Idx[%d] pathIPPort=%d flags=%d\n", k, pathIPPort, portFlags);
                   out.call(add, {.pathIPPort = pathIPPort, .flags = portFlags});
               });
}

}  // namespace

const Decoder kTransPath{"ProcessTransPathData", sizeof(TransPathHeader), DecodeTransPath};
const Decoder kTransPathPort{"ProcessTransPathPortData", sizeof(TransPathPortHeader), DecodeTransPathPort};

}  // namespace vyt::inventory
