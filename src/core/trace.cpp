// The trace file, the line writers, the hex dump and the flags renderer.
#include "vyt/trace.hpp"

#include "trace_batch.hpp"

#include <atomic>
#include <bit>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <new>
#include <thread>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>
#include <immintrin.h>
#endif

#include "vyt/format.hpp"
#include "vyt/local_time.hpp"
#include "vyt/platform.hpp"

namespace vyt {

namespace {

std::atomic<std::FILE*> gFile{nullptr};
std::atomic<bool> gEnabled{false};
// Serialises writes to the file: each line, each batch is one unit.  A flag
// the waiters yield on (a write is short) rather than std::mutex or an atomic
// wait, whose code can throw and so links the C++ runtime's error machinery,
// and with it a newer C library, into the library.
class WriteLock {
public:
    void lock() noexcept {
        while (busy_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
    }
    void unlock() noexcept { busy_.clear(std::memory_order_release); }

private:
    std::atomic_flag busy_;
};
WriteLock gWrite;

struct Locked {
    Locked() noexcept { gWrite.lock(); }
    ~Locked() { gWrite.unlock(); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

// What a thread has formatted and not yet written, and the prefix of its
// lines ("[hh:mm:ss 0xtid] "), remade when the second changes.  Trivially
// destructible on purpose: a thread_local with a destructor would keep the
// C library from unloading the library (no detach, no fresh attach).  Text
// beyond the inline buffer lives on the heap only until the batch is written.
struct ThreadLines {
    char inlineText[16384];
    char* heapText;  // null: the text is in inlineText
    std::size_t size, heapCap;
    int depth;  // open batches
    bool haveId;
    unsigned id;
    std::time_t second;
    char prefix[40];
    std::size_t prefixLen;

    char* text() { return heapText != nullptr ? heapText : inlineText; }
    std::size_t cap() const { return heapText != nullptr ? heapCap : sizeof inlineText; }
};

// The clock of the lines' stamps, in whole seconds.
std::time_t SystemSeconds() { return std::time(nullptr); }
std::time_t (*gClock)() = SystemSeconds;
std::time_t Now() { return gClock(); }

ThreadLines& Lines() {
    thread_local ThreadLines lines{{}, nullptr, 0, 0, 0, false, 0, -1, {}, 0};
    return lines;
}

char* PutHex(char* p, unsigned v, int minDigits) {
    static constexpr char kHex[] = "0123456789abcdef";
    char digits[16];
    int n = 0;
    do {
        digits[n++] = kHex[v & 0xF];
        v >>= 4;
    } while (v != 0);
    while (n < minDigits) digits[n++] = '0';
    while (n > 0) *p++ = digits[--n];
    return p;
}

void MakePrefix(ThreadLines& l, std::time_t now) {
    if (!l.haveId) {
        l.id = platform::ThreadId();
        l.haveId = true;
    }
    std::tm lt{};
    if (!CachedLocalTime(static_cast<std::int64_t>(now), &lt)) lt = std::tm{};
    char* p = l.prefix;
    *p++ = '[';
    p = PutTwoDigits(p, lt.tm_hour);
    *p++ = ':';
    p = PutTwoDigits(p, lt.tm_min);
    *p++ = ':';
    p = PutTwoDigits(p, lt.tm_sec);
    *p++ = ' ';
    *p++ = '0';
    *p++ = 'x';
    p = PutHex(p, l.id, 3);
    *p++ = ']';
    *p++ = ' ';
    l.prefixLen = static_cast<std::size_t>(p - l.prefix);
    l.second = now;
}

// Writes what the thread has gathered; the caller holds the write lock.
void WriteGathered(ThreadLines& l) {
    if (l.size == 0) return;
    if (std::FILE* f = gFile.load(std::memory_order_acquire)) platform::WriteTrace(f, l.text(), l.size);
    l.size = 0;
}

// Writes what the thread has gathered as one write.
void Flush(ThreadLines& l) {
    if (l.size != 0) {
        const Locked lock;
        WriteGathered(l);
    }
    delete[] l.heapText;  // back to the inline buffer
    l.heapText = nullptr;
}

// Moves what the thread has gathered into a buffer of `cap` bytes; false
// when there is no memory for it.
bool Regather(ThreadLines& l, std::size_t cap) {
    char* bigger = new (std::nothrow) char[cap];
    if (bigger == nullptr) return false;
    if (l.size != 0) std::memcpy(bigger, l.text(), l.size);
    delete[] l.heapText;
    l.heapText = bigger;
    l.heapCap = cap;
    return true;
}

// Room for `more` bytes after what the thread has gathered; null when there
// is no memory for it (the line is then lost, never the process).
char* Room(ThreadLines& l, std::size_t more) {
    if (l.cap() - l.size < more && !Regather(l, 2 * (l.size + more) + 4096)) return nullptr;
    return l.text() + l.size;
}

void writeLine(const char* kind, std::size_t kindLen, const char* text) {
    if (gFile.load(std::memory_order_acquire) == nullptr || text == nullptr) return;
    ThreadLines& l = Lines();
    const std::time_t now = Now();
    if (now != l.second) MakePrefix(l, now);
    const std::size_t textLen = std::strlen(text);
    const std::size_t n = l.prefixLen + kindLen + textLen;
    char* p = Room(l, n);
    if (p == nullptr) return;
    std::memcpy(p, l.prefix, l.prefixLen);
    std::memcpy(p + l.prefixLen, kind, kindLen);
    std::memcpy(p + l.prefixLen + kindLen, text, textLen);
    l.size += n;
    if (l.depth == 0) Flush(l);
}

struct FlagName {
    std::uint32_t bit;
    const char* name;
};

constexpr FlagName kReportFlags[] = {
    {0x1, "REP_FLAGS_CLIENT_PATH"},
    {0x2, "REP_FLAGS_MIDDLE_PATH"},
    {0x4, "REP_FLAGS_END_PATH"},
    {0x8, "REP_FLAGS_CLIENT_AND_END_PATH"},
    {0x10, "REP_FLAGS_VIEW_DISTRIBUTIONS"},
    {0x20, "REP_FLAGS_VIEW_COMBINED"},
    {0x40, "REP_FLAGS_VIEW_TRAFFIC"},
    {0x40, "REP_FLAGS_VIEW_DISPATCH_RETURN"},
    {0x80, "REP_FLAGS_VIEW_OVERVIEW"},
    {0x100, "REP_FLAGS_VIEW_OBSERVATIONS"},
    {0x200, "REP_FLAGS_VIEW_ALL"},
    {0x400, "REP_FLAGS_LEARN_THRESHOLDS_MODE_ACTIVE"},
    {0x800, "REP_FLAGS_IP_SRC_ALIAS"},
    {0x1000, "REP_FLAGS_IP_DST_ALIAS"},
    {0x2000, "REP_FLAGS_CLIENT_SUM"},
    {0x4000, "REP_FLAGS_MULTIPLE_SRC_PORTS"},
    {0x8000, "REP_FLAGS_MULTIPLE_DST_PORTS"},
    {0x10000, "REP_FLAGS_SRC_PORT"},
    {0x20000, "REP_FLAGS_DST_PORT"},
    {0x40000, "REP_FLAGS_OWNING_TRAN_NAME"},
    {0x80000, "REP_FLAGS_IMPACTING_TRAN_NAME"},
    {0x100000, "REP_FLAGS_MSERVER_OFFLINE"},
    {0x200000, "REP_FLAGS_MSERVER_CHAIN_BROKEN"},
    {0x400000, "REP_FLAGS_HTTP_TRANSACTIONS"},
    {0x800000, "REP_FLAGS_HTTP_TRANSACTIONS_PATH_ZERO"},
    {0x1000000, "REP_FLAGS_TRUNCATE_URL_PARMS"},
    {0x2000000, "REP_FLAGS_INCLUDE_EXCLUDE_URL"},
    {0x4000000, "REP_FLAGS_PASSTHRU_MODE"},
};

constexpr FlagName kUrlRuleFlags[] = {
    {0x1, "REP_URL_LIST_PRECEDENCE_INCLUDE_FIRST"},
    {0x2, "REP_URL_LIST_PRECEDENCE_EXCLUDE_FIRST"},
    {0x4, "REP_URL_LIST_TYPE_INCLUDE"},
    {0x8, "REP_URL_LIST_TYPE_EXCLUDE"},
    {0x10, "REP_URL_LIST_HAS_INCLUDE"},
    {0x20, "REP_URL_LIST_HAS_EXCLUDE"},
    {0x100, "REP_URL_SEARCH_TYPE_EXACT_MATCH"},
    {0x200, "REP_URL_SEARCH_TYPE_BEGINS_WITH"},
    {0x400, "REP_URL_SEARCH_TYPE_CONTAINS"},
    {0x800, "REP_URL_SEARCH_TYPE_ENDS_WITH"},
};

constexpr std::size_t kFlagsTextSize = 2048;

// Appends " name" for every set bit; stays inside the buffer whatever happens.
std::size_t appendNames(char* buf, std::size_t at, std::uint32_t flags, const FlagName* names,
                        std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if ((flags & names[i].bit) == 0) continue;
        const std::size_t len = std::strlen(names[i].name);
        if (len + 2 > kFlagsTextSize - at) break;
        buf[at++] = ' ';
        std::memcpy(buf + at, names[i].name, len);
        at += len;
    }
    buf[at] = '\0';
    return at;
}

// Formats one line into a local buffer (cutting what does not fit) and writes
// it as an error line, or as a trace line while tracing is on.
void writeFormatted(Tracer& t, bool error, const char* fmt, va_list ap) {
    if (!error && !t.tracing()) return;
    char line[kLineMax];
    FormatLine(line, sizeof line, fmt, ap);
    if (error)
        t.errorLine(line);
    else
        t.traceLine(line);
}

// The body of a printf-like function with a `fmt` parameter: formats its
// arguments with writeFormatted.
#define VYT_WRITE_FORMATTED(to, error)      \
    do {                                    \
        va_list ap;                         \
        va_start(ap, fmt);                  \
        writeFormatted(to, error, fmt, ap); \
        va_end(ap);                         \
    } while (0)

}  // namespace

namespace trace {

void open(const char* path) {
    if (gFile.load() != nullptr) return;
    std::FILE* f = platform::OpenTrace(path);
    // Unbuffered: every line or batch goes to the file in one write.
    if (f != nullptr) std::setvbuf(f, nullptr, _IONBF, 0);
    gFile.store(f, std::memory_order_release);
}

void close() {
    msg("DLL_PROCESS_DETACH: closing trace file.");
    Flush(Lines());
    const Locked lock;
    if (std::FILE* f = gFile.exchange(nullptr)) platform::CloseTrace(f);
}

Batch::Batch() noexcept { ++Lines().depth; }
Batch::~Batch() {
    ThreadLines& l = Lines();
    if (--l.depth == 0) Flush(l);
}
void flush() { Flush(Lines()); }
void setClock(std::time_t (*clock)()) { gClock = clock != nullptr ? clock : SystemSeconds; }

bool enabled() noexcept { return gEnabled.load(std::memory_order_relaxed); }
void enable() noexcept { gEnabled.store(true, std::memory_order_relaxed); }

void msg(const char* text) {
    if (enabled()) writeLine("", 0, text);
}
void error(const char* text) { writeLine("Error: ", 7, text); }

}  // namespace trace

void tracef(Tracer& t, const char* fmt, ...) {
    VYT_WRITE_FORMATTED(t, false);
}

void Tracer::trace(const char* fmt, ...) {
    VYT_WRITE_FORMATTED(*this, false);
}

void errorf(Tracer& t, const char* fmt, ...) {
    VYT_WRITE_FORMATTED(t, true);
}

const char* FlagsText(std::uint32_t flags, FlagsTextBuffer& buf) {
    static_assert(sizeof buf == kFlagsTextSize);
    int n = std::snprintf(buf, sizeof buf, "{%x}", flags);
    std::size_t at = n > 0 ? static_cast<std::size_t>(n) : 0;
    at = appendNames(buf, at, flags, kReportFlags, std::size(kReportFlags));
    appendNames(buf, at, flags, kUrlRuleFlags, std::size(kUrlRuleFlags));
    return buf;
}

char DumpChar(unsigned char byte) { return (byte >= 0x21 && byte <= 0x7E) ? static_cast<char>(byte) : '.'; }

namespace {

// Per byte value: its two hex digits and two blanks (stored four at a time,
// the fourth byte overwritten by the next group), and its dump character.
struct DumpTables {
    char hex[256][4];
    char shown[256];
};

constexpr DumpTables MakeDumpTables() {
    DumpTables d{};
    constexpr char kHex[] = "0123456789abcdef";
    for (int b = 0; b < 256; ++b) {
        d.hex[b][0] = kHex[b >> 4];
        d.hex[b][1] = kHex[b & 0xF];
        d.hex[b][2] = ' ';
        d.hex[b][3] = ' ';
        d.shown[b] = (b >= 0x21 && b <= 0x7E) ? static_cast<char>(b) : '.';
    }
    return d;
}

constexpr DumpTables kDump = MakeDumpTables();

// A dump row: "%4llx |%-48.48s| |%-16.16s|\n" of its offset, its bytes' hex
// column and their characters, at most kDumpRowMax bytes, without a NUL.  A
// full row whose offset has `places` places (four at least) is
// kFullRowRest + places bytes.
constexpr std::size_t kDumpRowMax = 16 + 2 + 48 + 3 + 16 + 2;
constexpr std::size_t kFullRowRest = 2 + 48 + 3 + 16 + 2;
// The line prefix is at most "[hh:mm:ss 0xffffffff] "; full rows copy this
// much of it at once and write the row over the rest.
constexpr std::size_t kPrefixCopy = 32;
static_assert(kPrefixCopy <= 4 + kFullRowRest, "the prefix copy stays inside the row");

// The places of a row offset: its hex digits, four at least.
inline int OffsetPlaces(unsigned long long off) {
    const int digits = (static_cast<int>(std::bit_width(off)) + 3) / 4;
    return digits > 4 ? digits : 4;
}

// Writes a row offset below 2^32 with `Places` places (OffsetPlaces of it)
// as "%4x" does, then " |"; returns the end.  Stores eight bytes at p, which
// the row's rest overwrites.
template <int Places>
inline char* PutOffset(char* p, unsigned off) {
    static_assert(Places >= 4 && Places <= 8);
    if constexpr (Places == 4) {
        // Blanks before the first digit.
        const char* hi = kDump.hex[off >> 8];
        const char* lo = kDump.hex[off & 0xFF];
        p[0] = off >= 0x1000 ? hi[0] : ' ';
        p[1] = off >= 0x100 ? hi[1] : ' ';
        p[2] = off >= 0x10 ? lo[0] : ' ';
        p[3] = lo[1];
    } else if constexpr (std::endian::native == std::endian::little) {
        // The eight digits as one word, the first in the lowest byte, made
        // from the pairs' loads; its last `Places` digits to the lowest bytes.
        const auto pair = [](unsigned byte) {
            std::uint16_t v;
            std::memcpy(&v, kDump.hex[byte], 2);
            return static_cast<std::uint64_t>(v);
        };
        const std::uint64_t w = pair(off >> 24) | pair((off >> 16) & 0xFF) << 16 | pair((off >> 8) & 0xFF) << 32 |
                                pair(off & 0xFF) << 48;
        const std::uint64_t last = w >> (8 * (8 - Places));
        std::memcpy(p, &last, 8);
    } else {
        for (int i = 0; i < Places; ++i) p[i] = kDump.hex[(off >> (4 * (Places - 1 - i))) & 0xF][1];
    }
    p[Places] = ' ';
    p[Places + 1] = '|';
    return p + Places + 2;
}

// Writes `rows` full rows of the bytes at `b`, the first at offset `off`,
// each after the `prefixLen` bytes of `prefix` (readable for kPrefixCopy
// bytes), every offset below 2^32 and with `Places` places (OffsetPlaces);
// returns their end.  Each row is prefixLen + Places + kFullRowRest bytes
// and nothing beyond is written.
using PutFullRowsFn = char* (*)(char* p, const char* prefix, std::size_t prefixLen, unsigned off,
                                const unsigned char* b, std::size_t rows);
// Per number of places (4 to 8), the function that writes such rows.
using FullRowWriters = PutFullRowsFn[9];

template <int Places>
char* PutFullRowsScalar(char* p, const char* prefix, std::size_t prefixLen, unsigned off, const unsigned char* b,
                        std::size_t rows) {
    for (std::size_t r = 0; r < rows; ++r, off += 16, b += 16) {
        std::memcpy(p, prefix, kPrefixCopy);
        char* const hex = PutOffset<Places>(p + prefixLen, off);
        char* const chars = hex + 48 + 3;
#pragma GCC unroll 16
        for (int k = 0; k < 16; ++k) {
            std::memcpy(hex + 3 * k, kDump.hex[b[k]], 4);
            chars[k] = kDump.shown[b[k]];
        }
        std::memcpy(hex + 48, "| |", 3);
        std::memcpy(chars + 16, "|\n", 2);
        p = chars + 18;
    }
    return p;
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
// On x86-64 processors with SSSE3 (all but the very first) a full row's two
// columns are made with byte shuffles, sixteen bytes at a time.
#define VYT_DUMP_SHUFFLE 1

// Per output register of the hex column (48 bytes, "hh " per byte): where
// each byte comes from in its source, 0x80 for a blank.  The 32 interleaved
// digits ("hlhl...") are in two registers; the first output register takes
// digits 0 to 11 from the first, the last digits 20 to 31 from the second,
// and the middle one digits 10 to 21 from digits 8 to 23 (the halves joined).
struct HexShuffle {
    alignas(16) unsigned char from[3][16];
    alignas(16) unsigned char blanks[3][16];
};

constexpr HexShuffle MakeHexShuffle() {
    HexShuffle h{};
    for (int j = 0; j < 48; ++j) {
        const int k = j / 3, r = j % 3, reg = j / 16, at = j % 16;
        const int source = 2 * k + r - 8 * reg;  // in the 32 interleaved digits, less where the source begins
        h.from[reg][at] = r == 2 ? 0x80 : static_cast<unsigned char>(source);
        h.blanks[reg][at] = r == 2 ? ' ' : 0;
    }
    return h;
}

constexpr HexShuffle kHexShuffle = MakeHexShuffle();

bool HaveSsse3() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0 && (ecx & bit_SSSE3) != 0;
}

// PutFullRowsScalar's rows, the whole run in one function so that nothing is
// called per row (a function with its own target cannot be inlined into one
// without it).
template <int Places>
__attribute__((target("ssse3"))) char* PutFullRowsShuffled(char* p, const char* prefix, std::size_t prefixLen,
                                                           unsigned off, const unsigned char* b, std::size_t rows) {
    const __m128i pre0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(prefix));
    const __m128i pre1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(prefix + 16));
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i digits = _mm_setr_epi8('0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'a', 'b', 'c', 'd', 'e', 'f');
    const __m128i space = _mm_set1_epi8(0x20), del = _mm_set1_epi8(0x7F), dot = _mm_set1_epi8('.');
    __m128i from[3], blanks[3];
    for (int r = 0; r < 3; ++r) {
        from[r] = _mm_load_si128(reinterpret_cast<const __m128i*>(kHexShuffle.from[r]));
        blanks[r] = _mm_load_si128(reinterpret_cast<const __m128i*>(kHexShuffle.blanks[r]));
    }
    for (std::size_t row = 0; row < rows; ++row, off += 16, b += 16) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), pre0);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16), pre1);
        char* const hex = PutOffset<Places>(p + prefixLen, off);
        char* const chars = hex + 48 + 3;
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
        const __m128i high = _mm_shuffle_epi8(digits, _mm_and_si128(_mm_srli_epi16(v, 4), nibble));
        const __m128i low = _mm_shuffle_epi8(digits, _mm_and_si128(v, nibble));
        const __m128i first = _mm_unpacklo_epi8(high, low);   // "hlhl..." of bytes 0-7
        const __m128i second = _mm_unpackhi_epi8(high, low);  // of bytes 8-15
        const __m128i middle = _mm_alignr_epi8(second, first, 8);  // digits 8 to 23
        _mm_storeu_si128(reinterpret_cast<__m128i*>(hex), _mm_or_si128(_mm_shuffle_epi8(first, from[0]), blanks[0]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(hex + 16),
                         _mm_or_si128(_mm_shuffle_epi8(middle, from[1]), blanks[1]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(hex + 32),
                         _mm_or_si128(_mm_shuffle_epi8(second, from[2]), blanks[2]));
        // Graphic ASCII shows itself: 0x21 to 0x7E, as signed bytes above 0x20 and below 0x7F.
        const __m128i shown = _mm_and_si128(_mm_cmpgt_epi8(v, space), _mm_cmplt_epi8(v, del));
        std::memcpy(hex + 48, "| |", 3);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(chars),
                         _mm_or_si128(_mm_and_si128(shown, v), _mm_andnot_si128(shown, dot)));
        std::memcpy(chars + 16, "|\n", 2);
        p = chars + 18;
    }
    return p;
}

