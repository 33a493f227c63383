// The response-time detail report and the path time detail report: one path
// over one summary interval, with the path's response-time distribution and
// its minimum, maximum and average, and one entry per client address.
#include "vyt/decoder.hpp"
#include "path_detail.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/detail.hpp"

namespace vyt::detail {

namespace {

using namespace layout;

void DecodeRspTimeDetail(Bytes reply, Out& out) {
    const Common c = ReadCommon<RspTimeDetailMetrics>(reply);
    const auto h = at<PathDetailReply<RspTimeDetailMetrics>>(reply, 0);
    const auto m = ReadMetrics<RspTimeDetailMetrics>(reply);
    const auto tranName = VYT_FIELD(h, tranName);
    const auto subTranName = VYT_FIELD(h, subTranName);

    const PathPosition pos = PathPositionOf(c.flags);
    if (!pos.known) VYT_TRACE(out, "\nError:: could not determine type from flags==%d\n", c.flags);
    VYT_TRACE(out, "\nProcessTransRspTimeDetailData Entry: buflen=%d\n", c.reportLen);
    VYT_TRACE(out, "tranName<%s> subTranName<%s> Src{%s[%d]} Dst{%s[%d]}\n", tranName.c_str(), subTranName.c_str(),
              c.srcNetName.c_str(), c.srcPort, c.dstNetName.c_str(), c.dstPort);
    if (out.tracing())
        Spread(
            [&](auto... a) {
                out.trace("reportEntryCt=%d tranTotalCtSum=%d sumIntervalUTCNow=%d sumIntervalUTCStart=%d "
                          "sumIntervalSecs=%d Src{%s[%d]} Dst{%s[%d]} pathIPSrcAlias{%s} pathIPDstAlias{%s}"
                          "pathTotRespTimeDataCtSum=%d Group1=%d Group2=%d Group3=%d Group1Ct=%d Group2Ct=%d "
                          "Group3Ct=%d Group4Ct=%d GroupAllCt=%d Group1State=%d Group2State=%d Group3State=%d "
                          "Group4State=%d pathTotRespTimeMin=%d pathTotRespTimeMax=%d pathTotRespTimeAvg=%d "
                          "pathTotRespTimeMinState=%d pathTotRespTimeMaxState=%d pathTotRespTimeAvgState=%d "
                          "flags=%d reportReturnCode=%d type=%d\n",
                          a...);
            },
            c.reportEntryCt, c.tranTotalCtSum, c.now, c.start, c.secs, c.srcNetName.c_str(), int{c.srcPort},
            c.dstNetName.c_str(), int{c.dstPort}, c.srcAlias.c_str(), c.dstAlias.c_str(), c.dist, m, c.flags,
            c.returnCode, pos.type);

    IntervalTexts t;
    MakeIntervalTexts(out.tracer(), c.now, c.start, t);
    const auto set = out.method<cb::RspTimeDetailSetData>();
    const auto add = out.method<cb::RspTimeDetailAddEntry>();
    out.call(set, {.subTranName = text(subTranName),
                   .head = Head(c, t, pos),
                   .dist = GroupOf<cb::DetailDistribution>(c.dist),
                   .pathTotRespTime =
                       GroupAt<cb::RangeWithStates, offsetof(RspTimeDetailMetrics, pathTotRespTimeMin)>(m),
                   .sumIntervalAux = c.aux,
                   .flags = c.flags,
                   .reportReturnCode = c.returnCode});

    ForEntries(out, reply, sizeof(RspTimeDetailReply), sizeof(RspTimeDetailEntry), c.reportEntryCt,
               [&](std::int32_t k, Bytes b) {
                   const auto e = ReadEntry<RspTimeDetailEntryMetrics>(b);
                   if (out.tracing())
                       Spread(
                           [&](auto... a) {
                               out.trace("\nIdx[%d/%d] pathIPSrcPort=%d pathIPDstPort=%d pathIPSrc=%d "
                                         "pathIPSrcAddress<%s> usePort=%d pathTotRespTime=%d pathNetRespTime=%d "
                                         "pathSrvRespTime=%d pathAppRespTime=%d pathWaitRespTime=%d "
                                         "pathTotRespTimeState=%d pathNetRespTimeState=%d "
                                         "pathSrvRespTimeState=%d pathAppRespTimeState=%d "
                                         "pathWaitRespTimeState=%d pathClientTranCt=%d\n",
                                         a...);
                           },
                           k, c.reportEntryCt, int{e.srcPort}, int{e.dstPort}, e.srcIP, e.srcAddress.c_str(),
                           e.usePort, e.w);
                   out.call(add, {.source = Source(e),
                                  .metrics = GroupOf<cb::RspTimeDetailEntryWords>(e.w)});
               });
}

void DecodePathTimeDetail(Bytes reply, Out& out) {
    const Common c = ReadCommon<PathTimeDetailMetrics>(reply);
    const auto m = ReadMetrics<PathTimeDetailMetrics>(reply);

    const PathPosition pos = PathPositionOf(c.flags);
    if (!pos.known) VYT_TRACE(out, "\nError:: could not determine type from flags==%d\n", c.flags);
    VYT_TRACE(out, "\nProcessTransPathTimeDetailData Entry: buflen=%d\n", c.reportLen);
    VYT_TRACE(out, "Src{%s[%d]} Dst{%s[%d]} SrcIP<%s>\n", c.srcNetName.c_str(), c.srcPort, c.dstNetName.c_str(),
              c.dstPort, c.srcAddress.c_str());
    if (out.tracing())
        Spread(
            [&](auto... a) {
                out.trace("reportEntryCt=%d tranTotalCtSum=%d sumIntervalUTCNow=%d sumIntervalUTCStart=%d "
                          "sumIntervalSecs=%d Src{%s[%d]} Dst{%s[%d]} pathIPSrcAlias{%s} pathIPDstAlias{%s}"
                          "pathRespTimeDataCtSum=%d Group1=%d Group2=%d Group3=%d Group1Ct=%d Group2Ct=%d "
                          "Group3Ct=%d Group4Ct=%d GroupAllCt=%d Group1State=%d Group2State=%d Group3State=%d "
                          "Group4State=%d pathRespTimeMin=%d pathRespTimeMax=%d pathRespTimeAvg=%d "
                          "pathRespTimeMinState=%d pathRespTimeMaxState=%d pathRespTimeAvgState=%d flags=%d "
                          "reportReturnCode=%d type=%d\n",
                          a...);
            },
            c.reportEntryCt, c.tranTotalCtSum, c.now, c.start, c.secs, c.srcNetName.c_str(), int{c.srcPort},
            c.dstNetName.c_str(), int{c.dstPort}, c.srcAlias.c_str(), c.dstAlias.c_str(), c.dist, m, c.flags,
            c.returnCode, pos.type);

    IntervalTexts t;
    MakeIntervalTexts(out.tracer(), c.now, c.start, t);
    const auto set = out.method<cb::PathTimeDetailSetData>();
    const auto add = out.method<cb::PathTimeDetailAddEntry>();
    out.call(set, {.head = Head(c, t, pos),
                   .dist = GroupOf<cb::DetailDistribution>(c.dist),
                   .pathRespTime =
                       GroupAt<cb::RangeWithStates, offsetof(PathTimeDetailMetrics, pathRespTimeMin)>(m),
                   .sumIntervalAux = c.aux,
                   .flags = c.flags,
                   .reportReturnCode = c.returnCode});

    ForEntries(out, reply, sizeof(PathTimeDetailReply), sizeof(PathTimeDetailEntry), c.reportEntryCt,
               [&](std::int32_t k, Bytes b) {
                   const auto e = ReadEntry<PathTimeDetailEntryMetrics>(b);
                   if (out.tracing())
                       Spread(
                           [&](auto... a) {
                               out.trace("\nIdx[%d/%d] pathIPSrcPort=%d pathIPDstPort=%d pathIPSrc=%d "
                                         "pathIPSrcAddress<%s> usePort=%d pathRespTime=%d pathNetRespTime=%d "
                                         "pathAppRespTime=%d pathRespTimeState=%d pathNetRespTimeState=%d "
                                         "pathAppRespTimeState=%d pathClientTranCt=%d\n",
                                         a...);
                           },
                           k, c.reportEntryCt, int{e.srcPort}, int{e.dstPort}, e.srcIP, e.srcAddress.c_str(),
                           e.usePort, e.w);
                   out.call(add, {.source = Source(e),
                                  .metrics = GroupOf<cb::PathTimeDetailEntryWords>(e.w)});
               });
}

}  // namespace

const Decoder kRspTimeDetail{"ProcessTransRspTimeDetailData", sizeof(RspTimeDetailReply), DecodeRspTimeDetail};
const Decoder kPathTimeDetail{"ProcessTransPathTimeDetailData", sizeof(PathTimeDetailReply),
                              DecodePathTimeDetail};

}  // namespace vyt::detail
