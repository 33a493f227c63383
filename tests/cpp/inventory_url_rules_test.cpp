// Sub-transaction lists, URL include/exclude rule lists and rule operations.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "recording_sink.hpp"

namespace vyt::test {
namespace {

constexpr int kSubTranList = 24, kUrlRules = 27;



// ---- sub-transaction list: 448-byte header, 1032-byte entries ---------------------

constexpr std::size_t kSubHeader = 448, kSubEntry = 1032;

std::vector<unsigned char> subTranList(std::int32_t count, int entries) {
    ReplyBuilder r(kSubHeader + kSubEntry * static_cast<std::size_t>(entries));
    r.i32(4, 35).i32(8, count).i32(12, 40).i32(16, 7).text(20, "shop");
    for (std::size_t off = 84; off < 440; off += 4) r.i32(off, 0x54545454);
    r.i32(440, 555).i32(444, 0x2000000);
    for (int k = 0; k < entries; ++k) {
        const std::size_t e = kSubHeader + kSubEntry * static_cast<std::size_t>(k);
        // The stated lengths differ from the texts' own.
        r.text(e, "/cart/add?id=" + std::to_string(k + 1)).i32(e + 1024, 900 + k).i32(e + 1028, 0x100 << k);
    }
    return r.bytes();
}

TEST(InventorySubTranList, SetDataThenOneEntryPerName) {
    RecordingSink s;
    ASSERT_EQ(Map(subTranList(2, 2), kSubTranList, s), 0);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{"setData (Ljava/lang/String;IIIII)V",
                                                   "addEntry (Ljava/lang/String;II)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    const RecCall& set = s.calls[0];
    EXPECT_EQ(set.method, "setData");
    EXPECT_EQ(set.str(1), "shop");
    EXPECT_EQ(set.num(2), 555);
    EXPECT_EQ(set.num(3), 0x2000000);
    EXPECT_EQ(set.num(4), 2);
    EXPECT_EQ(set.num(5), 40);
    EXPECT_EQ(set.num(6), 7);
    for (int k = 0; k < 2; ++k) {
        const RecCall& c = s.calls[static_cast<std::size_t>(k) + 1];
        EXPECT_EQ(c.method, "addEntry");
        EXPECT_EQ(c.str(1), "/cart/add?id=" + std::to_string(k + 1));  // ends at the NUL, not at the length
        EXPECT_EQ(c.num(2), 900 + k);
        EXPECT_EQ(c.num(3), 0x100 << k);
    }
}

TEST(InventorySubTranList, TraceLines) {
    RecordingSink s;
    ASSERT_EQ(Map(subTranList(2, 2), kSubTranList, s), 0);
    EXPECT_EQ(s.decoderLines().at(0), "\nProcessSubTranListData Entry: buflen=2512\n");
    EXPECT_EQ(s.decoderLines().at(1), "tranName<shop> collectorStartupTime=555 reportEntryCt=2 reportEntryContinueIdx=40 "
                             "reportEntryContinueIdx2=7\n");
    EXPECT_TRUE(s.hasLine("\nIdx[1/2] subTranName</cart/add?id=1> subTranNameLen=900 flags=256\n")) << s.traceText();
    EXPECT_TRUE(s.hasLine("\nIdx[2/2] subTranName</cart/add?id=2> subTranNameLen=901 flags=512\n")) << s.traceText();
    EXPECT_EQ(s.decoderLines().back(), "\nProcessSubTranListData Exit: status=0\n");
}

TEST(InventorySubTranList, SecondEntryAtItsDocumentedOffsetsAndFullWidthName) {
    auto reply = subTranList(2, 2);
    ReplyBuilder r(reply.size());
    r.bytes() = reply;
    // Entry 2's name fills its whole width, without a NUL.
    r.text(1480, std::string(1024, 'u')).i32(2504, 1024).i32(2508, -9);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kSubTranList, s), 0);
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[2].str(1), std::string(1024, 'u'));
    EXPECT_EQ(s.calls[2].num(2), 1024);
    EXPECT_EQ(s.calls[2].num(3), -9);
}

TEST(InventorySubTranList, CountsOfZeroAndBelowOnlySetData) {
    for (int count : {0, -1, INT_MIN}) {
        RecordingSink s;
        ASSERT_EQ(Map(subTranList(count, 1), kSubTranList, s), 0) << count;
        ASSERT_EQ(s.calls.size(), 1u) << count;
        EXPECT_EQ(s.calls[0].num(4), count);
    }
}

// ---- rule list: 92-byte header, 1040-byte entries -----------------------------------

