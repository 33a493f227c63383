// A transaction's sub-transaction list, its URL include/exclude rule list, and
// the collector's answer to a rule operation.
#include "decoders.hpp"
#include "vyt/callbacks/inventory.hpp"
#include "vyt/layout/inventory.hpp"
#include "vyt/trace.hpp"

namespace vyt::inventory {

namespace {

using namespace layout;

void DecodeSubTranList(Bytes reply, Out& out) {
    const auto h = at<SubTranListHeader>(reply, 0);
    const std::int32_t count = FIELD(h, reportEntryCt);
    const std::int32_t continueIdx = FIELD(h, reportEntryContinueIdx);
    const std::int32_t continueIdx2 = FIELD(h, reportEntryContinueIdx2);
    const auto tranName = FIELD(h, tranName);
    const std::int32_t startup = FIELD(h, collectorStartupTime);
    TRACE(out, "\nProcessSubTranListData Entry: buflen=%d\n", FIELD(h, reportLen));
    TRACE(out,
          "tranName<%s> collectorStartupTime=%d reportEntryCt=%d reportEntryContinueIdx=%d "
          "reportEntryContinueIdx2=%d\n",
          tranName.c_str(), startup, count, continueIdx, continueIdx2);
    const auto set = out.method<cb::SubTranListSetData>();
    const auto add = out.method<cb::SubTranListAddEntry>();
    out.call(set, text(tranName), startup, FIELD(h, flags), count, continueIdx, continueIdx2);
    ForEntries(out, reply, sizeof(SubTranListHeader), sizeof(SubTranListEntry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<SubTranListEntry>(b, 0);
        const auto name = FIELD(e, subTranName);
        const std::int32_t nameLen = FIELD(e, subTranNameLen);
        const std::int32_t flags = FIELD(e, flags);
        TRACE(out, "\nIdx[%d/%d] subTranName<%s> subTranNameLen=%d flags=%d\n", k, count, name.c_str(), nameLen,
              flags);
        // The stated length is passed on; the string ends at the text's NUL.
        out.call(add, text(name), nameLen, flags);
    });
}

void DecodeUrlRules(Bytes reply, Out& out) {
    const auto h = at<UrlRulesHeader>(reply, 0);
    const std::int32_t count = FIELD(h, reportEntryCt);
    const std::int32_t continueIdx = FIELD(h, reportEntryContinueIdx);
    const auto tranName = FIELD(h, tranName);
    const std::int32_t startup = FIELD(h, collectorStartupTime);
    const std::int32_t listFlags = FIELD(h, flags);
    TRACE(out, "\nProcessIncludeExcludeRulesData Entry: buflen=%d\n", FIELD(h, reportLen));
    TRACE(out, "tranName<%s> collectorStartupTime=%d reportEntryCt=%d reportEntryContinueIdx=%d flags<%s>\n",
          tranName.c_str(), startup, count, continueIdx, FlagsText(static_cast<std::uint32_t>(listFlags)));
    // Both callbacks have the same signature text; they differ by name.
    const auto set = out.method<cb::UrlRulesSetData>();
    const auto add = out.method<cb::UrlRulesAddEntry>();
    out.call(set, text(tranName), startup, listFlags, count, continueIdx);
    ForEntries(out, reply, sizeof(UrlRulesHeader), sizeof(UrlRulesEntry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<UrlRulesEntry>(b, 0);
        const auto url = FIELD(e, urlName);
        const std::int32_t urlLen = FIELD(e, urlLen);
        const std::int32_t ruleId = FIELD(e, urlRuleId);
        const std::int32_t hitCt = FIELD(e, hitCt);
        const std::int32_t flags = FIELD(e, flags);
        TRACE(out, "\nIdx[%d/%d] urlName<%s> urlLen=%d urlRuleId=%d hitCt=%d flags<%s>\n", k, count, url.c_str(),
              urlLen, ruleId, hitCt, FlagsText(static_cast<std::uint32_t>(flags)));
        out.call(add, text(url), urlLen, ruleId, hitCt, flags);
    });
}

// The same for every rule operation (add, remove, get, edit, change list
// precedence): the reply's reportId and rule number are not read.
void DecodeUrlRuleOperation(Bytes reply, Out& out) {
    const auto r = at<UrlRuleOperationReply>(reply, 0);
    const auto tranName = FIELD(r, tranName);
    const auto subTranName = FIELD(r, subTranName);
    const std::int32_t returnCode = FIELD(r, reportReturnCode);
    const std::int32_t flags = FIELD(r, flags);
    TRACE(out, "\nProcessURLRuleOperation Entry: buflen=%d\n", FIELD(r, reportLen));
    TRACE(out, "tranName<%s> subTranName<%s> reportReturnCode=%d flags<%s>\n", tranName.c_str(), subTranName.c_str(),
          returnCode, FlagsText(static_cast<std::uint32_t>(flags)));
    const auto set = out.method<cb::UrlRuleOperationSetData>();
    out.call(set, text(tranName), text(subTranName), returnCode, flags);
}

}  // namespace

const Decoder kSubTranList{"ProcessSubTranListData", sizeof(SubTranListHeader), DecodeSubTranList};
const Decoder kUrlRules{"ProcessIncludeExcludeRulesData", sizeof(UrlRulesHeader), DecodeUrlRules};
const Decoder kUrlRuleOperation{"ProcessURLRuleOperation", sizeof(UrlRuleOperationReply), DecodeUrlRuleOperation};

}  // namespace vyt::inventory
