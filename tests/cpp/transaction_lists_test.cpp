// Transaction list, transaction information and transaction server replies.
#include <gtest/gtest.h>

#include "recording_sink.hpp"

namespace vyt::test {
namespace {

constexpr int kAllTrans = 1, kTransSrvLoad = 20, kTranInfo = 25;

std::vector<unsigned char> allTrans(int count, int entries) {
    ReplyBuilder r(28 + 68 * static_cast<std::size_t>(entries));
    r.i32(8, count).i32(20, 1111).i32(24, 0x2000104);
    for (int k = 0; k < entries; ++k) {
        const std::size_t e = 28 + 68 * static_cast<std::size_t>(k);
        r.text(e, "tran" + std::to_string(k + 1)).i32(e + 64, 0x10 << k);
    }
    return r.bytes();
}

TEST(AllTrans, SetDataThenOneAddEntryPerEntryInReplyOrder) {
    RecordingSink s;
    ASSERT_EQ(Map(allTrans(3, 3), kAllTrans, s), 0);
    ASSERT_EQ(s.calls.size(), 4u);
    EXPECT_EQ(s.calls[0].method, "setData");
    EXPECT_EQ(s.calls[0].num(1), 1111);
    EXPECT_EQ(s.calls[0].num(2), 0x2000104);  // the header's flags, not an entry's
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(s.calls[static_cast<std::size_t>(k)].method, "addEntry");
        EXPECT_EQ(s.calls[static_cast<std::size_t>(k)].str(1), "tran" + std::to_string(k));
        EXPECT_EQ(s.calls[static_cast<std::size_t>(k)].num(2), 0x10 << (k - 1));
    }
    EXPECT_EQ(s.lookups, (std::vector<std::string>{"setData (II)V", "addEntry (Ljava/lang/String;I)V"}));
}

TEST(AllTrans, CountsOfZeroAndBelowGiveNoEntries) {
    for (int count : {0, -1, -2147483647 - 1}) {
        RecordingSink s;
        EXPECT_EQ(Map(allTrans(count, 1), kAllTrans, s), 0);
        ASSERT_EQ(s.calls.size(), 1u) << count;
        EXPECT_EQ(s.calls[0].method, "setData");
    }
}

TEST(AllTrans, TraceLinesPadTheNameToSixtyFourColumns) {
    RecordingSink s;
    auto reply = allTrans(1, 1);
    ReplyBuilder r(reply.size());
    r.bytes() = reply;
    r.text(28, std::string(64, '\0')).text(28, "abc").i32(28 + 64, 0x40);
    Map(r.bytes(), kAllTrans, s);
    const std::string t = s.traceText();
    EXPECT_NE(t.find("\nProcessAllTransData Entry: buflen=96 collectorStartupTime=1111\n"), std::string::npos) << t;
    EXPECT_NE(t.find("Idx[1] tranName[abc" + std::string(61, ' ') +
                     "] flags<{40} REP_FLAGS_VIEW_TRAFFIC REP_FLAGS_VIEW_DISPATCH_RETURN>\n"),
              std::string::npos)
        << t;
    EXPECT_NE(t.find("\nProcessAllTransData Exit: status=0\n"), std::string::npos);
    EXPECT_EQ(s.calls[1].str(1), "abc");
}

TEST(AllTrans, NameWithoutNulIsCutAtItsWidth) {
    RecordingSink s;
    auto reply = allTrans(1, 1);
    ReplyBuilder r(reply.size());
    r.bytes() = reply;
    r.text(28, std::string(64, 'x'));
    EXPECT_EQ(Map(r.bytes(), kAllTrans, s), 0);
    EXPECT_EQ(s.calls[1].str(1), std::string(64, 'x'));
    EXPECT_EQ(s.calls[1].num(2), 0x10);
}

TEST(AllTrans, ShortRepliesStopAtTheLastWholeEntry) {
    // Header too short: no call at all.
    {
        RecordingSink s;
        auto reply = allTrans(0, 0);
        reply.resize(27);
        EXPECT_EQ(Map(reply, kAllTrans, s), 1);
        EXPECT_TRUE(s.calls.empty());
        ASSERT_EQ(s.errors.size(), 1u);
    }
    // Count says 3, two whole entries and a part of the third.
    {
        RecordingSink s;
        auto reply = allTrans(3, 3);
        reply.resize(reply.size() - 1);
        EXPECT_EQ(Map(reply, kAllTrans, s), 1);
        EXPECT_EQ(s.callsTo("addEntry").size(), 2u);
        ASSERT_EQ(s.errors.size(), 1u);
        EXPECT_NE(s.errors[0].find("holds 2 of 3 entries"), std::string::npos) << s.errors[0];
        EXPECT_NE(s.traceText().find("\nProcessAllTransData Exit: status=1\n"), std::string::npos);
    }
}

TEST(TranInfo, OnlySetDataWhateverTheCount) {
    ReplyBuilder r(112);
    r.i32(8, 5).text(20, "orders").i32(104, 222).i32(108, 0x400);
    RecordingSink s;
    EXPECT_EQ(Map(r.bytes(), kTranInfo, s), 0);
    ASSERT_EQ(s.calls.size(), 1u);
    EXPECT_EQ(s.calls[0].signature, "(Ljava/lang/String;II)V");
    EXPECT_EQ(s.calls[0].str(1), "orders");
    EXPECT_EQ(s.calls[0].num(2), 222);
    EXPECT_EQ(s.calls[0].num(3), 0x400);
    EXPECT_NE(s.traceText().find("\nProcessTranInfoData Entry: buflen=112 tranName<orders> "
                                 "collectorStartupTime=222 flags=1024\n"),
              std::string::npos);
}

std::vector<unsigned char> srvLoad(int count) {
    const int entries = count > 0 ? count : 0;
    ReplyBuilder r(92 + 152 * static_cast<std::size_t>(entries));
    r.i32(8, count).text(20, "checkout");
    for (int k = 0; k < entries; ++k) {
        const std::size_t e = 92 + 152 * static_cast<std::size_t>(k);
        r.i32(e, 70 + k).text(e + 20, "srv" + std::to_string(k + 1)).i32(e + 148, 9 - k);
    }
    return r.bytes();
}

TEST(TransSrvLoad, EveryEntrySharesOneTransactionString) {
    RecordingSink s;
    EXPECT_EQ(Map(srvLoad(2), kTransSrvLoad, s), 0);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{"addEntry (Ljava/lang/String;Ljava/lang/String;II)V"}));
    ASSERT_EQ(s.calls.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        const auto& c = s.calls[static_cast<std::size_t>(k)];
        EXPECT_EQ(c.args[0].sharedSlot, 0);
        EXPECT_EQ(c.str(1), "checkout");
        EXPECT_EQ(c.str(2), "srv" + std::to_string(k + 1));
        EXPECT_EQ(c.num(3), 70 + k);
        EXPECT_EQ(c.num(4), 9 - k);
    }
    EXPECT_NE(s.traceText().find("Idx[2] serverId=71 serverIPNetName<srv2> flags=8\n"), std::string::npos);
}

