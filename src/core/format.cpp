// The formatter of trace and error lines.
#include "vyt/format.hpp"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vyt {

namespace {

// Copies n bytes; texts up to 32 bytes (most of a trace line's texts) with
// two overlapping fixed-size copies each, not a call into the C library.
inline void CopyShort(char* d, const char* s, std::size_t n) noexcept {
    if (n >= 16) {
        if (n > 32) {
            std::memcpy(d, s, n);
            return;
        }
        std::memcpy(d, s, 16);
        std::memcpy(d + n - 16, s + n - 16, 16);
    } else if (n >= 8) {
        std::memcpy(d, s, 8);
        std::memcpy(d + n - 8, s + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(d, s, 4);
        std::memcpy(d + n - 4, s + n - 4, 4);
    } else if (n > 0) {
        d[0] = s[0];
        d[n / 2] = s[n / 2];
        d[n - 1] = s[n - 1];
    }
}

// Where the text goes: `at` moves towards `end`, which keeps one byte for the
// NUL; whatever does not fit is dropped, as vsnprintf drops it.
struct Cursor {
    char* at;
    char* end;

    void put(const char* s, std::size_t n) noexcept {
        const std::size_t room = static_cast<std::size_t>(end - at);
        if (n > room) n = room;
        CopyShort(at, s, n);
        at += n;
    }
    void put(char c) noexcept {
        if (at != end) *at++ = c;
    }
    // Short pieces (digits, blanks) are copied sixteen bytes at a time where
    // there is room, which beats a call into the C library for a few bytes;
    // `s` must be readable for sixteen bytes.
    void putFromWide(const char* s, std::size_t n) noexcept {
        const std::size_t room = static_cast<std::size_t>(end - at);
        if (n <= 16 && room >= 16) {
            std::memcpy(at, s, 16);
            at += n;
        } else {
            put(s, n);
        }
    }
    void fill(char c, std::size_t n) noexcept {
        const std::size_t room = static_cast<std::size_t>(end - at);
        if (n <= 16 && room >= 16) {
            std::memset(at, c, 16);
        } else {
            if (n > room) n = room;
            std::memset(at, c, n);
        }
        at += n;
    }
};

// Copies the literal text from f up to the next '%' or `stop` (the format's
// NUL); returns where it stopped.  Sixteen bytes at a time (SSE2, on x86-64)
// and then eight at a time while both the format and the buffer have that
// many more.
const char* PutLiteral(Cursor& out, const char* f, const char* stop) noexcept {
#if defined(__SSE2__)
    const __m128i percent = _mm_set1_epi8('%');
    while (stop - f >= 16 && out.end - out.at >= 16) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(f));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out.at), w);
        const unsigned pct = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(w, percent)));
        if (pct != 0) {
            const int n = std::countr_zero(pct);
            out.at += n;
            return f + n;
        }
        out.at += 16;
        f += 16;
    }
#endif
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kOnes = 0x0101010101010101ULL, kHigh = 0x8080808080808080ULL;
        while (stop - f >= 8 && out.end - out.at >= 8) {
            std::uint64_t w;
            std::memcpy(&w, f, 8);
            std::memcpy(out.at, &w, 8);
            const std::uint64_t x = w ^ (kOnes * '%');
            const std::uint64_t pct = (x - kOnes) & ~x & kHigh;  // the lowest set bit marks the first '%'
            if (pct != 0) {
                const int n = std::countr_zero(pct) / 8;
                out.at += n;
                return f + n;
            }
            out.at += 8;
            f += 8;
        }
    }
    while (f != stop && *f != '%' && out.at != out.end) *out.at++ = *f++;
    return f;
}

struct Conversion {
    bool left = false, zero = false, plus = false, space = false;
    int width = 0;
    int precision = -1;  // none
};

constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes v's digits so that they end at `end`; returns where they begin.
char* Decimal(char* end, std::uint64_t v) noexcept {
    while (v >= 100) {
        const std::size_t pair = static_cast<std::size_t>(v % 100) * 2;
        v /= 100;
        *--end = kPairs[pair + 1];
        *--end = kPairs[pair];
    }
    if (v >= 10) {
        const std::size_t pair = static_cast<std::size_t>(v) * 2;
        *--end = kPairs[pair + 1];
        *--end = kPairs[pair];
    } else {
        *--end = static_cast<char>('0' + v);
    }
    return end;
}

// Writes v as "%d" does at p, which has room for 11 characters; returns the end.
char* PutInt(char* p, int v) noexcept {
    std::uint32_t u = static_cast<std::uint32_t>(v);
    if (v < 0) {
        *p++ = '-';
        u = 0 - u;
    }
    const int n = 1 + (u >= 10) + (u >= 100) + (u >= 1000) + (u >= 10000) + (u >= 100000) + (u >= 1000000) +
                  (u >= 10000000) + (u >= 100000000) + (u >= 1000000000);
    char* const end = p + n;
    Decimal(end, u);
    return end;
}

