// The line formatter against the C library's vsnprintf, which it must match byte for byte.
#include <gtest/gtest.h>

#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>

#include "vyt/emit.hpp"
#include "vyt/format.hpp"

namespace vyt {
namespace {

// Formats with both into buffers of `size` bytes; "" when the texts agree and nothing
// was written past the buffer, else what differs.
std::string Compare(std::size_t size, const char* fmt, ...) VYT_PRINTF(2, 3);
std::string Compare(std::size_t size, const char* fmt, ...) {
    std::string ours(size + 8, '#'), libc(size + 8, '#');
    va_list ap, again;
    va_start(ap, fmt);
    va_copy(again, ap);
    const std::size_t n = FormatLine(ours.data(), size, fmt, ap);
    const int want = std::vsnprintf(libc.data(), size, fmt, again);
    va_end(again);
    va_end(ap);
    const std::size_t stored = want < 0 ? 0 : static_cast<std::size_t>(want) < size ? static_cast<std::size_t>(want) : size - 1;
    if (std::string(ours.c_str()) != libc.c_str())
        return std::string(fmt) + ": \"" + ours.c_str() + "\" instead of \"" + libc.c_str() + "\"";
    if (ours.compare(size, 8, "########") != 0) return std::string(fmt) + ": wrote past the buffer";
    if (n != stored) return std::string(fmt) + ": length " + std::to_string(n) + " instead of " + std::to_string(stored);
    return "";
}

TEST(FormatLine, MatchesVsnprintfForTheConversionsOfTraceLines) {
    const std::string longText(5000, 'x');
    const char unterminated[3] = {'a', 'b', 'c'};
    const char* volatile none = nullptr;
    // Texts of the lengths where copying them changes method (0 to 33 bytes).
    const std::string alphabet = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
    std::string texts[13];
    int k = 0;
    for (const std::size_t len : {0, 1, 2, 3, 4, 7, 8, 9, 15, 16, 17, 32, 33}) texts[k++] = alphabet.substr(0, len);
    int p = 0;
    // Flags that compilers warn about: '0' beside a precision or '-' is
    // ignored; on texts it is undefined in C, and the platform's output is kept.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat"
#endif
    const std::string ignoredFlags = Compare(64, "%06.3d|%-05d|%0*.*d", 7, 7, 6, 2, -1);
    const std::string undefinedFlags = Compare(64, "%05s|%05c|%ls", "a", 'b', L"w");
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    const std::string cases[] = {
        // integers and their edge values
        Compare(64, "%d %d %d %d %d", 0, 7, -7, INT_MIN, INT_MAX),
        Compare(64, "%i|%5d|%-5d|%05d|%+d|% d|%+05d|%- 5d", 3, -42, -42, -42, 9, 9, -9, 9),
        Compare(64, "%.0d|%.0d|%.3d|%6.3d|%-6.3d|%.1d", 0, 5, -5, 7, 7, INT_MIN),
        Compare(64, "%2.2d:%2.2d:%2.2d %2.2d %2.2d", 5, 59, 0, -5, 123),
        Compare(64, "%*d|%*d|%-*d|%.*d|%.*d", 6, 1, -6, 2, 4, 3, 4, 5, -1, 0),
        Compare(64, "%u %u %x %X %4x %08x %.0x %x", 0u, UINT_MAX, 0xabcu, 0xabcu, 0x1fu, 0x1fu, 0u, UINT_MAX),
        Compare(64, "%zu %zu %lld %lld %llu %4llx %lx", std::size_t{0}, SIZE_MAX, LLONG_MIN, LLONG_MAX, ULLONG_MAX,
                0x123456789ULL, 0xfeedUL),
        Compare(64, "%hhd %hhu %hd %hu %jd %td %ld", static_cast<signed char>(-100),
                static_cast<unsigned char>(200), static_cast<short>(-30000), static_cast<unsigned short>(60000), INTMAX_MIN,
                PTRDIFF_MIN, LONG_MIN),
        // texts and characters
        Compare(128, "[%s] [%10s] [%-10s] [%.2s] [%-48.48s] [%.3s]", "abc", "abc", "abc", "abc", "abc", unterminated),
        Compare(128, "[%-*.*s] [%*s] [%.*s] [%-*.*s]", 8, 8, "transaction", -6, "ab", -1, "all", 4, 2, "abc"),
        Compare(64, "%c%c|%3c|%-3c|%%|100%%", 'o', 'k', 'x', 'y'),
        Compare(64, "%s", ""),
        Compare(256, "%s|%s|%s|%s|%s|%s|%s|%s|%s|%s|%s|%s|%s", texts[0].c_str(), texts[1].c_str(), texts[2].c_str(),
                texts[3].c_str(), texts[4].c_str(), texts[5].c_str(), texts[6].c_str(), texts[7].c_str(),
                texts[8].c_str(), texts[9].c_str(), texts[10].c_str(), texts[11].c_str(), texts[12].c_str()),
        Compare(64, "[%-*.*s] [%-*.*s] [%-*.*s] [%-*.*s]%-*.*s", -6, 2, "abc", 3, -1, "abcdef", 5, 3, unterminated, 0, 0,
                "x", 2, 9, "ab"),
        // literal runs longer than sixteen bytes, a '%' at either side of a sixteen-byte step
        Compare(128, "0123456789abcdef%d0123456789abcde%s0123456789abcdefghijklmnopqrstuvwxyz", 7, "x"),
        // lines that go to the C library whole, after conversions of our own
        Compare(64, "%d %p %d", 1, static_cast<void*>(&p), 2),
        Compare(64, "%#x %#o %5.1f %e", 255u, 8u, 2.25, 1.5),
        Compare(64, "%s|%d", none, 3),
        Compare(64, "[%-*.*s]", 3, 3, none),
        Compare(64, "[%-*.*s]", 1 << 21, 2, "ab"),
        ignoredFlags,
        undefinedFlags,
        // cut at the buffer's end: inside literal text, a number, padding, a text
        Compare(1, "abc%d", 5),
        Compare(5, "abcdef%d", 5),
        Compare(6, "ab%-8dz", -12345),
        Compare(6, "ab%8d", 12),
        Compare(8, "%s and more", "a long text"),
        Compare(24, "%s and more", "a text of twenty-two b"),
        Compare(20, "0123456789abcdefghijklmnopqrstuvwxyz%d", 1),
        Compare(40, "0123456789abcdefghijklmnopqrstuvwxyz%d", 12345),
        Compare(12, "ab%-*.*scd", 20, 20, "a text field"),
        Compare(4096, "%s|%d", longText.c_str(), 1),
        Compare(4096, "Idx[%d] tranName[%-*.*s] %s", 1, 4500, 4500, "t", longText.c_str()),
    };
    for (const std::string& c : cases) EXPECT_EQ(c, "");
}

}  // namespace
}  // namespace vyt
