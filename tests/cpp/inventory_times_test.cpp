// The current performance overview and the reportability replies: the replies
// of this subsystem that carry time texts.  The tests run with TZ=UTC.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "recording_sink.hpp"

namespace vyt::test {
namespace {

constexpr int kCurPerf = 3, kReportability = 22, kReportabilityDetail = 23;

// 2005-04-28 07:08:41 UTC and 2010-12-31 23:59:00 UTC.
constexpr std::int32_t kApril2005 = 1114672121;
constexpr std::int32_t kNewYearsEve2010 = 1293839940;



std::size_t LineIndex(const RecordingSink& s, const std::string& line) {
    return static_cast<std::size_t>(std::find(s.lines.begin(), s.lines.end(), line) - s.lines.begin());
}

std::size_t CountPrefixed(const RecordingSink& s, const std::string& prefix) {
    return static_cast<std::size_t>(std::count_if(s.lines.begin(), s.lines.end(), [&](const std::string& l) {
        return l.compare(0, prefix.size(), prefix) == 0;
    }));
}

// ---- current performance: one 512-byte record ------------------------------------

std::vector<unsigned char> curPerf(std::int32_t now, std::int32_t start) {
    ReplyBuilder r(512);
    r.i32(4, 11).i32(8, 7).i32(12, 0x0C0C0C0C).i32(16, 0x10101010);
    r.i32(20, 1).text(24, "all-ok");
    r.i32(88, 2).text(92, "node-warn");
    r.i32(156, 5).text(160, "path-slow");
    r.i32(224, 4).text(228, "net-fine");
    r.i32(292, 6).text(296, "server-busy");
    r.i32(360, 99).text(364, "sixth-block");
    r.i32(428, 3).text(432, "wait-long");
    r.i32(496, now).i32(500, start).i32(504, 424242).i32(508, 0x80);
    return r.bytes();
}

TEST(InventoryCurPerf, OneSetDataWithTextsInBlockOrderAndStatesInTheirOwn) {
    RecordingSink s;
    ASSERT_EQ(Map(curPerf(kApril2005 + 3725, kApril2005), kCurPerf, s), 0);
    EXPECT_EQ(s.lookups,
              (std::vector<std::string>{"setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                                        "Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                                        "Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 1u);  // the word at offset 8 (7) counts nothing here
    const RecCall& c = s.calls[0];
    EXPECT_EQ(c.method, "setData");
    ASSERT_EQ(c.args.size(), 18u);
    EXPECT_EQ(c.str(1), "04/28/05 (08:10:46)");
    EXPECT_EQ(c.str(2), "04/28/05 (07:08:41)");
    EXPECT_EQ(c.str(3), "Last 01 hours 02 mins 05 secs");
    EXPECT_EQ(c.str(4), "all-ok");
    EXPECT_EQ(c.str(5), "node-warn");
    EXPECT_EQ(c.str(6), "path-slow");
    EXPECT_EQ(c.str(7), "net-fine");
    EXPECT_EQ(c.str(8), "server-busy");
    EXPECT_EQ(c.str(9), "sixth-block");
    EXPECT_EQ(c.str(10), "wait-long");
    EXPECT_EQ(c.num(11), 1);  // all
    EXPECT_EQ(c.num(12), 2);  // node
    EXPECT_EQ(c.num(13), 3);  // wait
    EXPECT_EQ(c.num(14), 4);  // network
    EXPECT_EQ(c.num(15), 6);  // server
    EXPECT_EQ(c.num(16), 5);  // path
    EXPECT_EQ(c.num(17), 424242);
    EXPECT_EQ(c.num(18), 0x80);
}

TEST(InventoryCurPerf, TraceLinesInOrder) {
    RecordingSink s;
    ASSERT_EQ(Map(curPerf(kApril2005 + 125, kApril2005), kCurPerf, s), 0);
    const std::string entry = "\nProcessCurPerfData Entry: buflen=512\n";
    const std::string header =
        "reportLen=512 reportId=11 allState=1 nodeRespTimeState=2 waitState=3 networkState=4 serverState=6 "
        "pathRespTimeState=5 collectorStartupTime=424242 flags=128 \n";
    const std::string duration =
        "\nFormatDurationTime Entry: now=" + std::to_string(kApril2005 + 125) + " start=" + std::to_string(kApril2005) +
        " timediff=125\n";
    ASSERT_TRUE(s.hasLine(entry)) << s.traceText();
    ASSERT_TRUE(s.hasLine(header)) << s.traceText();
    ASSERT_TRUE(s.hasLine(duration)) << s.traceText();
    EXPECT_LT(LineIndex(s, entry), LineIndex(s, header));
    EXPECT_LT(LineIndex(s, header), LineIndex(s, duration));
    EXPECT_EQ(s.decoderLines().back(), "\nProcessCurPerfData Exit: status=0\n");
    EXPECT_EQ(s.calls.at(0).str(3), "Last 02 mins 05 secs");
}

TEST(InventoryCurPerf, DurationTexts) {
    struct Case {
        std::int32_t now, start;
        const char* text;
    } cases[] = {
        {kApril2005, kApril2005, "Last 00 mins 00 secs"},
        {kApril2005 + 59, kApril2005, "Last 00 mins 59 secs"},
        {kApril2005 + 3725, kApril2005, "Last 01 hours 02 mins 05 secs"},
        // The difference wraps as a 32-bit count: INT_MIN - INT_MAX is 1.
        {INT_MIN, INT_MAX, "Last 00 mins 01 secs"},
    };
    for (const Case& k : cases) {
        RecordingSink s;
        ASSERT_EQ(Map(curPerf(k.now, k.start), kCurPerf, s), 0);
        EXPECT_EQ(s.calls.at(0).str(3), k.text) << k.now << " " << k.start;
    }
}

TEST(InventoryCurPerf, SixthStateWordAndEntryCountChangeNothing) {
    RecordingSink base;
    ASSERT_EQ(Map(curPerf(kApril2005 + 1, kApril2005), kCurPerf, base), 0);
    auto reply = curPerf(kApril2005 + 1, kApril2005);
    ReplyBuilder r(reply.size());
    r.bytes() = reply;
    r.i32(360, -123456).i32(8, -1);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kCurPerf, s), 0);
    ASSERT_EQ(s.calls.size(), 1u);
    EXPECT_EQ(s.calls[0].args, base.calls.at(0).args);
}

TEST(InventoryCurPerf, EmptyTexts) {
    ReplyBuilder r(512);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kCurPerf, s), 0);
    for (std::size_t pos = 4; pos <= 10; ++pos) EXPECT_EQ(s.calls.at(0).str(pos), "") << pos;
    EXPECT_EQ(s.calls[0].str(2), "01/01/-30 (00:00:00)");
}

// ---- reportability overview: 32-byte header, 80-byte entries ----------------------

struct TranRow {
    std::int32_t total, online;
    std::string name;
    std::int32_t time, flags;
};

std::vector<unsigned char> reportability(std::int32_t count, const std::vector<TranRow>& rows) {
    ReplyBuilder r(32 + 80 * rows.size());
    r.i32(4, 33).i32(8, count).i32(12, 0x0C0C0C0C).i32(16, 0x10101010);
    r.i32(20, kNewYearsEve2010 + 125).i32(24, kNewYearsEve2010).i32(28, 0x1C1C1C1C);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::size_t e = 32 + 80 * k;
        r.i32(e, rows[k].total).i32(e + 4, rows[k].online).text(e + 8, rows[k].name);
        r.i32(e + 72, rows[k].time).i32(e + 76, rows[k].flags);
    }
    return r.bytes();
}