char* Hex(char* end, std::uint64_t v, const char* digits) noexcept {
    do {
        *--end = digits[v & 0xF];
        v >>= 4;
    } while (v != 0);
    return end;
}

// One integer conversion: sign, zeros, digits, blanks as the C standard lays them out.
void PutInteger(Cursor& out, const Conversion& s, char sign, const char* digits, std::size_t nDigits) {
    std::size_t zeros = 0;
    if (s.precision >= 0) {
        if (static_cast<std::size_t>(s.precision) > nDigits) zeros = static_cast<std::size_t>(s.precision) - nDigits;
    }
    std::size_t len = (sign != 0) + zeros + nDigits;
    const std::size_t width = static_cast<std::size_t>(s.width);
    if (s.zero && !s.left && s.precision < 0 && width > len) {
        zeros += width - len;
        len = width;
    }
    if (!s.left && width > len) out.fill(' ', width - len);
    if (sign != 0) out.put(sign);
    out.fill('0', zeros);
    out.putFromWide(digits, nDigits);
    if (s.left && width > len) out.fill(' ', width - len);
}

void PutText(Cursor& out, const Conversion& s, const char* text, std::size_t n) {
    const std::size_t width = static_cast<std::size_t>(s.width);
    if (!s.left && width > n) out.fill(' ', width - n);
    out.put(text, n);
    if (s.left && width > n) out.fill(' ', width - n);
}

enum class Length { None, Char, Short, Long, LongLong, Size, Max, Diff };

std::int64_t SignedArg(Length len, va_list& ap) {
    switch (len) {
        case Length::Char: return static_cast<signed char>(va_arg(ap, int));
        case Length::Short: return static_cast<short>(va_arg(ap, int));
        case Length::Long: return va_arg(ap, long);
        case Length::LongLong: return va_arg(ap, long long);
        case Length::Size: return va_arg(ap, std::make_signed_t<std::size_t>);
        case Length::Max: return va_arg(ap, std::intmax_t);
        case Length::Diff: return va_arg(ap, std::ptrdiff_t);
        case Length::None: break;
    }
    return va_arg(ap, int);
}

std::uint64_t UnsignedArg(Length len, va_list& ap) {
    switch (len) {
        case Length::Char: return static_cast<unsigned char>(va_arg(ap, unsigned));
        case Length::Short: return static_cast<unsigned short>(va_arg(ap, unsigned));
        case Length::Long: return va_arg(ap, unsigned long);
        case Length::LongLong: return va_arg(ap, unsigned long long);
        case Length::Size: return va_arg(ap, std::size_t);
        case Length::Max: return va_arg(ap, std::uintmax_t);
        case Length::Diff: return va_arg(ap, std::make_unsigned_t<std::ptrdiff_t>);
        case Length::None: break;
    }
    return va_arg(ap, unsigned);
}

// Widths and precisions beyond this go to vsnprintf (whose int arithmetic
// decides what happens near INT_MAX).
constexpr int kMaxField = 1 << 20;

// The length of `text` up to its NUL or `precision` (0 or more) bytes, which
// is all that may be read of it.
std::size_t TextLength(const char* text, int precision) noexcept {
    const void* nul = std::memchr(text, '\0', static_cast<std::size_t>(precision));
    return nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - text)
                          : static_cast<std::size_t>(precision);
}

// Reads a decimal field; false when it is larger than kMaxField.
bool Number(const char*& f, int& v) {
    v = 0;
    while (*f >= '0' && *f <= '9') {
        v = v * 10 + (*f++ - '0');
        if (v > kMaxField) return false;
    }
    return true;
}

