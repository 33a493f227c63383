#include "typed_sink.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "text_hash.hpp"
#include "vyt/decoder.hpp"
#include "vyt/trace.hpp"
#include "vyt/utf8.hpp"

namespace vyt {

namespace {

constexpr std::size_t kFirstTable = 64;  // a power of two
constexpr std::size_t kGroup = 32;       // the texts numbered together

// The number after `key` in `line`, or -1.
std::int64_t NumberAfter(const char* line, const char* key) {
    const char* at = std::strstr(line, key);
    if (at == nullptr) return -1;
    const char* p = at + std::strlen(key);
    char* end = nullptr;
    const long long v = std::strtoll(p, &end, 10);
    return end == p ? -1 : v;
}

bool Has(const char* line, const char* part) { return std::strstr(line, part) != nullptr; }

}  // namespace

void CopyLine(char (&out)[kMessageMax], const char* text) {
    while (*text == '\n') ++text;
    std::size_t n = std::strlen(text);
    while (n > 0 && text[n - 1] == '\n') --n;
    if (n >= kMessageMax) n = kMessageMax - 1;
    std::memcpy(out, text, n);
    out[n] = '\0';
}

void TypedBuffers::reset(const unsigned char* reply, std::size_t size) {
    ints.failed = bytes.failed = texts.failed = index.failed = mapped.failed = pending.failed = false;
    ints.fill(kTypedFirstCall, 0);  // the words before the calls, filled by finish()
    bytes.clear();
    texts.clear();
    pending.clear();
    // The table starts at the size the thread's last decode ended with, but at most one slot
    // per 32 reply bytes (twice the texts of most replies), so that it seldom grows while
    // decoding a reply like the last one and a small reply does not empty a large table.
    std::size_t slots = kFirstTable;
    while (slots < lastSlots_ && slots < size / 32) slots *= 2;
    index.fill(slots, Slot{0, -1});
    entries = 0;
    reply_ = reinterpret_cast<const char*>(reply);
    replySize_ = reply != nullptr ? size : 0;
}

bool TypedSink::tracing() const { return trace::enabled(); }
void TypedSink::traceLine(const char* text) { trace::msg(text); }
void TypedSink::errorLine(const char* text) {
    if (error_[0] == '\0') CopyLine(error_, text);
    trace::error(text);
}

bool TypedSink::lookup(int slot, const char* name, const char* /*signature*/) {
    methods_[slot] = std::strcmp(name, "setData") == 0 ? kTypedSetData : kTypedAddEntry;
    return true;
}

bool TypedSink::share(int slot, TextArg text) {
    shared_[slot] = b_.intern(text.p, text.n);
    return true;
}

bool TypedSink::call(int slot, const CallArgs& a) {
    if (a.n > static_cast<std::size_t>(Out::kMaxArgs)) return false;
    std::int32_t* out = b_.ints.extend(1 + a.n);
    if (out == nullptr) return false;
    static_assert(Out::kMaxArgs <= 64);
    std::uint64_t isText = 0;
    for (std::size_t k = 0; k < a.nTexts; ++k) isText |= std::uint64_t{1} << a.textAt[k];
    out[0] = methods_[slot];
    for (std::size_t i = 0; i < a.n; ++i) out[1 + i] = (isText >> i & 1) != 0 ? 0 : a.slots[i].i;
    const std::size_t first = b_.ints.size() - a.n;  // the word of the first argument
    for (std::size_t k = 0; k < a.nTexts; ++k) {  // a text argument: its number in the table
        const TextArg& t = a.texts[k];
        if (t.shared >= 0) {
            b_.ints[first + a.textAt[k]] = shared_[t.shared];
        } else {
            b_.text(t, first + a.textAt[k]);
        }
    }
    if (methods_[slot] == kTypedAddEntry) ++b_.entries;
    return !b_.failed();
}

void TypedBuffers::text(const TextArg& t, std::size_t word) {
    const std::uintptr_t p = reinterpret_cast<std::uintptr_t>(t.p), from = reinterpret_cast<std::uintptr_t>(reply_);
    if (t.ascii && reply_ != nullptr && p >= from && p - from <= replySize_ && t.n <= replySize_ - (p - from)) {
        bool ascii = false;
        pending.push({static_cast<std::uint32_t>(p - from), t.n, HashText(t.p, t.n, &ascii),
                      static_cast<std::uint32_t>(word)});
        // Numbered in groups: the group's table slots are fetched together, while its texts are
        // still in the cache from the decoder's read.
        if (pending.size() == kGroup) number();
        return;
    }
    const std::int32_t no = intern(t.p, t.n);
    if (!failed()) ints[word] = no;
}

std::int32_t TypedBuffers::intern(const char* p, std::size_t n) {
    bool ascii = false;
    std::uint32_t h = HashText(p, n, &ascii);
    if (!ascii) {  // kept as the characters mapData makes of these bytes
        char* m = mapped.room(2 * n);
        if (m == nullptr) return 0;
        n = ToStandardUtf8(p, n, m);
        p = m;
        h = HashText(p, n, &ascii);
    }
    if (failed() || n > kTypedNotAscii - 1) return 0;
    return find(p, n, h, static_cast<std::uint32_t>(bytes.size()), true, ascii);
}

void TypedBuffers::number() {
    const std::size_t n = pending.size();
    if (n == 0 || failed()) return;
#if defined(__GNUC__) || defined(__clang__)
    for (std::size_t i = 0; i < n; ++i) __builtin_prefetch(index.data() + (pending[i].hash & (index.size() - 1)));
#endif
    for (std::size_t i = 0; i < n && !failed(); ++i) {
        const Pending& t = pending[i];
        const std::int32_t no = find(reply_ + t.at, t.len, t.hash, t.at, false, true);
        ints[t.word] = no;
    }
    pending.clear();
}

// The number of text p[0..n) with hash h; a text not yet in the table is added, as the text at
// `at` in the reply (`kept` false) or as a copy of p[0..n) at the end of `bytes` (`at` its offset).
std::int32_t TypedBuffers::find(const char* p, std::size_t n, std::uint32_t h, std::uint32_t at, bool kept,
                                bool ascii) {
    const std::size_t mask = index.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
        const Slot slot = index[i];
        const std::int32_t no = slot.no;
        if (no < 0) {
            const auto k = static_cast<std::int32_t>(texts.size());
            index[i] = Slot{h, k};
            texts.push({at, static_cast<std::uint32_t>(n), h, kept, ascii});
            if (kept) bytes.append(p, n);
            if (texts.size() * 2 > index.size()) grow();
            return k;
        }
        if (slot.hash != h) continue;
        const Text& s = texts[static_cast<std::size_t>(no)];
        if (s.len == n && std::memcmp(bytesOf(s), p, n) == 0) return no;
    }
}

