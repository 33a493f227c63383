// Java callbacks of the transaction inventory and URL rule reports.
#pragma once

#include "vyt/emit.hpp"

namespace vyt::cb {

// Transaction lists.
using AllTransSetData = Method<"setData", Int, Int>;
using AllTransAddEntry = Method<"addEntry", Str, Int>;
using TranInfoSetData = Method<"setData", Str, Int, Int>;
using TransSrvLoadAddEntry = Method<"addEntry", Str, Str, Int, Int>;

// Path definitions: the paths of a transaction, and one path with its ports.
using TransPathAddEntry = Method<"addEntry", Str, Str, Str, Str, Str, Str, Str, Ints<7>>;
using TransPathPortSetData = Method<"setData", Str, Str, Str, Str, Str, Str, Str, Ints<5>>;
using TransPathPortAddEntry = Method<"addEntry", Int, Int>;

// Current performance: ten texts, then eight numbers.
using CurPerfSetData = Method<"setData", Str, Str, Str, Str, Str, Str, Str, Str, Str, Str, Ints<8>>;

// Reportability overview and detail.
using ReportabilitySetData = Method<"setData", Str, Str, Str, Int>;
using ReportabilityAddEntry = Method<"addEntry", Str, Str, Int, Int, Int>;
using ReportabilityDetailSetData = Method<"setData", Str, Str, Str, Str, Int>;
using ReportabilityDetailAddEntry = Method<"addEntry", Str, Str, Str, Int>;

// URL rules: sub-transaction list, include/exclude rule list, rule operations.
using SubTranListSetData = Method<"setData", Str, Ints<5>>;
using SubTranListAddEntry = Method<"addEntry", Str, Int, Int>;
using UrlRulesSetData = Method<"setData", Str, Ints<4>>;
using UrlRulesAddEntry = Method<"addEntry", Str, Ints<4>>;
using UrlRuleOperationSetData = Method<"setData", Str, Str, Int, Int>;

}  // namespace vyt::cb
