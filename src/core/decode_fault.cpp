// Decoding faults: reads outside a checked record.
#include <cstdio>
#include <cstdlib>

#include "vyt/bytes.hpp"

#if !defined(NDEBUG) && !defined(VYT_ASSERT_DECODE_FAULTS)
#define VYT_ASSERT_DECODE_FAULTS 1
#endif

namespace vyt {

namespace {
thread_local int faultsExpected = 0;
}

ExpectDecodeFaults::ExpectDecodeFaults() noexcept { ++faultsExpected; }
ExpectDecodeFaults::~ExpectDecodeFaults() { --faultsExpected; }

void ReadFault(std::size_t offset, std::size_t length, std::size_t size) {
#if defined(VYT_ASSERT_DECODE_FAULTS)
    if (faultsExpected == 0) {
        std::fprintf(stderr, "decoding fault: %zu-byte read at offset %zu outside a checked record of %zu bytes\n",
                     length, offset, size);
        std::abort();
    }
#endif
    throw DecodeFault{offset, length, size};
}

}  // namespace vyt
