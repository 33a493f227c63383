// Linux and other POSIX systems: library constructor/destructor, kernel
// thread id, opening the trace file, trace writes, localtime_r and its zone file.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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

namespace {

// The descriptor through which another copy of the library in this process
// writes the trace file at `path`, or -1.  The process's own descriptor table
// is the marker the copies share: a regular file, open for reading and
// writing ("w+"), with the same device and inode as `path`.
int SharedTraceFd(const char* path) noexcept {
    struct stat want;
    if (stat(path, &want) != 0 || !S_ISREG(want.st_mode)) return -1;
    DIR* dir = opendir("/proc/self/fd");
    if (dir == nullptr) return -1;
    int found = -1;
    while (const dirent* e = readdir(dir)) {
        char* end = nullptr;
        const long fd = std::strtol(e->d_name, &end, 10);
        if (end == e->d_name || *end != '\0' || fd == dirfd(dir)) continue;
        struct stat st;
        if (fstat(static_cast<int>(fd), &st) != 0 || st.st_dev != want.st_dev || st.st_ino != want.st_ino) continue;
        const int flags = fcntl(static_cast<int>(fd), F_GETFL);
        if (flags != -1 && (flags & O_ACCMODE) == O_RDWR) {
            found = static_cast<int>(fd);
            break;
        }
    }
    closedir(dir);
    return found;
}

}  // namespace

// A servlet container that redeploys loads a second copy of the library into
// the same process.  That copy must neither empty the file nor write at an
// offset of its own (the first copy's next line would land after NUL bytes, or
// over the second's): it takes a duplicate of the first copy's descriptor, so
// that both write through one open file and one file offset.
std::FILE* OpenTrace(const char* path) noexcept {
    const int shared = SharedTraceFd(path);
    if (shared >= 0) {
        const int mine = dup(shared);
        if (mine >= 0) {
            if (std::FILE* f = fdopen(mine, "r+")) return f;
            ::close(mine);
        }
    }
    return std::fopen(path, "w+");
}

void CloseTrace(std::FILE* f) noexcept { std::fclose(f); }

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

// The file the C library reads: TZ unset is /etc/localtime, TZ empty is
// "Universal", a leading ':' is dropped, and a relative name is looked up
// under TZDIR or /usr/share/zoneinfo.  A TZ that names no file (a rule such
// as "EST5") gives 0.
std::size_t ReadZoneFile(unsigned char* buffer, std::size_t capacity) noexcept {
    const char* tz = std::getenv("TZ");
    if (tz == nullptr) tz = "/etc/localtime";
    if (*tz == '\0') tz = "Universal";
    if (*tz == ':') ++tz;
    if (*tz == '\0') return 0;
    char path[4096];
    const char* dir = std::getenv("TZDIR");
    if (dir == nullptr || *dir == '\0') dir = "/usr/share/zoneinfo";
    const int n = *tz == '/' ? std::snprintf(path, sizeof path, "%s", tz)
                             : std::snprintf(path, sizeof path, "%s/%s", dir, tz);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof path) return 0;
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return 0;
    const std::size_t size = std::fread(buffer, 1, capacity, f);
    const bool whole = size < capacity && std::ferror(f) == 0;
    std::fclose(f);
    return whole ? size : 0;
}

}  // namespace vyt::platform

__attribute__((constructor)) static void vytAttach() { vyt::OnProcessAttach(); }
__attribute__((destructor)) static void vytDetach() { vyt::OnProcessDetach(); }