constexpr FullRowWriters kShuffledRows = {nullptr,
                                           nullptr,
                                           nullptr,
                                           nullptr,
                                           PutFullRowsShuffled<4>,
                                           PutFullRowsShuffled<5>,
                                           PutFullRowsShuffled<6>,
                                           PutFullRowsShuffled<7>,
                                           PutFullRowsShuffled<8>};
#endif

constexpr FullRowWriters kScalarRows = {nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        PutFullRowsScalar<4>,
                                        PutFullRowsScalar<5>,
                                        PutFullRowsScalar<6>,
                                        PutFullRowsScalar<7>,
                                        PutFullRowsScalar<8>};

#if defined(VYT_DUMP_SHUFFLE)
const PutFullRowsFn* const kPutFullRows = HaveSsse3() ? kShuffledRows : kScalarRows;
#else
const PutFullRowsFn* const kPutFullRows = kScalarRows;
#endif

// Writes the dump row of the `count` (1 to 16) bytes at `b`, at offset `off`
// of the dump; returns the end of the row, at most kDumpRowMax bytes on.
char* PutDumpRow(char* p, unsigned long long off, const unsigned char* b, int count) {
    if (count == 16 && off <= 0xFFFFFFFFULL) {
        static constexpr char kNoPrefix[kPrefixCopy] = {};
        return kPutFullRows[OffsetPlaces(off)](p, kNoPrefix, 0, static_cast<unsigned>(off), b, 1);
    }
    // At least four places, blanks before the first digit.
    const int nd = off == 0 ? 1 : (static_cast<int>(std::bit_width(off)) + 3) / 4;
    if (nd < 4) {
        std::memset(p, ' ', 4);
        p += 4 - nd;
    }
    for (int i = nd - 1; i >= 0; --i) {
        p[i] = kDump.hex[off & 0xF][1];
        off >>= 4;
    }
    p += nd;
    *p++ = ' ';
    *p++ = '|';
    char* hex = p;
    char* chars = hex + 48 + 3;
    for (int k = 0; k < count; ++k) {
        std::memcpy(hex + 3 * k, kDump.hex[b[k]], 4);
        chars[k] = kDump.shown[b[k]];
    }
    // a short last row is padded with blanks
    std::memset(hex + 3 * count, ' ', static_cast<std::size_t>(3 * (16 - count)));
    std::memset(chars + count, ' ', static_cast<std::size_t>(16 - count));
    hex[48] = '|';
    hex[49] = ' ';
    hex[50] = '|';
    chars[16] = '|';
    chars[17] = '\n';
    return chars + 18;
}

