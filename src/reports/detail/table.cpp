// Report types decoded by this subsystem's decoders.
#include "vyt/decoder.hpp"

namespace vyt {

const Decoder* DetailDecoder(int reportType) {
    switch (reportType) {
        default: return nullptr;
    }
}

}  // namespace vyt
