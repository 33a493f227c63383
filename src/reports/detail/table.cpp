// Report types decoded by the path detail decoders.
#include "decoders.hpp"

namespace vyt {

const Decoder* DetailDecoder(int reportType) {
    switch (reportType) {
        case 8: return &pathdetail::kNetDetail;
        case 9: return &pathdetail::kSrvDetail;
        case 10: return &pathdetail::kRspTimeDetail;
        case 13: return &pathdetail::kWaitDetail;
        case 19: return &pathdetail::kPathTimeDetail;
        default: return nullptr;
    }
}

}  // namespace vyt