const std::vector<TranRow> kTranRows = {
    {9, 4, "tranA", 90061, 0x40},
    {8, 3, "", -1, -5},
    {7, 2, "tranC", 0, 1},
    {6, 1, "tranD", -2, 2},
};

TEST(InventoryReportability, SetDataThenEntriesWithTheirTimeTexts) {
    RecordingSink s;
    ASSERT_EQ(Map(reportability(4, kTranRows), kReportability, s), 0);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{"setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V",
                                                   "addEntry (Ljava/lang/String;Ljava/lang/String;III)V"}));
    ASSERT_EQ(s.calls.size(), 5u);
    const RecCall& set = s.calls[0];
    EXPECT_EQ(set.method, "setData");
    EXPECT_EQ(set.str(1), "01/01/11 (00:01:05)");
    EXPECT_EQ(set.str(2), "12/31/10 (23:59:00)");
    EXPECT_EQ(set.str(3), "Last 02 mins 05 secs");
    EXPECT_EQ(set.num(4), kNewYearsEve2010);
    // -1 (and only -1) means that no transaction was received; each entry
    // sets its text anew, before and after the -1 entry.
    const char* times[] = {"01 01:01:01", "NO_TRANS_RECV", "00 00:00:00", "00 00:00:-02"};
    for (std::size_t k = 0; k < 4; ++k) {
        const RecCall& c = s.calls[k + 1];
        SCOPED_TRACE(k);
        EXPECT_EQ(c.method, "addEntry");
        EXPECT_EQ(c.str(1), kTranRows[k].name);
        EXPECT_EQ(c.str(2), times[k]);
        EXPECT_EQ(c.num(3), kTranRows[k].total);
        EXPECT_EQ(c.num(4), kTranRows[k].online);
        EXPECT_EQ(c.num(5), kTranRows[k].flags);
    }
}

