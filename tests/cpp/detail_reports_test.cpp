// Path detail replies: response-time (10), path time (19), network (8),
// server (9) and wait (13) detail.
//
// Replies are built at the documented offsets with a distinct value in every
// field: distribution word i is 100 + i, metric word j is 200 + j, word j of
// entry k (from 1) is 1000 * k + j.  Expected calls and lines are written from
// the documented argument orders and line formats.  Local-time texts are
// checked in UTC.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "recording_sink.hpp"
#include "vyt/catalog.hpp"

namespace vyt::test {
namespace {

struct Kind {
    int type;
    const char* name;
    std::size_t M;  // metric block words
    std::size_t K;  // entry metric words
    std::size_t T() const { return 1516 + 4 * M; }
    std::size_t first() const { return T() + 28; }
    std::size_t entrySize() const { return 4 * K + 28; }
};

const Kind kRsp{10, "ProcessTransRspTimeDetailData", 6, 11};
const Kind kPath{19, "ProcessTransPathTimeDetailData", 6, 7};
const Kind kNet{8, "ProcessTransNetDetailData", 24, 13};
const Kind kSrv{9, "ProcessTransSrvDetailData", 30, 14};
const Kind kWait{13, "ProcessTransWaitDetailData", 36, 7};
const Kind kAllKinds[] = {kRsp, kPath, kNet, kSrv, kWait};

// 2005-04-28 07:08:41 UTC, and 1 h 2 min 5 s earlier.
constexpr std::int32_t kNow = 1114672121, kStart = kNow - 3725;
constexpr char kNowText[] = "04/28/05 (07:08:41)", kStartText[] = "04/28/05 (06:06:36)";
constexpr char kDurationText[] = "Last 01 hours 02 mins 05 secs";

// What goes into a reply; tests change single fields.
struct Fill {
    std::int32_t count = 2;
    int entries = 2;
    std::string tranName = "checkout", subTranName = "/cart/pay";
    std::string srcAddr = "10.1.2.3", srcNet = "client-net", srcAlias = "cli";
    std::string dstAddr = "10.9.9.9", dstNet = "server-net", dstAlias = "srv";
    std::uint16_t srcPort = 0x8123, dstPort = 0xFFFF;
    std::int32_t tranTotalCtSum = 300, now = kNow, start = kStart, secs = 900, aux = 2571, rc = -7;
    std::int32_t flags = 0x105;  // client path (1), end path (4), observations
    std::int32_t entryFlags[2] = {0x2001, 0x4};
    std::uint16_t entryDstPort[2] = {0xFFF0, 0xFFEF};
};

std::int32_t entryWord(int k, std::size_t j) { return 1000 * k + static_cast<std::int32_t>(j); }
std::string entryAddr(int k) { return "192.168.1." + std::to_string(k); }
std::int32_t entryIP(int k) { return 0x0A000000 + k; }
std::uint16_t entrySrcPort(int k) { return static_cast<std::uint16_t>(0x8000 + k - 1); }

std::vector<unsigned char> build(const Kind& kd, const Fill& f = {}) {
    ReplyBuilder r(kd.first() + kd.entrySize() * static_cast<std::size_t>(f.entries));
    r.i32(4, 1000 + kd.type).i32(8, f.count).i32(12, 0x51515151).i32(16, 0x52525252);
    r.text(20, f.tranName).text(84, f.subTranName);
    r.u16(1132, f.srcPort).u16(1134, f.dstPort);
    r.text(1136, f.srcAddr).text(1152, f.srcNet).text(1280, f.srcAlias);
    r.text(1296, f.dstAddr).text(1312, f.dstNet).text(1440, f.dstAlias).i32(1456, 0x53535353);
    for (std::size_t i = 0; i < 13; ++i) r.i32(1460 + 4 * i, 100 + static_cast<std::int32_t>(i));
    for (std::size_t j = 0; j < kd.M; ++j) r.i32(1512 + 4 * j, 200 + static_cast<std::int32_t>(j));
    r.i32(1512 + 4 * kd.M, 0x54545454);
    const std::size_t T = kd.T();
    r.i32(T, f.tranTotalCtSum).i32(T + 4, f.now).i32(T + 8, f.start).i32(T + 12, f.secs);
    r.i32(T + 16, f.aux).i32(T + 20, f.rc).i32(T + 24, f.flags);
    for (int k = 1; k <= f.entries; ++k) {
        const std::size_t e = kd.first() + kd.entrySize() * static_cast<std::size_t>(k - 1);
        for (std::size_t j = 0; j < kd.K; ++j) r.i32(e + 4 * j, entryWord(k, j));
        const std::size_t tail = e + 4 * kd.K;
        r.text(tail, entryAddr(k)).i32(tail + 16, entryIP(k)).u16(tail + 20, entrySrcPort(k));
        r.u16(tail + 22, f.entryDstPort[(k - 1) % 2]).i32(tail + 24, f.entryFlags[(k - 1) % 2]);
    }
    return r.bytes();
}

// ---- expected arguments ------------------------------------------------------------

using Args = std::vector<RecArg>;

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
// n ints counting up from `first`.
Args Is(std::int32_t first, int n) {
    Args a;
    for (int i = 0; i < n; ++i) a.push_back(I(first + i));
    return a;
}
Args cat(std::initializer_list<Args> parts) {
    Args all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

void expectArgs(const RecCall& c, const Args& want) {
    ASSERT_EQ(c.args.size(), want.size()) << c.method;
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(c.method + " argument " + std::to_string(i + 1));
        EXPECT_EQ(c.args[i].isText, want[i].isText);
        if (want[i].isText)
            EXPECT_EQ(c.args[i].s, want[i].s);
        else
            EXPECT_EQ(c.args[i].i, want[i].i);
    }
}

// The four path texts every setData carries after the interval texts.
Args pathTexts(const Fill& f) { return {S(f.srcAddr), S(f.dstNet), S(f.srcAlias), S(f.dstAlias)}; }
Args intervalTexts() { return {S(kNowText), S(kStartText), S(kDurationText)}; }

// setData as documented for each report, for a reply built from `f` whose type is `type`.
Args setDataArgs(const Kind& kd, const Fill& f, std::int32_t type) {
    const Args head = cat({intervalTexts(), pathTexts(f), {I(f.dstPort), I(f.tranTotalCtSum), I(type)}});
    switch (kd.type) {
        case 10:
            return cat({{S(f.subTranName)}, head, Is(100, 13), Is(200, 6), {I(f.aux), I(f.flags), I(f.rc)}});
        case 19:
            return cat({head, Is(100, 13), Is(200, 6), {I(f.aux), I(f.flags), I(f.rc)}});
        case 8:
            return cat({head, Is(100, 13), Is(200, 24), {I(f.aux), I(f.flags), I(f.rc)}});
        case 9:  // server times, application and wait times, ..., application groups last
            return cat({head, Is(100, 13), Is(200, 6), Is(218, 12), {I(f.aux), I(f.flags), I(f.rc)}, Is(206, 12)});
        default:  // 13
            return cat({head, {I(f.flags)}, Is(100, 13), Is(200, 36), {I(f.aux), I(f.rc)}});
    }
}

// addEntry as documented for each report, for entry k of a reply built from `f`.
Args addEntryArgs(const Kind& kd, const Fill& f, int k) {
    const std::int32_t eflags = f.entryFlags[(k - 1) % 2];
    const std::int32_t usePort = (eflags & 0x2000) ? 0 : 1;
    const std::int32_t sp = entrySrcPort(k), dp = f.entryDstPort[(k - 1) % 2], b = 1000 * k;
    const RecArg addr = S(entryAddr(k)), ip = I(entryIP(k));
    switch (kd.type) {
        case 10: return cat({{addr, ip, I(usePort), I(sp), I(dp)}, Is(b, 11)});
        case 19: return cat({{addr, ip, I(usePort), I(sp), I(dp)}, Is(b, 7)});
        case 8: return cat({{addr, I(usePort), I(sp), I(dp), ip}, Is(b, 13)});
        case 9: return cat({{addr, I(usePort), I(sp), I(dp), ip}, Is(b, 8), Is(b + 10, 4), Is(b + 8, 2)});
        default: return cat({{addr, I(usePort), ip, I(sp)}, Is(b, 7), {I(eflags)}});
    }
}

// The position of `type` among the setData arguments.
std::size_t typeArg(const Kind& kd) { return kd.type == 10 ? 11 : 10; }

// ---- expected lines --------------------------------------------------------------------

// "n1=v n2=v+1 ..." for consecutive values from `first`.
std::string named(const std::vector<std::string>& names, std::int32_t first) {
    std::string s;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i) s += ' ';
        s += names[i] + "=" + std::to_string(first + static_cast<std::int32_t>(i));
    }
    return s;
}

