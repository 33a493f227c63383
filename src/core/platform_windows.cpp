// Windows: DllMain, GetCurrentThreadId, trace writes, localtime_s.
#include <windows.h>

#include <cstdio>
#include <ctime>

#include "vyt/platform.hpp"

namespace vyt::platform {

const char kTracePath[] = ".\\logs\\VYTjni.trc";

unsigned ThreadId() noexcept { return static_cast<unsigned>(GetCurrentThreadId()); }

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