// The rows of a dump written straight into the thread's lines, each with the
// line prefix, as msg() would write them one by one.  A dump larger than the
// buffer goes out in several writes under one hold of the write lock, so that
// no other thread's line lands inside it.
void DumpRowsToFile(ThreadLines& l, const unsigned char* first, long long n) {
    static_assert(sizeof l.prefix >= kPrefixCopy);
    // Room per row for the rows written one at a time: the whole prefix buffer
    // is copied (a fixed size copies faster) and the row written over its tail.
    constexpr std::size_t kRowRoom = sizeof l.prefix + kDumpRowMax;
    // Full rows are written in runs of this many between two readings of the
    // clock (one reading per row cost more than the rest of a row's prefix).
    constexpr long long kRunRows = 64;
    // A dump that does not fit the line buffer is gathered in a larger one
    // (when there is memory for it): the file takes fewer, larger writes
    // faster (on ext4, 256 KB writes instead of 16 KB ones took some 0.45 us
    // per entry off a 1,000-entry reply of type 4).
    constexpr std::size_t kDumpBuffer = 256 * 1024;
    static_assert(kRunRows * kRowRoom <= sizeof l.inlineText);
    const std::size_t room = (static_cast<std::size_t>(n) + 15) / 16 * kRowRoom;
    if (l.cap() - l.size < room && l.cap() < kDumpBuffer)
        Regather(l, l.size + room < kDumpBuffer ? l.size + room : kDumpBuffer);
    bool locked = false;
    // Makes room for `need` more bytes by writing what is gathered.
    const auto makeRoom = [&](std::size_t need) {
        if (l.cap() - l.size >= need) return;
        if (!locked) {
            gWrite.lock();
            locked = true;
        }
        WriteGathered(l);
    };
    const long long fullEnd = n & ~15LL;
    long long off = 0;
    // Full rows in runs whose offsets have the same number of places.  Every
    // row carries the second it was written in: when the clock read after a
    // run shows another second than the one read before it, the run is
    // written again row by row, each row after its own reading.
    while (off < fullEnd) {
        const std::time_t now = Now();
        if (now != l.second) MakePrefix(l, now);
        const int places = OffsetPlaces(static_cast<unsigned long long>(off));
        const long long placesEnd = 1LL << (4 * places);  // the first offset with one place more
        const long long runEnd = fullEnd < placesEnd ? fullEnd : placesEnd;
        const long long rows = (runEnd - off) / 16 < kRunRows ? (runEnd - off) / 16 : kRunRows;
        makeRoom(static_cast<std::size_t>(rows) * kRowRoom);
        char* const at = l.text() + l.size;
        const PutFullRowsFn put = kPutFullRows[places];
        char* end = put(at, l.prefix, l.prefixLen, static_cast<unsigned>(off), first + off, static_cast<std::size_t>(rows));
        if (Now() != now) {
            end = at;
            for (long long r = 0; r < rows; ++r) {
                const std::time_t rowTime = Now();
                if (rowTime != l.second) MakePrefix(l, rowTime);
                end = put(end, l.prefix, l.prefixLen, static_cast<unsigned>(off + 16 * r), first + off + 16 * r, 1);
            }
        }
        l.size = static_cast<std::size_t>(end - l.text());
        off += 16 * rows;
    }
    // A short last row.
    for (; off < n; off += 16) {
        const std::time_t now = Now();
        if (now != l.second) MakePrefix(l, now);
        makeRoom(kRowRoom);
        char* p = l.text() + l.size;
        std::memcpy(p, l.prefix, sizeof l.prefix);
        const int count = static_cast<int>(n - off < 16 ? n - off : 16);
        p = PutDumpRow(p + l.prefixLen, static_cast<unsigned long long>(off), first + off, count);
        l.size = static_cast<std::size_t>(p - l.text());
    }
    if (locked) {
        WriteGathered(l);
        gWrite.unlock();
    }
}

}  // namespace

