// Path replies (the paths of one transaction) and path port replies (one path
// with its ports).
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "recording_sink.hpp"

namespace vyt::test {
namespace {

constexpr int kTransPath = 2, kTransPathPort = 16;

constexpr char kPathSig[] =
    "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
    "Ljava/lang/String;Ljava/lang/String;IIIIIII)V";
constexpr char kPortSetSig[] =
    "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
    "Ljava/lang/String;Ljava/lang/String;IIIII)V";



// ---- path reply: 100-byte header, 508-byte entries -------------------------------

constexpr std::size_t kPathHeader = 100, kPathEntry = 508;

std::string suffix(int k) { return std::to_string(k + 1); }

// `entries` path entries with distinct values everywhere; the unread ranges
// hold noise so that a read at a wrong offset shows.
std::vector<unsigned char> pathReply(int pathCt, int entries, int word8 = 5) {
    ReplyBuilder r(kPathHeader + kPathEntry * static_cast<std::size_t>(entries));
    r.i32(4, 2).i32(8, word8).i32(12, 0x0C0C0C0C).i32(16, 0x10101010);
    r.text(20, "orders-svc").i32(84, 0x54545454).i32(88, pathCt).i32(92, 0x5C5C5C5C).i32(96, 0x60606060);
    for (int k = 0; k < entries; ++k) {
        const std::size_t e = kPathHeader + kPathEntry * static_cast<std::size_t>(k);
        r.i32(e, 1000 + k).i32(e + 4, -11).i32(e + 8, -12);
        r.u16(e + 12, static_cast<std::uint16_t>(0xFFFF - k));   // source port
        r.u16(e + 14, static_cast<std::uint16_t>(0x8000 + k));   // destination port
        r.i32(e + 16, 2000 + k);
        r.u16(e + 20, static_cast<std::uint16_t>(0x9000 + k));   // end source port
        r.u16(e + 22, static_cast<std::uint16_t>(443 + k));      // end destination port
        r.text(e + 24, "10.0.0." + suffix(k)).text(e + 40, "src-net-" + suffix(k)).text(e + 168, "sa-" + suffix(k));
        r.text(e + 184, "10.1.0." + suffix(k)).text(e + 200, "dst-net-" + suffix(k)).text(e + 328, "da-" + suffix(k));
        r.text(e + 344, "10.2.0." + suffix(k)).text(e + 360, "end-net-" + suffix(k)).text(e + 488, "ea-" + suffix(k));
        r.i32(e + 504, 0x10000 + k);
    }
    return r.bytes();
}

TEST(InventoryTransPath, EveryArgumentOfEveryEntryInOrder) {
    RecordingSink s;
    ASSERT_EQ(Map(pathReply(2, 2), kTransPath, s), 0);
    EXPECT_EQ(s.lookups, (std::vector<std::string>{std::string("addEntry ") + kPathSig}));
    ASSERT_EQ(s.calls.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        const RecCall& c = s.calls[static_cast<std::size_t>(k)];
        SCOPED_TRACE(k);
        EXPECT_EQ(c.method, "addEntry");
        ASSERT_EQ(c.args.size(), 14u);
        EXPECT_EQ(c.str(1), "orders-svc");
        EXPECT_EQ(c.str(2), "src-net-" + suffix(k));
        EXPECT_EQ(c.str(3), "dst-net-" + suffix(k));
        EXPECT_EQ(c.str(4), "sa-" + suffix(k));
        EXPECT_EQ(c.str(5), "da-" + suffix(k));
        EXPECT_EQ(c.str(6), "end-net-" + suffix(k));
        EXPECT_EQ(c.str(7), "ea-" + suffix(k));
        EXPECT_EQ(c.num(8), 0xFFFF - k);  // never sign-extended
        EXPECT_EQ(c.num(9), 0x8000 + k);
        EXPECT_EQ(c.num(10), 1000 + k);
        EXPECT_EQ(c.num(11), 2000 + k);
        EXPECT_EQ(c.num(12), 0x9000 + k);
        EXPECT_EQ(c.num(13), 443 + k);
        EXPECT_EQ(c.num(14), 0x10000 + k);
    }
    // One transaction name string, made once, goes to every call.
    EXPECT_EQ(s.sharedTexts, std::vector<std::string>{"orders-svc"});
    EXPECT_EQ(s.calls[0].args[0].sharedSlot, 0);
    EXPECT_EQ(s.calls[1].args[0].sharedSlot, 0);
}

TEST(InventoryTransPath, TraceLines) {
    RecordingSink s;
    const auto reply = pathReply(2, 2);
    ASSERT_EQ(Map(reply, kTransPath, s), 0);
    EXPECT_TRUE(s.hasLine("\nProcessTransPathData Entry: buflen=1116 tranName<orders-svc>\n")) << s.traceText();
    EXPECT_TRUE(s.hasLine("Idx[1] pathIPSrcNetName{src-net-1 : 65535} pathIPDstNetName{dst-net-1 : 32768} "
                           "pathEndIPDstNetName<end-net-1> pathEndIPDstAlias<ea-1> pathId=1000 pathEndId=2000 "
                           "pathEndIPSrcPort=36864 pathEndIPDstPort=443 flags=65536\n"))
        << s.traceText();
    EXPECT_TRUE(s.hasLine("Idx[2] pathIPSrcNetName{src-net-2 : 65534} pathIPDstNetName{dst-net-2 : 32769} "
                           "pathEndIPDstNetName<end-net-2> pathEndIPDstAlias<ea-2> pathId=1001 pathEndId=2001 "
                           "pathEndIPSrcPort=36865 pathEndIPDstPort=444 flags=65537\n"))
        << s.traceText();
    EXPECT_EQ(s.decoderLines().back(), "\nProcessTransPathData Exit: status=0\n");
}

TEST(InventoryTransPath, PathCountIsTheWordAtOffset88) {
    // The word at offset 8 says 5; the path count says 2.
    {
        RecordingSink s;
        EXPECT_EQ(Map(pathReply(2, 2, 5), kTransPath, s), 0);
        EXPECT_EQ(s.calls.size(), 2u);
    }
    // No paths, whatever the word at offset 8 holds; the name string is still made.
    for (int pathCt : {0, -1, INT_MIN}) {
        RecordingSink s;
        EXPECT_EQ(Map(pathReply(pathCt, 1, 3), kTransPath, s), 0) << pathCt;
        EXPECT_TRUE(s.calls.empty()) << pathCt;
        EXPECT_EQ(s.sharedTexts, std::vector<std::string>{"orders-svc"});
        EXPECT_EQ(s.decoderLines().back(), "\nProcessTransPathData Exit: status=0\n");
    }
}

TEST(InventoryTransPath, SecondEntryAtItsDocumentedOffsets) {
    auto reply = pathReply(2, 2);
    ReplyBuilder r(reply.size());
    r.bytes() = reply;
    r.i32(608, 4242).u16(620, 0xFFFF).i32(1112, -77);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kTransPath, s), 0);
    ASSERT_EQ(s.calls.size(), 2u);
    EXPECT_EQ(s.calls[1].num(10), 4242);
    EXPECT_EQ(s.calls[1].num(8), 65535);
    EXPECT_EQ(s.calls[1].num(14), -77);
}