const std::vector<std::string> kDistNames = {"Group1",      "Group2",      "Group3",      "Group1Ct",
                                             "Group2Ct",    "Group3Ct",    "Group4Ct",    "GroupAllCt",
                                             "Group1State", "Group2State", "Group3State", "Group4State"};

// The distribution block as traced, its first word under `firstName`.
std::string distText(const std::string& firstName) { return firstName + "=100 " + named(kDistNames, 101); }

std::string intervalText(const Fill& f) {
    return "reportEntryCt=" + std::to_string(f.count) + " tranTotalCtSum=300 sumIntervalUTCNow=" +
           std::to_string(f.now) + " sumIntervalUTCStart=" + std::to_string(f.start) +
           " sumIntervalSecs=900 Src{" + f.srcNet + "[" + std::to_string(f.srcPort) + "]} Dst{" + f.dstNet + "[" +
           std::to_string(f.dstPort) + "]} ";
}

std::vector<std::string> durationLines() {
    return {"\nFormatDurationTime Entry: now=1114672121 start=1114668396 timediff=3725\n",
            "timebuff<Last 01 hours 02 mins 05 secs> hour=1 min=2 sec=5\n"};
}

// The decoder's own lines: from its Entry line (or the type error line just
// before it) up to and including its Exit line.
std::vector<std::string> decoderLines(const RecordingSink& s, const std::string& name) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < s.lines.size(); ++i) {
        if (s.lines[i].rfind("\n" + name + " Entry: ", 0) != 0) continue;
        std::size_t from = i;
        if (i > 0 && s.lines[i - 1].rfind("\nError:: ", 0) == 0) from = i - 1;
        for (std::size_t j = from; j < s.lines.size(); ++j) {
            out.push_back(s.lines[j]);
            if (s.lines[j].rfind("\n" + name + " Exit: ", 0) == 0) break;
        }
        break;
    }
    return out;
}

