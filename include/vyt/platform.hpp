// What differs between platforms.  One small source file per platform
// implements these (src/core/platform_posix.cpp, src/core/platform_windows.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>

namespace vyt::platform {

// The trace file's path, relative to the process's working directory.
extern const char kTracePath[];

// A numeric id of the calling thread, shown in every trace line.
unsigned ThreadId() noexcept;

// Opens the trace file: the first copy of the library in the process creates
// or empties it ("w+"); a later copy, while an earlier one has the file open,
// shares that copy's open file and its offset instead.  Null when the file
// cannot be opened.
std::FILE* OpenTrace(const char* path) noexcept;
// Closes what OpenTrace returned.
void CloseTrace(std::FILE* f) noexcept;

// Writes n bytes to the trace file `f` (opened unbuffered), in one write
// where the system takes them at once; errors are ignored.
void WriteTrace(std::FILE* f, const char* p, std::size_t n) noexcept;

// Reentrant conversion of a UTC second count to local time; false when the
// platform cannot represent it.
bool LocalTimeOf(std::int64_t secs, std::tm* out) noexcept;

// Reads the time-zone file that LocalTimeOf follows into `buffer`; its size,
// or 0 where there is none, it is larger than `capacity`, or the platform
// converts without one.
std::size_t ReadZoneFile(unsigned char* buffer, std::size_t capacity) noexcept;

}  // namespace vyt::platform

namespace vyt {
// Called by the platform's library entry point.
void OnProcessAttach() noexcept;
void OnProcessDetach() noexcept;
}  // namespace vyt
