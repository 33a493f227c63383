// The group limits and warning/critical thresholds the collector applies to one path.
#include "vyt/decoder.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/alerts.hpp"

namespace vyt::alerts {

namespace {

using namespace layout;

void DecodeThresholds(Bytes reply, Out& out) {
    const auto r = at<ThresholdReply>(reply, 0);
    const auto tranName = VYT_FIELD(r, tranName);
    const auto srcNetName = VYT_FIELD(r, ends.pathIPSrcNetName);
    const auto srcAlias = VYT_FIELD(r, ends.pathIPSrcAlias);
    const auto dstNetName = VYT_FIELD(r, ends.pathIPDstNetName);
    const auto dstAlias = VYT_FIELD(r, ends.pathIPDstAlias);
    VYT_FIELDS(r, pathNetRespTimeGroup1, pathNetRespTimeGroup2, pathNetRespTimeGroup3, pathSrvRespTimeGroup1,
               pathSrvRespTimeGroup2, pathSrvRespTimeGroup3, pathAppRespTimeGroup1, pathAppRespTimeGroup2,
               pathAppRespTimeGroup3, pathWaitRespTimeGroup1, pathWaitRespTimeGroup2, pathWaitRespTimeGroup3,
               pathTotRespTimeGroup1, pathTotRespTimeGroup2, pathTotRespTimeGroup3, pathRespTimeGroup1,
               pathRespTimeGroup2, pathRespTimeGroup3, pathTotRespTimeDataCt, pathNetRespTimeWarn, pathNetRespTimeCrit,
               pathSrvRespTimeWarn, pathSrvRespTimeCrit, pathAppRespTimeWarn, pathAppRespTimeCrit, pathWaitRespTimeWarn,
               pathWaitRespTimeCrit, pathTotRespTimeWarn, pathTotRespTimeCrit, pathRespTimeWarn, pathRespTimeCrit,
               flags);

    VYT_TRACE(out, "\nProcessThresholdReadData Entry: buflen=%d\n", VYT_FIELD(r, reportLen));
    // The path number and the ports are traced only, never passed on.
    VYT_TRACE(out,
              "tranName<%s> pathId=%d pathIPSrcNetName<%s> pathIPSrcAlias<%s>  pathIPSrcPort=%d pathIPDstNetName<%s> "
              "pathIPDstAlias<%s> pathIPDstPort=%d pathNetRespTimeGroup1=%d pathNetRespTimeGroup2=%d "
              "pathNetRespTimeGroup3=%d pathSrvRespTimeGroup1=%d pathSrvRespTimeGroup2=%d pathSrvRespTimeGroup3=%d "
              "pathAppRespTimeGroup1=%d pathAppRespTimeGroup2=%d pathAppRespTimeGroup3=%d pathWaitRespTimeGroup1=%d "
              "pathWaitRespTimeGroup2=%d pathWaitRespTimeGroup3=%d pathTotRespTimeGroup1=%d pathTotRespTimeGroup2=%d "
              "pathTotRespTimeGroup3=%d pathTotRespTimeDataCt=%d pathNetRespTimeWarn=%d pathNetRespTimeCrit=%d "
              "pathSrvRespTimeWarn=%d pathSrvRespTimeCrit=%d pathAppRespTimeWarn=%d pathAppRespTimeCrit=%d "
              "pathWaitRespTimeWarn=%d pathWaitRespTimeCrit=%d pathTotRespTimeWarn=%d pathTotRespTimeCrit=%d "
              "pathRespTimeGroup1=%d pathRespTimeGroup2=%d pathRespTimeGroup3=%d pathRespTimeWarn=%d "
              "pathRespTimeCrit=%d flags=%d\n",
              tranName.c_str(), VYT_FIELD(r, pathId), srcNetName.c_str(), srcAlias.c_str(),
              VYT_FIELD(r, ends.pathIPSrcPort), dstNetName.c_str(), dstAlias.c_str(), VYT_FIELD(r, ends.pathIPDstPort),
              pathNetRespTimeGroup1, pathNetRespTimeGroup2, pathNetRespTimeGroup3, pathSrvRespTimeGroup1,
              pathSrvRespTimeGroup2, pathSrvRespTimeGroup3, pathAppRespTimeGroup1, pathAppRespTimeGroup2,
              pathAppRespTimeGroup3, pathWaitRespTimeGroup1, pathWaitRespTimeGroup2, pathWaitRespTimeGroup3,
              pathTotRespTimeGroup1, pathTotRespTimeGroup2, pathTotRespTimeGroup3, pathTotRespTimeDataCt,
              pathNetRespTimeWarn, pathNetRespTimeCrit, pathSrvRespTimeWarn, pathSrvRespTimeCrit, pathAppRespTimeWarn,
              pathAppRespTimeCrit, pathWaitRespTimeWarn, pathWaitRespTimeCrit, pathTotRespTimeWarn, pathTotRespTimeCrit,
              pathRespTimeGroup1, pathRespTimeGroup2, pathRespTimeGroup3, pathRespTimeWarn, pathRespTimeCrit, flags);

    const auto set = out.method<cb::ThresholdSetData>();
    // The path response time's group limits go after every component threshold.
    out.call(set, {.tranName = text(tranName),
                   .pathIPSrcNetName = text(srcNetName),
                   .pathIPSrcAlias = text(srcAlias),
                   .pathIPDstNetName = text(dstNetName),
                   .pathIPDstAlias = text(dstAlias),
                   VYT_SAME(pathNetRespTimeGroup1, pathNetRespTimeGroup2, pathNetRespTimeGroup3, pathSrvRespTimeGroup1,
                            pathSrvRespTimeGroup2, pathSrvRespTimeGroup3, pathAppRespTimeGroup1, pathAppRespTimeGroup2,
                            pathAppRespTimeGroup3, pathWaitRespTimeGroup1, pathWaitRespTimeGroup2,
                            pathWaitRespTimeGroup3, pathTotRespTimeGroup1, pathTotRespTimeGroup2, pathTotRespTimeGroup3,
                            pathTotRespTimeDataCt, pathNetRespTimeWarn, pathNetRespTimeCrit, pathSrvRespTimeWarn,
                            pathSrvRespTimeCrit, pathAppRespTimeWarn, pathAppRespTimeCrit, pathWaitRespTimeWarn,
                            pathWaitRespTimeCrit, pathTotRespTimeWarn, pathTotRespTimeCrit, pathRespTimeGroup1,
                            pathRespTimeGroup2, pathRespTimeGroup3, pathRespTimeWarn, pathRespTimeCrit, flags)});
}

}  // namespace

const Decoder kThreshold{"ProcessThresholdReadData", sizeof(ThresholdReply), DecodeThresholds};

}  // namespace vyt::alerts
