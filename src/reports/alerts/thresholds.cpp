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
    const std::int32_t netG1 = VYT_FIELD(r, pathNetRespTimeGroup1);
    const std::int32_t netG2 = VYT_FIELD(r, pathNetRespTimeGroup2);
    const std::int32_t netG3 = VYT_FIELD(r, pathNetRespTimeGroup3);
    const std::int32_t srvG1 = VYT_FIELD(r, pathSrvRespTimeGroup1);
    const std::int32_t srvG2 = VYT_FIELD(r, pathSrvRespTimeGroup2);
    const std::int32_t srvG3 = VYT_FIELD(r, pathSrvRespTimeGroup3);
    const std::int32_t appG1 = VYT_FIELD(r, pathAppRespTimeGroup1);
    const std::int32_t appG2 = VYT_FIELD(r, pathAppRespTimeGroup2);
    const std::int32_t appG3 = VYT_FIELD(r, pathAppRespTimeGroup3);
    const std::int32_t waitG1 = VYT_FIELD(r, pathWaitRespTimeGroup1);
    const std::int32_t waitG2 = VYT_FIELD(r, pathWaitRespTimeGroup2);
    const std::int32_t waitG3 = VYT_FIELD(r, pathWaitRespTimeGroup3);
    const std::int32_t totG1 = VYT_FIELD(r, pathTotRespTimeGroup1);
    const std::int32_t totG2 = VYT_FIELD(r, pathTotRespTimeGroup2);
    const std::int32_t totG3 = VYT_FIELD(r, pathTotRespTimeGroup3);
    const std::int32_t pathG1 = VYT_FIELD(r, pathRespTimeGroup1);
    const std::int32_t pathG2 = VYT_FIELD(r, pathRespTimeGroup2);
    const std::int32_t pathG3 = VYT_FIELD(r, pathRespTimeGroup3);
    const std::int32_t dataCt = VYT_FIELD(r, pathTotRespTimeDataCt);
    const std::int32_t netWarn = VYT_FIELD(r, pathNetRespTimeWarn);
    const std::int32_t netCrit = VYT_FIELD(r, pathNetRespTimeCrit);
    const std::int32_t srvWarn = VYT_FIELD(r, pathSrvRespTimeWarn);
    const std::int32_t srvCrit = VYT_FIELD(r, pathSrvRespTimeCrit);
    const std::int32_t appWarn = VYT_FIELD(r, pathAppRespTimeWarn);
    const std::int32_t appCrit = VYT_FIELD(r, pathAppRespTimeCrit);
    const std::int32_t waitWarn = VYT_FIELD(r, pathWaitRespTimeWarn);
    const std::int32_t waitCrit = VYT_FIELD(r, pathWaitRespTimeCrit);
    const std::int32_t totWarn = VYT_FIELD(r, pathTotRespTimeWarn);
    const std::int32_t totCrit = VYT_FIELD(r, pathTotRespTimeCrit);
    const std::int32_t pathWarn = VYT_FIELD(r, pathRespTimeWarn);
    const std::int32_t pathCrit = VYT_FIELD(r, pathRespTimeCrit);
    const std::int32_t flags = VYT_FIELD(r, flags);

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
              tranName.c_str(), VYT_FIELD(r, pathId), srcNetName.c_str(), srcAlias.c_str(), VYT_FIELD(r, ends.pathIPSrcPort),
              dstNetName.c_str(), dstAlias.c_str(), VYT_FIELD(r, ends.pathIPDstPort), netG1, netG2, netG3, srvG1, srvG2,
              srvG3, appG1, appG2, appG3, waitG1, waitG2, waitG3, totG1, totG2, totG3, dataCt, netWarn, netCrit,
              srvWarn, srvCrit, appWarn, appCrit, waitWarn, waitCrit, totWarn, totCrit, pathG1, pathG2, pathG3,
              pathWarn, pathCrit, flags);

    const auto set = out.method<cb::ThresholdSetData>();
    // The path response time's group limits go after every component threshold.
    out.call(set, {.tranName = text(tranName),
                   .pathIPSrcNetName = text(srcNetName),
                   .pathIPSrcAlias = text(srcAlias),
                   .pathIPDstNetName = text(dstNetName),
                   .pathIPDstAlias = text(dstAlias),
                   .pathNetRespTimeGroup1 = netG1,
                   .pathNetRespTimeGroup2 = netG2,
                   .pathNetRespTimeGroup3 = netG3,
                   .pathSrvRespTimeGroup1 = srvG1,
                   .pathSrvRespTimeGroup2 = srvG2,
                   .pathSrvRespTimeGroup3 = srvG3,
                   .pathAppRespTimeGroup1 = appG1,
                   .pathAppRespTimeGroup2 = appG2,
                   .pathAppRespTimeGroup3 = appG3,
                   .pathWaitRespTimeGroup1 = waitG1,
                   .pathWaitRespTimeGroup2 = waitG2,
                   .pathWaitRespTimeGroup3 = waitG3,
                   .pathTotRespTimeGroup1 = totG1,
                   .pathTotRespTimeGroup2 = totG2,
                   .pathTotRespTimeGroup3 = totG3,
                   .pathTotRespTimeDataCt = dataCt,
                   .pathNetRespTimeWarn = netWarn,
                   .pathNetRespTimeCrit = netCrit,
                   .pathSrvRespTimeWarn = srvWarn,
                   .pathSrvRespTimeCrit = srvCrit,
                   .pathAppRespTimeWarn = appWarn,
                   .pathAppRespTimeCrit = appCrit,
                   .pathWaitRespTimeWarn = waitWarn,
                   .pathWaitRespTimeCrit = waitCrit,
                   .pathTotRespTimeWarn = totWarn,
                   .pathTotRespTimeCrit = totCrit,
                   .pathRespTimeGroup1 = pathG1,
                   .pathRespTimeGroup2 = pathG2,
                   .pathRespTimeGroup3 = pathG3,
                   .pathRespTimeWarn = pathWarn,
                   .pathRespTimeCrit = pathCrit,
                   .flags = flags});
}

}  // namespace

const Decoder kThreshold{"ProcessThresholdReadData", sizeof(ThresholdReply), DecodeThresholds};

}  // namespace vyt::alerts