void expectLines(const std::vector<std::string>& got, const std::vector<std::string>& want) {
    ASSERT_EQ(got.size(), want.size()) << ::testing::PrintToString(got);
    for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(got[i], want[i]) << "line " << i;
}

class DetailTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
    // Decodes a reply of kind `kd` and checks the lookups and every argument of every call.
    RecordingSink decodeAndCheckCalls(const Kind& kd, const Fill& f, std::int32_t type) {
        RecordingSink s;
        EXPECT_EQ(Map(build(kd, f), kd.type, s), 0);
        EXPECT_EQ(s.lookups.size(), 2u);
        const std::size_t entries = f.count > 0 ? static_cast<std::size_t>(f.count) : 0;
        EXPECT_EQ(s.calls.size(), 1 + entries);
        if (s.calls.size() != 1 + entries) return s;
        EXPECT_EQ(s.calls[0].method, "setData");
        expectArgs(s.calls[0], setDataArgs(kd, f, type));
        for (std::size_t k = 1; k <= entries; ++k) {
            EXPECT_EQ(s.calls[k].method, "addEntry");
            expectArgs(s.calls[k], addEntryArgs(kd, f, static_cast<int>(k)));
        }
        return s;
    }
};

// ---- response-time detail ----------------------------------------------------------

const std::vector<std::string> kRspEntryNames = {
    "pathTotRespTime",      "pathNetRespTime",      "pathSrvRespTime",      "pathAppRespTime",
    "pathWaitRespTime",     "pathTotRespTimeState", "pathNetRespTimeState", "pathSrvRespTimeState",
    "pathAppRespTimeState", "pathWaitRespTimeState", "pathClientTranCt"};

TEST_F(DetailTest, RspTimeDetailCallsAndLines) {
    const Fill f;
    RecordingSink s = decodeAndCheckCalls(kRsp, f, 1);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{
                             "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/"
                             "lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                             "IIIIIIIIIIIIIIIIIIIIIIIII)V",
                             "addEntry (Ljava/lang/String;IIIIIIIIIIIIIII)V"}));
    std::vector<std::string> want = {
        "\nProcessTransRspTimeDetailData Entry: buflen=1712\n",
        "tranName<checkout> subTranName</cart/pay> Src{client-net[33059]} Dst{server-net[65535]}\n",
        intervalText(f) + "pathIPSrcAlias{cli} pathIPDstAlias{srv}" + distText("pathTotRespTimeDataCtSum") + " " +
            named({"pathTotRespTimeMin", "pathTotRespTimeMax", "pathTotRespTimeAvg", "pathTotRespTimeMinState",
                   "pathTotRespTimeMaxState", "pathTotRespTimeAvgState"},
                  200) +
            " flags=261 reportReturnCode=-7 type=1\n"};
    for (const auto& l : durationLines()) want.push_back(l);
    want.push_back("\nIdx[1/2] pathIPSrcPort=32768 pathIPDstPort=65520 pathIPSrc=167772161 "
                   "pathIPSrcAddress<192.168.1.1> usePort=0 " +
                   named(kRspEntryNames, 1000) + "\n");
    want.push_back("\nIdx[2/2] pathIPSrcPort=32769 pathIPDstPort=65519 pathIPSrc=167772162 "
                   "pathIPSrcAddress<192.168.1.2> usePort=1 " +
                   named(kRspEntryNames, 2000) + "\n");
    want.push_back("\nProcessTransRspTimeDetailData Exit: status=0\n");
    expectLines(decoderLines(s, kRsp.name), want);
}

