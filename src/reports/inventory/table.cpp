// Report types decoded by the inventory decoders.
#include "decoders.hpp"

namespace vyt {

const Decoder* InventoryDecoder(int reportType) {
    switch (reportType) {
        case 1: return &inventory::kAllTrans;
        case 20: return &inventory::kTransSrvLoad;
        case 25: return &inventory::kTranInfo;
        default: return nullptr;
    }
}

}  // namespace vyt
