// Writes the fuzzer's named seeds: a valid reply of every report kind and one
// request, each a file whose first byte selects what the fuzz target does with
// the rest (vyt_fuzz: below 0x80 the report type of a reply, from 0x80 a
// request's arguments).  The C++ seed test, the native API test and the
// benchmarks read the same files.
//
// A reply is its length in bytes with the values that are not zero, each put at
// its byte offset in the reply: a little-endian 32-bit word, a run of words
// that step evenly, or a text with its terminating NUL.  Offsets are those of the layouts in vyt/layout/*.hpp.
//
// Usage: vyt_seed_replies OUTPUT_DIR
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Put {
    std::size_t offset;
    const char* text;     // nullptr: words
    std::uint32_t first;  // the first word's value
    std::size_t count;    // words at consecutive offsets,
    std::int32_t step;    // each this much more than the one before
};

constexpr Put Word(std::size_t offset, std::int64_t value) {
    return {offset, nullptr, static_cast<std::uint32_t>(value), 1, 0};
}
constexpr Put Words(std::size_t offset, std::int32_t first, std::size_t count, std::int32_t step = 1) {
    return {offset, nullptr, static_cast<std::uint32_t>(first), count, step};
}
constexpr Put Text(std::size_t offset, const char* text) { return {offset, text, 0, 0, 0}; }

struct Reply {
    const char* name;
    int type;
    std::size_t length;
    std::initializer_list<Put> puts;
};

