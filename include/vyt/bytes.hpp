// Read-only, bounds-checked access to a collector reply.
//
// Every integer on the wire is little-endian; every text is a fixed-width
// 8-bit field that normally ends with a NUL inside its width.  Nothing here
// ever reads outside the bytes it was given: the one bounds idiom used
// throughout is `off <= size && len <= size - off`, which cannot overflow.
//
// Decoders check a reply's length before they read a header or an entry.  A
// read outside such a checked region is a decoding fault (a wrong layout or
// header size), never a value: it asserts in debug and test builds, and
// otherwise throws DecodeFault, which stops the decode with an error line and
// status 1 (see RunDecoder).
//
// Every read is checked by CheckRead, and every check that fails is handed
// from there to the caller's report: a field of a Record (Record::read), any
// other read of a view (Bytes::need) and each entry of a list (ForEntries).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

#include "vyt/utf8.hpp"

namespace vyt {

// True when [off, off + len) lies inside a region of `size` bytes.
constexpr bool fits(std::size_t off, std::size_t len, std::size_t size) noexcept {
    return off <= size && len <= size - off;
}

inline std::uint32_t loadLE32(const unsigned char* p) noexcept {
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
    return v;
}

inline std::uint16_t loadLE16(const unsigned char* p) noexcept {
    std::uint16_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap16(v);
    return v;
}

inline void storeLE32(unsigned char* p, std::uint32_t v) noexcept {
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
    std::memcpy(p, &v, sizeof v);
}

inline std::uint64_t loadLE64(const unsigned char* p) noexcept {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
    return v;
}

// What one pass over a text field finds: the text's length (up to the first
// NUL, or the whole width when there is none), whether a NUL ends it inside
// the field, and whether its bytes are all below 0x80.
struct TextScan {
    std::size_t size;
    bool terminated;
    bool ascii;
};

#if defined(__GNUC__) || defined(__clang__)
#define VYT_ALWAYS_INLINE __attribute__((always_inline)) inline
#else
#define VYT_ALWAYS_INLINE inline
#endif

// Scans `width` bytes from `p` a word at a time, stopping at the first NUL.
VYT_ALWAYS_INLINE TextScan ScanText(const unsigned char* p, std::size_t width) noexcept {
    constexpr std::uint64_t kLow = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    std::uint64_t seen = 0;  // the bytes before the NUL, or'ed together
    std::size_t i = 0;
    for (; i + 8 <= width; i += 8) {
        const std::uint64_t w = loadLE64(p + i);
        // The lowest flagged byte is the first NUL (a borrow can only flag
        // bytes above a NUL).
        const std::uint64_t zero = (w - kLow) & ~w & kHigh;
        if (zero != 0) {
            const std::uint64_t first = zero & (0 - zero);
            seen |= w & ((first >> 7) - 1);
            return {i + static_cast<std::size_t>(std::countr_zero(zero)) / 8, true, AllAscii(seen)};
        }
        seen |= w;
    }
    for (; i < width; ++i) {
        if (p[i] == 0) return {i, true, AllAscii(seen)};
        seen |= static_cast<std::uint64_t>(p[i]) << 56;
    }
    return {width, false, AllAscii(seen)};
}

// The text of a field that has no NUL inside its width, NUL-terminated in a
// per-thread ring buffer of kTerminatedBytes.  A copy stays valid while at
// least 14 more copies of the widest field are made on the thread: enough for
// the texts of one trace line.
inline constexpr std::size_t kMaxTextWidth = 1100;
inline constexpr std::size_t kTerminatedBytes = 16 * 1024;
const char* TerminatedCopy(const char* p, std::size_t n) noexcept;

// A fixed-width text field of a reply, read in place: at most W bytes, cut at
// the first NUL.  Nothing is copied; the view points into the reply and is
// valid as long as the reply is.  When the field holds its NUL, data() is
// already NUL-terminated there.
template <std::size_t W>
class TextField {
public:
    static_assert(W <= kMaxTextWidth, "text field wider than the terminated copies");
    static constexpr std::size_t width = W;
    TextField() noexcept = default;
    TextField(const unsigned char* p, std::size_t avail) noexcept : p_(reinterpret_cast<const char*>(p)) {
        const TextScan s = ScanText(p, avail < W ? avail : W);
        n_ = static_cast<std::uint32_t>(s.size);
        terminated_ = s.terminated;
        ascii_ = s.ascii;
    }
    const char* data() const noexcept { return p_; }
    std::size_t size() const noexcept { return n_; }
    bool empty() const noexcept { return n_ == 0; }
    bool terminated() const noexcept { return terminated_; }
    bool ascii() const noexcept { return ascii_; }
    // The text NUL-terminated: in place, or a per-thread copy when the field
    // has no NUL (see TerminatedCopy).  For trace lines.
    const char* c_str() const noexcept { return terminated_ ? p_ : TerminatedCopy(p_, n_); }

private:
    const char* p_ = "";
    std::uint32_t n_ = 0;
    bool terminated_ = true;
    bool ascii_ = true;
};

// A read outside the region it was meant for.  `offset` counts from the start
// of the reply; `size` is the size of the region that was read.
struct DecodeFault {
    std::size_t offset;
    std::size_t length;
    std::size_t size;
};

// Reports a decoding fault: asserts in builds that check them (debug builds
// and builds with VYT_ASSERT_DECODE_FAULTS) unless an ExpectDecodeFaults is
// alive on this thread, then throws DecodeFault.
[[noreturn]] void ReadFault(std::size_t offset, std::size_t length, std::size_t size);

// While one lives, decoding faults on this thread are not asserted; tests use
// it to see what a release build does with one.
class ExpectDecodeFaults {
public:
    ExpectDecodeFaults() noexcept;
    ~ExpectDecodeFaults();
    ExpectDecodeFaults(const ExpectDecodeFaults&) = delete;
    ExpectDecodeFaults& operator=(const ExpectDecodeFaults&) = delete;
};

namespace fieldkind {
template <class T> struct FieldKind;
template <> struct FieldKind<std::int32_t> {
    using value = std::int32_t;
    static value read(const unsigned char* p, std::size_t) noexcept {
        return static_cast<std::int32_t>(loadLE32(p));
    }
};
template <> struct FieldKind<std::uint16_t> {
    using value = std::uint16_t;
    static value read(const unsigned char* p, std::size_t) noexcept { return loadLE16(p); }
};
template <std::size_t N> struct FieldKind<char[N]> {
    using value = TextField<N>;
    static value read(const unsigned char* p, std::size_t avail) noexcept { return value(p, avail); }
};
}  // namespace fieldkind

class Bytes;

// The one read check: true when [off, off + len) lies inside `region`;
// otherwise `failed()` reports it (and may not return) and the result is false.
template <class Failed>
VYT_ALWAYS_INLINE bool CheckRead(const Bytes& region, std::size_t off, std::size_t len, Failed&& failed);

// A view of a byte region: the whole reply, or one record inside it.  A view
// knows where it starts in the reply, so that a fault can name the offset.
class Bytes {
public:
    constexpr Bytes() noexcept = default;
    constexpr Bytes(const unsigned char* p, std::size_t n) noexcept : p_(p), n_(n) {}