void TypedBuffers::grow() {
    index.fill(index.size() * 2, Slot{0, -1});
    if (index.failed) return;
    lastSlots_ = index.size();
    const std::size_t mask = index.size() - 1;
    for (std::size_t no = 0; no < texts.size(); ++no) {
        const std::uint32_t h = texts[no].hash;
        std::size_t at = h & mask;
        while (index[at].no >= 0) at = (at + 1) & mask;
        index[at] = Slot{h, static_cast<std::int32_t>(no)};
    }
}

bool TypedBuffers::finish(TypedFailure failure, std::int64_t offset) {
    number();
    if (failed() || ints.size() < kTypedFirstCall) return false;
    if (bytes.size() > static_cast<std::size_t>(INT32_MAX) ||
        texts.size() > (static_cast<std::size_t>(INT32_MAX) - ints.size()) / 2)
        return false;
    const std::size_t callsEnd = ints.size();
    std::int32_t* out = ints.extend(2 * texts.size());
    if (out == nullptr) return false;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const Text& t = texts[i];
        out[2 * i] = static_cast<std::int32_t>(t.at);
        out[2 * i + 1] = static_cast<std::int32_t>(t.len | (t.kept ? kTypedKept : 0) | (t.ascii ? 0 : kTypedNotAscii));
    }
    ints[kTypedFailureWord] = static_cast<std::int32_t>(failure);
    ints[kTypedOffsetWord] = static_cast<std::int32_t>(offset);
    ints[kTypedCallsEndWord] = static_cast<std::int32_t>(callsEnd);
    ints[kTypedEntriesWord] = entries;
    return true;
}

