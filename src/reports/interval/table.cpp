// Report types decoded by this subsystem's decoders.
#include "vyt/decoder.hpp"

namespace vyt {

const Decoder* IntervalDecoder(int reportType) {
    switch (reportType) {
        default: return nullptr;
    }
}

}  // namespace vyt
