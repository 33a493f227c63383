// Terminated copies of text fields that fill their whole width.
#include <cstring>

#include "vyt/bytes.hpp"

namespace vyt {

const char* TerminatedCopy(const char* p, std::size_t n) noexcept {
    // Trivially destructible, like every thread_local of the library: one
    // with a destructor would keep the C library from unloading it.
    thread_local char ring[kTerminatedBytes];
    thread_local std::size_t next = 0;
    if (n > kMaxTextWidth) n = kMaxTextWidth;
    if (kTerminatedBytes - next < n + 1) next = 0;
    char* out = ring + next;
    next += n + 1;
    std::memcpy(out, p, n);
    out[n] = '\0';
    return out;
}

}  // namespace vyt
