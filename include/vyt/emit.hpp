// What a decoder produces: calls on the Java target and trace lines.
//
// Decoders are pure: they read a reply and talk to an `Out`.  `Out` forwards to
// a `Sink`, which is either the JNI adapter (the real library) or a recorder
// (tests).  Every Java callback is void and takes only String and int
// parameters; each is declared once with its parameters' names (VYT_CALLBACK,
// used by vyt/catalog.hpp), its JNI signature is derived from that declaration
// at compile time, and every call names its arguments.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <type_traits>

#include "vyt/bytes.hpp"

#if defined(__MINGW32__)
// MinGW builds use its C99-conforming printf family (__USE_MINGW_ANSI_STDIO).
#define VYT_PRINTF(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#elif defined(__GNUC__) || defined(__clang__)
#define VYT_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define VYT_PRINTF(fmt, args)
#endif

namespace vyt {

// ---- arguments ---------------------------------------------------------------

// A text argument: bytes of a reply field (not necessarily valid UTF-8) that
// the sink turns into a Java string.  `terminated`: a NUL follows the n bytes
// (the sink can then use them in place); `ascii`: no byte is 0x80 or more.
// `shared` >= 0 names a string made once with Out::share and passed to
// several calls instead.
struct TextArg {
    const char* p = nullptr;
    std::uint32_t n = 0;
    std::int16_t shared = -1;
    bool terminated = false;
    bool ascii = false;
};

template <std::size_t W>
inline TextArg text(const TextField<W>& f) noexcept {
    return TextArg{f.data(), static_cast<std::uint32_t>(f.size()), -1, f.terminated(), f.ascii()};
}
inline TextArg text(const char* s) noexcept {
    std::uint32_t n = 0;
    unsigned char seen = 0;
    for (; s[n] != '\0'; ++n) seen |= static_cast<unsigned char>(s[n]);
    return TextArg{s, n, -1, true, seen < 0x80};
}

// One argument slot of a call, laid out as a JNI jvalue, so that the sink can
// pass the slots to Java as they are: an int argument in `i`; the sink puts a
// text argument's string in `ref`.
union Slot {
    std::int32_t i;
    void* ref;
};

// The arguments of one call as a sink receives them: every argument in its
// slot, and the text arguments apart, each with the index of its slot.
struct CallArgs {
    Slot* slots;
    std::size_t n;
    const TextArg* texts;
    const std::uint8_t* textAt;
    std::size_t nTexts;
};

// Fills the arrays of a CallArgs, one parameter after the other.
struct Packer {
    Slot* slots;
    TextArg* texts;
    std::uint8_t* textAt;
    std::size_t n = 0;
    std::size_t nTexts = 0;
};

// A Java string made once and passed to several calls (same object each time).
struct SharedText {
    std::int32_t slot = -1;
};

// ---- callback parameters -------------------------------------------------------

// The two parameter kinds of a Java callback.  Neither has a default value, so
// a call that leaves out a parameter does not compile.
class Str {  // one java.lang.String
public:
    static constexpr char kKind = 'S';
    Str(TextArg t) noexcept : t_(t) {}
    Str(SharedText s) noexcept : t_{nullptr, 0, static_cast<std::int16_t>(s.slot), true, true} {}
    void put(Packer& p) const noexcept {
        p.texts[p.nTexts] = t_;
        p.textAt[p.nTexts++] = static_cast<std::uint8_t>(p.n);
        p.slots[p.n++].ref = nullptr;
    }

private:
    TextArg t_;
};

class Int {  // one Java int
public:
    static constexpr char kKind = 'I';
    template <class T>
        requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && sizeof(T) <= 4)
    constexpr Int(T v) noexcept : v_(static_cast<std::int32_t>(v)) {}
    void put(Packer& p) const noexcept { p.slots[p.n++].i = v_; }

private:
    std::int32_t v_;
};

// One declared parameter: its Java name and kind ('S' or 'I').
struct Param {
    const char* name;
    char kind;
};

namespace sig {
template <std::size_t N>
constexpr std::size_t length(const Param (&params)[N]) {
    std::size_t n = 3;  // "(" ")V"
    for (const Param& p : params) n += p.kind == 'S' ? sizeof("Ljava/lang/String;") - 1 : 1;
    return n;
}
template <std::size_t L, std::size_t N>
constexpr std::array<char, L + 1> build(const Param (&params)[N]) {
    std::array<char, L + 1> out{};
    std::size_t at = 0;
    out[at++] = '(';
    for (const Param& p : params) {
        if (p.kind == 'S') {
            for (const char* c = "Ljava/lang/String;"; *c != '\0'; ++c) out[at++] = *c;
        } else {
            out[at++] = 'I';
        }
    }
    out[at++] = ')';
    out[at++] = 'V';
    out[at] = '\0';
    return out;
}
template <class CB>
inline constexpr auto text = build<length(CB::kParams)>(CB::kParams);
}  // namespace sig

