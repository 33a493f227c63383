// Interval performance replies: response time (4), network (5), server (6),
// transaction flow (7), wait (12), path time (18) and server load (21).
//
// Every reply is built from the documented layout with a distinct value in
// every field: a 32-bit field at entry offset o of entry k holds k*1000 + o,
// a header field at offset o holds 500000 + o (the interval stamps excepted),
// and bytes the decoders do not read hold 0xA5.  So a swapped argument or a
// wrong offset shows as a wrong number.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "recording_sink.hpp"
#include "vyt/timetext.hpp"

namespace vyt::test {
namespace {

constexpr int kRspTime = 4, kNetTime = 5, kSrvTime = 6, kFlow = 7, kWaitTime = 12, kPathTime = 18, kServerLoad = 21;

constexpr std::int32_t kStart = 1100000000;
constexpr std::int32_t kNow = kStart + 300;  // five minutes

const std::string kJunk4(4, '\xA5');

std::int32_t v(int k, std::size_t off) { return k * 1000 + static_cast<std::int32_t>(off); }
std::int32_t hv(std::size_t off) { return 500000 + static_cast<std::int32_t>(off); }

std::string stamp(std::int32_t secs) {
    char buf[kTimeTextMax];
    DateTimeStamp(secs, buf);
    return buf;
}

// ---- reply builders ---------------------------------------------------------------

void commonHeader(ReplyBuilder& r, int count) {
    r.i32(4, 0x5A5A5A5A).i32(8, count).i32(12, 0x5A5A5A5A).i32(16, 0x5A5A5A5A);
    r.text(20, std::string(1092, '\xA5'));
    for (std::size_t o : {1112u, 1116u, 1120u, 1124u}) r.i32(o, hv(o));
}

// The 1152-byte header: interval end at 1128, start at 1132.
ReplyBuilder formA(int count, int entries, std::size_t entrySize) {
    ReplyBuilder r(1152 + entrySize * static_cast<std::size_t>(entries));
    commonHeader(r, count);
    r.i32(1128, kNow).i32(1132, kStart);
    for (std::size_t o : {1136u, 1140u, 1144u, 1148u}) r.i32(o, hv(o));
    return r;
}

// The 1156-byte header: the average at 1128, interval end at 1132, start at 1136.
ReplyBuilder formB(int count, int entries, std::size_t entrySize) {
    ReplyBuilder r(1156 + entrySize * static_cast<std::size_t>(entries));
    commonHeader(r, count);
    r.i32(1128, hv(1128)).i32(1132, kNow).i32(1136, kStart);
    for (std::size_t o : {1140u, 1144u, 1148u, 1152u}) r.i32(o, hv(o));
    return r;
}

// Entry 1 has texts in every field; entry 2 has an empty destination name and
// empty aliases (with junk after their NUL).  Ports of 0x8000 and above.
std::uint16_t srcPort(int k) { return static_cast<std::uint16_t>(0x8000 + k); }
std::uint16_t dstPort(int k) { return static_cast<std::uint16_t>(0x10000 - k); }
std::string srcNet(int k) { return "srcnet-" + std::to_string(k); }
std::string dstNet(int k) { return k == 1 ? "dstnet-1" : ""; }
std::string srcAlias(int k) { return k == 1 ? "sa-1" : ""; }
std::string dstAlias(int k) { return k == 1 ? "da-1" : ""; }
std::string field(const std::string& s) { return s.empty() ? std::string("\0junk", 5) : s; }

// The 404-byte block that opens a path entry, then k*1000+o in every word
// from 404 to the end of the entry.
void pathEntry(ReplyBuilder& r, std::size_t e, std::size_t size, int k) {
    r.text(e, std::string(64, '\xA5')).i32(e + 64, v(k, 64)).text(e + 68, std::string(8, '\xA5'));
    r.u16(e + 76, srcPort(k)).u16(e + 78, dstPort(k));
    r.text(e + 80, "10.0.0." + std::to_string(k)).text(e + 96, field(srcNet(k))).text(e + 224, field(srcAlias(k)));
    r.text(e + 240, "10.9.9." + std::to_string(k)).text(e + 256, field(dstNet(k))).text(e + 384, field(dstAlias(k)));
    r.text(e + 400, kJunk4);
    for (std::size_t o = 404; o < size; o += 4) r.i32(e + o, v(k, o));
}

std::vector<unsigned char> pathReply(int type, int count, int entries = 2) {
    const bool withAvg = type == kPathTime;
    const std::size_t size = type == kRspTime    ? 456
                             : type == kPathTime ? 436
                             : type == kNetTime  ? 460
                             : type == kSrvTime  ? 440
                                                 : 428;
    ReplyBuilder r = withAvg ? formB(count, entries, size) : formA(count, entries, size);
    const std::size_t first = withAvg ? 1156 : 1152;
    for (int k = 1; k <= entries; ++k) pathEntry(r, first + size * static_cast<std::size_t>(k - 1), size, k);
    return r.bytes();
}

std::vector<unsigned char> serverLoadReply(int count, int entries = 2, std::int32_t start = kStart,
                                           std::int32_t now = kStart + 3600) {
    ReplyBuilder r(112 + 496 * static_cast<std::size_t>(entries));
    r.i32(4, 0x5A5A5A5A).i32(8, count).i32(12, 0x5A5A5A5A).i32(16, 0x5A5A5A5A);
    r.text(20, "orders-tx").i32(84, hv(84)).i32(88, hv(88)).i32(92, start).i32(96, now);
    r.i32(100, hv(100)).i32(104, hv(104)).i32(108, hv(108));
    for (int k = 1; k <= entries; ++k) {
        const std::size_t e = 112 + 496 * static_cast<std::size_t>(k - 1);
        r.text(e, field(k == 1 ? "own-1" : "")).text(e + 64, field(k == 1 ? "imp-1" : ""));
        r.i32(e + 128, v(k, 128)).u16(e + 132, srcPort(k)).u16(e + 134, dstPort(k));
        r.text(e + 136, "10.0.0." + std::to_string(k)).text(e + 152, field(srcNet(k))).text(e + 280, field(srcAlias(k)));
        r.text(e + 296, "10.9.9." + std::to_string(k)).text(e + 312, field(dstNet(k))).text(e + 440, field(dstAlias(k)));
        for (std::size_t o = 456; o < 496; o += 4) r.i32(e + o, v(k, o));
    }
    return r.bytes();
}

std::uint16_t nodePort(int k) { return k == 1 ? 0xFFFF : 0x8000; }

std::vector<unsigned char> flowReply(int count, int entries = 2) {
    ReplyBuilder r = formB(count, entries, 292);
    for (int k = 1; k <= entries; ++k) {
        const std::size_t e = 1156 + 292 * static_cast<std::size_t>(k - 1);
        for (std::size_t o = 0; o < 124; o += 4) r.i32(e + o, v(k, o));
        r.text(e + 24, std::string(36, '\xA5'));
        r.text(e + 124, field(k == 1 ? "node-1" : "")).text(e + 268, field(k == 1 ? "alias-1" : ""));
        r.u16(e + 284, nodePort(k)).text(e + 286, std::string(2, '\xA5')).i32(e + 288, v(k, 288));
    }
    return r.bytes();
}

// ---- checks -------------------------------------------------------------------------

// Strings first, then ints: the shape of every call of these reports.
void expectCall(const RecCall& c, const std::string& method, const std::vector<std::string>& strs,
                const std::vector<std::int32_t>& ints) {
    EXPECT_EQ(c.method, method);
    ASSERT_EQ(c.args.size(), strs.size() + ints.size()) << c.method;
    for (std::size_t i = 0; i < strs.size(); ++i) {
        EXPECT_TRUE(c.args[i].isText) << method << " argument " << i + 1;
        EXPECT_EQ(c.args[i].s, strs[i]) << method << " argument " << i + 1;
    }
    for (std::size_t i = 0; i < ints.size(); ++i) {
        const RecArg& a = c.args[strs.size() + i];
        EXPECT_FALSE(a.isText) << method << " argument " << strs.size() + i + 1;
        EXPECT_EQ(a.i, ints[i]) << method << " argument " << strs.size() + i + 1;
    }
}

// Each line occurs, in this order.
void expectInOrder(const std::string& trace, const std::vector<std::string>& lines) {
    std::size_t at = 0;
    for (const auto& l : lines) {
        const std::size_t found = trace.find(l, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order:\n" << l << "\n--- trace:\n" << trace;
        at = found + l.size();
    }
}

std::size_t count(const std::string& hay, const std::string& needle) {
    std::size_t n = 0;
    for (std::size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1)) ++n;
    return n;
}

const std::string kDurationLines =
    "\nFormatDurationTime Entry: now=1100000300 start=1100000000 timediff=300\n"
    "timebuff<Last 05 mins 00 secs> hour=0 min=5 sec=0\n";

const std::vector<std::string> kIntervalStrings = {stamp(kNow), stamp(kStart), "Last 05 mins 00 secs"};

std::vector<std::string> pathStrings(int k) { return {srcNet(k), dstNet(k), srcAlias(k), dstAlias(k)}; }

const char* const kFormAHeaderLine1144 =
    "reportEntryCt=2 tranTotalTierCt=501112 tranTotalPathCt=501116 tranTotalCt=501120 tranTotalCtSum=501124 "
    "sumIntervalUTCNow=1100000300 sumIntervalUTCStart=1100000000 sumIntervalSecs=501136 reportReturnCode=501144\n";

// ---- response time (4) ----------------------------------------------------------------

TEST(IntervalRspTime, WellFormedReplyGivesEveryArgumentInItsPlace) {
    RecordingSink s;
    ASSERT_EQ(Map(pathReply(kRspTime, 2), kRspTime, s), 0);
    EXPECT_EQ(s.lookups,
              (std::vector<std::string>{
                  "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V",
                  "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                  "IIIIIIIIIIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    // Header flags (1148) before the return code (1144).
    expectCall(s.calls[0], "setData", kIntervalStrings, {hv(1124), hv(1140), hv(1148), hv(1144)});
    for (int k = 1; k <= 2; ++k)
        expectCall(s.calls[static_cast<std::size_t>(k)], "addEntry", pathStrings(k),
                   {v(k, 64), dstPort(k), srcPort(k), v(k, 404), v(k, 408), v(k, 412), v(k, 416), v(k, 420),
                    v(k, 424), v(k, 452), v(k, 428), v(k, 432), v(k, 436), v(k, 440), v(k, 444), v(k, 448)});
    expectInOrder(s.traceText(),
                  {"\nProcessTransRspTimeData Entry: buflen=2064\n", kFormAHeaderLine1144, kDurationLines,
                   "\nIdx[1/2] pathIPSrcNetName[srcnet-1] pathIPDstNetName[dstnet-1] pathIPSrcAlias[sa-1] "
                   "pathIPDstAlias[da-1] pathId=1064 pathIPDstPort=65535 pathIPSrcPort=32769 "
                   "pathTotRespTimeDataCtSum=1404 pathTotRespTimeAvg=1408 pathNetRespTimeAvg=1412 "
                   "pathSrvRespTimeAvg=1416 pathAppRespTimeAvg=1420 pathWaitRespTimeAvg=1424 flags=1452 "
                   "pathTotRespTimeAlertState=1428 pathNetRespTimeAlertState=1432 pathSrvRespTimeAlertState=1436 "
                   "pathAppRespTimeAlertState=1440 pathWaitRespTimeAlertState=1444 pathMaxRespTimeAlertState=1448 \n",
                   "\nIdx[2/2] pathIPSrcNetName[srcnet-2] pathIPDstNetName[] pathIPSrcAlias[] pathIPDstAlias[] "
                   "pathId=2064 pathIPDstPort=65534 pathIPSrcPort=32770 pathTotRespTimeDataCtSum=2404 ",
                   "\nProcessTransRspTimeData Exit: status=0\n"});
}

TEST(IntervalRspTime, FlagsGoBeforeTheReturnCodeThatPrecedesThem) {
    auto reply = pathReply(kRspTime, 0, 0);
    ReplyBuilder r(reply.size());
    r.bytes() = reply;
    r.i32(1144, 7).i32(1148, 0x2000);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kRspTime, s), 0);
    ASSERT_EQ(s.calls.size(), 1u);
    EXPECT_EQ(s.calls[0].num(6), 0x2000);
    EXPECT_EQ(s.calls[0].num(7), 7);
    EXPECT_NE(s.traceText().find("sumIntervalSecs=501136 reportReturnCode=7\n"), std::string::npos);
}

// ---- path time (18) -----------------------------------------------------------------

TEST(IntervalPathTime, WellFormedReplyReadsTheLongerHeaderForm) {
    RecordingSink s;
    ASSERT_EQ(Map(pathReply(kPathTime, 2), kPathTime, s), 0);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{
                             "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIII)V",
                             "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                             "IIIIIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    expectCall(s.calls[0], "setData", kIntervalStrings, {hv(1124), hv(1128), hv(1144), hv(1152), hv(1148)});
    // The first entry starts at 1156: its path number is read at 1220.
    for (int k = 1; k <= 2; ++k)
        expectCall(s.calls[static_cast<std::size_t>(k)], "addEntry", pathStrings(k),
                   {v(k, 64), dstPort(k), srcPort(k), v(k, 404), v(k, 408), v(k, 412), v(k, 416), v(k, 420),
                    v(k, 424), v(k, 428), v(k, 432)});
    expectInOrder(s.traceText(),
                  {"\nProcessTransPathTimeData Entry: buflen=2028\n",
                   "reportEntryCt=2 tranTotalTierCt=501112 tranTotalPathCt=501116 tranTotalCt=501120 "
                   "tranTotalCtSum=501124 sumIntervalUTCNow=1100000300 sumIntervalUTCStart=1100000000 "
                   "sumIntervalSecs=501140 tranTotRespTimeAvg=501128 flags=501152 reportReturnCode=501148\n",
                   kDurationLines,
                   "\nIdx[1/2] pathIPSrcNetName[srcnet-1] pathIPDstNetName[dstnet-1] pathIPSrcAlias[sa-1] "
                   "pathIPDstAlias[da-1] pathId=1064 pathIPDstPort=65535 pathIPSrcPort=32769 "
                   "pathTotRespTimeDataCtSum=1404 pathTotRespTimeAvg=1408 pathNetRespTimeAvg=1412 "
                   "pathAppRespTimeAvg=1416 pathTotRespTimeAlertState=1420 pathNetRespTimeAlertState=1424 "
                   "pathAppRespTimeAlertState=1428 flags=1432  \n",
                   "\nIdx[2/2] pathIPSrcNetName[srcnet-2] pathIPDstNetName[] pathIPSrcAlias[] pathIPDstAlias[] "
                   "pathId=2064 pathIPDstPort=65534 pathIPSrcPort=32770 ",
                   "flags=2432  \n", "\nProcessTransPathTimeData Exit: status=0\n"});
}

// ---- network (5), server (6), wait (12) -------------------------------------------------

TEST(IntervalNetTime, InboundValuesGoBeforeOutboundOnes) {
    RecordingSink s;
    ASSERT_EQ(Map(pathReply(kNetTime, 2), kNetTime, s), 0);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{
                             "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V",
                             "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                             "IIIIIIIIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    expectCall(s.calls[0], "setData", kIntervalStrings, {hv(1124), hv(1140), hv(1148), hv(1144)});
    for (int k = 1; k <= 2; ++k)
        expectCall(s.calls[static_cast<std::size_t>(k)], "addEntry", pathStrings(k),
                   {v(k, 64), dstPort(k), v(k, 404), v(k, 424), v(k, 420), v(k, 436), v(k, 432), v(k, 408),
                    v(k, 412), v(k, 416), v(k, 456), v(k, 444), v(k, 448), v(k, 452)});
    expectInOrder(s.traceText(),
                  {"\nProcessTransNetTimeData Entry: buflen=2072\n", kFormAHeaderLine1144, kDurationLines,
                   "\nIdx[1/2] pathId=1064 pathIPSrcNetName=[srcnet-1] pathIPDstNetName=[dstnet-1] "
                   "pathIPSrcAlias=[sa-1] pathIPDstAlias=[da-1] pathIPDstPort=65535 pathTotRespTimeDataCtSum=1404 "
                   "pathNetInKBytesPerSecAvg=1424 pathNetOutKBytesPerSecAvg=1420 pathNetInBytesCtAvg=1436 "
                   "pathNetOutBytesCtAvg=1432 pathNetRespTimeAvg=1408 pathNetRespTimeOutAvg=1412 "
                   "pathNetRespTimeInAvg=1416 flags=1456 pathNetRespTimeAlertState=1444 "
                   "pathNetRespTimeOutAlertState=1448 pathNetRespTimeInAlertState=1452 \n",
                   "\nIdx[2/2] pathId=2064 pathIPSrcNetName=[srcnet-2] pathIPDstNetName=[] pathIPSrcAlias=[] "
                   "pathIPDstAlias=[] pathIPDstPort=65534 ",
                   "\nProcessTransNetTimeData Exit: status=0\n"});
}

TEST(IntervalSrvTime, ReturnCodeComesFromTheWordTheOthersUseForFlags) {
    RecordingSink s;
    ASSERT_EQ(Map(pathReply(kSrvTime, 2), kSrvTime, s), 0);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{
                             "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V",
                             "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                             "IIIIIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    expectCall(s.calls[0], "setData", kIntervalStrings, {hv(1124), hv(1140), hv(1144), hv(1148)});
    for (int k = 1; k <= 2; ++k)
        expectCall(s.calls[static_cast<std::size_t>(k)], "addEntry", pathStrings(k),
                   {v(k, 64), dstPort(k), v(k, 404), v(k, 408), v(k, 412), v(k, 416), v(k, 420), v(k, 424),
                    v(k, 428), v(k, 432), v(k, 436)});
    const std::string t = s.traceText();
    expectInOrder(t, {"\nProcessTransSrvTimeData Entry: buflen=2032\n",
                      "reportEntryCt=2 tranTotalTierCt=501112 tranTotalPathCt=501116 tranTotalCt=501120 "
                      "tranTotalCtSum=501124 sumIntervalUTCNow=1100000300 sumIntervalUTCStart=1100000000 "
                      "sumIntervalSecs=501136 reportReturnCode=501148\n",
                      kDurationLines,
                      "\nIdx[1/2] pathIPSrcNetName=[srcnet-1] pathIPDstNetName=[dstnet-1] pathIPSrcAlias=[sa-1] "
                      "pathIPDstAlias=[da-1] pathIPDstPort=65535 pathTotRespTimeDataCtSum=1404 "
                      "pathSrvRespTimeAvg=1408 pathAppRespTimeAvg=1412 pathWaitRespTimeAvg=1416 "
                      "pathDisRespTimeAvg=1420 pathSrvRespTimeAlertState=1424 pathAppRespTimeAlertState=1428 "
                      "repEntry->pathWaitRespTimeAlertState=1432 flags=1436 \n",
                      "\nIdx[2/2] pathIPSrcNetName=[srcnet-2] pathIPDstNetName=[] pathIPSrcAlias=[] "
                      "pathIPDstAlias=[] pathIPDstPort=65534 ",
                      "\nProcessTransSrvTimeData Exit: status=0\n"});
    EXPECT_EQ(t.find("pathId="), std::string::npos);
}

TEST(IntervalWaitTime, PortGoesBeforeThePathNumber) {
    RecordingSink s;
    ASSERT_EQ(Map(pathReply(kWaitTime, 2), kWaitTime, s), 0);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{
                             "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V",
                             "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                             "IIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    expectCall(s.calls[0], "setData", kIntervalStrings, {hv(1124), hv(1140), hv(1148), hv(1144)});
    for (int k = 1; k <= 2; ++k)
        expectCall(s.calls[static_cast<std::size_t>(k)], "addEntry", pathStrings(k),
                   {dstPort(k), v(k, 64), v(k, 404), v(k, 408), v(k, 412), v(k, 416), v(k, 420), v(k, 424)});
    // 1424 = 0x590 sets none of the four path bits, 2424 = 0x978 sets 0x8.
    const std::string t = s.traceText();
    expectInOrder(t, {"\nProcessTransWaitTimeData Entry: buflen=2008\n", kFormAHeaderLine1144, kDurationLines,
                      "\nIdx[1/2] pathIPSrcNetName=[srcnet-1] pathIPDstNetName=[dstnet-1] jpathIPSrcAlias=[sa-1] "
                      "jpathIPDstAlias=[da-1] pathIPDstPort=65535 pathTotRespTimeDataCtSum=1404 "
                      "pathDisRespTimeAvg=1408 pathRetRespTimeAvg=1412 pathWaitRespTimeAvg=1416 "
                      "pathWaitRespTimeAlertState=1420 flags=1424 \n",
                      "\nIdx[2/2] pathIPSrcNetName=[srcnet-2] pathIPDstNetName=[] jpathIPSrcAlias=[] "
                      "jpathIPDstAlias=[] pathIPDstPort=65534 pathTotRespTimeDataCtSum=2404 ",
                      "flags=2424 \n", "\nIdx[2/2] 2 Path\n", "\nProcessTransWaitTimeData Exit: status=0\n"});
    EXPECT_EQ(count(t, " Path\n"), 1u);
}

TEST(IntervalWaitTime, PathKindLinesFollowEachEntryInTheirOwnOrder) {
    const std::int32_t flags[] = {0x9, 0x6, 0x30, 0xF};
    ReplyBuilder r(1152 + 428 * 4);
    r.bytes() = pathReply(kWaitTime, 4, 4);
    for (std::size_t k = 0; k < 4; ++k) r.i32(1152 + 428 * k + 424, flags[k]);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kWaitTime, s), 0);
    std::vector<std::string> kinds;
    for (const auto& l : s.lines)
        if (l.find(" Path\n") != std::string::npos || l.rfind("\nIdx[", 0) == 0) kinds.push_back(l.substr(0, 12));
    EXPECT_EQ(kinds, (std::vector<std::string>{"\nIdx[1/4] pa", "\nIdx[1/4] 1 ", "\nIdx[1/4] 2 ",  //
                                               "\nIdx[2/4] pa", "\nIdx[2/4] 3 ", "\nIdx[2/4] 4 ",  //
                                               "\nIdx[3/4] pa",                                  //
                                               "\nIdx[4/4] pa", "\nIdx[4/4] 1 ", "\nIdx[4/4] 2 ",
                                               "\nIdx[4/4] 3 ", "\nIdx[4/4] 4 "}));
    expectInOrder(s.traceText(), {"\nIdx[1/4] 1 Path\n", "\nIdx[1/4] 2 Path\n", "\nIdx[2/4] 3 Path\n",
                                  "\nIdx[2/4] 4 Path\n"});
    // The bits change nothing else: every entry is passed with its whole flags word.
    const auto adds = s.callsTo("addEntry");
    ASSERT_EQ(adds.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(adds[k].num(12), flags[k]);
}

TEST(IntervalTierTimes, ReturnCodeWordDiffersBetweenServerAndTheOtherTwo) {
    for (int type : {kNetTime, kSrvTime, kWaitTime}) {
        ReplyBuilder r(1152);
        r.bytes() = pathReply(type, 0, 0);
        r.i32(1144, 0x2000).i32(1148, 7);
        RecordingSink s;
        ASSERT_EQ(Map(r.bytes(), type, s), 0) << type;
        ASSERT_EQ(s.calls.size(), 1u);
        const bool server = type == kSrvTime;
        EXPECT_EQ(s.calls[0].num(6), server ? 0x2000 : 7) << type;
        EXPECT_EQ(s.calls[0].num(7), server ? 7 : 0x2000) << type;
        EXPECT_NE(s.traceText().find(server ? " reportReturnCode=7\n" : " reportReturnCode=8192\n"),
                  std::string::npos)
            << type;
    }
}

// ---- server load (21) ---------------------------------------------------------------

TEST(IntervalServerLoad, StartComesBeforeEndAndImpactBeforeKilobytes) {
    RecordingSink s;
    ASSERT_EQ(Map(serverLoadReply(2), kServerLoad, s), 0);
    EXPECT_EQ(s.lookups,
              (std::vector<std::string>{"setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;III)V",
                                        "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                                        "Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    // The first stamp is that of the word at 96, the second that of 92; the
    // start-up time goes as a raw count.
    expectCall(s.calls[0], "setData", {stamp(kStart + 3600), stamp(kStart), "Last 01 hours 00 mins 00 secs"},
               {hv(88), hv(104), hv(108)});
    for (int k = 1; k <= 2; ++k) {
        std::vector<std::string> strs = pathStrings(k);
        strs.push_back(k == 1 ? "own-1" : "");
        strs.push_back(k == 1 ? "imp-1" : "");
        expectCall(s.calls[static_cast<std::size_t>(k)], "addEntry", strs,
                   {v(k, 128), srcPort(k), dstPort(k), v(k, 456), v(k, 460), v(k, 472), v(k, 476), v(k, 480),
                    v(k, 484), v(k, 488), v(k, 468), v(k, 464), v(k, 492)});
    }
    const std::string t = s.traceText();
    expectInOrder(t, {"\nProcessServerLoadData Entry: buflen=1104\n",
                      "tranName<orders-tx> serverId=500084 totalServerRespTimeDataCtSumt=500088 "
                      "sumIntervalUTCStart=1100000000 sumIntervalUTCNow=1100003600 sumIntervalSecs=500100 "
                      "collectorStartupTime=500104 flags=500108\n",
                      "\nFormatDurationTime Entry: now=1100003600 start=1100000000 timediff=3600\n",
                      "\nIdx[1/2] ownTranName<own-1> impTranName<imp-1> pathId=1128 pathIPSrcPort=32769 "
                      "pathIPDstPort=65535 pathIPSrcAddress<10.0.0.1> pathIPSrcNetName<srcnet-1> "
                      "pathIPSrcAlias<sa-1> pathIPDstAddress<10.9.9.1> pathIPDstNetName<dstnet-1> "
                      "pathIPDstAlias<da-1> pathTotRespTimeDataCtSum=1456 pathTranPerMinute=1460 "
                      "pathTotRespTimeAvg=1472 pathWaitRespTimeAvg=1476 pathTotRespTimeAlertState=1480 "
                      "pathWaitRespTimeAlertState=1484 pathWorstComponentState=1488 pathTranImpactPct=1468 "
                      "pathKBytesPerMinute=1464 flags=1492\n",
                      "\nIdx[2/2] ownTranName<> impTranName<> pathId=2128 pathIPSrcPort=32770 pathIPDstPort=65534 "
                      "pathIPSrcAddress<10.0.0.2> pathIPSrcNetName<srcnet-2> pathIPSrcAlias<> "
                      "pathIPDstAddress<10.9.9.2> pathIPDstNetName<> pathIPDstAlias<> ",
                      "\nProcessServerLoadData Exit: status=0\n"});
    EXPECT_EQ(t.find("reportEntryCt"), std::string::npos);
}

// ---- transaction flow (7) -------------------------------------------------------------

TEST(IntervalFlow, WellFormedReplyShowsTheNetworkAverageUnderBothLabels) {
    RecordingSink s;
    ASSERT_EQ(Map(flowReply(2), kFlow, s), 0);
    EXPECT_EQ(s.lookups,
              (std::vector<std::string>{"setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIII)V",
                                        "addEntry (Ljava/lang/String;Ljava/lang/String;"
                                        "IIIIIIIIIIIIIIIIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    // The word at 1144 fifth, the average sixth: the other way round from the path-time report.
    expectCall(s.calls[0], "setData", kIntervalStrings, {hv(1124), hv(1144), hv(1128), hv(1152), hv(1148)});
    for (int k = 1; k <= 2; ++k)
        expectCall(s.calls[static_cast<std::size_t>(k)], "addEntry",
                   {k == 1 ? "node-1" : "", k == 1 ? "alias-1" : ""},
                   {nodePort(k), v(k, 120), v(k, 0), v(k, 288), v(k, 76), v(k, 80), v(k, 84), v(k, 88), v(k, 92),
                    v(k, 96), v(k, 100), v(k, 4), v(k, 12), v(k, 16), v(k, 20), v(k, 60), v(k, 68), v(k, 72),
                    v(k, 104), v(k, 108), v(k, 8), v(k, 64)});
    const std::string t = s.traceText();
    expectInOrder(t, {"\nProcessTransFlowData Entry: buflen=1740\n",
                      "reportEntryCt=2 tranTotalTierCt=501112 tranTotalPathCt=501116 tranTotalCt=501120 "
                      "tranTotalCtSum=501124 sumIntervalUTCNow=1100000300 sumIntervalUTCStart=1100000000 "
                      "sumIntervalSecs=501140 tranTotRespTimeAvg=501128 reportReturnCode=501148\n",
                      kDurationLines, "reportEntryCt=2\n",
                      "\nIdx[1/2] colNum=1120 nodeName=[node-1] nodeAlias=[alias-1] nodePort=65535 type=1000 "
                      "flags=1288 nodeSrvRespTimeAvg=1076 nodeAppRespTimeAvg=1080 nodeWaitRespTimeAvg=1084 "
                      "pathNetRespTimeAvg=1012 nodeSrvRespTimeAvgState=1088 nodeAppRespTimeAvgState=1092 "
                      "nodeWaitRespTimeAvgState=1096 nodeWorstComponentState=1100 pathTotRespTimeAvg=1004 "
                      "pathNetRespTimeAvg=1012 pathNetRespTimeOutAvg=1016 pathNetRespTimeInAvg=1020 "
                      "pathTotRespTimeAvgState=1060 pathNetRespTimeAvgState=1068 pathWorstComponentState=1072 "
                      "pathId=1104 pathTier=1108 pathTotRespTimeDataCt=1112 pathTotRespTimeDataCtSum=1116 "
                      "pathRespTimeAvg=1008 pathRespTimeAvgState=1064 \n",
                      "\nIdx[2/2] colNum=2120 nodeName=[] nodeAlias=[] nodePort=32768 type=2000 flags=2288 ",
                      "\nProcessTransFlowData Exit: status=0\n"});
}

// ---- what every decoder of this subsystem shares --------------------------------------

std::vector<unsigned char> replyOf(int type, int count, int entries) {
    switch (type) {
        case kServerLoad: return serverLoadReply(count, entries);
        case kFlow: return flowReply(count, entries);
        default: return pathReply(type, count, entries);
    }
}

const int kAllTypes[] = {kRspTime, kNetTime, kSrvTime, kFlow, kWaitTime, kPathTime, kServerLoad};

const char* nameOf(int type) {
    switch (type) {
        case kRspTime: return "ProcessTransRspTimeData";
        case kNetTime: return "ProcessTransNetTimeData";
        case kSrvTime: return "ProcessTransSrvTimeData";
        case kFlow: return "ProcessTransFlowData";
        case kWaitTime: return "ProcessTransWaitTimeData";
        case kPathTime: return "ProcessTransPathTimeData";
        default: return "ProcessServerLoadData";
    }
}

TEST(IntervalReports, CountsOfZeroAndBelowGiveSetDataOnly) {
    for (int type : kAllTypes) {
        for (int n : {0, -1, INT_MIN}) {
            RecordingSink s;
            // One whole entry is present, but the count says there is none.
            ASSERT_EQ(Map(replyOf(type, n, 1), type, s), 0) << type << " " << n;
            ASSERT_EQ(s.calls.size(), 1u) << type << " " << n;
            EXPECT_EQ(s.calls[0].method, "setData");
            const std::string t = s.traceText();
            EXPECT_EQ(t.find("\nIdx["), std::string::npos) << t;
            EXPECT_NE(t.find("\n" + std::string(nameOf(type)) + " Exit: status=0\n"), std::string::npos) << t;
            if (type == kFlow) {
                EXPECT_NE(t.find("\nreportEntryCt=" + std::to_string(n) + "\n"), std::string::npos);
            } else if (type != kServerLoad) {
                EXPECT_NE(t.find("reportEntryCt=" + std::to_string(n) + " tranTotalTierCt="), std::string::npos);
            }
        }
    }
}

TEST(IntervalReports, EqualIntervalEndsGiveAZeroDuration) {
    for (int type : kAllTypes) {
        auto reply = replyOf(type, 0, 0);
        ReplyBuilder r(reply.size());
        r.bytes() = reply;
        if (type == kServerLoad) r.i32(96, kStart).i32(92, kStart);
        else if (type == kFlow || type == kPathTime) r.i32(1132, kStart).i32(1136, kStart);
        else r.i32(1128, kStart).i32(1132, kStart);
        RecordingSink s;
        ASSERT_EQ(Map(r.bytes(), type, s), 0);
        ASSERT_EQ(s.calls.size(), 1u);
        EXPECT_EQ(s.calls[0].str(3), "Last 00 mins 00 secs") << type;
        EXPECT_EQ(s.calls[0].str(1), s.calls[0].str(2)) << type;
    }
}

TEST(IntervalReports, TextsWithoutNulAreCutAtTheirWidth) {
    // The source name fills its 128 bytes; the alias after it must not run on into it.
    for (int type : {kRspTime, kNetTime, kSrvTime, kWaitTime, kPathTime}) {
        auto reply = pathReply(type, 1, 1);
        ReplyBuilder r(reply.size());
        r.bytes() = reply;
        const std::size_t e = type == kPathTime ? 1156 : 1152;
        r.text(e + 96, std::string(128, 'n')).text(e + 224, std::string(16, 'a'));
        RecordingSink s;
        ASSERT_EQ(Map(r.bytes(), type, s), 0);
        ASSERT_EQ(s.calls.size(), 2u);
        EXPECT_EQ(s.calls[1].str(1), std::string(128, 'n')) << type;
        EXPECT_EQ(s.calls[1].str(3), std::string(16, 'a')) << type;
    }
    auto flow = flowReply(1, 1);
    ReplyBuilder r(flow.size());
    r.bytes() = flow;
    r.text(1156 + 124, std::string(144, 'n')).text(1156 + 268, std::string(16, 'a'));
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kFlow, s), 0);
    ASSERT_EQ(s.calls.size(), 2u);
    EXPECT_EQ(s.calls[1].str(1), std::string(144, 'n'));
    EXPECT_EQ(s.calls[1].str(2), std::string(16, 'a'));
    EXPECT_EQ(s.calls[1].num(3), 0xFFFF);
}

TEST(IntervalReports, TracingOffChangesNoCall) {
    for (int type : kAllTypes) {
        RecordingSink on, off;
        off.tracingOn = false;
        ASSERT_EQ(Map(replyOf(type, 2, 2), type, on), 0);
        ASSERT_EQ(Map(replyOf(type, 2, 2), type, off), 0);
        EXPECT_TRUE(off.lines.empty()) << type;
        ASSERT_EQ(on.calls.size(), off.calls.size()) << type;
        for (std::size_t i = 0; i < on.calls.size(); ++i) EXPECT_EQ(on.calls[i].args, off.calls[i].args) << type;
    }
}

TEST(IntervalReports, BothMethodsAreLookedUpBeforeAnyCall) {
    for (int type : kAllTypes) {
        RecordingSink s;
        s.missing = {"addEntry"};
        EXPECT_EQ(Map(replyOf(type, 2, 2), type, s), 1) << type;
        EXPECT_TRUE(s.calls.empty()) << type;
        EXPECT_EQ(s.lookups.size(), 2u) << type;
    }
}

TEST(IntervalReports, ShortEntryArrayDecodesTheWholeEntriesThenFails) {
    for (int type : kAllTypes) {
        auto reply = replyOf(type, 3, 2);
        RecordingSink s;
        EXPECT_EQ(Map(reply, type, s), 1) << type;
        EXPECT_EQ(s.callsTo("addEntry").size(), 2u) << type;
        ASSERT_EQ(s.errors.size(), 1u) << type;
        EXPECT_NE(s.errors[0].find("holds 2 of 3 entries"), std::string::npos) << s.errors[0];
        EXPECT_NE(s.traceText().find("\n" + std::string(nameOf(type)) + " Exit: status=1\n"), std::string::npos);
    }
}

TEST(IntervalTruncation, EveryPrefixStaysInsideTheArray) {
    for (int type : kAllTypes) EXPECT_EQ(TruncationSweep(replyOf(type, 2, 2), type), "") << type;
}

}  // namespace
}  // namespace vyt::test
