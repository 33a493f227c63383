// The sink of the typed Java API: records a decoder's calls as numbers, with
// no call into Java while decoding.
//
// Every call becomes its method (0 setData, 1 addEntry) followed by its
// arguments in call order: an int argument as it is, a text argument as the
// index of its text in a table of the reply's distinct texts.  The texts are
// copied (a TextArg may point into per-thread scratch) and kept once each.
// The adapter (typed_exports.cpp) then hands Java one int[] and one String[].
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "vyt/bytes.hpp"
#include "vyt/emit.hpp"

namespace vyt {

// The method numbers written before each call's arguments.
inline constexpr std::int32_t kTypedSetData = 0;
inline constexpr std::int32_t kTypedAddEntry = 1;

// Why a typed decode failed; the numbers are shared with the Java side
// (org.vytjni.api.BadReplyException.Reason, in this order from 1).
enum class TypedFailure : std::int32_t {
    None = 0,
    Truncated = 1,        // the reply ends before its header or an entry does
    LengthMismatch = 2,   // the length word is not the array's length
    OutsideRecord = 3,    // a read outside a checked record
    Empty = 4,            // a length word of 0
    CollectorError = 5,   // the collector's 35-byte error reply
    InvalidKind = 6,      // a report type outside 1..32
    Other = 7,            // anything else the decoder refused
};

// The per-thread buffers one decode fills.  They grow to the largest reply
// the thread has decoded and are reused by the next one.
struct TypedBuffers {
    std::vector<std::int32_t> ints;
    std::vector<char> bytes;  // the distinct texts, each followed by a NUL
    struct Text {
        std::uint32_t at;   // offset in `bytes`
        std::uint32_t len;
        std::uint32_t hash;
        bool ascii;
    };
    std::vector<Text> texts;
    std::vector<std::int32_t> index;  // open-addressing table of text numbers; -1 empty
    void reset();
};

class TypedSink final : public Sink {
public:
    explicit TypedSink(TypedBuffers& b) noexcept : b_(b) {}

    bool tracing() const override;
    void traceLine(const char* text) override;
    void errorLine(const char* text) override;
    bool writesTraceFile() const override { return true; }
    bool lookup(int slot, const char* name, const char* signature) override;
    bool share(int slot, TextArg text) override;
    bool call(int slot, const CallArgs& args) override;

    // The first error line written, without its newline ("" when none).
    const std::string& firstError() const noexcept { return error_; }

    // The number of the distinct text `t` (kept from now on).
    std::int32_t intern(const TextArg& t);

private:
    void grow();

    TypedBuffers& b_;
    std::int32_t methods_[Out::kMaxMethods] = {};
    std::int32_t shared_[Out::kMaxShared] = {};
    std::string error_;
};

// Where and why a failed decode stopped, read from its error line: the offset
// a line names ("at offset N", or the size of a reply "of N bytes" shorter
// than its header or its entries), or -1.
struct TypedFault {
    TypedFailure reason;
    std::int64_t offset;
};
TypedFault ClassifyFault(const std::string& line, std::size_t replySize);

}  // namespace vyt

namespace vyt {

// The outcome of one typed decode, before it goes to Java.
struct TypedResult {
    TypedFailure failure = TypedFailure::None;
    std::int64_t offset = -1;  // where the reply went wrong, when known
    std::string message;       // the error line, or the collector's status text
};

// Checks a complete reply (its length word against its size, the empty and
// the error reply, the report type) and runs the report type's decoder (the
// dispatch table of mapData) into `b`.  Pure: makes no JNI call.
TypedResult DecodeTyped(Bytes reply, int reportType, TypedBuffers& b);

}  // namespace vyt