TEST_F(DetailTest, RspTimeDetailSubTransactionEndsAtThePathBlock) {
    // A name without NUL fills offsets 84 to 1131; the ports that follow are not part of it.
    Fill f;
    f.subTranName = std::string(1048, 'x');
    RecordingSink s = decodeAndCheckCalls(kRsp, f, 1);
    ASSERT_FALSE(s.calls.empty());
    EXPECT_EQ(s.calls[0].str(1).size(), 1048u);
    // The transaction name is bounded by its own 64 bytes.
    f.subTranName = "";
    f.tranName = std::string(64, 't');
    RecordingSink s2 = decodeAndCheckCalls(kRsp, f, 1);
    EXPECT_NE(s2.traceText().find("tranName<" + std::string(64, 't') + "> subTranName<> Src{"), std::string::npos);
}

// ---- path time detail --------------------------------------------------------------

const std::vector<std::string> kPathEntryNames = {"pathRespTime",         "pathNetRespTime",
                                                  "pathAppRespTime",      "pathRespTimeState",
                                                  "pathNetRespTimeState", "pathAppRespTimeState",
                                                  "pathClientTranCt"};

TEST_F(DetailTest, PathTimeDetailCallsAndLines) {
    const Fill f;
    RecordingSink s = decodeAndCheckCalls(kPath, f, 1);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{
                             "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/"
                             "lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIIIIIIIIIIII)V",
                             "addEntry (Ljava/lang/String;IIIIIIIIIII)V"}));
    // The first Java argument is the interval's end stamp, not a transaction name.
    EXPECT_EQ(s.calls[0].str(1), kNowText);
    std::vector<std::string> want = {
        "\nProcessTransPathTimeDetailData Entry: buflen=1680\n",
        "Src{client-net[33059]} Dst{server-net[65535]} SrcIP<10.1.2.3>\n",
        intervalText(f) + "pathIPSrcAlias{cli} pathIPDstAlias{srv}" + distText("pathRespTimeDataCtSum") + " " +
            named({"pathRespTimeMin", "pathRespTimeMax", "pathRespTimeAvg", "pathRespTimeMinState",
                   "pathRespTimeMaxState", "pathRespTimeAvgState"},
                  200) +
            " flags=261 reportReturnCode=-7 type=1\n"};
    for (const auto& l : durationLines()) want.push_back(l);
    want.push_back("\nIdx[1/2] pathIPSrcPort=32768 pathIPDstPort=65520 pathIPSrc=167772161 "
                   "pathIPSrcAddress<192.168.1.1> usePort=0 " +
                   named(kPathEntryNames, 1000) + "\n");
    want.push_back("\nIdx[2/2] pathIPSrcPort=32769 pathIPDstPort=65519 pathIPSrc=167772162 "
                   "pathIPSrcAddress<192.168.1.2> usePort=1 " +
                   named(kPathEntryNames, 2000) + "\n");
    want.push_back("\nProcessTransPathTimeDetailData Exit: status=0\n");
    expectLines(decoderLines(s, kPath.name), want);
}

// ---- network detail ----------------------------------------------------------------