constexpr std::size_t kRuleHeader = 92, kRuleEntry = 1040;

std::vector<unsigned char> urlRules(std::int32_t count, int entries) {
    ReplyBuilder r(kRuleHeader + kRuleEntry * static_cast<std::size_t>(entries));
    r.i32(4, 38).i32(8, count).i32(12, 12).i32(16, 99).text(20, "portal");
    r.i32(84, 1234).i32(88, 0x15);
    for (int k = 0; k < entries; ++k) {
        const std::size_t e = kRuleHeader + kRuleEntry * static_cast<std::size_t>(k);
        r.text(e, "/rule/" + std::to_string(k + 1)).i32(e + 1024, 70 + k).i32(e + 1028, 31 + k);
        r.i32(e + 1032, 1000 * (k + 1)).i32(e + 1036, 0x200 << k);
    }
    return r.bytes();
}

TEST(InventoryUrlRules, SetDataThenOneEntryPerRule) {
    RecordingSink s;
    ASSERT_EQ(Map(urlRules(2, 2), kUrlRules, s), 0);
    // The same signature text, looked up under each name.
    EXPECT_EQ(s.lookups, (std::vector<std::string>{"setData (Ljava/lang/String;IIII)V",
                                                   "addEntry (Ljava/lang/String;IIII)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    const RecCall& set = s.calls[0];
    EXPECT_EQ(set.method, "setData");
    ASSERT_EQ(set.args.size(), 5u);
    EXPECT_EQ(set.str(1), "portal");
    EXPECT_EQ(set.num(2), 1234);
    EXPECT_EQ(set.num(3), 0x15);
    EXPECT_EQ(set.num(4), 2);
    EXPECT_EQ(set.num(5), 12);
    for (int k = 0; k < 2; ++k) {
        const RecCall& c = s.calls[static_cast<std::size_t>(k) + 1];
        EXPECT_EQ(c.method, "addEntry");
        EXPECT_EQ(c.str(1), "/rule/" + std::to_string(k + 1));
        EXPECT_EQ(c.num(2), 70 + k);
        EXPECT_EQ(c.num(3), 31 + k);
        EXPECT_EQ(c.num(4), 1000 * (k + 1));
        EXPECT_EQ(c.num(5), 0x200 << k);
    }
}

TEST(InventoryUrlRules, TraceLinesRenderFlagNames) {
    RecordingSink s;
    ASSERT_EQ(Map(urlRules(2, 2), kUrlRules, s), 0);
    EXPECT_EQ(s.decoderLines().at(0), "\nProcessIncludeExcludeRulesData Entry: buflen=2172\n");
    EXPECT_EQ(s.decoderLines().at(1), "tranName<portal> collectorStartupTime=1234 reportEntryCt=2 reportEntryContinueIdx=12 "
                             "flags<{15} REP_FLAGS_CLIENT_PATH REP_FLAGS_END_PATH REP_FLAGS_VIEW_DISTRIBUTIONS "
                             "REP_URL_LIST_PRECEDENCE_INCLUDE_FIRST REP_URL_LIST_TYPE_INCLUDE "
                             "REP_URL_LIST_HAS_INCLUDE>\n");
    EXPECT_TRUE(s.hasLine("\nIdx[1/2] urlName</rule/1> urlLen=70 urlRuleId=31 hitCt=1000 "
                           "flags<{200} REP_FLAGS_VIEW_ALL REP_URL_SEARCH_TYPE_BEGINS_WITH>\n"))
        << s.traceText();
    EXPECT_TRUE(s.hasLine("\nIdx[2/2] urlName</rule/2> urlLen=71 urlRuleId=32 hitCt=2000 "
                           "flags<{400} REP_FLAGS_LEARN_THRESHOLDS_MODE_ACTIVE REP_URL_SEARCH_TYPE_CONTAINS>\n"))
        << s.traceText();
    EXPECT_EQ(s.decoderLines().back(), "\nProcessIncludeExcludeRulesData Exit: status=0\n");
}

TEST(InventoryUrlRules, SecondEntryAtItsDocumentedOffsets) {
    auto reply = urlRules(2, 2);
    ReplyBuilder r(reply.size());
    r.bytes() = reply;
    r.text(1132, "/second").i32(2160, 8080).i32(2168, -2);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kUrlRules, s), 0);
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[2].str(1), "/second");
    EXPECT_EQ(s.calls[2].num(3), 8080);
    EXPECT_EQ(s.calls[2].num(5), -2);
}

