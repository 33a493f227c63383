// The trace file: one process-wide text file with entry/exit lines, one line
// per decoded entry, hex dumps of requests and replies, and error lines.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vyt/emit.hpp"

namespace vyt {

namespace trace {
// Opens the trace file (truncating it, unless another copy of the library in
// this process has it open: then it shares that copy's file); silently leaves
// tracing without a file when it cannot be opened.  Called when the library is
// attached.
void open(const char* path);
// Writes the detach line and closes the file.  Called when the library is detached.
void close();
// The trace switch: off at start, switched on (for good) by a request built
// with tracing asked for.
bool enabled() noexcept;
void enable() noexcept;
// One trace line (only while enabled) / one error line (always), each prefixed
// with the local time and the calling thread's id and flushed at once.
void msg(const char* text);
void error(const char* text);
}  // namespace trace

// The tracer that writes to the trace file.
class FileTracer : public Tracer {
public:
    bool tracing() const override { return trace::enabled(); }
    void traceLine(const char* text) override { trace::msg(text); }
    void errorLine(const char* text) override { trace::error(text); }
    bool writesTraceFile() const override { return true; }
};

// Renders a flags word as "{hex}" followed by the names of its set bits into
// `out` and returns it.
inline constexpr std::size_t kFlagsTextMax = 2048;
using FlagsTextBuffer = char[kFlagsTextMax];
const char* FlagsText(std::uint32_t flags, FlagsTextBuffer& out);

// The character shown for one byte in a hex dump.
char DumpChar(unsigned char byte);

// Dumps ptr[start] up to but excluding ptr[end] as rows of 16 bytes.  The
// caller guarantees that ptr[start..end) is readable.  When `t` hands its
// entry line to trace::msg unchanged (FileTracer and the JNI adapter do), the
// rows are written to the trace file directly, not through `t`.
void PrintDump(Tracer& t, const unsigned char* ptr, int start, int end);

}  // namespace vyt
