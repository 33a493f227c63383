// Linux and other POSIX systems: library constructor/destructor, kernel
// thread id, localtime_r.
#include <ctime>

#if defined(__linux__)
#include <sys/syscall.h>
#include <unistd.h>
#else
#include <pthread.h>
#endif

#include "vyt/platform.hpp"

namespace vyt::platform {

const char kTracePath[] = "logs/VYTjni.trc";

unsigned ThreadId() noexcept {
#if defined(__linux__)
    return static_cast<unsigned>(syscall(SYS_gettid));
#else
    return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(pthread_self()));
#endif
}

bool LocalTimeOf(std::int64_t secs, std::tm* out) noexcept {
    const std::time_t t = static_cast<std::time_t>(secs);
    return localtime_r(&t, out) != nullptr;
}

}  // namespace vyt::platform

__attribute__((constructor)) static void vytAttach() { vyt::OnProcessAttach(); }
__attribute__((destructor)) static void vytDetach() { vyt::OnProcessDetach(); }