TEST(TransSrvLoad, NoEntriesNoCallsButEntryAndExitLines) {
    RecordingSink s;
    EXPECT_EQ(Map(srvLoad(0), kTransSrvLoad, s), 0);
    EXPECT_TRUE(s.calls.empty());
    EXPECT_EQ(s.sharedTexts, std::vector<std::string>{"checkout"});
    const std::string t = s.traceText();
    EXPECT_NE(t.find("\nProcessTransSrvLoadData Entry: buflen=92 tranName<checkout>\n"), std::string::npos);
    EXPECT_NE(t.find("\nProcessTransSrvLoadData Exit: status=0\n"), std::string::npos);
}

TEST(DecoderFrame, MissingCallbackMeansNoCallAtAll) {
    RecordingSink s;
    s.missing = {"addEntry"};
    EXPECT_EQ(Map(allTrans(2, 2), kAllTrans, s), 1);
    EXPECT_TRUE(s.calls.empty());
    ASSERT_FALSE(s.errors.empty());
    EXPECT_NE(s.errors[0].find("addEntry (Ljava/lang/String;I)V"), std::string::npos) << s.errors[0];
}

TEST(DecoderFrame, JavaExceptionStopsFurtherCalls) {
    RecordingSink s;
    s.throwOnCall = 1;  // the first addEntry throws
    EXPECT_EQ(Map(allTrans(3, 3), kAllTrans, s), 1);
    EXPECT_EQ(s.calls.size(), 2u);
}

}  // namespace
}  // namespace vyt::test

namespace vyt::test {
namespace {

TEST(TransactionListTruncation, EveryPrefixStaysInsideTheArray) {
    EXPECT_EQ(TruncationSweep(allTrans(3, 3), kAllTrans), "");
    EXPECT_EQ(TruncationSweep(srvLoad(2), kTransSrvLoad), "");
    ReplyBuilder info(112);
    info.text(20, "orders");
    EXPECT_EQ(TruncationSweep(info.bytes(), kTranInfo), "");
}

}  // namespace
}  // namespace vyt::test
