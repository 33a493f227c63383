#include "typed_sink.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "vyt/decoder.hpp"
#include "vyt/trace.hpp"
#include "vyt/utf8.hpp"

namespace vyt {

namespace {

constexpr std::uint32_t kFnvBasis = 2166136261u;
constexpr std::uint32_t kFnvPrime = 16777619u;

// Reply texts are short; FNV-1a over their bytes, and whether they are ASCII.
std::uint32_t Hash(const char* p, std::size_t n, bool* ascii) noexcept {
    std::uint32_t h = kFnvBasis;
    unsigned char any = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(p[i]);
        any |= c;
        h = (h ^ c) * kFnvPrime;
    }
    *ascii = any < 0x80;
    return h;
}

constexpr std::size_t kFirstTable = 64;  // a power of two

// The number after `key` in `line`, or -1.
std::int64_t NumberAfter(const std::string& line, const char* key) {
    const std::size_t at = line.find(key);
    if (at == std::string::npos) return -1;
    const char* p = line.c_str() + at + std::strlen(key);
    char* end = nullptr;
    const long long v = std::strtoll(p, &end, 10);
    return end == p ? -1 : v;
}

}  // namespace

void TypedBuffers::reset() {
    ints.clear();
    bytes.clear();
    texts.clear();
    if (index.size() != kFirstTable) index.assign(kFirstTable, -1);
    else std::fill(index.begin(), index.end(), -1);
}

bool TypedSink::tracing() const { return trace::enabled(); }
void TypedSink::traceLine(const char* text) { trace::msg(text); }
void TypedSink::errorLine(const char* text) {
    if (error_.empty()) {
        error_ = text;
        while (!error_.empty() && (error_.back() == '\n' || error_.front() == '\n')) {
            if (error_.back() == '\n') error_.pop_back();
            else error_.erase(0, 1);
        }
    }
    trace::error(text);
}

bool TypedSink::lookup(int slot, const char* name, const char* /*signature*/) {
    methods_[slot] = std::strcmp(name, "setData") == 0 ? kTypedSetData : kTypedAddEntry;
    return true;
}

bool TypedSink::share(int slot, TextArg text) {
    shared_[slot] = intern(text);
    return true;
}

bool TypedSink::call(int slot, const CallArgs& a) {
    if (a.n > static_cast<std::size_t>(Out::kMaxArgs)) return false;
    bool isText[Out::kMaxArgs] = {};
    std::int32_t textNo[Out::kMaxArgs];
    for (std::size_t k = 0; k < a.nTexts; ++k) {
        const TextArg& t = a.texts[k];
        const std::size_t at = a.textAt[k];
        isText[at] = true;
        textNo[at] = t.shared >= 0 ? shared_[t.shared] : intern(t);
    }
    std::vector<std::int32_t>& out = b_.ints;
    out.push_back(methods_[slot]);
    for (std::size_t i = 0; i < a.n; ++i) out.push_back(isText[i] ? textNo[i] : a.slots[i].i);
    return true;
}

std::int32_t TypedSink::intern(const TextArg& t) {
    bool ascii = false;
    const std::uint32_t h = Hash(t.p, t.n, &ascii);
    std::size_t mask = b_.index.size() - 1;
    for (std::size_t at = h & mask;; at = (at + 1) & mask) {
        const std::int32_t no = b_.index[at];
        if (no < 0) {
            const auto n = static_cast<std::int32_t>(b_.texts.size());
            b_.index[at] = n;
            b_.texts.push_back({static_cast<std::uint32_t>(b_.bytes.size()), t.n, h, ascii});
            b_.bytes.insert(b_.bytes.end(), t.p, t.p + t.n);
            b_.bytes.push_back('\0');
            if (b_.texts.size() * 2 > b_.index.size()) grow();
            return n;
        }
        const TypedBuffers::Text& s = b_.texts[static_cast<std::size_t>(no)];
        if (s.hash == h && s.len == t.n && std::memcmp(b_.bytes.data() + s.at, t.p, t.n) == 0) return no;
    }
}

