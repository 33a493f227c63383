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
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

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

// A text field copied out of the reply: at most W bytes, cut at the first NUL,
// always NUL-terminated here.  Lives on the caller's stack.
template <std::size_t W>
class FixedText {
public:
    static constexpr std::size_t width = W;
    FixedText() noexcept { buf_[0] = '\0'; }
    FixedText(const unsigned char* p, std::size_t avail) noexcept {
        std::size_t lim = avail < W ? avail : W;
        const void* nul = std::memchr(p, 0, lim);
        n_ = nul ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - p) : lim;
        std::memcpy(buf_, p, n_);
        buf_[n_] = '\0';
    }
    const char* c_str() const noexcept { return buf_; }
    std::size_t size() const noexcept { return n_; }
    bool empty() const noexcept { return n_ == 0; }

private:
    std::size_t n_ = 0;
    char buf_[W + 1];
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
    using value = FixedText<N>;
    static value read(const unsigned char* p, std::size_t avail) noexcept { return value(p, avail); }
};
}  // namespace fieldkind

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
    FixedText<W> text(std::size_t off) const {
        need(off, W);
        return FixedText<W>(p_ + off, W);
    }
    void need(std::size_t off, std::size_t len) const {
        if (!has(off, len)) ReadFault(origin_ + off, len, n_);
    }

private:
    constexpr Bytes(const unsigned char* p, std::size_t n, std::size_t origin) noexcept
        : p_(p), n_(n), origin_(origin) {}
    const unsigned char* p_ = nullptr;
    std::size_t n_ = 0;
    std::size_t origin_ = 0;
};

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

    template <class F>
    typename fieldkind::FieldKind<F>::value read(std::size_t off) const {
        static_assert(sizeof(F) <= sizeof(T));
        b_.need(off, sizeof(F));
        return fieldkind::FieldKind<F>::read(b_.data() + off, sizeof(F));
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
// fields give a FixedText<N>.  Nested members (a.b) are allowed.
#define VYT_FIELD(rec, member)                                                                        \
    ((rec).template read<std::remove_cvref_t<decltype(std::declval<typename std::remove_cvref_t< \
        decltype(rec)>::layout&>().member)>>(                                                    \
        offsetof(typename std::remove_cvref_t<decltype(rec)>::layout, member)))

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
