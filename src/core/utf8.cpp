#include "vyt/utf8.hpp"

#include <cstring>

namespace vyt {

namespace {

bool cont(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at p[0..n), or 0 if there is none.
std::size_t sequence(const unsigned char* p, std::size_t n) {
    const unsigned char b = p[0];
    if (b >= 0xC2 && b <= 0xDF) return n >= 2 && cont(p[1]) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        if (n < 3 || !cont(p[1]) || !cont(p[2])) return 0;
        if (b == 0xE0 && p[1] < 0xA0) return 0;   // overlong
        if (b == 0xED && p[1] >= 0xA0) return 0;  // surrogate
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        if (n < 4 || !cont(p[1]) || !cont(p[2]) || !cont(p[3])) return 0;
        if (b == 0xF0 && p[1] < 0x90) return 0;   // overlong
        if (b == 0xF4 && p[1] >= 0x90) return 0;  // above U+10FFFF
        return 4;
    }
    return 0;
}

char* put3(char* o, unsigned cp) {
    *o++ = static_cast<char>(0xE0 | (cp >> 12));
    *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    return o;
}

// A byte that starts no well-formed sequence: its Latin-1 character, two bytes.
char* putLatin1(char* o, unsigned char b) {
    *o++ = static_cast<char>(0xC0 | (b >> 6));
    *o++ = static_cast<char>(0x80 | (b & 0x3F));
    return o;
}

}  // namespace

bool IsAscii(const char* p, std::size_t n) noexcept {
    // Eight bytes at a time: any byte of 0x80 or more sets a high bit.
    std::uint64_t any = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) any |= LoadWord(p + i);
    for (; i < n; ++i) any |= static_cast<unsigned char>(p[i]);
    return AllAscii(any);
}

std::size_t ToModifiedUtf8(const char* in, std::size_t n, char* out) noexcept {
    const auto* p = reinterpret_cast<const unsigned char*>(in);
    char* o = out;
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b == 0) {  // NUL is two bytes in modified UTF-8
            *o++ = static_cast<char>(0xC0);
            *o++ = static_cast<char>(0x80);
            ++i;
            continue;
        }
        if (b < 0x80) {
            *o++ = static_cast<char>(b);
            ++i;
            continue;
        }
        const std::size_t len = sequence(p + i, n - i);
        if (len == 0) {  // a stray byte
            o = putLatin1(o, b);
            ++i;
        } else if (len < 4) {
            for (std::size_t k = 0; k < len; ++k) *o++ = static_cast<char>(p[i + k]);
            i += len;
        } else {  // supplementary character: a surrogate pair, 3 bytes each
            const unsigned cp = ((p[i] & 0x07u) << 18) | ((p[i + 1] & 0x3Fu) << 12) | ((p[i + 2] & 0x3Fu) << 6) |
                                (p[i + 3] & 0x3Fu);
            const unsigned v = cp - 0x10000;
            o = put3(o, 0xD800 | (v >> 10));
            o = put3(o, 0xDC00 | (v & 0x3FF));
            i += 4;
        }
    }
    *o = '\0';
    return static_cast<std::size_t>(o - out);
}

std::size_t ToStandardUtf8(const char* in, std::size_t n, char* out) noexcept {
    const auto* p = reinterpret_cast<const unsigned char*>(in);
    char* o = out;
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        const std::size_t len = b < 0x80 ? 1 : sequence(p + i, n - i);
        if (len == 0) {  // a stray byte, as ToModifiedUtf8 maps it
            o = putLatin1(o, b);
            ++i;
            continue;
        }
        for (std::size_t k = 0; k < len; ++k) *o++ = static_cast<char>(p[i + k]);
        i += len;
    }
    return static_cast<std::size_t>(o - out);
}

bool Utf16ToUtf8(const std::uint16_t* in, std::size_t n, char* out, std::size_t cap, std::size_t* len) noexcept {
    std::size_t o = 0;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned cp = in[i];
        if (cp == 0) return false;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 1 >= n || in[i + 1] < 0xDC00 || in[i + 1] > 0xDFFF) return false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00u);
            ++i;
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return false;
        }
        const std::size_t need = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
        if (need + 1 > cap - o) return false;
        if (need == 1) {
            out[o++] = static_cast<char>(cp);
        } else if (need == 2) {
            out[o++] = static_cast<char>(0xC0 | (cp >> 6));
            out[o++] = static_cast<char>(0x80 | (cp & 0x3F));
        } else if (need == 3) {
            out[o++] = static_cast<char>(0xE0 | (cp >> 12));
            out[o++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out[o++] = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out[o++] = static_cast<char>(0xF0 | (cp >> 18));
            out[o++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out[o++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out[o++] = static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    out[o] = '\0';
    *len = o;
    return true;
}

}  // namespace vyt