TEST_F(DetailTest, NetDetailCallsAndLines) {
    const Fill f;
    RecordingSink s = decodeAndCheckCalls(kNet, f, 1);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{
                             "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/"
                             "lang/String;Ljava/lang/String;Ljava/lang/String;"
                             "IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII)V",
                             "addEntry (Ljava/lang/String;IIIIIIIIIIIIIIIII)V"}));
    const std::vector<std::string> metricNames = {
        "pathNetRespTimeMin",         "pathNetRespTimeMax",         "pathNetRespTimeAvg",
        "pathNetRespTimeMinState",    "pathNetRespTimeMaxState",    "pathNetRespTimeAvgState",
        "pathNetRespTimeOutMin",      "pathNetRespTimeOutMax",      "pathNetRespTimeOutAvg",
        "pathNetRespTimeOutMinState", "pathNetRespTimeOutMaxState", "pathNetRespTimeOutAvgState",
        "pathNetRespTimeInMin",       "pathNetRespTimeInMax",       "pathNetRespTimeInAvg",
        "pathNetRespTimeInMinState",  "pathNetRespTimeInMaxState",  "pathNetRespTimeInAvgState",
        "pathNetOutKBytesPerSecAvg",  "pathNetInKBytesPerSecAvg",   "pathNetTotKBytesPerSecAvg",
        "pathNetOutBytesCtAvg",       "pathNetInBytesCtAvg",        "pathNetTotBytesCtAvg"};
    const std::vector<std::string> entryNames = {
        "pathNetRespTime",       "pathNetRespTimeOut",   "pathNetRespTimeIn",       "pathNetOutKBytesPerSec",
        "pathNetInKBytesPerSec", "pathNetTotKBytesPerSec", "pathNetOutBytesCt",     "pathNetInBytesCt",
        "pathNetTotBytesCt",     "pathNetRespTimeState", "pathNetRespTimeOutState", "pathNetRespTimeInState",
        "pathClientTranCt"};
    std::vector<std::string> want = {
        "\nProcessTransNetDetailData Entry: buflen=1800\n",
        intervalText(f) + distText("pathTotRespTimeDataCtSum") + " flags=261 reportReturnCode=-7 type=1\n",
        named(metricNames, 200) + " \n"};
    for (const auto& l : durationLines()) want.push_back(l);
    want.push_back("\nIdx[1/2] usePort=0 pathIPSrcAddress<192.168.1.1>pathIPSrcPort=32768 pathIPDstPort=65520 "
                   "pathIPSrc=167772161 " +
                   named(entryNames, 1000) + "\n");
    want.push_back("\nIdx[2/2] usePort=1 pathIPSrcAddress<192.168.1.2>pathIPSrcPort=32769 pathIPDstPort=65519 "
                   "pathIPSrc=167772162 " +
                   named(entryNames, 2000) + "\n");
    want.push_back("\nProcessTransNetDetailData Exit: status=0\n");
    expectLines(decoderLines(s, kNet.name), want);
    // The unread word after the metric block reaches neither Java nor the trace;
    // sumIntervalAux reaches Java only.
    EXPECT_EQ(s.traceText().find(std::to_string(0x54545454)), std::string::npos);
    EXPECT_EQ(s.traceText().find("2571"), std::string::npos);
}

// ---- server detail -----------------------------------------------------------------

TEST_F(DetailTest, SrvDetailCallsAndLines) {
    const Fill f;
    RecordingSink s = decodeAndCheckCalls(kSrv, f, 1);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{
                             "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/"
                             "lang/String;Ljava/lang/String;Ljava/lang/String;"
                             "IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII)V",
                             "addEntry (Ljava/lang/String;IIIIIIIIIIIIIIIIII)V"}));
    // appGroup1 (1536, metric word 6) is argument 45; pathAppRespTimeMin (1584, word 18) is 30.
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[0].num(45), 206);
    EXPECT_EQ(s.calls[0].num(30), 218);
    // pathNetRespTimeOutState (E+32, word 8) is addEntry argument 18.
    EXPECT_EQ(s.calls[1].num(18), 1008);
    const std::vector<std::string> times = {"RespTimeMin", "RespTimeMax", "RespTimeAvg",
                                            "RespTimeMinState", "RespTimeMaxState", "RespTimeAvgState"};
    auto family = [&](const std::string& prefix) {
        std::vector<std::string> n;
        for (const auto& t : times) n.push_back(prefix + t);
        return n;
    };
    std::vector<std::string> want = {
        "\nProcessTransSrvDetailData Entry: buflen=1832\n",
        intervalText(f) + distText("pathTotRespTimeDataCtSum") + " " +
            named({"Group1", "Group2", "Group3", "appGroup1Ct", "appGroup2Ct", "appGroup3Ct", "appGroup4Ct",
                   "appGroupAllCt", "appGroup1State", "appGroup2State", "appGroup3State", "appGroup4State"},
                  206) +
            " flags=261 reportReturnCode=-7 type=1\n",
        named(family("pathSrv"), 200) + " " + named(family("pathApp"), 218) + " " + named(family("pathWait"), 224) +
            " \n"};
    for (const auto& l : durationLines()) want.push_back(l);
    auto idx = [&](int k, int usePort) {
        const std::int32_t b = 1000 * k;
        return "\nIdx[" + std::to_string(k) + "/2] usePort=" + std::to_string(usePort) +
               " pathIPSrcPort=" + std::to_string(entrySrcPort(k)) +
               " pathIPDstPort=" + std::to_string(f.entryDstPort[k - 1]) + " " +
               named({"pathDisRespTime", "pathTotRespTime", "pathNetRespTimeOut", "pathNetRespTimeIn",
                      "pathSrvRespTime", "pathAppRespTime", "pathWaitRespTime", "pathTotRespTimeState"},
                     b) +
               " " +
               named({"pathSrvRespTimeState", "pathAppRespTimeState", "pathWaitRespTimeState", "pathClientTranCt"},
                     b + 10) +
               " " + named({"pathNetRespTimeOutState", "pathNetRespTimeInState"}, b + 8) + " \n";
    };
    want.push_back(idx(1, 0));
    want.push_back(idx(2, 1));
    want.push_back("\nProcessTransSrvDetailData Exit: status=0\n");
    expectLines(decoderLines(s, kSrv.name), want);
}

