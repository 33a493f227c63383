// The group limits and warning/critical thresholds the collector applies to one path.
#include "decoders.hpp"
#include "vyt/callbacks/alerts.hpp"
#include "vyt/layout/alerts.hpp"

namespace vyt::alerts {

namespace {

using namespace layout;

void DecodeThresholds(Bytes reply, Out& out) {
    const auto r = at<ThresholdReply>(reply, 0);
    const auto tranName = FIELD(r, tranName);
    const auto srcNetName = FIELD(r, ends.pathIPSrcNetName);
    const auto srcAlias = FIELD(r, ends.pathIPSrcAlias);
    const auto dstNetName = FIELD(r, ends.pathIPDstNetName);
    const auto dstAlias = FIELD(r, ends.pathIPDstAlias);
    const std::int32_t netG1 = FIELD(r, pathNetRespTimeGroup1);
    const std::int32_t netG2 = FIELD(r, pathNetRespTimeGroup2);
    const std::int32_t netG3 = FIELD(r, pathNetRespTimeGroup3);
    const std::int32_t srvG1 = FIELD(r, pathSrvRespTimeGroup1);
    const std::int32_t srvG2 = FIELD(r, pathSrvRespTimeGroup2);
    const std::int32_t srvG3 = FIELD(r, pathSrvRespTimeGroup3);
    const std::int32_t appG1 = FIELD(r, pathAppRespTimeGroup1);
    const std::int32_t appG2 = FIELD(r, pathAppRespTimeGroup2);
    const std::int32_t appG3 = FIELD(r, pathAppRespTimeGroup3);
    const std::int32_t waitG1 = FIELD(r, pathWaitRespTimeGroup1);
    const std::int32_t waitG2 = FIELD(r, pathWaitRespTimeGroup2);
    const std::int32_t waitG3 = FIELD(r, pathWaitRespTimeGroup3);
    const std::int32_t totG1 = FIELD(r, pathTotRespTimeGroup1);
    const std::int32_t totG2 = FIELD(r, pathTotRespTimeGroup2);
    const std::int32_t totG3 = FIELD(r, pathTotRespTimeGroup3);
    const std::int32_t pathG1 = FIELD(r, pathRespTimeGroup1);
    const std::int32_t pathG2 = FIELD(r, pathRespTimeGroup2);
    const std::int32_t pathG3 = FIELD(r, pathRespTimeGroup3);
    const std::int32_t dataCt = FIELD(r, pathTotRespTimeDataCt);
    const std::int32_t netWarn = FIELD(r, pathNetRespTimeWarn);
    const std::int32_t netCrit = FIELD(r, pathNetRespTimeCrit);
    const std::int32_t srvWarn = FIELD(r, pathSrvRespTimeWarn);
    const std::int32_t srvCrit = FIELD(r, pathSrvRespTimeCrit);
    const std::int32_t appWarn = FIELD(r, pathAppRespTimeWarn);
    const std::int32_t appCrit = FIELD(r, pathAppRespTimeCrit);
    const std::int32_t waitWarn = FIELD(r, pathWaitRespTimeWarn);
    const std::int32_t waitCrit = FIELD(r, pathWaitRespTimeCrit);
    const std::int32_t totWarn = FIELD(r, pathTotRespTimeWarn);
    const std::int32_t totCrit = FIELD(r, pathTotRespTimeCrit);
    const std::int32_t pathWarn = FIELD(r, pathRespTimeWarn);
    const std::int32_t pathCrit = FIELD(r, pathRespTimeCrit);
    const std::int32_t flags = FIELD(r, flags);

    TRACE(out, "\nProcessThresholdReadData Entry: buflen=%d\n", FIELD(r, reportLen));
    // The path number and the ports are traced only, never passed on.
    TRACE(out,
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
          tranName.c_str(), FIELD(r, pathId), srcNetName.c_str(), srcAlias.c_str(), FIELD(r, ends.pathIPSrcPort),
          dstNetName.c_str(), dstAlias.c_str(), FIELD(r, ends.pathIPDstPort), netG1, netG2, netG3, srvG1, srvG2,
          srvG3, appG1, appG2, appG3, waitG1, waitG2, waitG3, totG1, totG2, totG3, dataCt, netWarn, netCrit,
          srvWarn, srvCrit, appWarn, appCrit, waitWarn, waitCrit, totWarn, totCrit, pathG1, pathG2, pathG3,
          pathWarn, pathCrit, flags);

    const auto set = out.method<cb::ThresholdSetData>();
    // The path response time's group limits go after every component threshold.
    out.call(set, text(tranName), text(srcNetName), text(srcAlias), text(dstNetName), text(dstAlias), netG1, netG2,
             netG3, srvG1, srvG2, srvG3, appG1, appG2, appG3, waitG1, waitG2, waitG3, totG1, totG2, totG3, dataCt,
             netWarn, netCrit, srvWarn, srvCrit, appWarn, appCrit, waitWarn, waitCrit, totWarn, totCrit, pathG1,
             pathG2, pathG3, pathWarn, pathCrit, flags);
}

}  // namespace

const Decoder kThreshold{"ProcessThresholdReadData", sizeof(ThresholdReply), DecodeThresholds};

}  // namespace vyt::alerts