// A Java callback, declared once with the names of its parameters:
//
//   #define VYT_EXAMPLE_PARAMS(P) P(Str, tranName) P(Int, flags)
//   VYT_CALLBACK(ExampleAddEntry, addEntry, VYT_EXAMPLE_PARAMS)
//
// declares a struct with one member per parameter, in call order.  Decoders
// fill it with designated initializers, `{.tranName = ..., .flags = ...}`:
// a parameter left out, or two written in another order than the declared
// one, does not compile, so a call cannot pass two ints the wrong way round
// without naming them wrongly.
//
// A parameter may carry more after its name (vyt/catalog.hpp adds its meaning);
// a callback ignores it.
//
// A run of parameters that several callbacks share is declared once as a
// group, a list whose entries take one more leading argument:
//
//   #define VYT_GROUP_LIST_Example(P, x) P(x, Int, Group1) P(x, Int, Group1Ct)
//   VYT_PARAM_GROUP(Example)
//
// and a callback's list names it as `P(Group, member, Example, prefix)`: the
// callback gets one member of type Example (filled as `.member = {...}`),
// and Java gets the group's parameters in its place, each name with `prefix`
// in front (`P(Group, appGroups, Example, app)` passes appGroup1, appGroup1Ct).
#define VYT_CALLBACK_MEMBER(kind, pname, ...) VYT_CALLBACK_MEMBER_##kind(pname, __VA_ARGS__)
#define VYT_CALLBACK_MEMBER_Int(pname, ...) ::vyt::Int pname;
#define VYT_CALLBACK_MEMBER_Str(pname, ...) ::vyt::Str pname;
#define VYT_CALLBACK_MEMBER_Group(pname, Type, prefix) Type pname;
#define VYT_CALLBACK_PARAM(kind, pname, ...) VYT_CALLBACK_PARAM_##kind(pname, __VA_ARGS__)
#define VYT_CALLBACK_PARAM_Int(pname, ...) ::vyt::Param{#pname, ::vyt::Int::kKind},
#define VYT_CALLBACK_PARAM_Str(pname, ...) ::vyt::Param{#pname, ::vyt::Str::kKind},
#define VYT_CALLBACK_PARAM_Group(pname, Type, prefix) VYT_GROUP_LIST_##Type(VYT_GROUP_PARAM, prefix)
#define VYT_CALLBACK_PACK(kind, pname, ...) pname.put(p);
#define VYT_CALLBACK(Type, method, PARAMS)                                       \
    struct Type {                                                                \
        PARAMS(VYT_CALLBACK_MEMBER)                                              \
        static constexpr const char* kMethod = #method;                          \
        static constexpr ::vyt::Param kParams[] = {PARAMS(VYT_CALLBACK_PARAM)};  \
        void pack(::vyt::Packer& p) const noexcept { PARAMS(VYT_CALLBACK_PACK) } \
    };