// ---- wait detail -------------------------------------------------------------------

TEST_F(DetailTest, WaitDetailCallsAndLines) {
    const Fill f;
    RecordingSink s = decodeAndCheckCalls(kWait, f, 1);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{
                             "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/"
                             "lang/String;Ljava/lang/String;Ljava/lang/String;"
                             "IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII)V",
                             "addEntry (Ljava/lang/String;IIIIIIIIIII)V"}));
    // flags right after type; reportReturnCode last.
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[0].num(11), 0x105);
    EXPECT_EQ(s.calls[0].num(62), -7);
    std::vector<std::string> metricNames;
    for (const char* fam : {"pathSrv", "pathApp", "pathWait"})
        for (const char* t : {"RespTimeMin", "RespTimeMax", "RespTimeAvg", "RespTimeMinState", "RespTimeMaxState",
                              "RespTimeAvgState"})
            metricNames.push_back(std::string(fam) + t);
    for (const char* fam : {"pathDis", "pathDisApp", "pathDisWait", "pathRet", "pathRetApp", "pathRetWait"})
        for (const char* t : {"RespTimeMin", "RespTimeMax", "RespTimeAvg"}) metricNames.push_back(std::string(fam) + t);
    std::vector<std::string> want = {
        "\nProcessTransWaitDetailData Entry: buflen=1800\n",
        // No blank between GroupAllCt and Group1State; flags as text.
        intervalText(f) + "pathTotRespTimeDataCtSum=100 " +
            named({"Group1", "Group2", "Group3", "Group1Ct", "Group2Ct", "Group3Ct", "Group4Ct", "GroupAllCt"}, 101) +
            named({"Group1State", "Group2State", "Group3State", "Group4State"}, 109) +
            " flags<{105} REP_FLAGS_CLIENT_PATH REP_FLAGS_END_PATH REP_FLAGS_VIEW_OBSERVATIONS "
            "REP_URL_LIST_PRECEDENCE_INCLUDE_FIRST REP_URL_LIST_TYPE_INCLUDE REP_URL_SEARCH_TYPE_EXACT_MATCH> "
            "reportReturnCode=-7 type=1\n",
        named(metricNames, 200) + " \n"};
    for (const auto& l : durationLines()) want.push_back(l);
    // No blank between pathAppRespTimeState and pathWaitRespTimeState; usePort and
    // the entry's destination port are not traced.
    want.push_back("\nIdx[1/2] pathIPSrcAddress=[192.168.1.1] pathIPSrcPort=32768 pathIPSrc=167772161 "
                   "pathSrvRespTime=1000 pathAppRespTime=1001 pathWaitRespTime=1002 pathSrvRespTimeState=1003 "
                   "pathAppRespTimeState=1004pathWaitRespTimeState=1005 pathClientTranCt=1006 "
                   "flags<{2001} REP_FLAGS_CLIENT_PATH REP_FLAGS_CLIENT_SUM REP_URL_LIST_PRECEDENCE_INCLUDE_FIRST> \n");
    want.push_back("\nIdx[2/2] pathIPSrcAddress=[192.168.1.2] pathIPSrcPort=32769 pathIPSrc=167772162 "
                   "pathSrvRespTime=2000 pathAppRespTime=2001 pathWaitRespTime=2002 pathSrvRespTimeState=2003 "
                   "pathAppRespTimeState=2004pathWaitRespTimeState=2005 pathClientTranCt=2006 "
                   "flags<{4} REP_FLAGS_END_PATH REP_URL_LIST_TYPE_INCLUDE> \n");
    want.push_back("\nProcessTransWaitDetailData Exit: status=0\n");
    expectLines(decoderLines(s, kWait.name), want);
}

TEST_F(DetailTest, WaitDetailEntryDestinationPortReachesNeitherJavaNorTrace) {
    Fill f;
    f.entryDstPort[0] = 31354;
    f.entryDstPort[1] = 31355;
    RecordingSink s = decodeAndCheckCalls(kWait, f, 1);
    EXPECT_EQ(s.traceText().find("3135"), std::string::npos);
    for (const auto& c : s.calls)
        for (const auto& a : c.args) EXPECT_TRUE(a.isText || (a.i != 31354 && a.i != 31355));
}

