// Report types decoded by this subsystem's decoders.
#include "decoders.hpp"

namespace vyt {

const Decoder* IntervalDecoder(int reportType) {
    switch (reportType) {
        case 4: return &interval::kTransRspTime;
        case 5: return &interval::kTransNetTime;
        case 6: return &interval::kTransSrvTime;
        case 7: return &interval::kTransFlow;
        case 12: return &interval::kTransWaitTime;
        case 18: return &interval::kTransPathTime;
        case 21: return &interval::kServerLoad;
        default: return nullptr;
    }
}

}  // namespace vyt
