// A transaction's sub-transaction list, its URL include/exclude rule list, and
// the collector's answer to a rule operation.
#include "vyt/decoder.hpp"
#include "vyt/catalog.hpp"
#include "vyt/layout/inventory.hpp"
#include "vyt/trace.hpp"

namespace vyt::inventory {

namespace {

using namespace layout;

void DecodeSubTranList(Bytes reply, Out& out) {
    const auto h = at<SubTranListHeader>(reply, 0);
    const std::int32_t count = VYT_FIELD(h, reportEntryCt);
    VYT_FIELDS(h, reportEntryContinueIdx, reportEntryContinueIdx2);
    const auto tranName = VYT_FIELD(h, tranName);
    const std::int32_t collectorStartupTime = VYT_FIELD(h, collectorStartupTime);
    VYT_TRACE(out, "\nProcessSubTranListData Entry: buflen=%d\n", VYT_FIELD(h, reportLen));
    VYT_TRACE(out,
              "tranName<%s> collectorStartupTime=%d reportEntryCt=%d reportEntryContinueIdx=%d "
              "reportEntryContinueIdx2=%d\n",
              tranName.c_str(), collectorStartupTime, count, reportEntryContinueIdx, reportEntryContinueIdx2);
    const auto set = out.method<cb::SubTranListSetData>();
    const auto add = out.method<cb::SubTranListAddEntry>();
    out.call(set, {.tranName = text(tranName),
                   .collectorStartupTime = collectorStartupTime,
                   .flags = VYT_FIELD(h, flags),
                   .reportEntryCt = count,
                   .reportEntryContinueIdx = reportEntryContinueIdx,
                   .reportEntryContinueIdx2 = reportEntryContinueIdx2});
    ForEntries(out, reply, sizeof(SubTranListHeader), sizeof(SubTranListEntry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<SubTranListEntry>(b, 0);
        const auto name = VYT_FIELD(e, subTranName);
        VYT_FIELDS(e, subTranNameLen, flags);
        VYT_TRACE(out, "\nIdx[%d/%d] subTranName<%s> subTranNameLen=%d flags=%d\n", k, count, name.c_str(),
                  subTranNameLen, flags);
        // The stated length is passed on; the string ends at the text's NUL.
        out.call(add, {.subTranName = text(name), .subTranNameLen = subTranNameLen, .flags = flags});
    });
}

void DecodeUrlRules(Bytes reply, Out& out) {
    const auto h = at<UrlRulesHeader>(reply, 0);
    const std::int32_t count = VYT_FIELD(h, reportEntryCt);
    const std::int32_t reportEntryContinueIdx = VYT_FIELD(h, reportEntryContinueIdx);
    const auto tranName = VYT_FIELD(h, tranName);
    const std::int32_t collectorStartupTime = VYT_FIELD(h, collectorStartupTime);
    const std::int32_t listFlags = VYT_FIELD(h, flags);
    VYT_TRACE(out, "\nProcessIncludeExcludeRulesData Entry: buflen=%d\n", VYT_FIELD(h, reportLen));
    FlagsTextBuffer flagsText;
    VYT_TRACE(out, "tranName<%s> collectorStartupTime=%d reportEntryCt=%d reportEntryContinueIdx=%d flags<%s>\n",
              tranName.c_str(), collectorStartupTime, count, reportEntryContinueIdx,
              FlagsText(static_cast<std::uint32_t>(listFlags), flagsText));
    // Both callbacks have the same signature text; they differ by name.
    const auto set = out.method<cb::UrlRulesSetData>();
    const auto add = out.method<cb::UrlRulesAddEntry>();
    out.call(set, {.tranName = text(tranName),
                   .collectorStartupTime = collectorStartupTime,
                   .flags = listFlags,
                   .reportEntryCt = count,
                   .reportEntryContinueIdx = reportEntryContinueIdx});
    ForEntries(out, reply, sizeof(UrlRulesHeader), sizeof(UrlRulesEntry), count, [&](std::int32_t k, Bytes b) {
        const auto e = at<UrlRulesEntry>(b, 0);
        const auto url = VYT_FIELD(e, urlName);
        VYT_FIELDS(e, urlLen, urlRuleId, hitCt, flags);
        FlagsTextBuffer flagsText;
        VYT_TRACE(out, "\nIdx[%d/%d] urlName<%s> urlLen=%d urlRuleId=%d hitCt=%d flags<%s>\n", k, count, url.c_str(),
                  urlLen, urlRuleId, hitCt, FlagsText(static_cast<std::uint32_t>(flags), flagsText));
        out.call(add, {.urlName = text(url), .urlLen = urlLen, .urlRuleId = urlRuleId, .hitCt = hitCt, .flags = flags});
    });
}

// The same for every rule operation (add, remove, get, edit, change list
// precedence): the reply's reportId and rule number are not read.
void DecodeUrlRuleOperation(Bytes reply, Out& out) {
    const auto r = at<UrlRuleOperationReply>(reply, 0);
    const auto tranName = VYT_FIELD(r, tranName);
    const auto subTranName = VYT_FIELD(r, subTranName);
    VYT_FIELDS(r, reportReturnCode, flags);
    VYT_TRACE(out, "\nProcessURLRuleOperation Entry: buflen=%d\n", VYT_FIELD(r, reportLen));
    FlagsTextBuffer flagsText;
    VYT_TRACE(out, "tranName<%s> subTranName<%s> reportReturnCode=%d flags<%s>\n", tranName.c_str(),
              subTranName.c_str(), reportReturnCode, FlagsText(static_cast<std::uint32_t>(flags), flagsText));
    const auto set = out.method<cb::UrlRuleOperationSetData>();
    out.call(set, {.tranName = text(tranName),
                   .subTranName = text(subTranName),
                   .reportReturnCode = reportReturnCode,
                   .flags = flags});
}

}  // namespace

const Decoder kSubTranList{"ProcessSubTranListData", sizeof(SubTranListHeader), DecodeSubTranList};
const Decoder kUrlRules{"ProcessIncludeExcludeRulesData", sizeof(UrlRulesHeader), DecodeUrlRules};
const Decoder kUrlRuleOperation{"ProcessURLRuleOperation", sizeof(UrlRuleOperationReply), DecodeUrlRuleOperation};

}  // namespace vyt::inventory