// clang-format off
const Reply kReplies[] = {
    {"reply-01-all-transactions", 1, 164, {
        Word(0, 164), Word(8, 2), Word(20, 1700000000), Word(24, 0x400000), Text(28, "checkout"),
        Word(92, 0x2400000), Text(96, "login"), Word(160, 0x400000),
    }},
    {"reply-02-paths", 2, 1116, {
        Word(0, 1116), Word(4, 2), Text(20, "orders"), Word(88, 2), Word(100, 10), Word(112, 0x8000ffff),
        Word(116, 20), Word(120, 0x509000), Text(140, "srcNet"), Text(268, "sa"), Text(300, "dstNet"),
        Text(428, "da"), Text(460, "endNet"), Text(588, "ea"), Word(604, 16384), Word(608, 11),
        Word(620, 0x8001fffe), Word(624, 21), Word(628, 0x509000), Text(648, "srcNet"), Text(776, "sa"),
        Text(808, "dstNet"), Text(936, "da"), Text(968, "endNet"), Text(1096, "ea"), Word(1112, 16384),
    }},
    {"reply-03-current-performance", 3, 512, {
        Word(0, 512), Word(4, 11), Word(20, 1), Text(24, "state1"), Word(88, 2), Text(92, "state2"),
        Word(156, 3), Text(160, "state3"), Word(224, 4), Text(228, "state4"), Word(292, 5),
        Text(296, "state5"), Word(360, 6), Text(364, "state6"), Word(428, 7), Text(432, "state7"),
        Word(496, 0x42709a86), Word(500, 0x42708bf9), Word(504, 1114600000), Word(508, 128),
    }},
    {"reply-04-rsp-time", 4, 2064, {
        Word(0, 2064), Word(8, 2), Words(1112, 1112, 4, 4), Word(1128, 1100000300), Word(1132, 1100000000),
        Word(1136, 300), Word(1148, 8192), Word(1216, 1), Word(1228, 0x1bb8000), Text(1232, "10.0.0.0"),
        Text(1248, "client-net"), Text(1376, "cl"), Text(1392, "10.0.1.0"), Text(1408, "server-net"),
        Text(1536, "sv"), Words(1556, 404, 13, 4), Word(1672, 2), Word(1684, 0x1bb8001),
        Text(1688, "10.0.0.1"), Text(1704, "client-net"), Text(1832, "cl"), Text(1848, "10.0.1.1"),
        Text(1864, "server-net"), Text(1992, "sv"), Words(2012, 405, 13, 4),
    }},
    {"reply-05-net-time", 5, 2072, {
        Word(0, 2072), Word(8, 2), Words(1112, 1112, 4, 4), Word(1128, 1100000300), Word(1132, 1100000000),
        Word(1136, 300), Word(1148, 8192), Word(1216, 1), Word(1228, 0x1bb8000), Text(1232, "10.0.0.0"),
        Text(1248, "client-net"), Text(1376, "cl"), Text(1392, "10.0.1.0"), Text(1408, "server-net"),
        Text(1536, "sv"), Words(1556, 404, 14, 4), Word(1676, 2), Word(1688, 0x1bb8001),
        Text(1692, "10.0.0.1"), Text(1708, "client-net"), Text(1836, "cl"), Text(1852, "10.0.1.1"),
        Text(1868, "server-net"), Text(1996, "sv"), Words(2016, 405, 14, 4),
    }},
    {"reply-06-srv-time", 6, 2032, {
        Word(0, 2032), Word(8, 2), Words(1112, 1112, 4, 4), Word(1128, 1100000300), Word(1132, 1100000000),
        Word(1136, 300), Word(1148, 8192), Word(1216, 1), Word(1228, 0x1bb8000), Text(1232, "10.0.0.0"),
        Text(1248, "client-net"), Text(1376, "cl"), Text(1392, "10.0.1.0"), Text(1408, "server-net"),
        Text(1536, "sv"), Words(1556, 404, 9, 4), Word(1656, 2), Word(1668, 0x1bb8001),
        Text(1672, "10.0.0.1"), Text(1688, "client-net"), Text(1816, "cl"), Text(1832, "10.0.1.1"),
        Text(1848, "server-net"), Text(1976, "sv"), Words(1996, 405, 9, 4),
    }},
    {"reply-07-flow", 7, 1740, {
        Word(0, 1740), Word(8, 2), Words(1112, 1112, 4, 4), Word(1128, 250), Word(1132, 1100000300),
        Word(1136, 1100000000), Word(1140, 300), Word(1152, 8192), Words(1160, 4, 5, 4),
        Words(1216, 60, 16, 4), Text(1280, "node-0"), Text(1424, "n0"), Word(1440, 65535),
        Words(1448, 1, 6, 4), Words(1508, 61, 16, 4), Text(1572, "node-1"), Text(1716, "n1"),
        Word(1732, 65534), Word(1736, 1),
    }},
    {"reply-08-net-detail", 8, 1800, {
        Word(0, 1800), Word(4, 19), Word(8, 2), Text(20, "checkout"), Text(84, "/cart/pay"),
        Word(1132, -32477), Text(1136, "10.1.2.3"), Text(1152, "client-net"), Text(1280, "cli"),
        Text(1296, "10.9.9.9"), Text(1312, "server-net"), Text(1440, "srv"), Words(1460, 100, 13),
        Words(1512, 200, 24), Word(1612, 300), Word(1616, 0x42708bf9), Word(1620, 0x42707d6c),
        Word(1624, 900), Word(1628, 2571), Word(1632, -7), Word(1636, 261), Words(1640, 1000, 13),
        Text(1692, "192.168.1.1"), Word(1708, 0xa000001), Word(1712, 0xfff08000), Word(1716, 8193),
        Words(1720, 2000, 13), Text(1772, "192.168.1.2"), Word(1788, 0xa000002), Word(1792, 0xffef8001),
        Word(1796, 4),
    }},
    {"reply-09-srv-detail", 9, 1832, {
        Word(0, 1832), Word(4, 21), Word(8, 2), Text(20, "checkout"), Text(84, "/cart/pay"),
        Word(1132, -32477), Text(1136, "10.1.2.3"), Text(1152, "client-net"), Text(1280, "cli"),
        Text(1296, "10.9.9.9"), Text(1312, "server-net"), Text(1440, "srv"), Words(1460, 100, 13),
        Words(1512, 200, 30), Word(1636, 300), Word(1640, 0x42708bf9), Word(1644, 0x42707d6c),
        Word(1648, 900), Word(1652, 2571), Word(1656, -7), Word(1660, 261), Words(1664, 1000, 14),
        Text(1720, "192.168.1.1"), Word(1736, 0xa000001), Word(1740, 0xfff08000), Word(1744, 8193),
        Words(1748, 2000, 14), Text(1804, "192.168.1.2"), Word(1820, 0xa000002), Word(1824, 0xffef8001),
        Word(1828, 4),
    }},
    {"reply-10-rsp-time-detail", 10, 1712, {
        Word(0, 1712), Word(4, 17), Word(8, 2), Text(20, "checkout"), Text(84, "/cart/pay"),
        Word(1132, -32477), Text(1136, "10.1.2.3"), Text(1152, "client-net"), Text(1280, "cli"),
        Text(1296, "10.9.9.9"), Text(1312, "server-net"), Text(1440, "srv"), Words(1460, 100, 13),
        Words(1512, 200, 6), Word(1540, 300), Word(1544, 0x42708bf9), Word(1548, 0x42707d6c),
        Word(1552, 900), Word(1556, 2571), Word(1560, -7), Word(1564, 261), Words(1568, 1000, 11),
        Text(1612, "192.168.1.1"), Word(1628, 0xa000001), Word(1632, 0xfff08000), Word(1636, 8193),
        Words(1640, 2000, 11), Text(1684, "192.168.1.2"), Word(1700, 0xa000002), Word(1704, 0xffef8001),
        Word(1708, 4),
    }},
    {"reply-11-current-alerts", 11, 972, {
        Word(0, 972), Word(4, 24), Words(8, 2, 3), Word(20, 0x42709a86), Word(24, 0x42708bf9), Word(28, 5),
        Word(32, 6), Text(36, "orders0"), Word(100, 10), Word(112, 0x80000050), Text(116, "10.0.0.1"),
        Text(132, "src"), Text(260, "sa"), Text(276, "10.0.0.2"), Text(292, "dst"), Text(420, "da"),
        Words(440, 1, 6), Word(464, 0x42708bf9), Words(468, 8, 9), Text(504, "orders1"), Word(568, 11),
        Word(580, 0x80010050), Text(584, "10.0.0.1"), Text(600, "src"), Text(728, "sa"),
        Text(744, "10.0.0.2"), Text(760, "dst"), Text(888, "da"), Words(904, 100, 7),
        Word(932, 0x42708bbd), Words(936, 108, 9),
    }},
    {"reply-12-wait-time", 12, 2008, {
        Word(0, 2008), Word(8, 2), Words(1112, 1112, 4, 4), Word(1128, 1100000300), Word(1132, 1100000000),
        Word(1136, 300), Word(1148, 8192), Word(1216, 1), Word(1228, 0x1bb8000), Text(1232, "10.0.0.0"),
        Text(1248, "client-net"), Text(1376, "cl"), Text(1392, "10.0.1.0"), Text(1408, "server-net"),
        Text(1536, "sv"), Words(1556, 404, 5, 4), Word(1576, 9), Word(1644, 2), Word(1656, 0x1bb8001),
        Text(1660, "10.0.0.1"), Text(1676, "client-net"), Text(1804, "cl"), Text(1820, "10.0.1.1"),
        Text(1836, "server-net"), Text(1964, "sv"), Words(1984, 405, 5, 4), Word(2004, 6),
    }},
    {"reply-13-wait-detail", 13, 1800, {
        Word(0, 1800), Word(4, 22), Word(8, 2), Text(20, "checkout"), Text(84, "/cart/pay"),
        Word(1132, -32477), Text(1136, "10.1.2.3"), Text(1152, "client-net"), Text(1280, "cli"),
        Text(1296, "10.9.9.9"), Text(1312, "server-net"), Text(1440, "srv"), Words(1460, 100, 13),
        Words(1512, 200, 36), Word(1660, 300), Word(1664, 0x42708bf9), Word(1668, 0x42707d6c),
        Word(1672, 900), Word(1676, 2571), Word(1680, -7), Word(1684, 261), Words(1688, 1000, 7),
        Text(1716, "192.168.1.1"), Word(1732, 0xa000001), Word(1736, 0xfff08000), Word(1740, 8193),
        Words(1744, 2000, 7), Text(1772, "192.168.1.2"), Word(1788, 0xa000002), Word(1792, 0xffef8001),
        Word(1796, 4),
    }},
    {"reply-14-summary", 14, 1648, {
        Word(0, 1648), Word(4, 5), Word(8, 2), Word(1120, 11), Word(1136, 12), Word(1140, 13),
        Words(1148, 14, 4), Word(1164, 0x508000), Text(1168, "10.0.0.1"), Text(1184, "src"),
        Text(1328, "10.0.0.2"), Text(1344, "dst"), Word(1488, 18), Word(1492, 1114671600),
        Word(1496, 1114675200), Word(1500, 19), Word(1508, 64), Word(1516, 1114671600),
        Word(1520, 1114671900), Words(1524, 3, 14), Word(1580, 100), Word(1584, 1114671900),
        Word(1588, 1114672200), Words(1592, 103, 14),
    }},
    {"reply-15-event-alerts", 15, 896, {
        Word(0, 896), Word(4, 26), Word(8, 2), Word(20, 0x42709a86), Word(24, 7), Word(28, 8),
        Text(32, "orders"), Word(96, 3), Word(104, 9), Word(108, 0x1bb8001), Text(128, "src"),
        Text(256, "sa"), Text(288, "dst"), Text(416, "da"), Word(436, 1), Word(440, 2),
        Word(444, 0x42708bf9), Words(448, 4, 4), Text(464, "orders"), Word(528, 4), Word(536, 9),
        Word(540, 0x1bb8001), Text(560, "src"), Text(688, "sa"), Text(720, "dst"), Text(848, "da"),
        Words(864, 50, 3), Word(876, 0x42708bfa), Words(880, 54, 4),
    }},
    {"reply-16-path-ports", 16, 440, {
        Word(0, 440), Word(4, 25), Word(8, 2), Text(20, "pay"), Word(84, 7), Word(88, 1),
        Text(92, "10.1.1.1"), Text(108, "srcHost"), Text(236, "sA"), Word(252, 1), Text(256, "10.2.2.2"),
        Text(272, "dstHost"), Text(400, "dA"), Word(416, 0x42708bf9), Word(420, 196608), Word(424, 443),
        Word(428, 1), Word(432, 32896), Word(436, 2),
    }},
    {"reply-17-thresholds", 17, 560, {
        Word(0, 560), Word(4, 27), Text(20, "orders"), Word(92, 4), Word(104, 0x508000), Text(124, "src"),
        Text(252, "sa"), Text(284, "dst"), Text(412, "da"), Words(428, 1000, 31), Word(556, 64),
    }},
    {"reply-18-path-time", 18, 2028, {
        Word(0, 2028), Word(8, 2), Words(1112, 1112, 4, 4), Word(1128, 250), Word(1132, 1100000300),
        Word(1136, 1100000000), Word(1140, 300), Word(1152, 8192), Word(1220, 1), Word(1232, 0x1bb8000),
        Text(1236, "10.0.0.0"), Text(1252, "client-net"), Text(1380, "cl"), Text(1396, "10.0.1.0"),
        Text(1412, "server-net"), Text(1540, "sv"), Words(1560, 404, 8, 4), Word(1656, 2),
        Word(1668, 0x1bb8001), Text(1672, "10.0.0.1"), Text(1688, "client-net"), Text(1816, "cl"),
        Text(1832, "10.0.1.1"), Text(1848, "server-net"), Text(1976, "sv"), Words(1996, 405, 8, 4),
    }},
    {"reply-19-path-time-detail", 19, 1680, {
        Word(0, 1680), Word(4, 30), Word(8, 2), Text(20, "checkout"), Text(84, "/cart/pay"),
        Word(1132, -32477), Text(1136, "10.1.2.3"), Text(1152, "client-net"), Text(1280, "cli"),
        Text(1296, "10.9.9.9"), Text(1312, "server-net"), Text(1440, "srv"), Words(1460, 100, 13),
        Words(1512, 200, 6), Word(1540, 300), Word(1544, 0x42708bf9), Word(1548, 0x42707d6c),
        Word(1552, 900), Word(1556, 2571), Word(1560, -7), Word(1564, 261), Words(1568, 1000, 7),
        Text(1596, "192.168.1.1"), Word(1612, 0xa000001), Word(1616, 0xfff08000), Word(1620, 8193),
        Words(1624, 2000, 7), Text(1652, "192.168.1.2"), Word(1668, 0xa000002), Word(1672, 0xffef8001),
        Word(1676, 4),
    }},
    {"reply-20-transaction-servers", 20, 396, {
        Word(0, 396), Word(8, 2), Text(20, "checkout"), Word(92, 3), Text(112, "web-01"), Word(240, 8192),
        Word(244, 4), Text(264, "app-01"),
    }},
    {"reply-21-server-load", 21, 1104, {
        Word(0, 1104), Word(8, 2), Text(20, "orders"), Word(84, 3), Word(88, 40), Word(92, 1100000000),
        Word(96, 1100003600), Word(100, 3600), Word(104, 1099913600), Text(112, "orders"),
        Text(176, "billing"), Word(240, 1), Word(244, 0x508000), Text(248, "10.0.0.1"),
        Text(264, "client-net"), Text(392, "cl"), Text(408, "10.0.1.1"), Text(424, "server-net"),
        Text(552, "sv"), Words(568, 456, 10, 4), Text(608, "orders"), Text(672, "billing"), Word(736, 2),
        Word(740, 0x508000), Text(744, "10.0.0.1"), Text(760, "client-net"), Text(888, "cl"),
        Text(904, "10.0.1.1"), Text(920, "server-net"), Text(1048, "sv"), Words(1064, 457, 10, 4),
    }},
    {"reply-22-reportability", 22, 192, {
        Word(0, 192), Word(4, 33), Word(8, 2), Word(20, 0x42708c76), Word(24, 0x42708bf9), Word(32, 3),
        Word(36, 2), Text(40, "tran0"), Word(104, 90061), Word(112, 3), Word(116, 2), Text(120, "tran1"),
        Word(184, -1),
    }},
    {"reply-23-reportability-detail", 23, 400, {
        Word(0, 400), Word(4, 34), Word(8, 2), Text(20, "checkout"), Word(84, 0x42708c76),
        Word(88, 0x42708bf9), Text(96, "10.0.0.1"), Text(112, "srv0"), Word(240, 3725),
        Text(248, "10.0.0.2"), Text(264, "srv1"), Word(392, -1),
    }},
    {"reply-24-sub-transactions", 24, 2512, {
        Word(0, 2512), Word(4, 35), Word(8, 2), Word(12, 40), Word(16, 7), Text(20, "shop"),
        Word(440, 0x42708bf9), Text(448, "/cart/item?id=0"), Word(1472, 15), Text(1480, "/cart/item?id=1"),
        Word(2504, 15),
    }},
    {"reply-25-transaction-info", 25, 112, {
        Word(0, 112), Text(20, "checkout"), Word(104, 1700000000), Word(108, 0x2400000),
    }},
    {"reply-26-url-alerts", 26, 3028, {
        Word(0, 3028), Word(4, 37), Words(8, 2, 3), Word(20, 0x42709a86), Word(24, 0x42708bf9),
        Word(28, 5), Word(32, 6), Text(36, "orders0"), Text(100, "/cart/0"), Word(1128, 10),
        Word(1140, 0x80000050), Text(1144, "10.0.0.1"), Text(1160, "src"), Text(1288, "sa"),
        Text(1304, "10.0.0.2"), Text(1320, "dst"), Text(1448, "da"), Words(1468, 1, 6),
        Word(1492, 0x42708bf9), Words(1496, 8, 9), Text(1532, "orders1"), Text(1596, "/cart/1"),
        Word(2624, 11), Word(2636, 0x80010050), Text(2640, "10.0.0.1"), Text(2656, "src"),
        Text(2784, "sa"), Text(2800, "10.0.0.2"), Text(2816, "dst"), Text(2944, "da"), Words(2960, 100, 7),
        Word(2988, 0x42708bbd), Words(2992, 108, 9),
    }},
    {"reply-27-url-rules", 27, 2172, {
        Word(0, 2172), Word(4, 38), Word(8, 2), Text(20, "portal"), Word(84, 0x42708bf9), Word(88, 21),
        Text(92, "/rule/0"), Word(1116, 7), Word(1120, 1), Word(1128, 260), Text(1132, "/rule/1"),
        Word(2156, 7), Word(2160, 2), Word(2164, 100), Word(2168, 520),
    }},
    {"reply-28-add-rule", 28, 1132, {
        Word(0, 1132), Word(4, 39), Word(28, 3), Text(40, "portal"), Text(104, "/login"), Word(1128, 260),
    }},
    {"reply-29-remove-rule", 29, 1132, {
        Word(0, 1132), Word(4, 40), Word(28, 3), Text(40, "portal"), Text(104, "/login"), Word(1128, 260),
    }},
    {"reply-30-get-rule", 30, 1132, {
        Word(0, 1132), Word(4, 41), Word(28, 3), Text(40, "portal"), Text(104, "/login"), Word(1128, 260),
    }},
    {"reply-31-edit-rule", 31, 1132, {
        Word(0, 1132), Word(4, 42), Word(28, 3), Text(40, "portal"), Text(104, "/login"), Word(1128, 260),
    }},
    {"reply-32-list-precedence", 32, 1132, {
        Word(0, 1132), Word(4, 43), Word(28, 3), Text(40, "portal"), Text(104, "/login"), Word(1128, 260),
    }},
};
// clang-format on

