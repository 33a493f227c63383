// Read-only, bounds-checked access to a collector reply.
//
// Every integer on the wire is little-endian; every text is a fixed-width
// 8-bit field that normally ends with a NUL inside its width.  Nothing here
// ever reads outside the bytes it was given: the one bounds idiom used
// throughout is `off <= size && len <= size - off`, which cannot overflow.
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

namespace detail {
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
}  // namespace detail

// A view of a byte region: the whole reply, or one record inside it.
class Bytes {
public:
    constexpr Bytes() noexcept = default;
    constexpr Bytes(const unsigned char* p, std::size_t n) noexcept : p_(p), n_(n) {}

    const unsigned char* data() const noexcept { return p_; }
    std::size_t size() const noexcept { return n_; }
    bool has(std::size_t off, std::size_t len) const noexcept { return fits(off, len, n_); }

    // The sub-region [off, off + len); empty when it does not fit.
    Bytes sub(std::size_t off, std::size_t len) const noexcept {
        return has(off, len) ? Bytes(p_ + off, len) : Bytes();
    }

    // Unchecked-looking readers that are still safe: outside the view they give 0 / "".
    std::int32_t i32(std::size_t off) const noexcept {
        return has(off, 4) ? static_cast<std::int32_t>(loadLE32(p_ + off)) : 0;
    }
    std::uint16_t u16(std::size_t off) const noexcept { return has(off, 2) ? loadLE16(p_ + off) : 0; }
    template <std::size_t W>
    FixedText<W> text(std::size_t off) const noexcept {
        return off < n_ ? FixedText<W>(p_ + off, n_ - off) : FixedText<W>();
    }

private:
    const unsigned char* p_ = nullptr;
    std::size_t n_ = 0;
};

// A record of layout T (a packed struct that documents the wire layout) inside
// a reply.  Construct it only through Bytes::has-checked paths (see `record`).
template <class T>
class Record {
public:
    using layout = T;
    static constexpr std::size_t size = sizeof(T);
    Record() noexcept = default;
    explicit Record(Bytes b) noexcept : b_(b) {}
    Bytes bytes() const noexcept { return b_; }

    template <class F>
    typename detail::FieldKind<F>::value read(std::size_t off) const noexcept {
        static_assert(sizeof(F) <= sizeof(T));
        const std::size_t avail = b_.size() > off ? b_.size() - off : 0;
        if (avail < (std::is_array_v<F> ? 1 : sizeof(F))) return {};
        return detail::FieldKind<F>::read(b_.data() + off, avail);
    }

private:
    Bytes b_;
};

// The record of layout T at `off`.  When the bytes are too short for it the
// record is absent and every field reads as 0 or "".
template <class T>
Record<T> at(Bytes all, std::size_t off) noexcept {
    return Record<T>(all.sub(off, sizeof(T)));
}

}  // namespace vyt

// FIELD(rec, member): the named field of a Record, read with memcpy and
// little-endian conversion.  int32 and uint16 fields give numbers, char[N]
// fields give a FixedText<N>.  Nested members (a.b) are allowed.
#define FIELD(rec, member)                                                                        \
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
