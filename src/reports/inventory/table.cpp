// Report types decoded by the inventory decoders.
#include "decoders.hpp"

namespace vyt {

const Decoder* InventoryDecoder(int reportType) {
    switch (reportType) {
        case 1: return &inventory::kAllTrans;
        case 2: return &inventory::kTransPath;
        case 3: return &inventory::kCurPerf;
        case 16: return &inventory::kTransPathPort;
        case 20: return &inventory::kTransSrvLoad;
        case 22: return &inventory::kReportability;
        case 23: return &inventory::kReportabilityDetail;
        case 24: return &inventory::kSubTranList;
        case 25: return &inventory::kTranInfo;
        case 27: return &inventory::kUrlRules;
        // Every rule operation is answered alike, whatever its reportId.
        case 28:
        case 29:
        case 30:
        case 31:
        case 32: return &inventory::kUrlRuleOperation;
        default: return nullptr;
    }
}

}  // namespace vyt
