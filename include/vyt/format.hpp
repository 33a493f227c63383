// The formatter of trace and error lines: vsnprintf's output, made faster for
// the conversions the library's lines use.
#pragma once

#include <cstdarg>
#include <cstddef>

namespace vyt {

// Formats as std::vsnprintf(buf, size, fmt, ap) does, byte for byte, cutting
// what does not fit into size - 1 bytes and a NUL, and returns the length of
// what it stored.  It writes %d %i %u %x %X %s %c and %% itself (flags '-',
// '0', '+' and ' ', widths and precisions given or '*', lengths hh h l ll z j
// t) and hands any other line (%p, '#', floating point, %ls ...) to
// std::vsnprintf whole, so those print exactly as the platform prints them.
// `size` must be at least 1.
std::size_t FormatLine(char* buf, std::size_t size, const char* fmt, va_list ap);

}  // namespace vyt
