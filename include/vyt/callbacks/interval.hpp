// Java callbacks of the interval performance reports.
#pragma once

#include "vyt/emit.hpp"

namespace vyt::cb {

// Every setData of these reports opens with the interval end and start stamps
// and the interval's duration text.

// Transaction response time.
using TransRspTimeSetData = Method<"setData", Str, Str, Str, Ints<4>>;
using TransRspTimeAddEntry = Method<"addEntry", Str, Str, Str, Str, Ints<16>>;

// Path time.
using TransPathTimeSetData = Method<"setData", Str, Str, Str, Ints<5>>;
using TransPathTimeAddEntry = Method<"addEntry", Str, Str, Str, Str, Ints<11>>;

// Network, server and wait tier time.
using TransNetTimeSetData = Method<"setData", Str, Str, Str, Ints<4>>;
using TransNetTimeAddEntry = Method<"addEntry", Str, Str, Str, Str, Ints<14>>;
using TransSrvTimeSetData = Method<"setData", Str, Str, Str, Ints<4>>;
using TransSrvTimeAddEntry = Method<"addEntry", Str, Str, Str, Str, Ints<11>>;
using TransWaitTimeSetData = Method<"setData", Str, Str, Str, Ints<4>>;
using TransWaitTimeAddEntry = Method<"addEntry", Str, Str, Str, Str, Ints<8>>;

// Server load.
using ServerLoadSetData = Method<"setData", Str, Str, Str, Ints<3>>;
using ServerLoadAddEntry = Method<"addEntry", Str, Str, Str, Str, Str, Str, Ints<13>>;

// Transaction flow.
using TransFlowSetData = Method<"setData", Str, Str, Str, Ints<5>>;
using TransFlowAddEntry = Method<"addEntry", Str, Str, Ints<22>>;

}  // namespace vyt::cb