TEST_F(DetailTest, WaitDetailClientSumEntryKeepsItsFlags) {
    Fill f;
    f.entryFlags[0] = 0x2000;
    RecordingSink s = decodeAndCheckCalls(kWait, f, 1);
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[1].num(2), 0);        // usePort
    EXPECT_EQ(s.calls[1].num(12), 0x2000);  // the entry's own flags
}

// ---- rules shared by the five ------------------------------------------------------

TEST_F(DetailTest, PathPositionFromTheReplyFlags) {
    struct Case {
        std::int32_t flags, type;
        bool error;
    };
    const Case cases[] = {{0x105, 1, false}, {5, 1, false}, {6, 2, false}, {4, 4, false}, {0xC, 4, false},
                          {8, 8, false},     {0, 8, true},  {0x10, 8, true}, {0x7FFFFFF0, 8, true}};
    for (const Kind& kd : kAllKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kd.name) + " flags " + std::to_string(c.flags));
            Fill f;
            f.flags = c.flags;
            RecordingSink s = decodeAndCheckCalls(kd, f, c.type);
            ASSERT_FALSE(s.calls.empty());
            EXPECT_EQ(s.calls[0].num(typeArg(kd)), c.type);
            const auto lines = decoderLines(s, kd.name);
            ASSERT_GE(lines.size(), 2u);
            const std::string entry = "\n" + std::string(kd.name) + " Entry: buflen=" +
                                      std::to_string(kd.first() + 2 * kd.entrySize()) + "\n";
            if (!c.error) {
                EXPECT_EQ(lines[0], entry);
                EXPECT_EQ(s.traceText().find("Error::"), std::string::npos);
                continue;
            }
            // The error line is a trace line, never an error line.
            EXPECT_TRUE(s.errors.empty());
            const std::string err =
                kd.type == 13 ? "\nError:: could not determine type from flags<" +
                                    std::string(c.flags == 0      ? "{0}"
                                                : c.flags == 0x10 ? "{10} REP_FLAGS_VIEW_DISTRIBUTIONS "
                                                                    "REP_URL_LIST_HAS_INCLUDE"
                                                                  : "") +
                                    ">\n"
                              : "\nError:: could not determine type from flags==" + std::to_string(c.flags) + "\n";
            // The server and wait detail decoders write their Entry line first.
            const bool entryFirst = kd.type == 9 || kd.type == 13;
            EXPECT_EQ(lines[entryFirst ? 0 : 1], entry);
            if (kd.type == 13 && c.flags == 0x7FFFFFF0)
                EXPECT_EQ(lines[1].rfind("\nError:: could not determine type from flags<{7ffffff0} ", 0), 0u);
            else
                EXPECT_EQ(lines[entryFirst ? 1 : 0], err);
        }
    }
}

TEST_F(DetailTest, CountsOfZeroAndBelowGiveOnlySetData) {
    for (const Kind& kd : kAllKinds) {
        for (std::int32_t count : {0, -1, -2147483647 - 1}) {
            SCOPED_TRACE(std::string(kd.name) + " count " + std::to_string(count));
            Fill f;
            f.count = count;
            f.entries = 0;
            RecordingSink s = decodeAndCheckCalls(kd, f, 1);
            EXPECT_EQ(s.calls.size(), 1u);
            EXPECT_EQ(s.traceText().find("Idx["), std::string::npos);
            EXPECT_NE(s.traceText().find("\n" + std::string(kd.name) + " Exit: status=0\n"), std::string::npos);
        }
    }
}

TEST_F(DetailTest, EmptyTextsEqualStampsAndHighPorts) {
    for (const Kind& kd : kAllKinds) {
        SCOPED_TRACE(kd.name);
        Fill f;
        f.tranName = f.subTranName = f.srcAddr = f.srcNet = f.srcAlias = f.dstAddr = f.dstNet = f.dstAlias = "";
        f.start = f.now;
        f.dstPort = 0x8000;
        RecordingSink s;
        ASSERT_EQ(Map(build(kd, f), kd.type, s), 0);
        ASSERT_EQ(s.calls.size(), 3u);
        const RecCall& set = s.calls[0];
        const std::size_t at = kd.type == 10 ? 2 : 1;  // the end stamp
        EXPECT_EQ(set.str(at), kNowText);
        EXPECT_EQ(set.str(at + 1), kNowText);
        EXPECT_EQ(set.str(at + 2), "Last 00 mins 00 secs");
        for (std::size_t i = at + 3; i <= at + 6; ++i) EXPECT_EQ(set.str(i), "") << i;
        if (kd.type == 10) {
            EXPECT_EQ(set.str(1), "");
        }
        EXPECT_EQ(set.num(at + 7), 32768);  // the path's destination port
    }
}