TEST(InventoryTransPath, EmptyTextsGiveEmptyStrings) {
    ReplyBuilder r(kPathHeader + kPathEntry);
    r.i32(88, 1).i32(100, 9);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kTransPath, s), 0);
    ASSERT_EQ(s.calls.size(), 1u);
    EXPECT_EQ(s.sharedTexts, std::vector<std::string>{""});
    for (std::size_t pos = 2; pos <= 7; ++pos) EXPECT_EQ(s.calls[0].str(pos), "") << pos;
    EXPECT_EQ(s.calls[0].num(10), 9);
}

// ---- path port reply: 424-byte header, 8-byte entries -----------------------------

constexpr std::size_t kPortHeader = 424, kPortEntry = 8;

std::vector<unsigned char> portReply(int count, int entries) {
    ReplyBuilder r(kPortHeader + kPortEntry * static_cast<std::size_t>(entries));
    r.i32(4, 25).i32(8, count).i32(12, 0x0C0C0C0C).i32(16, 0x10101010);
    r.text(20, "payments").i32(84, 77).i32(88, 5);
    r.text(92, "10.1.2.3").text(108, "src.example").text(236, "srcAlias");
    r.i32(252, 6);
    r.text(256, "192.168.0.9").text(272, "dst.example").text(400, "dstAlias");
    r.i32(416, 1114672121).i32(420, 0x800);
    for (int k = 0; k < entries; ++k) {
        const std::size_t e = kPortHeader + kPortEntry * static_cast<std::size_t>(k);
        r.u16(e, static_cast<std::uint16_t>(0x8000 + 0x1111 * k)).u16(e + 2, 0xCDAB).i32(e + 4, -1 - k);
    }
    return r.bytes();
}