    const unsigned char* data() const noexcept { return p_; }
    std::size_t size() const noexcept { return n_; }
    // Where the view starts, counted from the start of the reply.
    std::size_t origin() const noexcept { return origin_; }
    bool has(std::size_t off, std::size_t len) const noexcept { return fits(off, len, n_); }

    // The sub-region [off, off + len); an empty view there when it does not fit.
    Bytes sub(std::size_t off, std::size_t len) const noexcept {
        return has(off, len) ? Bytes(p_ + off, len, origin_ + off) : Bytes(nullptr, 0, origin_ + off);
    }

    // Readers of one field; a field that does not lie inside the view is a
    // decoding fault.
    std::int32_t i32(std::size_t off) const {
        need(off, 4);
        return static_cast<std::int32_t>(loadLE32(p_ + off));
    }
    std::uint16_t u16(std::size_t off) const {
        need(off, 2);
        return loadLE16(p_ + off);
    }
    template <std::size_t W>
    TextField<W> text(std::size_t off) const {
        need(off, W);
        return TextField<W>(p_ + off, W);
    }
    // A decoding fault unless [off, off + len) lies inside the view.
    void need(std::size_t off, std::size_t len) const {
        CheckRead(*this, off, len, [&] { ReadFault(origin_ + off, len, n_); });
    }

private:
    constexpr Bytes(const unsigned char* p, std::size_t n, std::size_t origin) noexcept
        : p_(p), n_(n), origin_(origin) {}
    const unsigned char* p_ = nullptr;
    std::size_t n_ = 0;
    std::size_t origin_ = 0;
};

template <class Failed>
VYT_ALWAYS_INLINE bool CheckRead(const Bytes& region, std::size_t off, std::size_t len, Failed&& failed) {
    if (region.has(off, len)) [[likely]]
        return true;
    failed();
    return false;
}

// A record of layout T (a packed struct that documents the wire layout) inside
// a reply.  Made by `at`, which gives an empty record when the bytes are too
// short for T; reading a field of an empty record is a decoding fault.
template <class T>
class Record {
public:
    using layout = T;
    static constexpr std::size_t size = sizeof(T);
    Record() noexcept = default;
    explicit Record(Bytes b) noexcept : b_(b) {}
    Bytes bytes() const noexcept { return b_; }