TypedFault ClassifyFault(const char* line, std::size_t replySize) {
    if (Has(line, "outside a checked record")) return {TypedFailure::OutsideRecord, NumberAfter(line, "at offset ")};
    if (Has(line, "-byte header")) return {TypedFailure::Truncated, static_cast<std::int64_t>(replySize)};
    if (Has(line, " entries") && Has(line, " holds ")) return {TypedFailure::Truncated, NumberAfter(line, "at offset ")};
    return {TypedFailure::Other, -1};
}

}  // namespace vyt

namespace vyt {

namespace {

TypedResult DecodeReply(Bytes reply, int reportType, TypedBuffers& b) {
    b.reset(reply.data(), reply.size());
    TypedSink sink(b);
    TypedResult r;
    tracef(sink, "\ndecodeTyped Entry: rep_type<%d> buflen<%zu>\n", reportType, reply.size());
    auto fail = [&](TypedFailure why, std::int64_t offset) {
        r.failure = why;
        r.offset = offset;
        errorf(sink, "decodeTyped: %s\n", r.message);
        return r;
    };
    if (reply.size() < sizeof(std::int32_t)) {
        std::snprintf(r.message, sizeof r.message, "reply of %zu bytes holds no length word", reply.size());
        return fail(TypedFailure::Truncated, 0);
    }
    const std::int32_t len = reply.i32(0);
    if (len == 0) {
        std::snprintf(r.message, sizeof r.message, "the reply is empty (length word 0)");
        return fail(TypedFailure::Empty, 0);
    }
    if (len < 0 || static_cast<std::size_t>(len) != reply.size()) {
        std::snprintf(r.message, sizeof r.message, "the length word says %d bytes but the reply holds %zu", len,
                      reply.size());
        return fail(TypedFailure::LengthMismatch, 0);
    }
    PrintDump(sink, reply.data(), 0, len);
    constexpr std::size_t kErrorReplyLen = 35, kStatusAt = 8;
    if (reply.size() == kErrorReplyLen) {
        const char* p = reinterpret_cast<const char*>(reply.data()) + kStatusAt;
        const void* nul = std::memchr(p, '\0', kErrorReplyLen - kStatusAt);
        const std::size_t n = nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - p)
                                             : kErrorReplyLen - kStatusAt;
        r.failure = TypedFailure::CollectorError;
        r.offset = static_cast<std::int64_t>(kStatusAt);
        std::memcpy(r.message, p, n);
        r.message[n] = '\0';
        errorf(sink, "VYT Reported error\n");
        return r;
    }
    const Decoder* d = FindDecoder(reportType);
    if (d == nullptr) {
        std::snprintf(r.message, sizeof r.message, "rep_type=%d invalid", reportType);
        return fail(TypedFailure::InvalidKind, -1);
    }
    const int status = RunDecoder(*d, reply, sink);
    if (b.failed()) {
        std::snprintf(r.message, sizeof r.message, "out of memory while recording the %zu-byte reply", reply.size());
        return fail(TypedFailure::Other, -1);
    }
    if (status != 0) {
        const TypedFault f = ClassifyFault(sink.firstError(), reply.size());
        r.failure = f.reason;
        r.offset = f.offset;
        CopyLine(r.message, sink.firstError());
    }
    tracef(sink, "\ndecodeTyped Exit: status=%d\n", status);
    return r;
}

}  // namespace

TypedResult DecodeTyped(Bytes reply, int reportType, TypedBuffers& b) {
    TypedResult r = DecodeReply(reply, reportType, b);
    if (r.failure == TypedFailure::None && !b.finish(TypedFailure::None, -1)) {
        std::snprintf(r.message, sizeof r.message, "the texts of the %zu-byte reply do not fit one Java array",
                      reply.size());
        r.failure = TypedFailure::Other;
        r.offset = -1;
        TypedSink sink(b);
        errorf(sink, "decodeTyped: %s\n", r.message);
    }
    if (r.failure != TypedFailure::None) {  // no calls; the message is the one text
        b.reset();
        b.intern(r.message, std::strlen(r.message));
        if (!b.finish(r.failure, r.offset)) b.ints.failed = true;
    }
    return r;
}

}  // namespace vyt
