// Report types decoded by this subsystem's decoders.
#include "vyt/decoder.hpp"

namespace vyt {

const Decoder* AlertDecoder(int reportType) {
    switch (reportType) {
        default: return nullptr;
    }
}

}  // namespace vyt
