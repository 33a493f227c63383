// The trace line of an entry of the current alerts list, the widest line the
// decoders write; the line formatter's benchmark formats the same line.
#pragma once

namespace vyt::alerts {

// Arguments: index, count, tranName, startTime, pathFirstAlertUTCStart, pathId,
// flags, the source and destination net names, then the path's numbers.
inline constexpr char kCurrentAlertEntryLine[] =
    "\nIdx[%d/%d] tranName<%s> startTime<%s> pathFirstAlertUTCStart=%d pathId=%d flags=%d "
    "pathIPSrcNetName<%s> pathIPDstNetName<%s> pathIPDstPort=%d pathTotRespTimeDataCt=%d "
    "pathTotRespTimeAlert=%d pathNetRespTimeAlert=%d pathSrvRespTimeAlert=%d "
    "pathAppRespTimeAlert=%d pathWaitRespTimeAlert=%d worstComponentState=%d "
    "pathTotRespTimeAlertState=%d pathNetRespTimeAlertState=%d pathSrvRespTimeAlertState=%d "
    "pathAppRespTimeAlertState=%d pathWaitRespTimeAlertState=%d pathMaxRespTimeAlertState=%d "
    "pathRespTimeAlert=%d pathRespTimeAlertState=%d \n";

}  // namespace vyt::alerts
