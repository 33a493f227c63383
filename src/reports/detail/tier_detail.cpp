// The network, server and wait detail reports: one path over one summary
// interval, split into the tiers of its response time, with one entry per
// client address.
#include "vyt/decoder.hpp"
#include "path_detail.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/detail.hpp"
#include "vyt/trace.hpp"

namespace vyt::detail {

namespace {

using namespace layout;

void DecodeNetDetail(Bytes reply, Out& out) {
    const Common c = ReadCommon<NetDetailMetrics>(reply);
    const auto m = ReadMetrics<NetDetailMetrics>(reply);

    const PathPosition pos = PathPositionOf(c.flags);
    if (!pos.known) VYT_TRACE(out, "\nError:: could not determine type from flags==%d\n", c.flags);
    VYT_TRACE(out, "\nProcessTransNetDetailData Entry: buflen=%d\n", c.reportLen);
    if (out.tracing()) {
        Spread(
            [&](auto... a) {
                out.trace("reportEntryCt=%d tranTotalCtSum=%d sumIntervalUTCNow=%d sumIntervalUTCStart=%d "
                          "sumIntervalSecs=%d Src{%s[%d]} Dst{%s[%d]} pathTotRespTimeDataCtSum=%d Group1=%d "
                          "Group2=%d Group3=%d Group1Ct=%d Group2Ct=%d Group3Ct=%d Group4Ct=%d GroupAllCt=%d "
                          "Group1State=%d Group2State=%d Group3State=%d Group4State=%d flags=%d "
                          "reportReturnCode=%d type=%d\n",
                          a...);
            },
            c.reportEntryCt, c.tranTotalCtSum, c.now, c.start, c.secs, c.srcNetName.c_str(), int{c.srcPort},
            c.dstNetName.c_str(), int{c.dstPort}, c.dist, c.flags, c.returnCode, pos.type);
        Spread(
            [&](auto... a) {
                out.trace("pathNetRespTimeMin=%d pathNetRespTimeMax=%d pathNetRespTimeAvg=%d "
                          "pathNetRespTimeMinState=%d pathNetRespTimeMaxState=%d pathNetRespTimeAvgState=%d "
                          "pathNetRespTimeOutMin=%d pathNetRespTimeOutMax=%d pathNetRespTimeOutAvg=%d "
                          "pathNetRespTimeOutMinState=%d pathNetRespTimeOutMaxState=%d "
                          "pathNetRespTimeOutAvgState=%d pathNetRespTimeInMin=%d pathNetRespTimeInMax=%d "
                          "pathNetRespTimeInAvg=%d pathNetRespTimeInMinState=%d pathNetRespTimeInMaxState=%d "
                          "pathNetRespTimeInAvgState=%d pathNetOutKBytesPerSecAvg=%d pathNetInKBytesPerSecAvg=%d "
                          "pathNetTotKBytesPerSecAvg=%d pathNetOutBytesCtAvg=%d pathNetInBytesCtAvg=%d "
                          "pathNetTotBytesCtAvg=%d \n",
                          a...);
            },
            m);
    }

    IntervalTexts t;
    MakeIntervalTexts(out.tracer(), c.now, c.start, t);
    const auto set = out.method<cb::NetDetailSetData>();
    const auto add = out.method<cb::NetDetailAddEntry>();
    out.call(set, {.head = Head(c, t, pos),
                   .dist = GroupOf<cb::DetailDistribution>(c.dist),
                   .pathNetRespTime =
                       GroupAt<cb::RangeWithStates, offsetof(NetDetailMetrics, pathNetRespTimeMin)>(m),
                   .pathNetRespTimeOut =
                       GroupAt<cb::RangeWithStates, offsetof(NetDetailMetrics, pathNetRespTimeOutMin)>(m),
                   .pathNetRespTimeIn =
                       GroupAt<cb::RangeWithStates, offsetof(NetDetailMetrics, pathNetRespTimeInMin)>(m),
                   .throughput =
                       GroupAt<cb::NetDetailThroughput, offsetof(NetDetailMetrics, pathNetOutKBytesPerSecAvg)>(m),
                   .sumIntervalAux = c.aux,
                   .flags = c.flags,
                   .reportReturnCode = c.returnCode});

    ForEntries(out, reply, sizeof(NetDetailReply), sizeof(NetDetailEntry), c.reportEntryCt,
               [&](std::int32_t k, Bytes b) {
                   const auto e = ReadEntry<NetDetailEntryMetrics>(b);
                   if (out.tracing())
                       Spread(
                           [&](auto... a) {
                               out.trace("\nIdx[%d/%d] usePort=%d pathIPSrcAddress<%s>pathIPSrcPort=%d "
                                         "pathIPDstPort=%d pathIPSrc=%d pathNetRespTime=%d pathNetRespTimeOut=%d "
                                         "pathNetRespTimeIn=%d pathNetOutKBytesPerSec=%d "
                                         "pathNetInKBytesPerSec=%d pathNetTotKBytesPerSec=%d "
                                         "pathNetOutBytesCt=%d pathNetInBytesCt=%d pathNetTotBytesCt=%d "
                                         "pathNetRespTimeState=%d pathNetRespTimeOutState=%d "
                                         "pathNetRespTimeInState=%d pathClientTranCt=%d\n",
                                         a...);
                           },
                           k, c.reportEntryCt, e.usePort, e.srcAddress.c_str(), int{e.srcPort}, int{e.dstPort},
                           e.srcIP, e.w);
                   out.call(add, {.source = TierSource(e),
                                  .metrics = GroupOf<cb::NetDetailEntryWords>(e.w)});
               });
}

// Where the server detail reply's metric words travel: the server times
// first, the application and wait times next, the application groups last.
constexpr std::size_t kSrvTimesAt = WordAt(offsetof(SrvDetailMetrics, pathSrvRespTimeMin));
constexpr std::size_t kAppGroupsAt = WordAt(offsetof(SrvDetailMetrics, appGroup1));
constexpr std::size_t kAppTimesAt = WordAt(offsetof(SrvDetailMetrics, pathAppRespTimeMin));
static_assert(kAppGroupsAt - kSrvTimesAt == 6 && kAppTimesAt - kAppGroupsAt == 12 &&
              kWords<SrvDetailMetrics> - kAppTimesAt == 12);
// In each entry the two network direction states travel after pathClientTranCt.
constexpr std::size_t kNetStatesAt = WordAt(offsetof(SrvDetailEntryMetrics, pathNetRespTimeOutState));
constexpr std::size_t kSrvStateAt = WordAt(offsetof(SrvDetailEntryMetrics, pathSrvRespTimeState));
static_assert(kNetStatesAt == 8 && kSrvStateAt == 10 && kWords<SrvDetailEntryMetrics> == 14);

void DecodeSrvDetail(Bytes reply, Out& out) {
    const Common c = ReadCommon<SrvDetailMetrics>(reply);
    const auto m = ReadMetrics<SrvDetailMetrics>(reply);
    const auto srvTimes = Slice<kSrvTimesAt, 6>(m);
    const auto appGroups = Slice<kAppGroupsAt, 12>(m);
    const auto appWaitTimes = Slice<kAppTimesAt, 12>(m);

    VYT_TRACE(out, "\nProcessTransSrvDetailData Entry: buflen=%d\n", c.reportLen);
    const PathPosition pos = PathPositionOf(c.flags);
    if (!pos.known) VYT_TRACE(out, "\nError:: could not determine type from flags==%d\n", c.flags);
    if (out.tracing()) {
        Spread(
            [&](auto... a) {
                out.trace("reportEntryCt=%d tranTotalCtSum=%d sumIntervalUTCNow=%d sumIntervalUTCStart=%d "
                          "sumIntervalSecs=%d Src{%s[%d]} Dst{%s[%d]} pathTotRespTimeDataCtSum=%d Group1=%d "
                          "Group2=%d Group3=%d Group1Ct=%d Group2Ct=%d Group3Ct=%d Group4Ct=%d GroupAllCt=%d "
                          "Group1State=%d Group2State=%d Group3State=%d Group4State=%d Group1=%d Group2=%d "
                          "Group3=%d appGroup1Ct=%d appGroup2Ct=%d appGroup3Ct=%d appGroup4Ct=%d "
                          "appGroupAllCt=%d appGroup1State=%d appGroup2State=%d appGroup3State=%d "
                          "appGroup4State=%d flags=%d reportReturnCode=%d type=%d\n",
                          a...);
            },
            c.reportEntryCt, c.tranTotalCtSum, c.now, c.start, c.secs, c.srcNetName.c_str(), int{c.srcPort},
            c.dstNetName.c_str(), int{c.dstPort}, c.dist, appGroups, c.flags, c.returnCode, pos.type);
        Spread(
            [&](auto... a) {
                out.trace("pathSrvRespTimeMin=%d pathSrvRespTimeMax=%d pathSrvRespTimeAvg=%d "
                          "pathSrvRespTimeMinState=%d pathSrvRespTimeMaxState=%d pathSrvRespTimeAvgState=%d "
                          "pathAppRespTimeMin=%d pathAppRespTimeMax=%d pathAppRespTimeAvg=%d "
                          "pathAppRespTimeMinState=%d pathAppRespTimeMaxState=%d pathAppRespTimeAvgState=%d "
                          "pathWaitRespTimeMin=%d pathWaitRespTimeMax=%d pathWaitRespTimeAvg=%d "
                          "pathWaitRespTimeMinState=%d pathWaitRespTimeMaxState=%d pathWaitRespTimeAvgState=%d \n",
                          a...);
            },
            srvTimes, appWaitTimes);
    }

    IntervalTexts t;
    MakeIntervalTexts(out.tracer(), c.now, c.start, t);
    const auto set = out.method<cb::SrvDetailSetData>();
    const auto add = out.method<cb::SrvDetailAddEntry>();
    out.call(set, {.head = Head(c, t, pos),
                   .dist = GroupOf<cb::DetailDistribution>(c.dist),
                   .pathSrvRespTime =
                       GroupAt<cb::RangeWithStates, offsetof(SrvDetailMetrics, pathSrvRespTimeMin)>(m),
                   .pathAppRespTime =
                       GroupAt<cb::RangeWithStates, offsetof(SrvDetailMetrics, pathAppRespTimeMin)>(m),
                   .pathWaitRespTime =
                       GroupAt<cb::RangeWithStates, offsetof(SrvDetailMetrics, pathWaitRespTimeMin)>(m),
                   .sumIntervalAux = c.aux,
                   .flags = c.flags,
                   .reportReturnCode = c.returnCode,
                   .appGroups = GroupOf<cb::Distribution>(appGroups)});

    ForEntries(out, reply, sizeof(SrvDetailReply), sizeof(SrvDetailEntry), c.reportEntryCt,
               [&](std::int32_t k, Bytes b) {
                   const auto e = ReadEntry<SrvDetailEntryMetrics>(b);
                   const auto times = Slice<0, kNetStatesAt>(e.w);
                   const auto netStates = Slice<kNetStatesAt, 2>(e.w);
                   const auto rest = Slice<kSrvStateAt, kWords<SrvDetailEntryMetrics> - kSrvStateAt>(e.w);
                   if (out.tracing())
                       Spread(
                           [&](auto... a) {
                               out.trace("\nIdx[%d/%d] usePort=%d pathIPSrcPort=%d pathIPDstPort=%d "
                                         "pathDisRespTime=%d pathTotRespTime=%d pathNetRespTimeOut=%d "
                                         "pathNetRespTimeIn=%d pathSrvRespTime=%d pathAppRespTime=%d "
                                         "pathWaitRespTime=%d pathTotRespTimeState=%d pathSrvRespTimeState=%d "
                                         "pathAppRespTimeState=%d pathWaitRespTimeState=%d pathClientTranCt=%d "
                                         "pathNetRespTimeOutState=%d pathNetRespTimeInState=%d \n",
                                         a...);
                           },
                           k, c.reportEntryCt, e.usePort, int{e.srcPort}, int{e.dstPort}, times, rest, netStates);
                   out.call(add, {.source = TierSource(e),
                                  .times = GroupOf<cb::SrvDetailEntryTimes>(times),
                                  .rest = GroupOf<cb::SrvDetailEntryRest>(rest),
                                  .netStates = GroupOf<cb::SrvDetailEntryNetStates>(netStates)});
               });
}

void DecodeWaitDetail(Bytes reply, Out& out) {
    const Common c = ReadCommon<WaitDetailMetrics>(reply);
    const auto m = ReadMetrics<WaitDetailMetrics>(reply);
    const auto flagsBits = static_cast<std::uint32_t>(c.flags);

    VYT_TRACE(out, "\nProcessTransWaitDetailData Entry: buflen=%d\n", c.reportLen);
    const PathPosition pos = PathPositionOf(c.flags);
    FlagsTextBuffer flagsText;
    if (!pos.known) VYT_TRACE(out, "\nError:: could not determine type from flags<%s>\n", FlagsText(flagsBits, flagsText));
    if (out.tracing()) {
        Spread(
            [&](auto... a) {
                out.trace("reportEntryCt=%d tranTotalCtSum=%d sumIntervalUTCNow=%d sumIntervalUTCStart=%d "
                          "sumIntervalSecs=%d Src{%s[%d]} Dst{%s[%d]} pathTotRespTimeDataCtSum=%d Group1=%d "
                          "Group2=%d Group3=%d Group1Ct=%d Group2Ct=%d Group3Ct=%d Group4Ct=%d GroupAllCt=%d"
                          "Group1State=%d Group2State=%d Group3State=%d Group4State=%d flags<%s> "
                          "reportReturnCode=%d type=%d\n",
                          a...);
            },
            c.reportEntryCt, c.tranTotalCtSum, c.now, c.start, c.secs, c.srcNetName.c_str(), int{c.srcPort},
            c.dstNetName.c_str(), int{c.dstPort}, c.dist, FlagsText(flagsBits, flagsText), c.returnCode, pos.type);
        Spread(
            [&](auto... a) {
                out.trace("pathSrvRespTimeMin=%d pathSrvRespTimeMax=%d pathSrvRespTimeAvg=%d "
                          "pathSrvRespTimeMinState=%d pathSrvRespTimeMaxState=%d pathSrvRespTimeAvgState=%d "
                          "pathAppRespTimeMin=%d pathAppRespTimeMax=%d pathAppRespTimeAvg=%d "
                          "pathAppRespTimeMinState=%d pathAppRespTimeMaxState=%d pathAppRespTimeAvgState=%d "
                          "pathWaitRespTimeMin=%d pathWaitRespTimeMax=%d pathWaitRespTimeAvg=%d "
                          "pathWaitRespTimeMinState=%d pathWaitRespTimeMaxState=%d pathWaitRespTimeAvgState=%d "
                          "pathDisRespTimeMin=%d pathDisRespTimeMax=%d pathDisRespTimeAvg=%d "
                          "pathDisAppRespTimeMin=%d pathDisAppRespTimeMax=%d pathDisAppRespTimeAvg=%d "
                          "pathDisWaitRespTimeMin=%d pathDisWaitRespTimeMax=%d pathDisWaitRespTimeAvg=%d "
                          "pathRetRespTimeMin=%d pathRetRespTimeMax=%d pathRetRespTimeAvg=%d "
                          "pathRetAppRespTimeMin=%d pathRetAppRespTimeMax=%d pathRetAppRespTimeAvg=%d "
                          "pathRetWaitRespTimeMin=%d pathRetWaitRespTimeMax=%d pathRetWaitRespTimeAvg=%d \n",
                          a...);
            },
            m);
    }

    IntervalTexts t;
    MakeIntervalTexts(out.tracer(), c.now, c.start, t);
    const auto set = out.method<cb::WaitDetailSetData>();
    const auto add = out.method<cb::WaitDetailAddEntry>();
    out.call(set, {.head = Head(c, t, pos),
                   .flags = c.flags,
                   .dist = GroupOf<cb::DetailDistribution>(c.dist),
                   .pathSrvRespTime =
                       GroupAt<cb::RangeWithStates, offsetof(WaitDetailMetrics, pathSrvRespTimeMin)>(m),
                   .pathAppRespTime =
                       GroupAt<cb::RangeWithStates, offsetof(WaitDetailMetrics, pathAppRespTimeMin)>(m),
                   .pathWaitRespTime =
                       GroupAt<cb::RangeWithStates, offsetof(WaitDetailMetrics, pathWaitRespTimeMin)>(m),
                   .pathDisRespTime =
                       GroupAt<cb::Range, offsetof(WaitDetailMetrics, pathDisRespTimeMin)>(m),
                   .pathDisAppRespTime =
                       GroupAt<cb::Range, offsetof(WaitDetailMetrics, pathDisAppRespTimeMin)>(m),
                   .pathDisWaitRespTime =
                       GroupAt<cb::Range, offsetof(WaitDetailMetrics, pathDisWaitRespTimeMin)>(m),
                   .pathRetRespTime =
                       GroupAt<cb::Range, offsetof(WaitDetailMetrics, pathRetRespTimeMin)>(m),
                   .pathRetAppRespTime =
                       GroupAt<cb::Range, offsetof(WaitDetailMetrics, pathRetAppRespTimeMin)>(m),
                   .pathRetWaitRespTime =
                       GroupAt<cb::Range, offsetof(WaitDetailMetrics, pathRetWaitRespTimeMin)>(m),
                   .sumIntervalAux = c.aux,
                   .reportReturnCode = c.returnCode});

    // The entry's destination port is not used by this report.
    ForEntries(out, reply, sizeof(WaitDetailReply), sizeof(WaitDetailEntry), c.reportEntryCt,
               [&](std::int32_t k, Bytes b) {
                   const auto e = ReadEntry<WaitDetailEntryMetrics>(b);
                   if (out.tracing()) {
                       FlagsTextBuffer flagsText;
                       Spread(
                           [&](auto... a) {
                               out.trace("\nIdx[%d/%d] pathIPSrcAddress=[%s] pathIPSrcPort=%d pathIPSrc=%d "
                                         "pathSrvRespTime=%d pathAppRespTime=%d pathWaitRespTime=%d "
                                         "pathSrvRespTimeState=%d pathAppRespTimeState=%d"
                                         "pathWaitRespTimeState=%d pathClientTranCt=%d flags<%s> \n",
                                         a...);
                           },
                           k, c.reportEntryCt, e.srcAddress.c_str(), int{e.srcPort}, e.srcIP, e.w,
                           FlagsText(static_cast<std::uint32_t>(e.flags), flagsText));
                   }
                   out.call(add, {.pathIPSrcAddress = text(e.srcAddress),
                                  .usePort = e.usePort,
                                  .pathIPSrc = e.srcIP,
                                  .pathIPSrcPort = int{e.srcPort},
                                  .metrics = GroupOf<cb::WaitDetailEntryWords>(e.w),
                                  .flags = e.flags});
               });
}

}  // namespace

const Decoder kNetDetail{"ProcessTransNetDetailData", sizeof(NetDetailReply), DecodeNetDetail};
const Decoder kSrvDetail{"ProcessTransSrvDetailData", sizeof(SrvDetailReply), DecodeSrvDetail};
const Decoder kWaitDetail{"ProcessTransWaitDetailData", sizeof(WaitDetailReply), DecodeWaitDetail};

}  // namespace vyt::detail
