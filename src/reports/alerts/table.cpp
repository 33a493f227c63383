// Report types decoded by this subsystem's decoders.
#include "decoders.hpp"

namespace vyt {

const Decoder* AlertDecoder(int reportType) {
    switch (reportType) {
        case 11: return &alerts::kCurrentAlert;
        case 14: return &alerts::kSummary;
        case 15: return &alerts::kEventAlert;
        case 17: return &alerts::kThreshold;
        case 26: return &alerts::kCurrentURLAlert;
        default: return nullptr;
    }
}

}  // namespace vyt