TEST(InventoryReportability, TraceLines) {
    RecordingSink s;
    ASSERT_EQ(Map(reportability(4, kTranRows), kReportability, s), 0);
    EXPECT_EQ(s.decoderLines().at(0), "\nProcessReportabilityData Entry: buflen=352\n");
    const std::string header = "collectorStartupTime=" + std::to_string(kNewYearsEve2010) +
                               " secsUTCNow=" + std::to_string(kNewYearsEve2010 + 125) +
                               " Duration<Last 02 mins 05 secs>\n";
    EXPECT_TRUE(s.hasLine(header)) << s.traceText();
    EXPECT_TRUE(s.hasLine("\nIdx[1/4] tranName<tranA> msrvCtTotal=9 msrvCtOnline=4 tranTime<01 01:01:01> flags=64 \n"))
        << s.traceText();
    EXPECT_TRUE(s.hasLine("\nIdx[2/4] tranName<> msrvCtTotal=8 msrvCtOnline=3 tranTime<NO_TRANS_RECV> flags=-5 \n"))
        << s.traceText();
    EXPECT_TRUE(s.hasLine("\nIdx[4/4] tranName<tranD> msrvCtTotal=6 msrvCtOnline=1 tranTime<00 00:00:-02> flags=2 \n"))
        << s.traceText();
    // The -1 entry does not go through the status-time formatter.
    EXPECT_EQ(CountPrefixed(s, "\nFormatStatusTime Entry:"), 3u);
    EXPECT_FALSE(s.hasLine("\nFormatStatusTime Entry: t=-1 format=1\n"));
    EXPECT_EQ(s.decoderLines().back(), "\nProcessReportabilityData Exit: status=0\n");
}

TEST(InventoryReportability, SecondEntryAtItsDocumentedOffsets) {
    auto reply = reportability(2, {kTranRows[0], kTranRows[2]});
    ReplyBuilder r(reply.size());
    r.bytes() = reply;
    r.i32(112, 55).text(120, "second").i32(184, 59);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kReportability, s), 0);
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[2].str(1), "second");
    EXPECT_EQ(s.calls[2].str(2), "00 00:00:59");
    EXPECT_EQ(s.calls[2].num(3), 55);
}

TEST(InventoryReportability, CountsOfZeroAndBelowOnlySetData) {
    for (int count : {0, -1, INT_MIN}) {
        RecordingSink s;
        ASSERT_EQ(Map(reportability(count, {kTranRows[0]}), kReportability, s), 0) << count;
        ASSERT_EQ(s.calls.size(), 1u) << count;
        EXPECT_EQ(s.calls[0].method, "setData");
        EXPECT_EQ(CountPrefixed(s, "\nFormatStatusTime Entry:"), 0u);
    }
}

// ---- reportability detail: 96-byte header, 152-byte entries -----------------------

struct ServerRow {
    std::string address, netName;
    std::int32_t time, flags;
};

std::vector<unsigned char> reportabilityDetail(std::int32_t count, const std::vector<ServerRow>& rows) {
    ReplyBuilder r(96 + 152 * rows.size());
    r.i32(4, 34).i32(8, count).i32(12, 0x0C0C0C0C).i32(16, 0x10101010).text(20, "checkout");
    r.i32(84, kApril2005 + 3725).i32(88, kApril2005).i32(92, 0x5C5C5C5C);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::size_t e = 96 + 152 * k;
        r.text(e, rows[k].address).text(e + 16, rows[k].netName).i32(e + 144, rows[k].time).i32(e + 148, rows[k].flags);
    }
    return r.bytes();
}

const std::vector<ServerRow> kServerRows = {
    {"10.0.0.1", "db.example", 90061, 7},
    {"", "", -1, -1},
};

