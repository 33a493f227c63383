// The decoders of the interval performance reports.
#pragma once

#include <cstdint>

#include "vyt/bytes.hpp"
#include "vyt/decoder.hpp"
#include "vyt/timetext.hpp"

namespace vyt::interval {



// The values of the 404-byte block that opens every response-time and
// tier-time path entry.
struct PathValues {
    std::int32_t pathId;
    std::uint16_t pathIPSrcPort;
    std::uint16_t pathIPDstPort;
    TextField<128> pathIPSrcNetName;
    TextField<128> pathIPDstNetName;
    TextField<16> pathIPSrcAlias;
    TextField<16> pathIPDstAlias;
};

// Reads the block at the start of `entry` (a whole entry record).
PathValues ReadPath(Bytes entry);

}  // namespace vyt::interval
