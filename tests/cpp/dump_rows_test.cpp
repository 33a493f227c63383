// Hex dump rows, checked against the trace file's row format for long dumps too.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "recording_sink.hpp"
#include "vyt/trace.hpp"

namespace vyt::test {
namespace {

// Every row of dumps whose offsets reach five and six hex digits, and whose
// last row is short, is "%4llx |%-48.48s| |%-16.16s|\n" of its bytes.
TEST(PrintDump, EveryRowHasTheFileFormatPastFourOffsetDigits) {
    for (int len : {0x10000 + 9, 0x100000 + 16}) {
        SCOPED_TRACE(len);
        std::vector<unsigned char> bytes(static_cast<std::size_t>(len));
        for (int i = 0; i < len; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i * 131 + i / 7);
        RecordingSink s;
        PrintDump(s, bytes.data(), 0, len);
        ASSERT_EQ(s.lines.size(), 1 + static_cast<std::size_t>((len + 15) / 16));
        int wrong = 0;
        for (long long off = 0; off < len; off += 16) {
            char hex[49] = {}, chars[17] = {};
            for (long long i = off, h = 0, c = 0; i < off + 16 && i < len; ++i, h += 3, ++c) {
                std::snprintf(hex + h, 4, "%02x ", bytes[static_cast<std::size_t>(i)]);
                chars[c] = DumpChar(bytes[static_cast<std::size_t>(i)]);
            }
            char want[128];
            std::snprintf(want, sizeof want, "%4llx |%-48.48s| |%-16.16s|\n", off, hex, chars);
            const std::string& got = s.lines[static_cast<std::size_t>(off / 16 + 1)];
            if (got != want && ++wrong <= 3) ADD_FAILURE() << "row at " << off << ": " << got << "instead of " << want;
        }
        EXPECT_EQ(wrong, 0);
    }
}

}  // namespace
}  // namespace vyt::test
