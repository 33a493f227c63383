// Where a reply enters the library: its length word, and its dispatch to the
// decoder of its report type.
#pragma once

#include <cstdint>

#include "vyt/bytes.hpp"
#include "vyt/emit.hpp"

namespace vyt {

// Statuses handed back to Java by mapData.
inline constexpr int kStatusOk = 0;
inline constexpr int kStatusFailed = 1;
inline constexpr int kStatusTranNotFound = 2;

// The total length a reply states in its first four bytes; 0 when fewer than
// four bytes are given.
std::int32_t BufLength(Bytes head, Tracer& t);

// Checks a complete reply (empty, error reply, report type) and decodes it
// into calls on `sink`.  Returns the status.
int MapReply(Bytes reply, int reportType, Sink& sink);

}  // namespace vyt
