// Java callbacks of the path detail reports.
#pragma once

#include "vyt/emit.hpp"

namespace vyt::cb {

// Response-time detail: sub-transaction, three interval texts, four path texts, 25 ints.
using RspTimeDetailSetData = Method<"setData", Str, Str, Str, Str, Str, Str, Str, Str, Ints<25>>;
using RspTimeDetailAddEntry = Method<"addEntry", Str, Ints<15>>;

// Path time detail: three interval texts, four path texts, 25 ints.
using PathTimeDetailSetData = Method<"setData", Str, Str, Str, Str, Str, Str, Str, Ints<25>>;
using PathTimeDetailAddEntry = Method<"addEntry", Str, Ints<11>>;

// Network detail: three interval texts, four path texts, 43 ints.
using NetDetailSetData = Method<"setData", Str, Str, Str, Str, Str, Str, Str, Ints<43>>;
using NetDetailAddEntry = Method<"addEntry", Str, Ints<17>>;

// Server detail: three interval texts, four path texts, 49 ints.
using SrvDetailSetData = Method<"setData", Str, Str, Str, Str, Str, Str, Str, Ints<49>>;
using SrvDetailAddEntry = Method<"addEntry", Str, Ints<18>>;

// Wait detail: three interval texts, four path texts, 55 ints.
using WaitDetailSetData = Method<"setData", Str, Str, Str, Str, Str, Str, Str, Ints<55>>;
using WaitDetailAddEntry = Method<"addEntry", Str, Ints<11>>;

}  // namespace vyt::cb