// Writes the conversion that starts at f (just after its '%') and returns
// where the format goes on; null when the line needs vsnprintf.  Apart from
// the loop of FormatOwn so that the loop's cursor can stay in registers.
[[gnu::noinline]] const char* PutConversion(Cursor& out, const char* f, va_list& ap) {
    Conversion s;
    bool any = false;  // flags, width, precision or length seen
    for (;; ++f) {
        if (*f == '-')
            s.left = true;
        else if (*f == '0')
            s.zero = true;
        else if (*f == '+')
            s.plus = true;
        else if (*f == ' ')
            s.space = true;
        else
            break;
        any = true;
    }
    if (*f == '*') {
        ++f;
        const int w = va_arg(ap, int);
        if (w < -kMaxField || w > kMaxField) return nullptr;
        if (w < 0) s.left = true;
        s.width = w < 0 ? -w : w;
        any = true;
    } else if (*f >= '1' && *f <= '9') {
        if (!Number(f, s.width)) return nullptr;
        any = true;
    }
    if (*f == '.') {
        ++f;
        any = true;
        if (*f == '*') {
            ++f;
            const int p = va_arg(ap, int);
            if (p > kMaxField) return nullptr;
            s.precision = p < 0 ? -1 : p;
        } else if (!Number(f, s.precision)) {
            return nullptr;
        }
    }
    Length len = Length::None;
    switch (*f) {
        case 'h':
            ++f;
            len = *f == 'h' ? (++f, Length::Char) : Length::Short;
            break;
        case 'l':
            ++f;
            len = *f == 'l' ? (++f, Length::LongLong) : Length::Long;
            break;
        case 'z': ++f, len = Length::Size; break;
        case 'j': ++f, len = Length::Max; break;
        case 't': ++f, len = Length::Diff; break;
        default: break;
    }
    any = any || len != Length::None;
    char digits[40];                  // 16 readable bytes from any digit on
    char* const digitsEnd = digits + 24;  // 20 digits at most
    switch (*f++) {
        case 'd':
        case 'i': {
            const std::int64_t v = SignedArg(len, ap);
            const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
            const char sign = v < 0 ? '-' : s.plus ? '+' : s.space ? ' ' : '\0';
            const char* d = s.precision == 0 && v == 0 ? digitsEnd : Decimal(digitsEnd, magnitude);
            PutInteger(out, s, sign, d, static_cast<std::size_t>(digitsEnd - d));
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            const char conv = f[-1];
            const std::uint64_t v = UnsignedArg(len, ap);
            const char* d = s.precision == 0 && v == 0 ? digitsEnd
                            : conv == 'u'              ? Decimal(digitsEnd, v)
                            : Hex(digitsEnd, v, conv == 'x' ? "0123456789abcdef" : "0123456789ABCDEF");
            PutInteger(out, s, '\0', d, static_cast<std::size_t>(digitsEnd - d));
            break;
        }
        case 's': {
            if (len != Length::None || s.zero) return nullptr;  // wide text; '0' is the platform's
            const char* text = va_arg(ap, const char*);
            if (text == nullptr) return nullptr;  // the platform's own "(null)"
            const std::size_t n = s.precision < 0 ? std::strlen(text) : TextLength(text, s.precision);
            PutText(out, s, text, n);
            break;
        }
        case 'c': {
            if (len != Length::None || s.zero) return nullptr;  // wide character; '0' is the platform's
            const char c = static_cast<char>(va_arg(ap, int));
            PutText(out, s, &c, 1);
            break;
        }
        case '%':
            if (any) return nullptr;
            out.put('%');
            break;
        default: return nullptr;  // %p, '#', floating point, %n ...: the platform's own
    }
    return f;
}

// Formats what it can into `into`; false when the line needs vsnprintf.
// `ap` is a copy the caller owns.
bool FormatOwn(Cursor& into, const char* f, va_list& ap) {
    Cursor out = into;
    const char* const stop = f + std::strlen(f);
    while (f != stop) {
        f = PutLiteral(out, f, stop);
        if (f == stop || out.at == out.end) break;  // done, or nothing more fits
        ++f;  // the '%'
        if (*f == 'd' && out.end - out.at >= 11) {  // the common "%d" with room for any int
            ++f;
            out.at = PutInt(out.at, va_arg(ap, int));
            continue;
        }
        if (*f == 's') {  // the common "%s"
            ++f;
            const char* text = va_arg(ap, const char*);
            if (text == nullptr) return false;  // the platform's own "(null)"
            out.put(text, std::strlen(text));
            continue;
        }
        if (f[0] == '-' && f[1] == '*' && f[2] == '.' && f[3] == '*' && f[4] == 's') {  // "%-*.*s", a text field
            f += 5;
            const int w = va_arg(ap, int), p = va_arg(ap, int);
            const char* text = va_arg(ap, const char*);
            if (w < -kMaxField || w > kMaxField || p > kMaxField || text == nullptr) return false;
            const std::size_t n = p < 0 ? std::strlen(text) : TextLength(text, p);
            out.put(text, n);
            const std::size_t width = static_cast<std::size_t>(w < 0 ? -w : w);
            if (width > n) out.fill(' ', width - n);
            continue;
        }
        Cursor c = out;
        f = PutConversion(c, f, ap);
        if (f == nullptr) return false;
        out = c;
    }
    into = out;
    return true;
}

}  // namespace

std::size_t FormatLine(char* buf, std::size_t size, const char* fmt, va_list ap) {
    va_list own;
    va_copy(own, ap);
    Cursor out{buf, buf + size - 1};
    const bool done = FormatOwn(out, fmt, own);
    va_end(own);
    if (done) {
        *out.at = '\0';
        return static_cast<std::size_t>(out.at - buf);
    }
    const int n = std::vsnprintf(buf, size, fmt, ap);
    if (n < 0) {
        buf[size - 1] = '\0';
        return std::strlen(buf);
    }
    return static_cast<std::size_t>(n) < size ? static_cast<std::size_t>(n) : size - 1;
}

}  // namespace vyt