void PrintDump(Tracer& t, const unsigned char* ptr, int start, int end) {
    // Nothing is formatted while tracing is off.
    if (!t.tracing()) return;
    // The whole dump reaches the file after the lines before it, and no other
    // thread's line lands inside it.
    trace::Batch whole;
    char line[kLineMax];
    std::snprintf(line, sizeof line, "PrintDump Entry: ptr<@%p> start<%d> end<%d>\n", static_cast<const void*>(ptr),
                  start, end);
    t.traceLine(line);
    // A tracer that writes to the trace file gets the rows there directly.
    const bool toFile = t.writesTraceFile() && gFile.load(std::memory_order_acquire) != nullptr;
    const long long n = static_cast<long long>(end) - start;
    if (n <= 0) return;
    const unsigned char* first = ptr + start;
    if (toFile) {
        DumpRowsToFile(Lines(), first, n);
        return;
    }
    char row[kDumpRowMax + 1];
    for (long long off = 0; off < n; off += 16) {
        const int count = static_cast<int>(n - off < 16 ? n - off : 16);
        *PutDumpRow(row, static_cast<unsigned long long>(off), first + off, count) = '\0';
        t.traceLine(row);
    }
}

// ---- Out ----------------------------------------------------------------------

void Out::trace(const char* fmt, ...) {
    VYT_WRITE_FORMATTED(sink_, false);
}

void Out::error(const char* fmt, ...) {
    VYT_WRITE_FORMATTED(sink_, true);
}

void Out::fail(const char* fmt, ...) {
    status_ = 1;
    VYT_WRITE_FORMATTED(sink_, true);
}

void Out::failLookup(const char* name, const char* signature) {
    fail("%s: the target class has no method %s %s\n", who_, name, signature);
}

void Out::failJava() { fail("%s: a Java exception is pending; no further calls for this reply\n", who_); }

}  // namespace vyt
