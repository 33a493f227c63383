// What every interval report shares: the interval texts of its setData and the
// block that opens its path entries.
#include <cstdio>

#include "decoders.hpp"
#include "vyt/layout/interval.hpp"

namespace vyt::interval {

void MakeIntervalTexts(Out& out, std::int32_t now, std::int32_t start, IntervalTexts& t) {
    DateTimeStamp(now, t.now);
    DateTimeStamp(start, t.start);
    std::snprintf(t.span, sizeof t.span, "%s", FormatDurationTime(out.tracer(), now, start, 1));
}

PathValues ReadPath(Bytes entry) {
    const auto p = at<layout::PathEndpoints>(entry, 0);
    return PathValues{FIELD(p, pathId),
                      FIELD(p, ends.pathIPSrcPort),
                      FIELD(p, ends.pathIPDstPort),
                      FIELD(p, ends.pathIPSrcNetName),
                      FIELD(p, ends.pathIPDstNetName),
                      FIELD(p, ends.pathIPSrcAlias),
                      FIELD(p, ends.pathIPDstAlias)};
}

}  // namespace vyt::interval
