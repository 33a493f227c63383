// What a decoder produces: calls on the Java target and trace lines.
//
// Decoders are pure: they read a reply and talk to an `Out`.  `Out` forwards to
// a `Sink`, which is either the JNI adapter (the real library) or a recorder
// (tests).  Every Java callback is void and takes only String and int
// parameters, so its JNI signature is derived from the parameter list at
// compile time and the arguments of every call are checked against it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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

// ---- callback parameter kinds and the signatures derived from them ----------

struct Int {};                                  // one Java int
struct Str {};                                  // one java.lang.String
template <std::size_t N> struct Ints {};        // N Java ints in a row

namespace sig {
template <class P> struct Count { static constexpr std::size_t params = 1; };
template <std::size_t N> struct Count<Ints<N>> { static constexpr std::size_t params = N; };

template <class P> constexpr std::size_t chars() {
    if constexpr (std::is_same_v<P, Str>) return sizeof("Ljava/lang/String;") - 1;
    else return Count<P>::params;  // "I" per int
}
template <class P> constexpr void put(char* out, std::size_t& at, char* kinds, std::size_t& k) {
    if constexpr (std::is_same_v<P, Str>) {
        const char s[] = "Ljava/lang/String;";
        for (std::size_t i = 0; i + 1 < sizeof s; ++i) out[at++] = s[i];
        kinds[k++] = 'S';
    } else {
        for (std::size_t i = 0; i < Count<P>::params; ++i) {
            out[at++] = 'I';
            kinds[k++] = 'I';
        }
    }
}
}  // namespace sig

template <std::size_t N>
struct Name {
    char s[N];
    constexpr Name(const char (&a)[N]) {
        for (std::size_t i = 0; i < N; ++i) s[i] = a[i];
    }
};

// A Java callback: its name and parameter list.  `signature` is the JNI
// method descriptor, e.g. Method<"setData", Int, Int>::signature == "(II)V".
template <Name N, class... P>
struct Method {
    static constexpr std::size_t arity = (std::size_t{0} + ... + sig::Count<P>::params);
    static constexpr std::size_t sigLen = 3 + (std::size_t{0} + ... + sig::chars<P>());

private:
    struct Built {
        std::array<char, sigLen + 1> text{};
        std::array<char, arity + 1> kinds{};
    };
    static constexpr Built build() {
        Built b{};
        std::size_t at = 0, k = 0;
        b.text[at++] = '(';
        (sig::put<P>(b.text.data(), at, b.kinds.data(), k), ...);
        b.text[at++] = ')';
        b.text[at++] = 'V';
        b.text[at] = '\0';
        return b;
    }
    static constexpr Built built = build();

public:
    static constexpr const char* name = N.s;
    static constexpr const char* signature = built.text.data();
    // 'I' or 'S' per parameter, in order.
    static constexpr const char* kinds = built.kinds.data();
};

// ---- arguments ---------------------------------------------------------------

// A text argument: bytes of a reply field (not necessarily valid UTF-8) that
// the sink turns into a Java string.  `shared` >= 0 names a string made once
// with Out::share and passed to several calls.
struct TextArg {
    const char* p = nullptr;
    std::uint32_t n = 0;
    std::int32_t shared = -1;
};

struct Arg {
    bool isText;
    std::int32_t i;
    TextArg t;
};

template <std::size_t W>
inline TextArg text(const FixedText<W>& f) noexcept {
    return TextArg{f.c_str(), static_cast<std::uint32_t>(f.size()), -1};
}
inline TextArg text(const char* s) noexcept {
    std::uint32_t n = 0;
    while (s[n] != '\0') ++n;
    return TextArg{s, n, -1};
}

// A Java string made once and passed to several calls (same object each time).
struct SharedText {
    std::int32_t slot = -1;
};

