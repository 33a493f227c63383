// Java callbacks of the transaction inventory and URL rule reports.
#pragma once

#include "vyt/emit.hpp"

namespace vyt::cb {

// Transaction lists.
using AllTransSetData = Method<"setData", Int, Int>;
using AllTransAddEntry = Method<"addEntry", Str, Int>;
using TranInfoSetData = Method<"setData", Str, Int, Int>;
using TransSrvLoadAddEntry = Method<"addEntry", Str, Str, Int, Int>;

}  // namespace vyt::cb