void TypedSink::grow() {
    std::vector<std::int32_t>& index = b_.index;
    index.assign(index.size() * 2, -1);
    const std::size_t mask = index.size() - 1;
    for (std::size_t no = 0; no < b_.texts.size(); ++no) {
        std::size_t at = b_.texts[no].hash & mask;
        while (index[at] >= 0) at = (at + 1) & mask;
        index[at] = static_cast<std::int32_t>(no);
    }
}

TypedFault ClassifyFault(const std::string& line, std::size_t replySize) {
    if (line.find("outside a checked record") != std::string::npos)
        return {TypedFailure::OutsideRecord, NumberAfter(line, "at offset ")};
    if (line.find("-byte header") != std::string::npos)
        return {TypedFailure::Truncated, static_cast<std::int64_t>(replySize)};
    if (line.find(" entries") != std::string::npos && line.find(" holds ") != std::string::npos)
        return {TypedFailure::Truncated, NumberAfter(line, "at offset ")};
    if (line.find("invalid") != std::string::npos && line.find("rep_type") != std::string::npos)
        return {TypedFailure::InvalidKind, -1};
    return {TypedFailure::Other, -1};
}

}  // namespace vyt

namespace vyt {

TypedResult DecodeTyped(Bytes reply, int reportType, TypedBuffers& b) {
    b.reset();
    b.ints.push_back(0);  // room for the failure and the offset, filled by the adapter
    b.ints.push_back(0);
    TypedSink sink(b);
    TypedResult r;
    tracef(sink, "\ndecodeTyped Entry: rep_type<%d> buflen<%zu>\n", reportType, reply.size());
    auto fail = [&](TypedFailure why, std::int64_t offset, std::string message) {
        r.failure = why;
        r.offset = offset;
        r.message = std::move(message);
        errorf(sink, "decodeTyped: %s\n", r.message.c_str());
        return r;
    };
    if (reply.size() < sizeof(std::int32_t))
        return fail(TypedFailure::Truncated, 0,
                    "reply of " + std::to_string(reply.size()) + " bytes holds no length word");
    const std::int32_t len = reply.i32(0);
    if (len == 0) return fail(TypedFailure::Empty, 0, "the reply is empty (length word 0)");
    if (len < 0 || static_cast<std::size_t>(len) != reply.size())
        return fail(TypedFailure::LengthMismatch, 0,
                    "the length word says " + std::to_string(len) + " bytes but the reply holds " +
                        std::to_string(reply.size()));
    PrintDump(sink, reply.data(), 0, len);
    constexpr std::size_t kErrorReplyLen = 35, kStatusAt = 8;
    if (reply.size() == kErrorReplyLen) {
        const char* p = reinterpret_cast<const char*>(reply.data()) + kStatusAt;
        const void* nul = std::memchr(p, '\0', kErrorReplyLen - kStatusAt);
        const std::size_t n = nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - p)
                                             : kErrorReplyLen - kStatusAt;
        r.failure = TypedFailure::CollectorError;
        r.offset = static_cast<std::int64_t>(kStatusAt);
        r.message.assign(p, n);
        errorf(sink, "VYT Reported error\n");
        return r;
    }
    const Decoder* d = FindDecoder(reportType);
    if (d == nullptr) return fail(TypedFailure::InvalidKind, -1, "rep_type=" + std::to_string(reportType) + " invalid");
    const int status = RunDecoder(*d, reply, sink);
    if (status != 0) {
        const TypedFault f = ClassifyFault(sink.firstError(), reply.size());
        r.failure = f.reason;
        r.offset = f.offset;
        r.message = sink.firstError();
    }
    tracef(sink, "\ndecodeTyped Exit: status=%d\n", status);
    return r;
}

}  // namespace vyt
