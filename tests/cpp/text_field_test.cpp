// Text fields read in place: one word-at-a-time pass finds the NUL and tells
// ASCII from not; fields without a NUL get terminated copies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vyt/bytes.hpp"

namespace vyt {
namespace {

TEST(TextField, ScanAgreesWithAByteByByteReadingAtEveryNulAndHighBytePosition) {
    for (std::size_t width : {1u, 3u, 7u, 8u, 9u, 16u, 27u, 64u}) {
        for (std::size_t nul = 0; nul <= width; ++nul) {          // nul == width: no NUL in the field
            for (std::size_t high = 0; high <= width; ++high) {   // high == width: no byte of 0x80 or more
                // Exactly `width` bytes, so that the sanitizer build catches a read past the field.
                std::vector<unsigned char> f(width);
                for (std::size_t i = 0; i < width; ++i) f[i] = static_cast<unsigned char>('a' + i % 26);
                if (high < width) f[high] = 0xC3;
                if (nul < width) f[nul] = 0;
                std::size_t n = 0;
                while (n < width && f[n] != 0) ++n;
                bool ascii = true;
                for (std::size_t i = 0; i < n; ++i) ascii = ascii && f[i] < 0x80;

                const TextScan s = ScanText(f.data(), width);
                SCOPED_TRACE(testing::Message() << "width " << width << " nul " << nul << " high " << high);
                EXPECT_EQ(s.size, n);
                EXPECT_EQ(s.terminated, n < width);
                EXPECT_EQ(s.ascii, ascii);
            }
        }
    }
}

TEST(TextField, FieldsWithoutANulKeepTheirTerminatedCopiesAcrossOneTraceLine) {
    // Fields of the widest kind, each filling its width: the copies of one
    // trace line's texts must all stay intact until the line is written.
    constexpr std::size_t kW = 1024;
    std::vector<std::vector<unsigned char>> fields;
    std::vector<const char*> copies;
    for (int k = 0; k < 14; ++k) fields.emplace_back(kW, static_cast<unsigned char>('A' + k));
    for (const auto& f : fields) {
        const TextField<kW> t(f.data(), kW);
        ASSERT_FALSE(t.terminated());
        copies.push_back(t.c_str());
    }
    for (std::size_t k = 0; k < fields.size(); ++k)
        EXPECT_EQ(std::string(copies[k]), std::string(fields[k].begin(), fields[k].end())) << "copy " << k;

    // A field that holds its NUL is used where it lies.
    const unsigned char inPlace[8] = {'c', 'a', 'r', 't', 0, 'x', 'y', 'z'};
    const TextField<8> t(inPlace, 8);
    EXPECT_EQ(t.c_str(), reinterpret_cast<const char*>(inPlace));
    EXPECT_EQ(t.size(), 4u);
}

}  // namespace
}  // namespace vyt
