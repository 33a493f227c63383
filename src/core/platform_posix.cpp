// Linux and other POSIX systems: library constructor/destructor, kernel
// thread id, trace writes, localtime_r.
#include <cerrno>
#include <cstdio>
#include <ctime>

#include <unistd.h>

#if defined(__linux__)
#include <sys/syscall.h>
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

// Straight to the file descriptor: the stream is unbuffered, and its own
// layer only adds work to every write.
void WriteTrace(std::FILE* f, const char* p, std::size_t n) noexcept {
    const int fd = fileno(f);
    while (n > 0) {
        const ssize_t done = write(fd, p, n);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return;
        p += done;
        n -= static_cast<std::size_t>(done);
    }
}

bool LocalTimeOf(std::int64_t secs, std::tm* out) noexcept {
    const std::time_t t = static_cast<std::time_t>(secs);
    return localtime_r(&t, out) != nullptr;
}

}  // namespace vyt::platform

__attribute__((constructor)) static void vytAttach() { vyt::OnProcessAttach(); }
__attribute__((destructor)) static void vytDetach() { vyt::OnProcessDetach(); }
