// The hash of a short reply text, shared by the tables that keep one Java
// string per distinct text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "vyt/utf8.hpp"

namespace vyt {

namespace text_hash {
inline constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;

inline std::uint64_t Load32(const char* p) noexcept {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
}  // namespace text_hash

// Hashes a short text a word at a time and tells whether it is ASCII.  The
// last 1 to 7 bytes are read as (possibly overlapping) loads inside the text.
inline std::uint32_t HashText(const char* p, std::size_t n, bool* ascii) noexcept {
    using text_hash::kMul;
    using text_hash::Load32;
    std::uint64_t h = n * kMul;
    std::uint64_t any = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const std::uint64_t w = LoadWord(p + i);
        any |= w;
        h = (h ^ w) * kMul;
        h ^= h >> 29;
    }
    const std::size_t r = n - i;
    if (r != 0) {
        const char* q = p + i;
        std::uint64_t w;
        if (r >= 4) {
            w = Load32(q) | Load32(q + r - 4) << 32;
        } else {
            w = static_cast<unsigned char>(q[0]) | static_cast<std::uint64_t>(static_cast<unsigned char>(q[r / 2])) << 8 |
                static_cast<std::uint64_t>(static_cast<unsigned char>(q[r - 1])) << 16;
        }
        any |= w;
        h = (h ^ w) * kMul;
    }
    *ascii = AllAscii(any);
    // Mix every byte into the low bits, which pick the slot.
    h ^= h >> 29;
    h *= kMul;
    h ^= h >> 32;
    return static_cast<std::uint32_t>(h);
}

}  // namespace vyt