TEST(InventoryUrlRules, CountsOfZeroAndBelowOnlySetDataAndEmptyTexts) {
    for (int count : {0, -1, INT_MIN}) {
        RecordingSink s;
        ASSERT_EQ(Map(urlRules(count, 1), kUrlRules, s), 0) << count;
        ASSERT_EQ(s.calls.size(), 1u) << count;
        EXPECT_EQ(s.calls[0].method, "setData");
    }
    ReplyBuilder r(kRuleHeader + kRuleEntry);
    r.i32(8, 1).i32(92 + 1028, 5);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kUrlRules, s), 0);
    ASSERT_EQ(s.calls.size(), 2u);
    EXPECT_EQ(s.calls[0].str(1), "");
    EXPECT_EQ(s.calls[1].str(1), "");
    EXPECT_EQ(s.calls[1].num(3), 5);
}

TEST(InventoryUrlRuleLists, MissingAddEntryMeansNoCallAtAll) {
    for (int type : {kSubTranList, kUrlRules}) {
        RecordingSink s;
        s.missing = {"addEntry"};
        EXPECT_EQ(Map(type == kSubTranList ? subTranList(1, 1) : urlRules(1, 1), type, s), 1) << type;
        EXPECT_TRUE(s.calls.empty()) << type;
    }
}

// ---- rule operation: the 1132-byte request layout with a return code ---------------

std::vector<unsigned char> ruleOperation(std::int32_t reportId, std::int32_t ruleId, const std::string& url) {
    ReplyBuilder r(1132);
    r.i32(4, reportId).i32(8, 8).i32(12, 12).i32(16, 16).i32(20, 20).i32(24, 24).i32(28, ruleId);
    r.i32(32, -3).i32(36, 0x24242424).text(40, "portal").text(104, url).i32(1128, 0x402);
    return r.bytes();
}

TEST(InventoryUrlRuleOperation, EveryOperationGivesTheSameSingleSetData) {
    std::vector<RecArg> first;
    for (int type = 28; type <= 32; ++type) {
        RecordingSink s;
        // Each reply carries its own reportId and rule number; neither is read.
        ASSERT_EQ(Map(ruleOperation(39 + (type - 28), 100 * type, "/login"), type, s), 0) << type;
        EXPECT_EQ(s.lookups, std::vector<std::string>{"setData (Ljava/lang/String;Ljava/lang/String;II)V"});
        ASSERT_EQ(s.calls.size(), 1u) << type;
        const RecCall& c = s.calls[0];
        EXPECT_EQ(c.method, "setData");
        ASSERT_EQ(c.args.size(), 4u);
        EXPECT_EQ(c.str(1), "portal");
        EXPECT_EQ(c.str(2), "/login");
        EXPECT_EQ(c.num(3), -3);
        EXPECT_EQ(c.num(4), 0x402);
        if (type == 28) first = c.args;
        EXPECT_EQ(c.args, first) << type;
    }
}

TEST(InventoryUrlRuleOperation, TraceLines) {
    RecordingSink s;
    ASSERT_EQ(Map(ruleOperation(41, 5, "/login"), 30, s), 0);
    EXPECT_EQ(s.decoderLines().at(0), "\nProcessURLRuleOperation Entry: buflen=1132\n");
    EXPECT_EQ(s.decoderLines().at(1), "tranName<portal> subTranName</login> reportReturnCode=-3 flags<{402} "
                             "REP_FLAGS_MIDDLE_PATH REP_FLAGS_LEARN_THRESHOLDS_MODE_ACTIVE "
                             "REP_URL_LIST_PRECEDENCE_EXCLUDE_FIRST REP_URL_SEARCH_TYPE_CONTAINS>\n");
    EXPECT_EQ(s.decoderLines().back(), "\nProcessURLRuleOperation Exit: status=0\n");
}

TEST(InventoryUrlRuleOperation, EmptyUrlGivesAnEmptyString) {
    RecordingSink s;
    ASSERT_EQ(Map(ruleOperation(43, 0, ""), 32, s), 0);
    ASSERT_EQ(s.calls.size(), 1u);
    EXPECT_EQ(s.calls[0].str(1), "portal");
    EXPECT_EQ(s.calls[0].str(2), "");
}

TEST(InventoryUrlRulesTruncation, EveryPrefixStaysInsideTheArray) {
    EXPECT_EQ(TruncationSweep(subTranList(2, 2), kSubTranList), "");
    EXPECT_EQ(TruncationSweep(urlRules(2, 2), kUrlRules), "");
    for (int type = 28; type <= 32; ++type)
        EXPECT_EQ(TruncationSweep(ruleOperation(39 + (type - 28), 1, "/login"), type), "") << type;
}

}  // namespace
}  // namespace vyt::test
