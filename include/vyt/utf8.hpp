// Text conversions at the Java boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vyt {

// The word-at-a-time ASCII test: `ored` is text bytes or'ed together, whole
// 64-bit words or single bytes at any byte position; they are all ASCII when
// none of them has its high bit set.
constexpr bool AllAscii(std::uint64_t ored) noexcept { return (ored & 0x8080808080808080ull) == 0; }

// The eight bytes at p as one word (in memory order), for the word-at-a-time loops.
inline std::uint64_t LoadWord(const char* p) noexcept {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

// True when every byte is below 0x80.
bool IsAscii(const char* p, std::size_t n) noexcept;

// Converts reply bytes to the modified UTF-8 that NewStringUTF accepts:
// well-formed UTF-8 sequences keep their characters (supplementary ones as
// surrogate pairs), every other byte of 0x80 or more becomes the Latin-1
// character of that byte.  `out` needs room for 2 * n + 1 bytes; the result
// is NUL-terminated and its length returned.
std::size_t ToModifiedUtf8(const char* in, std::size_t n, char* out) noexcept;

// The same characters as ToModifiedUtf8, written as standard UTF-8 (what
// Java's UTF-8 decoder reads): NUL as one byte, supplementary characters as
// their 4-byte sequences.  `out` needs room for 2 * n bytes; no NUL is
// appended; the length is returned.
std::size_t ToStandardUtf8(const char* in, std::size_t n, char* out) noexcept;

// Converts UTF-16 to UTF-8 into out[0..cap).  False for an unpaired surrogate,
// a U+0000 character or too little room.
bool Utf16ToUtf8(const std::uint16_t* in, std::size_t n, char* out, std::size_t cap, std::size_t* len) noexcept;

}  // namespace vyt
