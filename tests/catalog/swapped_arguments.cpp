// Compiled by CTest, once as it stands and once with VYT_SWAP_ARGUMENTS,
// which must fail: the two ints of all-transactions' setData given by name
// in the wrong order.
#include "vyt/catalog.hpp"

void Call(vyt::Out& out, vyt::Bound<vyt::cb::AllTransSetData> set, int startup, int flags) {
#if defined(VYT_SWAP_ARGUMENTS)
    out.call(set, {.flags = flags, .collectorStartupTime = startup});
#else
    out.call(set, {.collectorStartupTime = startup, .flags = flags});
#endif
}
