// The sink of the typed Java API: records a decoder's calls as numbers, with
// no call into Java while decoding.
//
// Every call becomes its method (0 setData, 1 addEntry) followed by its
// arguments in call order: an int argument as it is, a text argument as the
// index of its text in a table of the reply's distinct texts.  An ASCII text
// that lies in the reply is named by where it lies there (Java holds the reply
// and makes the String from it); any other text (one the decoder made, such as
// a time text, or one that is not ASCII) is kept, as standard UTF-8 of the
// characters mapData gives it, in one byte buffer.  The adapter
// (typed_exports.cpp) hands Java the words (those below, the calls, then the
// text table) as a direct buffer over this thread's memory, and one byte[]
// (the kept texts); Java makes each String.
//
// Texts of the reply are numbered in groups of a few dozen, fetching the
// group's table slots together, so that a large reply's table is not waited
// on text by text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "vyt/bytes.hpp"
#include "vyt/emit.hpp"

namespace vyt {

// The method numbers written before each call's arguments.
inline constexpr std::int32_t kTypedSetData = 0;
inline constexpr std::int32_t kTypedAddEntry = 1;

// The words before the calls: the failure number, the offset where the reply
// went wrong, the index where the calls end and the text table begins (two
// words per text: where its bytes start, then their length with kTypedKept
// set when they are in the byte[] rather than in the reply, and kTypedNotAscii
// set when they are not ASCII), and the number of addEntry calls.
// org.vytjni.api.DecodedReply reads them in this order.
inline constexpr std::size_t kTypedFailureWord = 0;
inline constexpr std::size_t kTypedOffsetWord = 1;
inline constexpr std::size_t kTypedCallsEndWord = 2;
inline constexpr std::size_t kTypedEntriesWord = 3;
inline constexpr std::size_t kTypedFirstCall = 4;
inline constexpr std::uint32_t kTypedKept = 0x80000000u;
inline constexpr std::uint32_t kTypedNotAscii = 0x40000000u;

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

// A growable array of trivially copyable values on malloc (std::vector would
// link the standard library's exception texts into the library).  A value
// that does not fit in memory sets `failed` and is dropped.
template <class T>
class GrowArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    GrowArray() noexcept = default;
    ~GrowArray() { std::free(p_); }
    GrowArray(const GrowArray&) = delete;
    GrowArray& operator=(const GrowArray&) = delete;

    T* data() noexcept { return p_; }
    const T* data() const noexcept { return p_; }
    std::size_t size() const noexcept { return n_; }
    T& operator[](std::size_t i) noexcept { return p_[i]; }
    const T& operator[](std::size_t i) const noexcept { return p_[i]; }
    void clear() noexcept { n_ = 0; }
    void shrink(std::size_t n) noexcept {
        if (n < n_) n_ = n;
    }
    void push(const T& v) noexcept {
        if (n_ == cap_ && !reserve(cap_ != 0 ? cap_ * 2 : 256)) return;
        p_[n_++] = v;
    }
    void append(const T* v, std::size_t k) noexcept {
        if (k > cap_ - n_ && !reserve(n_ + k > 2 * cap_ ? n_ + k : 2 * cap_)) return;
        if (k != 0) std::memcpy(p_ + n_, v, k * sizeof(T));
        n_ += k;
    }
    // k more values at the end, their contents unspecified; null when they do not fit.
    T* extend(std::size_t k) noexcept {
        if (k > cap_ - n_ && !reserve(n_ + k > 2 * cap_ ? n_ + k : 2 * cap_)) return nullptr;
        T* at = p_ + n_;
        n_ += k;
        return at;
    }
    // Room for n values, their contents unspecified; null when it does not fit.
    T* room(std::size_t n) noexcept {
        n_ = 0;
        if (n > cap_ && !reserve(n)) return nullptr;
        n_ = n;
        return p_;
    }
    // n copies of v, replacing what it held.
    void fill(std::size_t n, const T& v) noexcept {
        n_ = 0;
        if (n > cap_ && !reserve(n)) return;
        for (std::size_t i = 0; i < n; ++i) p_[i] = v;
        n_ = n;
    }
    bool failed = false;

private:
    bool reserve(std::size_t cap) noexcept {
        if (cap > SIZE_MAX / sizeof(T)) {
            failed = true;
            return false;
        }
        void* q = std::realloc(p_, cap * sizeof(T));
        if (q == nullptr) {
            failed = true;
            return false;
        }
        p_ = static_cast<T*>(q);
        cap_ = cap;
        return true;
    }
    T* p_ = nullptr;
    std::size_t n_ = 0;
    std::size_t cap_ = 0;
};