    // The field of type F at `Off`.  A record holds either all of T or
    // nothing, so one check that it holds T covers every field (the fault
    // names the field), and the compiler can drop the repeats of that check
    // for the fields read after the first.
    template <class F, std::size_t Off>
    typename fieldkind::FieldKind<F>::value read() const {
        static_assert(fits(Off, sizeof(F), sizeof(T)), "field outside its layout");
        CheckRead(b_, 0, sizeof(T), [&] { ReadFault(b_.origin() + Off, sizeof(F), b_.size()); });
        return fieldkind::FieldKind<F>::read(b_.data() + Off, sizeof(F));
    }

private:
    Bytes b_;
};

// The record of layout T at `off`; empty when the bytes are too short for it.
template <class T>
Record<T> at(Bytes all, std::size_t off) noexcept {
    return Record<T>(all.sub(off, sizeof(T)));
}

}  // namespace vyt

// VYT_FIELD(rec, member): the named field of a Record, read with memcpy and
// little-endian conversion.  int32 and uint16 fields give numbers, char[N]
// fields give a TextField<N>.  Nested members (a.b) are allowed.
#define VYT_FIELD(rec, member)                                                                        \
    ((rec).template read<std::remove_cvref_t<decltype(std::declval<typename std::remove_cvref_t< \
                             decltype(rec)>::layout&>().member)>,                                    \
                         offsetof(typename std::remove_cvref_t<decltype(rec)>::layout, member)>())

// VYT_FOR_EACH(M, c, a, b, ...): M(c, a) M(c, b) ... for up to 64 arguments.
#define VYT_PARENS ()
#define VYT_EXPAND(...) VYT_EXPAND3(VYT_EXPAND3(VYT_EXPAND3(VYT_EXPAND3(__VA_ARGS__))))
#define VYT_EXPAND3(...) VYT_EXPAND2(VYT_EXPAND2(VYT_EXPAND2(VYT_EXPAND2(__VA_ARGS__))))
#define VYT_EXPAND2(...) VYT_EXPAND1(VYT_EXPAND1(VYT_EXPAND1(VYT_EXPAND1(__VA_ARGS__))))
#define VYT_EXPAND1(...) __VA_ARGS__
#define VYT_FOR_EACH(M, c, ...) __VA_OPT__(VYT_EXPAND(VYT_FOR_EACH_STEP(M, c, __VA_ARGS__)))
#define VYT_FOR_EACH_STEP(M, c, a, ...) M(c, a) __VA_OPT__(VYT_FOR_EACH_AGAIN VYT_PARENS(M, c, __VA_ARGS__))
#define VYT_FOR_EACH_AGAIN() VYT_FOR_EACH_STEP
// VYT_FOR_LIST(M, c, a, b, ...): M(c, a), M(c, b), ... (comma-separated).
#define VYT_FOR_LIST(M, c, ...) __VA_OPT__(VYT_EXPAND(VYT_FOR_LIST_STEP(M, c, __VA_ARGS__)))
#define VYT_FOR_LIST_STEP(M, c, a, ...) M(c, a) __VA_OPT__(, VYT_FOR_LIST_AGAIN VYT_PARENS(M, c, __VA_ARGS__))
#define VYT_FOR_LIST_AGAIN() VYT_FOR_LIST_STEP

// VYT_FIELDS(rec, a, b, ...): a constant of each named field of a Record under
// the field's own name: const auto a = VYT_FIELD(rec, a); and so on.
#define VYT_FIELDS(rec, ...) VYT_FOR_EACH(VYT_FIELDS_ONE, rec, __VA_ARGS__) static_assert(true)
#define VYT_FIELDS_ONE(rec, member) const auto member = VYT_FIELD(rec, member);

// Layout declarations use packed structs purely as documentation that the
// compiler can check; they are never overlaid on reply bytes.
#if defined(_MSC_VER)
#define VYT_PACKED_BEGIN __pragma(pack(push, 1))
#define VYT_PACKED_END __pragma(pack(pop))
#else
#define VYT_PACKED_BEGIN _Pragma("pack(push, 1)")
#define VYT_PACKED_END _Pragma("pack(pop)")
#endif

// Compile-time check that a layout member sits at its documented offset.
#define VYT_AT(T, member, off) static_assert(offsetof(T, member) == (off), #T "::" #member " offset")
#define VYT_SIZE(T, n) static_assert(sizeof(T) == (n), #T " size")