#define VYT_GROUP_MEMBER(x, kind, pname, ...) ::vyt::kind pname;
#define VYT_GROUP_PARAM(prefix, kind, pname, ...) ::vyt::Param{#prefix #pname, ::vyt::kind::kKind},
#define VYT_GROUP_PACK(x, kind, pname, ...) pname.put(p);
#define VYT_GROUP_COUNT(x, kind, pname, ...) +1
#define VYT_PARAM_GROUP(Type)                                                        \
    struct Type {                                                                    \
        VYT_GROUP_LIST_##Type(VYT_GROUP_MEMBER, ~)                                   \
        static constexpr std::size_t kCount = 0 VYT_GROUP_LIST_##Type(VYT_GROUP_COUNT, ~); \
        void put(::vyt::Packer& p) const noexcept { VYT_GROUP_LIST_##Type(VYT_GROUP_PACK, ~) } \
    };

// Designators out of declaration order are an error, not a warning, in every
// build (GCC and MSVC reject them anyway).
#if defined(__clang__)
#pragma clang diagnostic error "-Wreorder-init-list"
#endif

// The JNI method descriptor of callback CB, e.g. "(Ljava/lang/String;I)V".
template <class CB>
inline constexpr const char* kSignature = sig::text<CB>.data();

template <class CB>
inline constexpr std::size_t kArity = std::size(CB::kParams);

template <class CB>
constexpr std::size_t TextParams() {
    std::size_t n = 0;
    for (const Param& p : CB::kParams) n += p.kind == 'S';
    return n;
}

// ---- the sink interface ----------------------------------------------------

// Where trace and error lines go.
//
// Every trace and error text is made by the format strings handed to
// trace/tracef/errorf and Out::trace/error/fail.  Existing log readers compare
// these texts, so they stay exactly as they are, typos and spacing included;
// renaming code never changes a text.
class Tracer {
public:
    virtual ~Tracer() = default;
    virtual bool tracing() const = 0;
    virtual void traceLine(const char* text) = 0;  // a trace line (only while tracing)
    virtual void errorLine(const char* text) = 0;  // an error line (always)
    // True when trace lines go to the trace file as they are (through
    // trace::msg), so that a hex dump may write its rows there directly.
    virtual bool writesTraceFile() const { return false; }
    // Formats a trace line (see tracef); use VYT_TRACE() around it.
    void trace(const char* fmt, ...) VYT_PRINTF(2, 3);
};

// Formats into a local buffer of `kLineMax` bytes (longer texts are cut) and
// writes a trace line / an error line.
inline constexpr std::size_t kLineMax = 4096;
void tracef(Tracer& t, const char* fmt, ...) VYT_PRINTF(2, 3);
void errorf(Tracer& t, const char* fmt, ...) VYT_PRINTF(2, 3);

// Where a decoder's calls go, besides its lines.
class Sink : public Tracer {
public:
    // Looks up a callback on the target's class; false if the class lacks it.
    virtual bool lookup(int slot, const char* name, const char* signature) = 0;
    // Makes a Java string to be passed to several calls; false on failure.
    virtual bool share(int slot, TextArg text) = 0;
    // Calls a looked-up callback; false when the call left a Java exception.
    virtual bool call(int slot, const CallArgs& args) = 0;
};

// A looked-up callback CB.
template <class CB>
struct Bound {
    int slot = -1;
};

// ---- Out: what decoders write to -----------------------------------------------

class Out {
public:
    static constexpr int kMaxMethods = 4;
    static constexpr int kMaxShared = 4;
    static constexpr int kMaxTextArgs = 16;  // strings in one call
    static constexpr int kMaxArgs = 64;

    // Whether tracing is on is read once: a decoder's lines come whole or not at all.
    Out(Sink& sink, const char* who) : sink_(sink), who_(who), tracing_(sink.tracing()) {}

    const char* who() const noexcept { return who_; }
    Tracer& tracer() noexcept { return sink_; }
    bool tracing() const noexcept { return tracing_; }
    // False once anything failed: a lookup, a Java exception, a short reply.
    bool ok() const noexcept { return status_ == 0; }
    int status() const noexcept { return status_; }

    // Formats one trace line (4096 bytes at most); use VYT_TRACE() so that the
    // arguments are not even evaluated while tracing is off.
    void trace(const char* fmt, ...) VYT_PRINTF(2, 3);
    // Formats one error line; written whether or not tracing is on.
    void error(const char* fmt, ...) VYT_PRINTF(2, 3);
    // Marks the decode as failed (status 1) and writes an error line.
    void fail(const char* fmt, ...) VYT_PRINTF(2, 3);

    // Looks up callback CB.  After a failure no further lookup is made.
    template <class CB>
    Bound<CB> method() {
        if (!ok()) return {};
        if (nMethods_ >= kMaxMethods) {
            fail("%s: too many callbacks\n", who_);
            return {};
        }
        const int slot = nMethods_++;
        if (!sink_.lookup(slot, CB::kMethod, kSignature<CB>)) {
            failLookup(CB::kMethod, kSignature<CB>);
            return {};
        }
        return Bound<CB>{slot};
    }

    // Makes one Java string to be passed to several calls.
    SharedText share(TextArg t) {
        if (!ok()) return {};
        if (nShared_ >= kMaxShared) {
            fail("%s: too many shared strings\n", who_);
            return {};
        }
        const int slot = nShared_++;
        if (!sink_.share(slot, t)) {
            failJava();
            return {};
        }
        return SharedText{slot};
    }

    // Calls CB with its parameters given by name: `out.call(m, {.tranName = ..., .flags = ...})`.
    template <class CB>
    void call(Bound<CB> m, const std::type_identity_t<CB>& args) {
        static_assert(kArity<CB> <= kMaxArgs && TextParams<CB>() <= kMaxTextArgs, "callback too wide");
        if (!ok() || m.slot < 0) return;
        constexpr std::size_t kTexts = TextParams<CB>();
        Slot slots[kArity<CB>];
        TextArg texts[kTexts > 0 ? kTexts : 1];
        std::uint8_t textAt[kTexts > 0 ? kTexts : 1];
        Packer p{slots, texts, textAt};
        args.pack(p);
        if (!sink_.call(m.slot, CallArgs{slots, kArity<CB>, texts, textAt, kTexts})) failJava();
    }

private:
    void failLookup(const char* name, const char* signature);
    void failJava();

    Sink& sink_;
    const char* who_;
    int status_ = 0;
    int nMethods_ = 0;
    int nShared_ = 0;
    bool tracing_;
};

}  // namespace vyt

// VYT_SAME(a, b, ...): the designated initialisers .a = a, .b = b, ... of a
// call's arguments that are passed from constants of the same name.
#define VYT_SAME(...) VYT_FOR_LIST(VYT_SAME_ONE, , __VA_ARGS__)
#define VYT_SAME_ONE(unused, name) .name = name

// VYT_TRACE(out, fmt, ...): formats and writes a trace line only while tracing is
// on; the arguments (FlagsText, time texts) are not evaluated otherwise.
#define VYT_TRACE(out, ...)                                      \
    do {                                                     \
        if ((out).tracing()) (out).trace(__VA_ARGS__);       \
    } while (0)
