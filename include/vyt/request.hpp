// Building the 1132-byte request record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vyt/emit.hpp"
#include "vyt/layout/common.hpp"

namespace vyt {

inline constexpr std::size_t kRequestLen = sizeof(layout::RequestRecord);

struct RequestArgs {
    int type = 0;
    int view = 0;
    int continueIdx = 0;
    int scrollAmount = 0;
    int pathId = 0;
    int IPaddr = 0;
    bool trace = false;  // write the entry line (the caller switches tracing on)
};

// A name as the caller gave it.
struct NameArg {
    enum State { Missing, Text, TooLong, Invalid } state = Missing;
    const char* utf8 = nullptr;  // NUL-terminated UTF-8 bytes (state Text)
    std::size_t bytes = 0;
    int chars = 0;               // length in UTF-16 units, as Java counts it
};

// Fills `record` from the arguments; writes the request's trace lines.  On
// failure writes an error line and returns false.
bool BuildRequest(Tracer& t, const RequestArgs& a, const NameArg& tranName, const NameArg& subTranName,
                  unsigned char (&record)[kRequestLen], int* reportId);

// Sub-transaction name that stands for "none".
inline constexpr char kNoTransName[] = "NOTRANSNAME";

}  // namespace vyt
