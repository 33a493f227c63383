// Current alert, URL alert, event alert, summary and threshold replies.
//
// Replies are built at the documented offsets with a distinct value in every
// field, so that a wrong offset or a swapped argument shows.  Local-time texts
// are checked in UTC.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "recording_sink.hpp"

namespace vyt::test {
namespace {

constexpr int kCurrentAlert = 11, kSummary = 14, kEventAlert = 15, kThreshold = 17, kURLAlert = 26;

// 2005-04-28 07:08:41 and 2005-01-05 01:02:03, UTC.
constexpr std::int32_t kApr28 = 1114672121, kJan05 = 1104886923;

class AlertTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

RecArg S(const std::string& s) {
    RecArg a;
    a.isText = true;
    a.s = s;
    return a;
}
RecArg I(std::int32_t v) {
    RecArg a;
    a.i = v;
    return a;
}

// The decoder's own lines: from its Entry line up to and including its Exit line.
std::vector<std::string> decoderLines(const RecordingSink& s, const std::string& name) {
    std::vector<std::string> out;
    bool in = false;
    for (const auto& l : s.lines) {
        if (l.rfind("\n" + name + " Entry: ", 0) == 0) in = true;
        if (in) out.push_back(l);
        if (in && l.rfind("\n" + name + " Exit: ", 0) == 0) break;
    }
    return out;
}

bool hasIdxLine(const RecordingSink& s) {
    for (const auto& l : s.lines)
        if (l.find("Idx[") != std::string::npos) return true;
    return false;
}

// ---- current alerts and URL alerts -------------------------------------------------

constexpr std::size_t kAlertHeader = 36, kCurrentStride = 468, kURLStride = 1496;

struct AlertValues {
    std::string tran, sub, srcAddr, srcNet, srcAlias, dstAddr, dstNet, dstAlias;
    std::int32_t pathId;
    std::uint16_t srcPort, dstPort;
    std::int32_t dataCt, tot, net, srv, app, wait, path, firstStart;
    std::int32_t totS, netS, srvS, appS, waitS, pathS, maxS, worst, flags;
};

// Entry 1 has every text; entry 2 has empty texts and the second port range.
AlertValues alertValues(int k) {
    const std::int32_t b = 100 * k;
    AlertValues v{};
    const bool one = k == 1;
    v.tran = one ? "orders" : "payments";
    v.sub = one ? "/cart/checkout?id=1" : "";
    v.srcAddr = one ? "10.0.0.1" : "10.0.0.3";
    v.srcNet = one ? "net-src-1" : "net-src-2";
    v.srcAlias = one ? "sa1" : "";
    v.dstAddr = one ? "10.0.0.2" : "10.0.0.4";
    v.dstNet = one ? "net-dst-1" : "";
    v.dstAlias = one ? "da1" : "da2";
    v.dstPort = one ? 65535 : 0x8000;
    v.pathId = b + 1;
    v.srcPort = static_cast<std::uint16_t>(b + 50);
    v.dataCt = b + 2, v.tot = b + 3, v.net = b + 4, v.srv = b + 5, v.app = b + 6, v.wait = b + 7;
    v.path = b + 8, v.firstStart = k == 1 ? kApr28 : kJan05;
    v.totS = b + 10, v.netS = b + 11, v.srvS = b + 12, v.appS = b + 13, v.waitS = b + 14, v.pathS = b + 15;
    v.maxS = b + 16, v.worst = b + 17, v.flags = b + 18;
    return v;
}

void putAlert(ReplyBuilder& r, std::size_t e, bool url, const AlertValues& v) {
    r.text(e, v.tran);
    if (url) r.text(e + 64, v.sub);
    const std::size_t p = e + (url ? 1028 : 0);  // from the path number on
    r.i32(p + 64, v.pathId).i32(p + 68, 0x7777).i32(p + 72, 0x7778);
    r.u16(p + 76, v.srcPort).u16(p + 78, v.dstPort);
    r.text(p + 80, v.srcAddr).text(p + 96, v.srcNet).text(p + 224, v.srcAlias);
    r.text(p + 240, v.dstAddr).text(p + 256, v.dstNet).text(p + 384, v.dstAlias);
    r.i32(p + 400, v.dataCt).i32(p + 404, v.tot).i32(p + 408, v.net).i32(p + 412, v.srv).i32(p + 416, v.app);
    r.i32(p + 420, v.wait).i32(p + 424, v.path).i32(p + 428, v.firstStart).i32(p + 432, v.totS);
    r.i32(p + 436, v.netS).i32(p + 440, v.srvS).i32(p + 444, v.appS).i32(p + 448, v.waitS);
    r.i32(p + 452, v.pathS).i32(p + 456, v.maxS).i32(p + 460, v.worst).i32(p + 464, v.flags);
}

std::vector<unsigned char> alertReply(bool url, std::int32_t count, int entries, std::int32_t now = kApr28 + 3725,
                                      std::int32_t start = kApr28) {
    const std::size_t stride = url ? kURLStride : kCurrentStride;
    ReplyBuilder r(kAlertHeader + stride * static_cast<std::size_t>(entries));
    r.i32(4, url ? 37 : 24).i32(8, count).i32(12, 5001).i32(16, 5002);
    r.i32(20, now).i32(24, start).i32(28, 6001).i32(32, -6002);
    for (int k = 1; k <= entries; ++k)
        putAlert(r, kAlertHeader + stride * static_cast<std::size_t>(k - 1), url, alertValues(k));
    return r.bytes();
}

std::vector<RecArg> alertArgs(bool url, const AlertValues& v, const std::string& startText) {
    std::vector<RecArg> a{S(startText), S(v.tran)};
    if (url) a.push_back(S(v.sub));
    for (const auto* t : {&v.srcNet, &v.dstNet, &v.srcAlias, &v.dstAlias}) a.push_back(S(*t));
    for (std::int32_t n : {v.pathId, v.flags, static_cast<std::int32_t>(v.dstPort), v.dataCt, v.tot, v.net, v.srv,
                           v.app, v.wait, v.worst, v.totS, v.netS, v.srvS, v.appS, v.waitS, v.maxS, v.path, v.pathS})
        a.push_back(I(n));
    return a;
}

const char kSpanTrace1[] = "\nFormatDurationTime Entry: now=1114675846 start=1114672121 timediff=3725\n";
const char kSpanTrace2[] = "timebuff<Last 01 hours 02 mins 05 secs> hour=1 min=2 sec=5\n";
const char kStampsTrace[] =
    "currentTime<04/28/05 (08:10:46)> startTime<04/28/05 (07:08:41)> timebuff<Last 01 hours 02 mins 05 secs>\n";

TEST_F(AlertTest, CurrentAlertsPassEveryFieldInCallOrder) {
    RecordingSink s;
    ASSERT_EQ(Map(alertReply(false, 2, 2), kCurrentAlert, s), 0);
    EXPECT_EQ(s.lookups,
              (std::vector<std::string>{
                  "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;II)V",
                  "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/"
                  "String;Ljava/lang/String;IIIIIIIIIIIIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[0].method, "setData");
    EXPECT_EQ(s.calls[0].args, (std::vector<RecArg>{S("04/28/05 (08:10:46)"), S("04/28/05 (07:08:41)"),
                                                    S("Last 01 hours 02 mins 05 secs"), I(6001), I(-6002)}));
    EXPECT_EQ(s.calls[1].args, alertArgs(false, alertValues(1), "07:08:41<br>04/28"));
    EXPECT_EQ(s.calls[2].args, alertArgs(false, alertValues(2), "01:02:03<br>01/05"));
    EXPECT_EQ(s.calls[2].num(9), 0x8000);
    EXPECT_EQ(decoderLines(s, "ProcessCurrentAlertData"),
              (std::vector<std::string>{
                  "\nProcessCurrentAlertData Entry: buflen=972\n",
                  "reportEntryCt=2 sumIntervalUTCNow=1114675846 sumIntervalUTCStart=1114672121\n", kSpanTrace1,
                  kSpanTrace2, kStampsTrace,
                  "\nIdx[1/2] tranName<orders> startTime<07:08:41<br>04/28> pathFirstAlertUTCStart=1114672121 "
                  "pathId=101 flags=118 pathIPSrcNetName<net-src-1> pathIPDstNetName<net-dst-1> "
                  "pathIPDstPort=65535 pathTotRespTimeDataCt=102 pathTotRespTimeAlert=103 "
                  "pathNetRespTimeAlert=104 pathSrvRespTimeAlert=105 pathAppRespTimeAlert=106 "
                  "pathWaitRespTimeAlert=107 worstComponentState=117 pathTotRespTimeAlertState=110 "
                  "pathNetRespTimeAlertState=111 pathSrvRespTimeAlertState=112 pathAppRespTimeAlertState=113 "
                  "pathWaitRespTimeAlertState=114 pathMaxRespTimeAlertState=116 pathRespTimeAlert=108 "
                  "pathRespTimeAlertState=115 \n",
                  "\nIdx[2/2] tranName<payments> startTime<01:02:03<br>01/05> pathFirstAlertUTCStart=1104886923 "
                  "pathId=201 flags=218 pathIPSrcNetName<net-src-2> pathIPDstNetName<> pathIPDstPort=32768 "
                  "pathTotRespTimeDataCt=202 pathTotRespTimeAlert=203 pathNetRespTimeAlert=204 "
                  "pathSrvRespTimeAlert=205 pathAppRespTimeAlert=206 pathWaitRespTimeAlert=207 "
                  "worstComponentState=217 pathTotRespTimeAlertState=210 pathNetRespTimeAlertState=211 "
                  "pathSrvRespTimeAlertState=212 pathAppRespTimeAlertState=213 pathWaitRespTimeAlertState=214 "
                  "pathMaxRespTimeAlertState=216 pathRespTimeAlert=208 pathRespTimeAlertState=215 \n",
                  "\nProcessCurrentAlertData Exit: status=0\n"}));
}

TEST_F(AlertTest, URLAlertsAddTheContinueIndexesAndTheURL) {
    RecordingSink s;
    ASSERT_EQ(Map(alertReply(true, 2, 2), kURLAlert, s), 0);
    EXPECT_EQ(s.lookups,
              (std::vector<std::string>{
                  "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V",
                  "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/"
                  "String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[0].args,
              (std::vector<RecArg>{S("04/28/05 (08:10:46)"), S("04/28/05 (07:08:41)"),
                                   S("Last 01 hours 02 mins 05 secs"), I(6001), I(-6002), I(5001), I(5002)}));
    EXPECT_EQ(s.calls[1].args, alertArgs(true, alertValues(1), "07:08:41<br>04/28"));
    EXPECT_EQ(s.calls[2].args, alertArgs(true, alertValues(2), "01:02:03<br>01/05"));
    const auto lines = decoderLines(s, "ProcessCurrentURLAlertData");
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "\nProcessCurrentURLAlertData Entry: buflen=3028\n");
    EXPECT_EQ(lines[1],
              "reportEntryCt=2 sumIntervalUTCNow=1114675846 sumIntervalUTCStart=1114672121 "
              "reportEntryContinueIdx=5001 reportEntryContinueIdx2=5002\n");
    EXPECT_EQ(lines[4], kStampsTrace);
    EXPECT_EQ(lines[5],
              "\nIdx[1/2] tranName<orders> subTranName</cart/checkout?id=1> startTime<07:08:41<br>04/28> "
              "pathFirstAlertUTCStart=1114672121 pathId=101 flags=118 pathIPSrcNetName<net-src-1> "
              "pathIPDstNetName<net-dst-1> pathIPDstPort=65535 pathTotRespTimeDataCt=102 pathTotRespTimeAlert=103 "
              "pathNetRespTimeAlert=104 pathSrvRespTimeAlert=105 pathAppRespTimeAlert=106 "
              "pathWaitRespTimeAlert=107 worstComponentState=117 pathTotRespTimeAlertState=110 "
              "pathNetRespTimeAlertState=111 pathSrvRespTimeAlertState=112 pathAppRespTimeAlertState=113 "
              "pathWaitRespTimeAlertState=114 pathMaxRespTimeAlertState=116 pathRespTimeAlert=108 "
              "pathRespTimeAlertState=115 \n");
    EXPECT_EQ(lines[6].rfind("\nIdx[2/2] tranName<payments> subTranName<> startTime<01:02:03<br>01/05> ", 0), 0u)
        << lines[6];
    EXPECT_EQ(lines[7], "\nProcessCurrentURLAlertData Exit: status=0\n");
}

TEST_F(AlertTest, AlertListsWithNoOrNegativeCountOnlySetData) {
    for (bool url : {false, true})
        for (std::int32_t count : {0, -1, -2147483647 - 1}) {
            RecordingSink s;
            EXPECT_EQ(Map(alertReply(url, count, 1), url ? kURLAlert : kCurrentAlert, s), 0);
            ASSERT_EQ(s.calls.size(), 1u) << count;
            EXPECT_EQ(s.calls[0].method, "setData");
            EXPECT_FALSE(hasIdxLine(s));
        }
}

TEST_F(AlertTest, AlertSpanOfEqualTimesAndCurrentAlertsIgnoreTheContinueIndexes) {
    RecordingSink s;
    auto reply = alertReply(false, 1, 1, kJan05, kJan05);
    ASSERT_EQ(Map(reply, kCurrentAlert, s), 0);
    EXPECT_EQ(s.calls[0].str(3), "Last 00 mins 00 secs");
    // Other bytes at 12..19 change nothing.
    ReplyBuilder r(reply.size());
    r.bytes() = reply;
    r.i32(12, -1).i32(16, 0x7FFFFFFF);
    RecordingSink s2;
    ASSERT_EQ(Map(r.bytes(), kCurrentAlert, s2), 0);
    EXPECT_EQ(s2.calls.size(), s.calls.size());
    for (std::size_t i = 0; i < s.calls.size(); ++i) EXPECT_EQ(s2.calls[i].args, s.calls[i].args);
    EXPECT_EQ(decoderLines(s2, "ProcessCurrentAlertData"), decoderLines(s, "ProcessCurrentAlertData"));
}

TEST_F(AlertTest, AlertTextsWithoutNulAreCutAtTheirWidth) {
    auto reply = alertReply(true, 1, 1);
    ReplyBuilder r(reply.size());
    r.bytes() = reply;
    r.text(kAlertHeader, std::string(64, 't')).text(kAlertHeader + 64, std::string(1028, 'u'));
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kURLAlert, s), 0);
    EXPECT_EQ(s.calls[1].str(2), std::string(64, 't'));
    EXPECT_EQ(s.calls[1].str(3), std::string(1028, 'u'));
    EXPECT_EQ(s.calls[1].num(8), 101);  // pathId right after the URL region
}

TEST_F(AlertTest, AlertListCutInsideAnEntryDecodesTheWholeOnes) {
    auto reply = alertReply(false, 3, 2);
    RecordingSink s;
    EXPECT_EQ(Map(reply, kCurrentAlert, s), 1);
    EXPECT_EQ(s.callsTo("addEntry").size(), 2u);
    ASSERT_EQ(s.errors.size(), 1u);
    EXPECT_NE(s.errors[0].find("holds 2 of 3 entries"), std::string::npos) << s.errors[0];
    EXPECT_EQ(decoderLines(s, "ProcessCurrentAlertData").back(), "\nProcessCurrentAlertData Exit: status=1\n");
}

TEST_F(AlertTest, MissingAlertCallbackMeansNoCall) {
    RecordingSink s;
    s.missing = {"addEntry"};
    EXPECT_EQ(Map(alertReply(true, 1, 1), kURLAlert, s), 1);
    EXPECT_TRUE(s.calls.empty());
}

// ---- event alerts --------------------------------------------------------------------------

constexpr std::size_t kEventHeader = 32, kEventStride = 432;

struct EventValues {
    std::string tran, srcAddr, srcNet, srcAlias, dstAddr, dstNet, dstAlias;
    std::int32_t pathId, tranCtMax;
    std::uint16_t srcPort, dstPort;
    std::int32_t dataCt, type, time, start, state, curState, typeAndState, flags;
};

EventValues eventValues(int k) {
    const std::int32_t b = 100 * k;
    EventValues v{};
    const bool one = k == 1;
    v.tran = one ? "orders" : "";
    v.srcAddr = one ? "10.0.0.1" : "10.0.0.3";
    v.srcNet = one ? "net-src-1" : "";
    v.srcAlias = one ? "sa1" : "sa2";
    v.dstAddr = one ? "10.0.0.2" : "10.0.0.4";
    v.dstNet = one ? "net-dst-1" : "net-dst-2";
    v.dstAlias = one ? "da1" : "";
    v.pathId = b + 1, v.tranCtMax = b + 2;
    v.srcPort = k == 1 ? 0x8000 : 443;
    v.dstPort = k == 1 ? 80 : 65535;
    v.dataCt = b + 3, v.type = b + 4, v.time = b + 5, v.start = k == 1 ? 400 : 1010;
    v.state = b + 6, v.curState = k == 1 ? 5 : b + 7, v.typeAndState = k == 1 ? 9 : b + 8, v.flags = b + 9;
    return v;
}

std::vector<unsigned char> eventReply(std::int32_t count, int entries, std::int32_t now = 1000) {
    ReplyBuilder r(kEventHeader + kEventStride * static_cast<std::size_t>(entries));
    r.i32(4, 26).i32(8, count).i32(12, 7001).i32(16, 7002).i32(20, now).i32(24, 3001).i32(28, -3002);
    for (int k = 1; k <= entries; ++k) {
        const std::size_t e = kEventHeader + kEventStride * static_cast<std::size_t>(k - 1);
        const EventValues v = eventValues(k);
        r.text(e, v.tran).i32(e + 64, v.pathId).i32(e + 68, 0x7777).i32(e + 72, v.tranCtMax);
        r.u16(e + 76, v.srcPort).u16(e + 78, v.dstPort);
        r.text(e + 80, v.srcAddr).text(e + 96, v.srcNet).text(e + 224, v.srcAlias);
        r.text(e + 240, v.dstAddr).text(e + 256, v.dstNet).text(e + 384, v.dstAlias);
        r.i32(e + 400, v.dataCt).i32(e + 404, v.type).i32(e + 408, v.time).i32(e + 412, v.start);
        r.i32(e + 416, v.state).i32(e + 420, v.curState).i32(e + 424, v.typeAndState).i32(e + 428, v.flags);
    }
    return r.bytes();
}

TEST_F(AlertTest, EventAlertsPassDurationAndTypeAndStateBeforeCurrentState) {
    RecordingSink s;
    ASSERT_EQ(Map(eventReply(2, 2), kEventAlert, s), 0);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{
                             "setData (Ljava/lang/String;II)V",
                             "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                             "Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[0].args, (std::vector<RecArg>{S("01/01/-30 (00:16:40)"), I(3001), I(-3002)}));
    EXPECT_EQ(s.calls[1].args,
              (std::vector<RecArg>{S("00:06:40<br>01/01"), S("orders"), S("net-src-1"), S("net-dst-1"), S("sa1"),
                                   S("da1"), I(600), I(0x8000), I(80), I(101), I(102), I(103), I(104), I(105),
                                   I(106), I(9), I(5), I(109)}));
    EXPECT_EQ(s.calls[2].args,
              (std::vector<RecArg>{S("00:16:50<br>01/01"), S(""), S(""), S("net-dst-2"), S("sa2"), S(""), I(-10),
                                   I(443), I(65535), I(201), I(202), I(203), I(204), I(205), I(206), I(208),
                                   I(207), I(209)}));
    EXPECT_EQ(decoderLines(s, "ProcessEventAlertData"),
              (std::vector<std::string>{
                  "\nProcessEventAlertData Entry: buflen=896\n", "reportEntryCt=2 \n",
                  "sumIntervalUTCNow=1000 pathEventUTCStart=400 duration=600\n",
                  "\nIdx[1/2] tranName<orders> startTime<00:06:40<br>01/01> pathIPSrcNetName<net-src-1> "
                  "pathIPDstNetName<net-dst-1> pathIPSrcAlias<sa1> pathIPDstAlias<da1> duration=600 "
                  "pathIPSrcPort=32768 pathIPDstPort=80 pathId=101 pathTranCtMax=102pathTotRespTimeDataCt=103 "
                  "repEntry->pathEventType=104 pathEventTime=105 pathEventState=106 pathEventCurState=5 "
                  "pathEventTypeAndState=9 flags=109 \n",
                  "sumIntervalUTCNow=1000 pathEventUTCStart=1010 duration=-10\n",
                  "\nIdx[2/2] tranName<> startTime<00:16:50<br>01/01> pathIPSrcNetName<> "
                  "pathIPDstNetName<net-dst-2> pathIPSrcAlias<sa2> pathIPDstAlias<> duration=-10 "
                  "pathIPSrcPort=443 pathIPDstPort=65535 pathId=201 pathTranCtMax=202pathTotRespTimeDataCt=203 "
                  "repEntry->pathEventType=204 pathEventTime=205 pathEventState=206 pathEventCurState=207 "
                  "pathEventTypeAndState=208 flags=209 \n",
                  "\nProcessEventAlertData Exit: status=0\n"}));
}

TEST_F(AlertTest, EventStartTextAndDurationThatWraps) {
    auto reply = eventReply(1, 1, -2147483647 - 1);
    ReplyBuilder r(reply.size());
    r.bytes() = reply;
    r.i32(kEventHeader + 412, kApr28);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kEventAlert, s), 0);
    EXPECT_EQ(s.calls[1].str(1), "07:08:41<br>04/28");
    // INT32_MIN - 1114672121, wrapped to 32 bits.
    EXPECT_EQ(s.calls[1].num(7), 2147483647 - 1114672121 + 1);
}

TEST_F(AlertTest, EventAlertsWithNoOrNegativeCountTraceOnlyEntryCountAndExit) {
    for (std::int32_t count : {0, -7}) {
        RecordingSink s;
        ASSERT_EQ(Map(eventReply(count, 1), kEventAlert, s), 0);
        ASSERT_EQ(s.calls.size(), 1u);
        EXPECT_EQ(s.calls[0].method, "setData");
        EXPECT_EQ(decoderLines(s, "ProcessEventAlertData"),
                  (std::vector<std::string>{"\nProcessEventAlertData Entry: buflen=464\n",
                                            "reportEntryCt=" + std::to_string(count) + " \n",
                                            "\nProcessEventAlertData Exit: status=0\n"}));
    }
}

// ---- summary ----------------------------------------------------------------------------

constexpr std::size_t kSummaryHeader = 1512, kSummaryStride = 68;
// 2005-04-28 07:00:00, 07:05:00 and 23:59:30, UTC.
constexpr std::int32_t kApr28at0700 = 1114671600, kApr28at0705 = 1114671900, kApr28at235930 = 1114732770;

std::vector<unsigned char> summaryReply(std::int32_t count, int entries) {
    ReplyBuilder r(kSummaryHeader + kSummaryStride * static_cast<std::size_t>(entries));
    r.i32(4, 5).i32(8, count).i32(12, 9999).i32(1116, 9998);
    r.i32(1120, 11).i32(1124, 9997).i32(1136, 12).i32(1140, 13).i32(1144, 9996).i32(1148, 14).i32(1152, 15);
    r.i32(1156, 16).i32(1160, 17).u16(1164, 0x8001).u16(1166, 65535);
    r.text(1168, "10.1.1.1").text(1184, "src-net").text(1312, "SRCALIAS");
    r.text(1328, "10.2.2.2").text(1344, "dst-net").text(1472, "DSTALIAS");
    r.i32(1488, 18).i32(1492, kApr28).i32(1496, kApr28 + 3725).i32(1500, 19).i32(1504, -20).i32(1508, 0x40);
    for (int k = 1; k <= entries; ++k) {
        const std::size_t e = kSummaryHeader + kSummaryStride * static_cast<std::size_t>(k - 1);
        r.i32(e, 100 * k);  // flags first
        r.i32(e + 4, k == 1 ? kApr28at0700 : kApr28at235930).i32(e + 8, k == 1 ? kApr28at0705 : kApr28at235930 + 300);
        for (std::size_t w = 3; w < 17; ++w) r.i32(e + 4 * w, 100 * k + static_cast<std::int32_t>(w));
    }
    return r.bytes();
}

TEST_F(AlertTest, SummaryPassesHeaderAndIntervalsInCallOrder) {
    RecordingSink s;
    ASSERT_EQ(Map(summaryReply(2, 2), kSummary, s), 0);
    EXPECT_EQ(s.lookups,
              (std::vector<std::string>{
                  "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIII)V",
                  "addEntry (Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[0].args,
              (std::vector<RecArg>{S("04/28/05 (08:10:46)"), S("04/28/05 (07:08:41)"),
                                   S("Last 01 hours 02 mins 05 secs"), I(0x8001), I(65535), I(12), I(13), I(14),
                                   I(15), I(16), I(17), I(18), I(kApr28), I(kApr28 + 3725), I(11), I(0x40), I(19),
                                   I(-20)}));
    // Words 3..16 of entry k hold 100k + word; the path response pair (words 7, 8) follows the components.
    for (int k = 1; k <= 2; ++k) {
        std::vector<RecArg> want{k == 1 ? S("04/28 07:00") : S("04/28 23:59"),
                                 k == 1 ? S("04/28 07:05") : S("04/29 00:04")};
        for (int w : {3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15, 16, 7, 8, 0})
            want.push_back(I(w == 0 ? 100 * k : 100 * k + w));
        EXPECT_EQ(s.calls[static_cast<std::size_t>(k)].args, want) << k;
    }
    EXPECT_EQ(decoderLines(s, "ProcessSummaryData"),
              (std::vector<std::string>{
                  "\nProcessSummaryData Entry: buflen=1648\n",
                  "pathIPSrcAddress=10.1.1.1 pathIPSrcNetName=src-net pathIPDstAddress=10.2.2.2 "
                  "pathIPDstNetName=dst-net pathIPSrcPort=32769 pathIPDstPort=65535 pathTotRespTimeDataCt=12 "
                  "pathTotRespTimeAvgMax=13 pathNetRespTimeAvgMax=14 pathSrvRespTimeAvgMax=15 "
                  "pathAppRespTimeAvgMax=16 pathWaitRespTimeAvgMax=17 pathSumIntervalCtMax=18 "
                  "sumDataUTCStart=1114672121 sumDataUTCNow=1114675846 tranTotalCt=11 flags=64 "
                  "reportReturnCode=-20\n",
                  kSpanTrace1, kSpanTrace2,
                  "\nIdx[1/2] intervalStartTime=<04/28 07:00>sumIntervalUTCStart=1114671600 "
                  "sumIntervalUTCEnd=1114671900 sumIntervalSecs=103 pathTotRespTimeDataCtSum=104 "
                  "pathTotRespTimeAvg=105 pathTotRespTimeAvgState=106 pathNetRespTimeAvg=109 "
                  "pathNetRespTimeAvgState=110 pathSrvRespTimeAvg=111 pathSrvRespTimeAvgState=112 "
                  "pathAppRespTimeAvg=113 pathAppRespTimeAvgState=114 pathWaitRespTimeAvg=115 "
                  "pathWaitRespTimeAvgState=116 pathRespTimeAvg=107 pathRespTimeAvgState=108 flags=100 \n",
                  "\nIdx[2/2] intervalStartTime=<04/28 23:59>sumIntervalUTCStart=1114732770 "
                  "sumIntervalUTCEnd=1114733070 sumIntervalSecs=203 pathTotRespTimeDataCtSum=204 "
                  "pathTotRespTimeAvg=205 pathTotRespTimeAvgState=206 pathNetRespTimeAvg=209 "
                  "pathNetRespTimeAvgState=210 pathSrvRespTimeAvg=211 pathSrvRespTimeAvgState=212 "
                  "pathAppRespTimeAvg=213 pathAppRespTimeAvgState=214 pathWaitRespTimeAvg=215 "
                  "pathWaitRespTimeAvgState=216 pathRespTimeAvg=207 pathRespTimeAvgState=208 flags=200 \n",
                  "\nProcessSummaryData Exit: status=0\n"}));
    // The header's aliases go nowhere (the lines above are complete, and no argument holds them).
    for (const auto& c : s.calls)
        for (const auto& a : c.args) EXPECT_EQ(a.s.find("ALIAS"), std::string::npos);
}

TEST_F(AlertTest, SummaryWithNoOrNegativeCountOnlySetData) {
    for (std::int32_t count : {0, -1}) {
        RecordingSink s;
        ASSERT_EQ(Map(summaryReply(count, 1), kSummary, s), 0);
        ASSERT_EQ(s.calls.size(), 1u);
        EXPECT_EQ(s.calls[0].method, "setData");
        EXPECT_FALSE(hasIdxLine(s));
    }
}

// ---- thresholds ---------------------------------------------------------------------------

std::vector<unsigned char> thresholdReply() {
    ReplyBuilder r(560);
    r.i32(4, 27).i32(8, 3).i32(12, 9999).text(20, "orders").i32(84, 9998).i32(92, 4242).i32(96, 9997);
    r.u16(104, 0x8002).u16(106, 65535).text(108, "10.1.1.1").text(124, "src-net").text(252, "src-alias");
    r.text(268, "10.2.2.2").text(284, "dst-net");  // destination alias empty
    // The 30 limits from offset 428 hold 1000 + their word number from there.
    for (std::size_t w = 0; w < 31; ++w) r.i32(428 + 4 * w, 1000 + static_cast<std::int32_t>(w));
    r.i32(552, 9996).i32(556, -77);
    return r.bytes();
}

TEST_F(AlertTest, ThresholdsMovePathGroupLimitsAfterTheComponentThresholds) {
    RecordingSink s;
    ASSERT_EQ(Map(thresholdReply(), kThreshold, s), 0);
    EXPECT_EQ(s.lookups,
              (std::vector<std::string>{"setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/"
                                        "String;Ljava/lang/String;IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII)V"}));
    ASSERT_EQ(s.calls.size(), 1u);
    std::vector<RecArg> want{S("orders"), S("src-net"), S("src-alias"), S("dst-net"), S("")};
    for (int w = 0; w < 15; ++w) want.push_back(I(1000 + w));   // Net..Tot group limits
    for (int w = 18; w < 29; ++w) want.push_back(I(1000 + w));  // data count, Net..Tot warn/crit
    for (int w : {15, 16, 17, 29, 30}) want.push_back(I(1000 + w));  // the path response time's five
    want.push_back(I(-77));
    EXPECT_EQ(s.calls[0].args, want);
    // Items 32..36: the path response time's group limits, warning and critical, right before the flags.
    EXPECT_EQ(s.calls[0].num(32), 1015);
    EXPECT_EQ(s.calls[0].num(34), 1017);
    EXPECT_EQ(s.calls[0].num(35), 1029);
    EXPECT_EQ(s.calls[0].num(36), 1030);
    EXPECT_EQ(decoderLines(s, "ProcessThresholdReadData"),
              (std::vector<std::string>{
                  "\nProcessThresholdReadData Entry: buflen=560\n",
                  "tranName<orders> pathId=4242 pathIPSrcNetName<src-net> pathIPSrcAlias<src-alias>  "
                  "pathIPSrcPort=32770 pathIPDstNetName<dst-net> pathIPDstAlias<> pathIPDstPort=65535 "
                  "pathNetRespTimeGroup1=1000 pathNetRespTimeGroup2=1001 pathNetRespTimeGroup3=1002 "
                  "pathSrvRespTimeGroup1=1003 pathSrvRespTimeGroup2=1004 pathSrvRespTimeGroup3=1005 "
                  "pathAppRespTimeGroup1=1006 pathAppRespTimeGroup2=1007 pathAppRespTimeGroup3=1008 "
                  "pathWaitRespTimeGroup1=1009 pathWaitRespTimeGroup2=1010 pathWaitRespTimeGroup3=1011 "
                  "pathTotRespTimeGroup1=1012 pathTotRespTimeGroup2=1013 pathTotRespTimeGroup3=1014 "
                  "pathTotRespTimeDataCt=1018 pathNetRespTimeWarn=1019 pathNetRespTimeCrit=1020 "
                  "pathSrvRespTimeWarn=1021 pathSrvRespTimeCrit=1022 pathAppRespTimeWarn=1023 "
                  "pathAppRespTimeCrit=1024 pathWaitRespTimeWarn=1025 pathWaitRespTimeCrit=1026 "
                  "pathTotRespTimeWarn=1027 pathTotRespTimeCrit=1028 pathRespTimeGroup1=1015 "
                  "pathRespTimeGroup2=1016 pathRespTimeGroup3=1017 pathRespTimeWarn=1029 pathRespTimeCrit=1030 "
                  "flags=-77\n",
                  "\nProcessThresholdReadData Exit: status=0\n"}));
}

TEST_F(AlertTest, EveryPrefixOfEachReplyStaysInsideTheArray) {
    EXPECT_EQ(TruncationSweep(alertReply(false, 2, 2), kCurrentAlert), "");
    EXPECT_EQ(TruncationSweep(alertReply(true, 2, 2), kURLAlert), "");
    EXPECT_EQ(TruncationSweep(eventReply(2, 2), kEventAlert), "");
    EXPECT_EQ(TruncationSweep(summaryReply(2, 2), kSummary), "");
    EXPECT_EQ(TruncationSweep(thresholdReply(), kThreshold), "");
}

}  // namespace
}  // namespace vyt::test