TEST_F(DetailTest, TracingOffChangesNoCall) {
    for (const Kind& kd : kAllKinds) {
        SCOPED_TRACE(kd.name);
        Fill f;
        f.flags = 0;  // the type error line is a trace line too
        RecordingSink on = decodeAndCheckCalls(kd, f, 8);
        RecordingSink off;
        off.tracingOn = false;
        EXPECT_EQ(Map(build(kd, f), kd.type, off), 0);
        EXPECT_TRUE(off.lines.empty());
        EXPECT_TRUE(off.errors.empty());
        ASSERT_EQ(off.calls.size(), on.calls.size());
        for (std::size_t i = 0; i < on.calls.size(); ++i) EXPECT_EQ(off.calls[i].args, on.calls[i].args) << i;
    }
}

TEST_F(DetailTest, ShortRepliesAndFailedCallbacks) {
    for (const Kind& kd : kAllKinds) {
        SCOPED_TRACE(kd.name);
        // One byte short of the header: no lookup, no call.
        {
            auto reply = build(kd, Fill{});
            reply.resize(kd.first() - 1);
            RecordingSink s;
            EXPECT_EQ(Map(reply, kd.type, s), 1);
            EXPECT_TRUE(s.lookups.empty());
            EXPECT_TRUE(s.calls.empty());
            EXPECT_EQ(s.errors.size(), 1u);
        }
        // The count says 2, the reply holds one entry and a part of the second.
        {
            auto reply = build(kd, Fill{});
            reply.resize(reply.size() - 1);
            RecordingSink s;
            EXPECT_EQ(Map(reply, kd.type, s), 1);
            EXPECT_EQ(s.calls.size(), 2u);
            ASSERT_EQ(s.errors.size(), 1u);
            EXPECT_NE(s.errors[0].find("holds 1 of 2 entries"), std::string::npos) << s.errors[0];
            EXPECT_NE(s.traceText().find("\n" + std::string(kd.name) + " Exit: status=1\n"), std::string::npos);
        }
        // A target without addEntry gets no call at all, not even setData.
        {
            RecordingSink s;
            s.missing = {"addEntry"};
            EXPECT_EQ(Map(build(kd, Fill{}), kd.type, s), 1);
            EXPECT_TRUE(s.calls.empty());
        }
        // setData throws: no addEntry follows.
        {
            RecordingSink s;
            s.throwOnCall = 0;
            EXPECT_EQ(Map(build(kd, Fill{}), kd.type, s), 1);
            EXPECT_EQ(s.calls.size(), 1u);
        }
    }
}

TEST(DetailTruncation, EveryPrefixStaysInsideTheArray) {
    for (const Kind& kd : kAllKinds) EXPECT_EQ(TruncationSweep(build(kd), kd.type), "") << kd.name;
}

TEST(DetailSignatures, DerivedSignaturesAreTheDocumentedOnes) {
    const std::string s7 =
        "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/"
        "String;Ljava/lang/String;";
    EXPECT_STREQ(kSignature<cb::RspTimeDetailSetData>, (s7 + "Ljava/lang/String;IIIIIIIIIIIIIIIIIIIIIIIII)V").c_str());
    EXPECT_STREQ(kSignature<cb::RspTimeDetailAddEntry>, "(Ljava/lang/String;IIIIIIIIIIIIIII)V");
    EXPECT_STREQ(kSignature<cb::PathTimeDetailSetData>, (s7 + "IIIIIIIIIIIIIIIIIIIIIIIII)V").c_str());
    EXPECT_STREQ(kSignature<cb::PathTimeDetailAddEntry>, "(Ljava/lang/String;IIIIIIIIIII)V");
    EXPECT_STREQ(kSignature<cb::NetDetailSetData>, (s7 + "IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII)V").c_str());
    EXPECT_STREQ(kSignature<cb::NetDetailAddEntry>, "(Ljava/lang/String;IIIIIIIIIIIIIIIII)V");
    EXPECT_STREQ(kSignature<cb::SrvDetailSetData>,
                 (s7 + "IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII)V").c_str());
    EXPECT_STREQ(kSignature<cb::SrvDetailAddEntry>, "(Ljava/lang/String;IIIIIIIIIIIIIIIIII)V");
    EXPECT_STREQ(kSignature<cb::WaitDetailSetData>,
                 (s7 + "IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII)V").c_str());
    EXPECT_STREQ(kSignature<cb::WaitDetailAddEntry>, "(Ljava/lang/String;IIIIIIIIIII)V");
    EXPECT_STREQ(cb::RspTimeDetailSetData::kMethod, "setData");
    EXPECT_STREQ(cb::WaitDetailAddEntry::kMethod, "addEntry");
}

}  // namespace
}  // namespace vyt::test
