// What every interval report shares: the interval texts of its setData and the
// block that opens its path entries.
#include <cstdio>

#include "decoders.hpp"
#include "vyt/layout/interval.hpp"

namespace vyt::interval {

PathValues ReadPath(Bytes entry) {
    const auto p = at<layout::PathEndpoints>(entry, 0);
    return PathValues{VYT_FIELD(p, pathId),
                      VYT_FIELD(p, ends.pathIPSrcPort),
                      VYT_FIELD(p, ends.pathIPDstPort),
                      VYT_FIELD(p, ends.pathIPSrcNetName),
                      VYT_FIELD(p, ends.pathIPDstNetName),
                      VYT_FIELD(p, ends.pathIPSrcAlias),
                      VYT_FIELD(p, ends.pathIPDstAlias)};
}

}  // namespace vyt::interval