TEST(InventoryReportabilityDetail, SetDataThenEntriesWithTheirTimeTexts) {
    RecordingSink s;
    ASSERT_EQ(Map(reportabilityDetail(2, kServerRows), kReportabilityDetail, s), 0);
    EXPECT_EQ(s.lookups,
              (std::vector<std::string>{
                  "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V",
                  "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    const RecCall& set = s.calls[0];
    EXPECT_EQ(set.method, "setData");
    EXPECT_EQ(set.str(1), "checkout");
    EXPECT_EQ(set.str(2), "04/28/05 (08:10:46)");
    EXPECT_EQ(set.str(3), "04/28/05 (07:08:41)");
    EXPECT_EQ(set.str(4), "Last 01 hours 02 mins 05 secs");
    EXPECT_EQ(set.num(5), kApril2005);
    EXPECT_EQ(s.calls[1].str(1), "10.0.0.1");
    EXPECT_EQ(s.calls[1].str(2), "db.example");
    EXPECT_EQ(s.calls[1].str(3), "01 01:01:01");
    EXPECT_EQ(s.calls[1].num(4), 7);
    // No value is special in the detail: -1 is a time like any other.
    EXPECT_EQ(s.calls[2].str(1), "");
    EXPECT_EQ(s.calls[2].str(2), "");
    EXPECT_EQ(s.calls[2].str(3), "00 00:00:-01");
    EXPECT_EQ(s.calls[2].num(4), -1);
}

TEST(InventoryReportabilityDetail, TraceLines) {
    RecordingSink s;
    ASSERT_EQ(Map(reportabilityDetail(2, kServerRows), kReportabilityDetail, s), 0);
    EXPECT_EQ(s.decoderLines().at(0), "\nProcessReportabilityDetailData Entry: buflen=400\n");
    EXPECT_EQ(s.decoderLines().at(1), "tranName<checkout> collectorStartupTime=" + std::to_string(kApril2005) +
                                 " secsUTCNow=" + std::to_string(kApril2005 + 3725) + " \n");
    EXPECT_TRUE(s.hasLine("\nIdx[1/2] msrvIPAddress<10.0.0.1> msrvIPNetName<db.example> timebuff<01 01:01:01> "
                           "flags=7\n"))
        << s.traceText();
    EXPECT_TRUE(s.hasLine("\nIdx[2/2] msrvIPAddress<> msrvIPNetName<> timebuff<00 00:00:-01> flags=-1\n"))
        << s.traceText();
    EXPECT_TRUE(s.hasLine("\nFormatStatusTime Entry: t=-1 format=1\n"));
    EXPECT_EQ(s.decoderLines().back(), "\nProcessReportabilityDetailData Exit: status=0\n");
}

TEST(InventoryReportabilityDetail, SecondEntryAtItsDocumentedOffsets) {
    auto reply = reportabilityDetail(2, kServerRows);
    ReplyBuilder r(reply.size());
    r.bytes() = reply;
    r.text(248, "10.9.9.9").text(264, "second.example").i32(392, 3725);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kReportabilityDetail, s), 0);
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[2].str(1), "10.9.9.9");
    EXPECT_EQ(s.calls[2].str(2), "second.example");
    EXPECT_EQ(s.calls[2].str(3), "00 01:02:05");
}

TEST(InventoryReportabilityDetail, CountsOfZeroAndBelowOnlySetData) {
    for (int count : {0, -3, INT_MIN}) {
        RecordingSink s;
        ASSERT_EQ(Map(reportabilityDetail(count, kServerRows), kReportabilityDetail, s), 0) << count;
        ASSERT_EQ(s.calls.size(), 1u) << count;
        EXPECT_EQ(s.calls[0].method, "setData");
    }
}

TEST(InventoryReportabilityFrame, MissingAddEntryMeansNoCallAtAll) {
    for (int type : {kReportability, kReportabilityDetail}) {
        RecordingSink s;
        s.missing = {"addEntry"};
        const auto reply = type == kReportability ? reportability(1, {kTranRows[0]})
                                                  : reportabilityDetail(1, {kServerRows[0]});
        EXPECT_EQ(Map(reply, type, s), 1) << type;
        EXPECT_TRUE(s.calls.empty()) << type;
    }
}

TEST(InventoryTimesTruncation, EveryPrefixStaysInsideTheArray) {
    EXPECT_EQ(TruncationSweep(curPerf(kApril2005 + 125, kApril2005), kCurPerf), "");
    EXPECT_EQ(TruncationSweep(reportability(4, kTranRows), kReportability), "");
    EXPECT_EQ(TruncationSweep(reportabilityDetail(2, kServerRows), kReportabilityDetail), "");
}

}  // namespace
}  // namespace vyt::test
