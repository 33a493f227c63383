// Windows: DllMain, GetCurrentThreadId, opening the trace file, trace writes,
// localtime_s.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "vyt/platform.hpp"

namespace vyt::platform {

const char kTracePath[] = ".\\logs\\VYTjni.trc";

unsigned ThreadId() noexcept { return static_cast<unsigned>(GetCurrentThreadId()); }

namespace {

// The copies of the library loaded in this process note the handles of their
// trace files in one environment variable, "PID:HANDLE,HANDLE,...".  Process
// attach and detach run under the loader lock, so the copies never change it
// at the same time; a child process inherits the variable but not the process
// id, and starts its own file.
constexpr char kHandlesVar[] = "VYTJNI_TRACE_HANDLES";
constexpr DWORD kHandlesMax = 1024;

// The handles noted for this process; 0 when none.
DWORD NotedHandles(char (&list)[kHandlesMax]) noexcept {
    char value[kHandlesMax];
    const DWORD n = GetEnvironmentVariableA(kHandlesVar, value, kHandlesMax);
    list[0] = '\0';
    if (n == 0 || n >= kHandlesMax) return 0;
    char* rest = nullptr;
    if (std::strtoul(value, &rest, 10) != GetCurrentProcessId() || *rest != ':') return 0;
    std::strcpy(list, rest + 1);
    return static_cast<DWORD>(std::strlen(list));
}

void NoteHandles(const char* list) noexcept {
    if (*list == '\0') {
        SetEnvironmentVariableA(kHandlesVar, nullptr);
        return;
    }
    char value[kHandlesMax];
    const int n = std::snprintf(value, sizeof value, "%lu:%s", static_cast<unsigned long>(GetCurrentProcessId()), list);
    if (n > 0 && static_cast<DWORD>(n) < kHandlesMax) SetEnvironmentVariableA(kHandlesVar, value);
}

HANDLE HandleOf(std::FILE* f) noexcept { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f))); }

}  // namespace

// A servlet container that redeploys loads a second copy of the library into
// the same process.  That copy must neither empty the file nor write at an
// offset of its own (the first copy's next line would land after NUL bytes, or
// over the second's): it duplicates the handle of a copy still loaded, so that
// both write through one file object and one file position.
std::FILE* OpenTrace(const char* path) noexcept {
    char list[kHandlesMax];
    std::FILE* f = nullptr;
    if (NotedHandles(list) > 0) {
        const HANDLE shared = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(std::strtoull(list, nullptr, 16)));
        HANDLE mine = nullptr;
        if (GetFileType(shared) == FILE_TYPE_DISK &&
            DuplicateHandle(GetCurrentProcess(), shared, GetCurrentProcess(), &mine, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
            const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(mine), _O_TEXT);
            if (fd == -1)
                CloseHandle(mine);
            else if ((f = _fdopen(fd, "r+")) == nullptr)
                _close(fd);
        }
    }
    if (f == nullptr) {
        f = std::fopen(path, "w+");
        list[0] = '\0';
    }
    if (f != nullptr) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%s%llx", list[0] != '\0' ? "," : "",
                      static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(HandleOf(f))));
        if (std::strlen(list) + std::strlen(entry) < kHandlesMax) std::strcat(list, entry);
        NoteHandles(list);
    }
    return f;
}

void CloseTrace(std::FILE* f) noexcept {
    char list[kHandlesMax], kept[kHandlesMax] = "";
    char own[32];
    const int ownLen = std::snprintf(own, sizeof own, "%llx",
                                     static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(HandleOf(f))));
    if (NotedHandles(list) > 0) {
        std::size_t keptLen = 0;
        for (const char* h = list; *h != '\0';) {
            const char* comma = std::strchr(h, ',');
            const std::size_t len = comma != nullptr ? static_cast<std::size_t>(comma - h) : std::strlen(h);
            if (len != static_cast<std::size_t>(ownLen) || std::strncmp(h, own, len) != 0) {
                if (keptLen > 0) kept[keptLen++] = ',';
                std::memcpy(kept + keptLen, h, len);
                keptLen += len;
                kept[keptLen] = '\0';
            }
            h += len + (comma != nullptr ? 1 : 0);
        }
        NoteHandles(kept);
    }
    std::fclose(f);
}

// Through the C runtime, which turns "\n" into "\r\n" in the text-mode file.
void WriteTrace(std::FILE* f, const char* p, std::size_t n) noexcept { std::fwrite(p, 1, n, f); }

bool LocalTimeOf(std::int64_t secs, std::tm* out) noexcept {
    const __time64_t t = static_cast<__time64_t>(secs);
    return _localtime64_s(out, &t) == 0;
}

// The C runtime takes its zone from TZ or the system settings, not from a zone file.
std::size_t ReadZoneFile(unsigned char*, std::size_t) noexcept { return 0; }

}  // namespace vyt::platform

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    switch (reason) {
        case DLL_PROCESS_ATTACH: vyt::OnProcessAttach(); break;
        case DLL_PROCESS_DETACH: vyt::OnProcessDetach(); break;
        default: break;  // thread notifications are ignored
    }
    return TRUE;
}
