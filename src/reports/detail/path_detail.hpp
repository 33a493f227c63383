// What the five path detail decoders share: reading the parts of the reply
// that every report kind carries, the path position and usePort rules, and
// the interval texts.  Each decoder adds only its metric words, its trace
// lines and its argument orders.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <tuple>
#include <type_traits>
#include <utility>

#include "vyt/bytes.hpp"
#include "vyt/catalog.hpp"
#include "vyt/emit.hpp"
#include "vyt/layout/detail.hpp"
#include "vyt/timetext.hpp"

namespace vyt::detail {

// ---- words ------------------------------------------------------------------------

template <std::size_t N>
using Words = std::array<std::int32_t, N>;

// N consecutive int32 words of `b` from `off` on.
template <std::size_t N>
Words<N> ReadWords(Bytes b, std::size_t off) {
    b.need(off, 4 * N);
    Words<N> w;
    for (std::size_t i = 0; i < N; ++i) w[i] = static_cast<std::int32_t>(loadLE32(b.data() + off + 4 * i));
    return w;
}

// Words [From, From + N) of `w`.
template <std::size_t From, std::size_t N, std::size_t M>
Words<N> Slice(const Words<M>& w) noexcept {
    static_assert(From + N <= M, "slice outside the words");
    Words<N> s{};
    for (std::size_t i = 0; i < N; ++i) s[i] = w[From + i];
    return s;
}

// The index of the word at byte offset `off` of a metric layout.
constexpr std::size_t WordAt(std::size_t off) { return off / 4; }

namespace spread {
template <class T> struct IsWords : std::false_type {};
template <std::size_t N> struct IsWords<Words<N>> : std::true_type {};

template <class T>
auto AsTuple(const T& v) {
    if constexpr (IsWords<T>::value) return v;  // an array is tuple-like
    else return std::tuple<T>(v);
}
}  // namespace spread

// Calls f with all `parts` as one argument list, each Words<N> part spread
// into its N words in order.  Used to pass whole blocks to callbacks and to
// trace lines in offset order.
template <class F, class... P>
void Spread(F&& f, const P&... parts) {
    std::apply(std::forward<F>(f), std::tuple_cat(spread::AsTuple(parts)...));
}

// ---- derived values ----------------------------------------------------------------

// The path position from the reply's flags word: the lowest of the client,
// middle and end bits wins, else client-and-end (8).  `known` is false when
// none of the four position bits is set (8 is still used).
struct PathPosition {
    std::int32_t type;
    bool known;
};

constexpr PathPosition PathPositionOf(std::int32_t flags) noexcept {
    using namespace layout;
    if (flags & kFlagClientPath) return {1, true};
    if (flags & kFlagMiddlePath) return {2, true};
    if (flags & kFlagEndPath) return {4, true};
    return {8, (flags & kFlagClientAndEndPath) != 0};
}

// 0 when the entry sums several client ports, else 1.
constexpr std::int32_t UsePort(std::int32_t entryFlags) noexcept {
    return (entryFlags & layout::kFlagClientSum) ? 0 : 1;
}

// ---- the reply -----------------------------------------------------------------------

// Everything a path detail reply carries outside its metric block and its
// names (read by the response-time detail decoder alone).
struct Common {
    std::int32_t reportLen;
    std::int32_t reportEntryCt;
    std::uint16_t srcPort;
    std::uint16_t dstPort;
    TextField<16> srcAddress;
    TextField<128> srcNetName;
    TextField<16> srcAlias;
    TextField<128> dstNetName;
    TextField<16> dstAlias;
    Words<13> dist;  // the distribution block in offset order
    std::int32_t tranTotalCtSum;
    std::int32_t now;    // sumIntervalUTCNow
    std::int32_t start;  // sumIntervalUTCStart
    std::int32_t secs;   // sumIntervalSecs
    std::int32_t aux;    // sumIntervalAux
    std::int32_t returnCode;
    std::int32_t flags;
};

template <class Metrics>
Common ReadCommon(Bytes reply) {
    using R = layout::PathDetailReply<Metrics>;
    const auto h = at<R>(reply, 0);
    Common c;
    c.reportLen = VYT_FIELD(h, reportLen);
    c.reportEntryCt = VYT_FIELD(h, reportEntryCt);
    c.srcPort = VYT_FIELD(h, path.pathIPSrcPort);
    c.dstPort = VYT_FIELD(h, path.pathIPDstPort);
    c.srcAddress = VYT_FIELD(h, path.pathIPSrcAddress);
    c.srcNetName = VYT_FIELD(h, path.pathIPSrcNetName);
    c.srcAlias = VYT_FIELD(h, path.pathIPSrcAlias);
    c.dstNetName = VYT_FIELD(h, path.pathIPDstNetName);
    c.dstAlias = VYT_FIELD(h, path.pathIPDstAlias);
    c.dist = ReadWords<13>(reply, offsetof(R, dist));
    c.tranTotalCtSum = VYT_FIELD(h, interval.tranTotalCtSum);
    c.now = VYT_FIELD(h, interval.sumIntervalUTCNow);
    c.start = VYT_FIELD(h, interval.sumIntervalUTCStart);
    c.secs = VYT_FIELD(h, interval.sumIntervalSecs);
    c.aux = VYT_FIELD(h, interval.sumIntervalAux);
    c.returnCode = VYT_FIELD(h, interval.reportReturnCode);
    c.flags = VYT_FIELD(h, interval.flags);
    return c;
}

// The metric block of the reply, in offset order.
template <class Metrics>
Words<layout::kWords<Metrics>> ReadMetrics(Bytes reply) {
    return ReadWords<layout::kWords<Metrics>>(reply, offsetof(layout::PathDetailReply<Metrics>, metrics));
}

// One entry: its metric words in offset order and the source it describes.
template <class EntryMetrics>
struct Entry {
    Words<layout::kWords<EntryMetrics>> w;
    TextField<16> srcAddress;
    std::int32_t srcIP;  // pathIPSrc
    std::uint16_t srcPort;
    std::uint16_t dstPort;
    std::int32_t flags;
    std::int32_t usePort;
};

template <class EntryMetrics>
Entry<EntryMetrics> ReadEntry(Bytes entry) {
    const auto r = at<layout::PathDetailEntry<EntryMetrics>>(entry, 0);
    Entry<EntryMetrics> e;
    e.w = ReadWords<layout::kWords<EntryMetrics>>(entry, 0);
    e.srcAddress = VYT_FIELD(r, tail.pathIPSrcAddress);
    e.srcIP = VYT_FIELD(r, tail.pathIPSrc);
    e.srcPort = VYT_FIELD(r, tail.pathIPSrcPort);
    e.dstPort = VYT_FIELD(r, tail.pathIPDstPort);
    e.flags = VYT_FIELD(r, tail.flags);
    e.usePort = UsePort(e.flags);
    return e;
}

// ---- parameter groups ----------------------------------------------------------------

// Parameter group G made of the N words `w` in order.
template <class G, std::size_t N>
G GroupOf(const Words<N>& w) {
    static_assert(G::kCount == N, "one word a parameter of the group");
    return [&]<std::size_t... I>(std::index_sequence<I...>) { return G{w[I]...}; }(std::make_index_sequence<N>{});
}

// Parameter group G made of the words of a metric block `w` from byte offset
// `Off` of the block on.
template <class G, std::size_t Off, std::size_t M>
G GroupAt(const Words<M>& w) {
    static_assert(Off % 4 == 0, "a group starts at a word");
    return GroupOf<G>(Slice<Off / 4, G::kCount>(w));
}

// What every path detail setData passes first.
inline cb::DetailHead Head(const Common& c, const IntervalTexts& t, const PathPosition& pos) {
    return {.currentTime = text(t.now),
            .startTime = text(t.start),
            .duration = text(t.duration),
            .pathIPSrcAddress = text(c.srcAddress),
            .pathIPDstNetName = text(c.dstNetName),
            .pathIPSrcAlias = text(c.srcAlias),
            .pathIPDstAlias = text(c.dstAlias),
            .pathIPDstPort = int{c.dstPort},
            .tranTotalCtSum = c.tranTotalCtSum,
            .type = pos.type};
}

// The source an entry describes, in the order of the response-time and path
// time detail reports.
template <class EntryMetrics>
cb::EntrySource Source(const Entry<EntryMetrics>& e) {
    return {.pathIPSrcAddress = text(e.srcAddress),
            .pathIPSrc = e.srcIP,
            .usePort = e.usePort,
            .pathIPSrcPort = int{e.srcPort},
            .pathIPDstPort = int{e.dstPort}};
}

// The same in the order of the network and server detail reports.
template <class EntryMetrics>
cb::TierEntrySource TierSource(const Entry<EntryMetrics>& e) {
    return {.pathIPSrcAddress = text(e.srcAddress),
            .usePort = e.usePort,
            .pathIPSrcPort = int{e.srcPort},
            .pathIPDstPort = int{e.dstPort},
            .pathIPSrc = e.srcIP};
}

}  // namespace vyt::detail