// The request seed: buildVYTRequest's arguments, in the fuzz target's order.
struct RequestSeed {
    const char* name;
    std::uint8_t selector;  // 0x80 and the fuzz target's option bits (0x04: the last argument true)
    std::uint8_t type;
    std::int32_t view, continueIdx, scrollAmount, pathId, ipAddr;
    std::u16string_view tranName, subTranName;
};

const RequestSeed kRequest{"request-28-add-rule", 0x84, 28, 0x2000104, 3, 10, 1, 2, u"checkout", u"/static/"};

void PutWord(std::vector<unsigned char>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

// The file of a reply: its report type, then the reply.  Empty when a value
// does not fit the reply's length.
std::vector<unsigned char> ReplyFile(const Reply& r) {
    std::vector<unsigned char> out(1 + r.length, 0);
    out[0] = static_cast<unsigned char>(r.type);
    for (const Put& p : r.puts) {
        const std::size_t width = p.text != nullptr ? std::strlen(p.text) + 1 : 4 * p.count;
        if (p.offset + width > r.length) return {};
        if (p.text != nullptr) std::memcpy(&out[1 + p.offset], p.text, width);
        for (std::size_t i = 0; i < p.count; ++i)
            PutWord(out, 1 + p.offset + 4 * i, p.first + static_cast<std::uint32_t>(p.step) * static_cast<std::uint32_t>(i));
    }
    return out;
}

std::vector<unsigned char> RequestFile(const RequestSeed& q) {
    std::vector<unsigned char> out{q.selector, q.type};
    for (std::int32_t v : {q.view, q.continueIdx, q.scrollAmount, q.pathId, q.ipAddr}) {
        out.resize(out.size() + 4);
        PutWord(out, out.size() - 4, static_cast<std::uint32_t>(v));
    }
    auto units = [&out](std::u16string_view s) {
        for (char16_t c : s) {
            out.push_back(static_cast<unsigned char>(c & 0xFF));
            out.push_back(static_cast<unsigned char>(c >> 8));
        }
    };
    units(q.tranName);
    out.push_back(0xFF);
    units(q.subTranName);
    return out;
}

bool Write(const std::filesystem::path& file, const std::vector<unsigned char>& bytes) {
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: vyt_seed_replies OUTPUT_DIR\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (const Reply& r : kReplies) {
        const std::vector<unsigned char> bytes = ReplyFile(r);
        if (bytes.empty()) {
            std::cerr << "vyt_seed_replies: a value of " << r.name << " lies beyond its " << r.length
                      << " bytes; lengthen the reply or move the value\n";
            return 1;
        }
        if (!Write(dir / (std::string(r.name) + ".bin"), bytes)) {
            std::cerr << "vyt_seed_replies: cannot write " << (dir / r.name).string() << ".bin\n";
            return 1;
        }
    }
    if (!Write(dir / (std::string(kRequest.name) + ".bin"), RequestFile(kRequest))) {
        std::cerr << "vyt_seed_replies: cannot write " << (dir / kRequest.name).string() << ".bin\n";
        return 1;
    }
    return 0;
}
