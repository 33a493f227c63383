// Trace helpers: flags texts, dump rows, the mapData checks, request records.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "recording_sink.hpp"
#include "vyt/dispatch.hpp"
#include "vyt/local_time.hpp"
#include "vyt/request.hpp"
#include "vyt/timetext.hpp"
#include "vyt/trace.hpp"

namespace vyt::test {
namespace {

TEST(FlagsText, NamesEveryBitOfBothTablesInTableOrder) {
    FlagsTextBuffer buf;
    EXPECT_STREQ(FlagsText(0, buf), "{0}");
    EXPECT_STREQ(FlagsText(0x40, buf), "{40} REP_FLAGS_VIEW_TRAFFIC REP_FLAGS_VIEW_DISPATCH_RETURN");
    EXPECT_STREQ(FlagsText(0x101, buf),
                 "{101} REP_FLAGS_CLIENT_PATH REP_FLAGS_VIEW_OBSERVATIONS REP_URL_LIST_PRECEDENCE_INCLUDE_FIRST "
                 "REP_URL_SEARCH_TYPE_EXACT_MATCH");
    EXPECT_STREQ(FlagsText(0x80000000u, buf), "{80000000}");  // unnamed bits: the value only
    const std::string all = FlagsText(0xFFFFFFFFu, buf);
    EXPECT_EQ(all.size(), 1047u);
    EXPECT_EQ(all.rfind(" REP_URL_SEARCH_TYPE_ENDS_WITH"), all.size() - std::strlen(" REP_URL_SEARCH_TYPE_ENDS_WITH"));
}

TEST(FlagsText, EachThreadKeepsItsOwnText) {
    // Two threads render different flags over and over; each must always read its own.
    std::atomic<int> wrong{0};
    auto run = [&](std::uint32_t flags) {
        FlagsTextBuffer buf;
        const std::string want = std::string(FlagsText(flags, buf));
        for (int i = 0; i < 20000; ++i)
            if (want != FlagsText(flags, buf)) ++wrong;
    };
    std::thread a(run, 0x1u), b(run, 0x2000000u);
    a.join();
    b.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(PrintDump, RowsOfSixteenWithPaddedShortLastRow) {
    RecordingSink s;
    unsigned char bytes[17];
    for (int i = 0; i < 17; ++i) bytes[i] = static_cast<unsigned char>(0x20 + i * 6);
    bytes[16] = 0x7E;
    PrintDump(s, bytes, 0, 17);
    ASSERT_EQ(s.lines.size(), 3u);
    EXPECT_EQ(s.lines[0].rfind("PrintDump Entry: ptr<@", 0), 0u);
    EXPECT_NE(s.lines[0].find("> start<0> end<17>\n"), std::string::npos);
    std::string hex, chars;
    for (int i = 0; i < 16; ++i) {
        char h[4];
        std::snprintf(h, sizeof h, "%02x ", bytes[i]);
        hex += h;
        chars += DumpChar(bytes[i]);
    }
    EXPECT_EQ(s.lines[1], "   0 |" + hex + "| |" + chars + "|\n");
    EXPECT_EQ(s.lines[2], "  10 |7e " + std::string(45, ' ') + "| |~" + std::string(15, ' ') + "|\n");
}

TEST(PrintDump, EmptyOrNegativeRangeWritesOnlyTheEntryLine) {
    RecordingSink s;
    unsigned char b[1] = {0};
    PrintDump(s, b, 0, 0);
    PrintDump(s, b, 5, 2);
    EXPECT_EQ(s.lines.size(), 2u);
}

TEST(DumpChar, OnlyGraphicAsciiShowsItself) {
    EXPECT_EQ(DumpChar(0x20), '.');
    EXPECT_EQ(DumpChar(0x21), '!');
    EXPECT_EQ(DumpChar(0x7E), '~');
    EXPECT_EQ(DumpChar(0x7F), '.');
    EXPECT_EQ(DumpChar(0x00), '.');
    EXPECT_EQ(DumpChar(0x80), '.');
    EXPECT_EQ(DumpChar(0xFF), '.');
}

TEST(TraceOff, NothingIsFormattedButErrors) {
    RecordingSink s;
    s.tracingOn = false;
    ReplyBuilder r(28);
    EXPECT_EQ(Map(r.bytes(), 0, s), 1);
    EXPECT_TRUE(s.lines.empty());
    EXPECT_EQ(s.errors, std::vector<std::string>{"rep_type=0 invalid\n"});
}

// ---- mapData checks ---------------------------------------------------------

TEST(MapReply, EmptyReplyFailsWithoutExitLine) {
    RecordingSink s;
    ReplyBuilder r(28);
    r.i32(0, 0);
    EXPECT_EQ(Map(r.bytes(), 1, s), 1);
    EXPECT_TRUE(s.calls.empty());
    EXPECT_EQ(s.errors, std::vector<std::string>{"zero buflen\n"});
    EXPECT_EQ(s.lines, (std::vector<std::string>{"\nJava_VYTreport_mapData Entry: rep_type<1>\n", "buflen<0>\n"}));
}

TEST(MapReply, ErrorReplyTellsTransactionNotFoundFromOtherFailures) {
    auto errorReply = [](const std::string& text) {
        ReplyBuilder r(35);
        r.i32(4, 1).text(8, text);
        return r.bytes();
    };
    struct Case {
        std::string text;
        int status;
    } cases[] = {{"FAIL_TRANNOTFOU", 2}, {"FAIL_TRANNOTFOUND", 1}, {"FAIL_NOMEMORY", 1}, {"", 1}};
    for (const auto& c : cases) {
        RecordingSink s;
        EXPECT_EQ(Map(errorReply(c.text), 1, s), c.status) << c.text;
        EXPECT_TRUE(s.calls.empty());
        EXPECT_EQ(s.errors, std::vector<std::string>{"VYT Reported error\n"});
        EXPECT_EQ(s.traceText().find("Exit"), std::string::npos);
    }
    // Any report type, even an invalid one: the error reply check comes first.
    RecordingSink s;
    EXPECT_EQ(Map(errorReply("FAIL_TRANNOTFOU"), 99, s), 2);
}

TEST(MapReply, ReportTypeOutsideTheTableFails) {
    for (int type : {0, 33, -1}) {
        RecordingSink s;
        ReplyBuilder r(28);
        EXPECT_EQ(Map(r.bytes(), type, s), 1);
        EXPECT_TRUE(s.lookups.empty());
        EXPECT_EQ(s.errors, std::vector<std::string>{"rep_type=" + std::to_string(type) + " invalid\n"});
        EXPECT_NE(s.traceText().find("\nJava_VYTreport_mapData Exit: status=1\n"), std::string::npos);
    }
}

TEST(MapReply, TooShortForALengthWordFails) {
    for (std::size_t n : {0u, 1u, 3u}) {
        RecordingSink s;
        std::vector<unsigned char> b(n, 0x11);
        EXPECT_EQ(Map(b, 1, s), 1);
        EXPECT_EQ(s.errors.size(), 1u);
    }
}

TEST(MapReply, DumpCoversOnlyTheArrayWhateverTheLengthWordSays) {
    RecordingSink s;
    ReplyBuilder r(28);
    r.i32(0, 1 << 30);
    Map(r.bytes(), 1, s);
    EXPECT_NE(s.traceText().find("start<0> end<28>\n"), std::string::npos);
    EXPECT_EQ(s.traceText().find("\n  20 |"), std::string::npos);  // two rows only (0 and 0x10)
}

TEST(BufLength, ReadsWordZero) {
    RecordingSink s;
    const unsigned char b[4] = {0x6C, 0x04, 0x00, 0x00};
    EXPECT_EQ(BufLength(Bytes(b, 4), s), 1132);
    EXPECT_EQ(s.lines.back(), "\nJava_VYTconnect_getBufLength Exit: buflen=1132\n");
    EXPECT_EQ(BufLength(Bytes(b, 3), s), 0);
    EXPECT_EQ(s.errors.size(), 1u);
}

// ---- time texts ---------------------------------------------------------------

TEST(TimeText, DurationForms) {
    RecordingSink s;
    TimeText buf;
    EXPECT_STREQ(FormatDurationTime(s, 100, 100, 1, buf), "Last 00 mins 00 secs");
    EXPECT_STREQ(FormatDurationTime(s, 3725, 0, 1, buf), "Last 01 hours 02 mins 05 secs");
    EXPECT_STREQ(FormatDurationTime(s, 3725, 0, 0, buf), "01:02:05");
    EXPECT_STREQ(FormatDurationTime(s, 59, 0, 0, buf), "00:00:59");
    EXPECT_STREQ(FormatDurationTime(s, 0, 5, 0, buf), "00:00:-05");
    EXPECT_EQ(s.lines[0], "\nFormatDurationTime Entry: now=100 start=100 timediff=0\n");
    EXPECT_EQ(s.lines[3], "timebuff<Last 01 hours 02 mins 05 secs> hour=1 min=2 sec=5\n");
}

TEST(TimeText, NumbersAreWrittenAsPrintfWritesThem) {
    // Time texts write their numbers directly; they must equal "%2.2d" for every int.
    std::vector<std::int32_t> values = {INT32_MIN, INT32_MIN + 1, -100, -99, -10, -9, -1, 0, 1, 9, 10, 99,
                                        100, 999, 1000, 2147483647};
    for (std::int64_t v = INT32_MIN; v <= INT32_MAX; v += 65537) values.push_back(static_cast<std::int32_t>(v));
    for (std::int32_t v : values) {
        char want[16], got[16];
        std::snprintf(want, sizeof want, "%2.2d", v);
        *PutNumber2(got, v) = '\0';
        ASSERT_STREQ(got, want) << v;
    }
}

TEST(TimeText, DurationWrapsInsteadOfOverflowing) {
    RecordingSink s;
    TimeText buf;
    // INT32_MAX - INT32_MIN wraps to -1.
    EXPECT_STREQ(FormatDurationTime(s, 2147483647, -2147483647 - 1, 0, buf), "00:00:-01");
}

TEST(TimeText, StatusTimeDaysAndHours) {
    RecordingSink s;
    TimeText buf;
    EXPECT_STREQ(FormatStatusTime(s, 86400, 1, buf), "00 24:00:00");
    EXPECT_STREQ(FormatStatusTime(s, 172800, 1, buf), "01 24:00:00");
    EXPECT_STREQ(FormatStatusTime(s, 176400, 1, buf), "02 01:00:00");
    EXPECT_STREQ(FormatStatusTime(s, 90061, 1, buf), "01 01:01:01");
    EXPECT_STREQ(FormatStatusTime(s, 90061, 0, buf), "01:01:01");
    EXPECT_EQ(s.lines.back(), "\nFormatStatusTime Exit: timebuff<01:01:01> days=1 hour=1 min=1 sec=1\n");
}

TEST(TimeText, DateTimeStampInLocalTime) {
    // The tests run with TZ=UTC.
    char buf[kTimeTextMax];
    DateTimeStamp(1114672121, buf);  // 2005-04-28 07:08:41 UTC
    EXPECT_STREQ(buf, "04/28/05 (07:08:41)");
    DateTimeStamp(946684799, buf);  // 1999-12-31 23:59:59
    EXPECT_STREQ(buf, "12/31/-01 (23:59:59)");
}

TEST(TimeText, ThreadsFormatAtOnce) {
    std::atomic<int> wrong{0};
    auto run = [&](std::int32_t secs, const char* want) {
        RecordingSink s;
        s.tracingOn = false;
        TimeText buf;
        for (int i = 0; i < 20000; ++i)
            if (std::strcmp(FormatStatusTime(s, secs, 1, buf), want) != 0) ++wrong;
    };
    std::thread a(run, 90061, "01 01:01:01"), b(run, 59, "00 00:00:59");
    a.join();
    b.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace vyt::test