namespace arg {
template <class A> constexpr char kindOf() {
    using T = std::remove_cvref_t<A>;
    if constexpr (std::is_same_v<T, TextArg> || std::is_same_v<T, SharedText>) return 'S';
    else if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool> && sizeof(T) <= 4) return 'I';
    else return '?';
}
inline Arg make(TextArg t) noexcept { return Arg{true, 0, t}; }
inline Arg make(SharedText s) noexcept { return Arg{true, 0, TextArg{nullptr, 0, s.slot}}; }
template <class T>
    requires std::is_integral_v<T>
inline Arg make(T v) noexcept {
    return Arg{false, static_cast<std::int32_t>(v), {}};
}
}  // namespace arg

// ---- the sink interface ----------------------------------------------------

// Where trace and error lines go.
class Tracer {
public:
    virtual ~Tracer() = default;
    virtual bool tracing() const = 0;
    virtual void traceLine(const char* text) = 0;  // a trace line (only while tracing)
    virtual void errorLine(const char* text) = 0;  // an error line (always)
    // Formats a trace line (see tracef); use TRACE() around it.
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
    virtual bool call(int slot, const Arg* args, std::size_t n) = 0;
};

// A looked-up callback of type M.
template <class M>
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

    Out(Sink& sink, const char* who) noexcept : sink_(sink), who_(who) {}

    const char* who() const noexcept { return who_; }
    Tracer& tracer() noexcept { return sink_; }
    bool tracing() const { return sink_.tracing(); }
    // False once anything failed: a lookup, a Java exception, a short reply.
    bool ok() const noexcept { return status_ == 0; }
    int status() const noexcept { return status_; }

    // Formats one trace line (4096 bytes at most); use TRACE() so that the
    // arguments are not even evaluated while tracing is off.
    void trace(const char* fmt, ...) VYT_PRINTF(2, 3);
    // Formats one error line; written whether or not tracing is on.
    void error(const char* fmt, ...) VYT_PRINTF(2, 3);
    // Marks the decode as failed (status 1) and writes an error line.
    void fail(const char* fmt, ...) VYT_PRINTF(2, 3);

    // Looks up callback M.  After a failure no further lookup is made.
    template <class M>
    Bound<M> method() {
        if (!ok()) return {};
        if (nMethods_ >= kMaxMethods) {
            fail("%s: too many callbacks\n", who_);
            return {};
        }
        const int slot = nMethods_++;
        if (!sink_.lookup(slot, M::name, M::signature)) {
            failLookup(M::name, M::signature);
            return {};
        }
        return Bound<M>{slot};
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

    // Calls M with `args`, which must match its parameter list exactly:
    // integers (at most 32 bits) for Int, text(...) or a SharedText for Str.
    template <class M, class... A>
    void call(Bound<M> m, const A&... args) {
        static_assert(sizeof...(A) == M::arity, "argument count differs from the callback's");
        static_assert(M::arity <= kMaxArgs && textParams(M::kinds) <= kMaxTextArgs, "callback too wide");
        static_assert(argsMatch<M, A...>(std::index_sequence_for<A...>{}),
                      "argument kinds differ from the callback's parameters");
        if (!ok() || m.slot < 0) return;
        const Arg packed[] = {arg::make(args)...};
        if (!sink_.call(m.slot, packed, sizeof...(A))) failJava();
    }

private:
    static constexpr int textParams(const char* kinds) {
        int n = 0;
        for (; *kinds != '\0'; ++kinds) n += *kinds == 'S';
        return n;
    }
    template <class M, class... A, std::size_t... I>
    static constexpr bool argsMatch(std::index_sequence<I...>) {
        return ((arg::kindOf<A>() == M::kinds[I]) && ...);
    }
    void failLookup(const char* name, const char* signature);
    void failJava();

    Sink& sink_;
    const char* who_;
    int status_ = 0;
    int nMethods_ = 0;
    int nShared_ = 0;
};

}  // namespace vyt

// TRACE(out, fmt, ...): formats and writes a trace line only while tracing is
// on; the arguments (FlagsText, time texts) are not evaluated otherwise.
#define TRACE(out, ...)                                      \
    do {                                                     \
        if ((out).tracing()) (out).trace(__VA_ARGS__);       \
    } while (0)