TEST(InventoryTransPathPort, SetDataThenOnePortPerEntry) {
    RecordingSink s;
    ASSERT_EQ(Map(portReply(3, 3), kTransPathPort, s), 0);
    EXPECT_EQ(s.lookups,
              (std::vector<std::string>{std::string("setData ") + kPortSetSig, "addEntry (II)V"}));
    ASSERT_EQ(s.calls.size(), 4u);
    const RecCall& set = s.calls[0];
    EXPECT_EQ(set.method, "setData");
    ASSERT_EQ(set.args.size(), 12u);
    EXPECT_EQ(set.str(1), "payments");
    EXPECT_EQ(set.str(2), "10.1.2.3");
    EXPECT_EQ(set.str(3), "src.example");
    EXPECT_EQ(set.str(4), "srcAlias");
    EXPECT_EQ(set.str(5), "192.168.0.9");
    EXPECT_EQ(set.str(6), "dst.example");
    EXPECT_EQ(set.str(7), "dstAlias");
    EXPECT_EQ(set.num(8), 77);
    EXPECT_EQ(set.num(9), 5);
    EXPECT_EQ(set.num(10), 6);
    EXPECT_EQ(set.num(11), 1114672121);
    EXPECT_EQ(set.num(12), 0x800);
    for (int k = 0; k < 3; ++k) {
        const RecCall& c = s.calls[static_cast<std::size_t>(k) + 1];
        EXPECT_EQ(c.method, "addEntry");
        // The bytes after the port (0xAB 0xCD) do not change it.
        EXPECT_EQ(c.num(1), 0x8000 + 0x1111 * k);
        EXPECT_EQ(c.num(2), -1 - k);
    }
}

TEST(InventoryTransPathPort, TraceLines) {
    RecordingSink s;
    ASSERT_EQ(Map(portReply(2, 2), kTransPathPort, s), 0);
    EXPECT_TRUE(s.hasLine("\nProcessTransPathPortData Entry: buflen=440\n")) << s.traceText();
    EXPECT_TRUE(s.hasLine("tranName<payments> pathId=77 pathIPSrcPortCt=5 pathIPSrcAddress<10.1.2.3> "
                           "pathIPSrcNetName<src.example> pathIPSrcAlias<srcAlias> pathIPDstPortCt=6 "
                           "pathIPDstAddress<192.168.0.9> pathIPDstNetName<dst.example> pathIPDstAlias<dstAlias> "
                           "collectorStartupTime=1114672121 flags=2048\n"))
        << s.traceText();
    EXPECT_TRUE(s.hasLine("Idx[1] pathIPPort=32768 flags=-1\n")) << s.traceText();
    EXPECT_TRUE(s.hasLine("Idx[2] pathIPPort=37137 flags=-2\n")) << s.traceText();
    EXPECT_EQ(s.decoderLines().back(), "\nProcessTransPathPortData Exit: status=0\n");
}

TEST(InventoryTransPathPort, WalkFollowsTheEntryCountOnly) {
    // The port counts (5 and 6) do not steer the walk; entry 3 is read at 440.
    {
        auto reply = portReply(3, 3);
        ReplyBuilder r(reply.size());
        r.bytes() = reply;
        r.u16(440, 0xFFFF).i32(444, 31);
        RecordingSink s;
        ASSERT_EQ(Map(r.bytes(), kTransPathPort, s), 0);
        ASSERT_EQ(s.callsTo("addEntry").size(), 3u);
        EXPECT_EQ(s.calls[3].num(1), 65535);
        EXPECT_EQ(s.calls[3].num(2), 31);
    }
    for (int count : {0, -4, INT_MIN}) {
        RecordingSink s;
        EXPECT_EQ(Map(portReply(count, 1), kTransPathPort, s), 0) << count;
        ASSERT_EQ(s.calls.size(), 1u) << count;
        EXPECT_EQ(s.calls[0].method, "setData");
    }
}

TEST(InventoryTransPathPort, EmptyTexts) {
    ReplyBuilder r(kPortHeader);
    r.i32(84, 3);
    RecordingSink s;
    ASSERT_EQ(Map(r.bytes(), kTransPathPort, s), 0);
    ASSERT_EQ(s.calls.size(), 1u);
    for (std::size_t pos = 1; pos <= 7; ++pos) EXPECT_EQ(s.calls[0].str(pos), "") << pos;
    EXPECT_EQ(s.calls[0].num(8), 3);
}

TEST(InventoryTransPathPort, MissingAddEntryMeansNoSetDataEither) {
    RecordingSink s;
    s.missing = {"addEntry"};
    EXPECT_EQ(Map(portReply(2, 2), kTransPathPort, s), 1);
    EXPECT_TRUE(s.calls.empty());
}

TEST(InventoryPathTruncation, EveryPrefixStaysInsideTheArray) {
    EXPECT_EQ(TruncationSweep(pathReply(2, 2), kTransPath), "");
    EXPECT_EQ(TruncationSweep(portReply(3, 3), kTransPathPort), "");
}

}  // namespace
}  // namespace vyt::test