// The per-thread buffers one decode fills.  They grow to the largest reply
// the thread has decoded and are reused by the next one.
struct TypedBuffers {
    GrowArray<std::int32_t> ints;
    GrowArray<char> bytes;  // the kept texts as standard UTF-8, one after another
    struct Text {
        std::uint32_t at;   // offset in the reply, or in `bytes` when `kept`
        std::uint32_t len;
        std::uint32_t hash;
        bool kept;
        bool ascii;
    };
    GrowArray<Text> texts;
    // An open-addressing table of text numbers (-1: empty) with their hashes, so that a probe
    // of another text's slot need not read that text.
    struct Slot {
        std::uint32_t hash;
        std::int32_t no;
    };
    GrowArray<Slot> index;
    // The ASCII texts of the reply met while decoding, numbered by number(): where each lies,
    // its hash and the word of `ints` that gets its number.
    struct Pending {
        std::uint32_t at;
        std::uint32_t len;
        std::uint32_t hash;
        std::uint32_t word;
    };
    GrowArray<Pending> pending;
    GrowArray<char> mapped;         // a non-ASCII text while it is converted
    std::int32_t entries = 0;       // addEntry calls recorded
    // Empties the buffers for a decode of `reply` (null: texts are never taken from a reply).
    void reset(const unsigned char* reply = nullptr, std::size_t size = 0);
    // The number of the distinct text of bytes p[0..n) (kept from now on,
    // converted to the characters mapData makes of them).
    std::int32_t intern(const char* p, std::size_t n);
    // Sets word `word` of `ints` to the number of text `t`: now, or, for an ASCII text of the
    // reply, when number() runs.
    void text(const TextArg& t, std::size_t word);
    // Numbers the texts that text() left pending.
    void number();
    bool failed() const noexcept {
        return ints.failed || bytes.failed || texts.failed || index.failed || mapped.failed || pending.failed;
    }
    // Numbers the pending texts, appends the text table after the calls and fills the words
    // before them.  False when the texts do not fit the table's 30-bit lengths and 31-bit
    // offsets.
    bool finish(TypedFailure failure, std::int64_t offset);

private:
    std::int32_t find(const char* p, std::size_t n, std::uint32_t hash, std::uint32_t at, bool kept, bool ascii);
    const char* bytesOf(const Text& t) const noexcept {
        return t.kept ? bytes.data() + t.at : reply_ + t.at;
    }
    void grow();
    const char* reply_ = nullptr;
    std::size_t replySize_ = 0;
    std::size_t lastSlots_ = 0;  // the table's size at the end of the last decode that grew it
};

// The longest message a typed decode keeps (longer ones are cut).
inline constexpr std::size_t kMessageMax = 512;

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

    // The first error line written, without its newlines ("" when none).
    const char* firstError() const noexcept { return error_; }

private:
    TypedBuffers& b_;
    std::int32_t methods_[Out::kMaxMethods] = {};
    std::int32_t shared_[Out::kMaxShared] = {};
    char error_[kMessageMax] = {};
};

// Where and why a failed decode stopped, read from its error line: the offset
// a line names ("at offset N", or the size of a reply "of N bytes" shorter
// than its header or its entries), or -1.
struct TypedFault {
    TypedFailure reason;
    std::int64_t offset;
};
TypedFault ClassifyFault(const char* line, std::size_t replySize);

// Copies a line without its leading and trailing newlines, cut to fit.
void CopyLine(char (&out)[kMessageMax], const char* text);

}  // namespace vyt

namespace vyt {

// The outcome of one typed decode, before it goes to Java.
struct TypedResult {
    TypedFailure failure = TypedFailure::None;
    std::int64_t offset = -1;  // where the reply went wrong, when known
    char message[kMessageMax] = {};  // the error line, or the collector's status text
};

// Checks a complete reply (its length word against its size, the empty and
// the error reply, the report type) and runs the report type's decoder (the
// dispatch table of mapData) into `b`, finished for Java: on failure `b`
// holds no calls and one text, the message.  Pure: makes no JNI call.
TypedResult DecodeTyped(Bytes reply, int reportType, TypedBuffers& b);

}  // namespace vyt
