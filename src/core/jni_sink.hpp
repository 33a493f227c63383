// The one place where decoded calls become JNI calls.
#pragma once

#include <jni.h>

#include <cstdint>

#include "jni_refs.hpp"
#include "vyt/emit.hpp"
#include "vyt/request.hpp"
#include "vyt/trace.hpp"
#include "trace_batch.hpp"

namespace vyt {

// Builds the request record and returns it as a new Java byte array (the
// one record both request natives hand to Java); null on failure.
jbyteArray NewRequestArray(JNIEnv* env, Tracer& t, const RequestArgs& a, const NameArg& tranName,
                           const NameArg& subTranName);

// Writes the error line for a C++ exception that reached native method
// `method`.  Called inside the method's catch handler.
void ReportException(const char* method) noexcept;

// A Java string from bytes that need converting to modified UTF-8 first (see
// ToModifiedUtf8), or only a terminating NUL.
jstring NewConvertedString(JNIEnv* env, const TextArg& t);

// Makes a Java string from reply bytes (any bytes: invalid UTF-8 is mapped,
// see ToModifiedUtf8).  ASCII bytes followed by their NUL are modified UTF-8
// already and go to Java where they lie.  Null with a pending exception on
// failure.
VYT_ALWAYS_INLINE jstring NewJavaString(JNIEnv* env, const TextArg& t) {
    if (t.ascii && t.terminated) return env->NewStringUTF(t.p);
    return NewConvertedString(env, t);
}

// One Java string per distinct text of a reply.  Texts of 1 to kMaxKey bytes
// are kept as local references in a table of kSlots; a text seen again in the
// same reply is passed as the same String object.  The table is bounded, so
// the local references it holds are too; the table owns them: a slot's
// reference is deleted, through LocalRef, when the slot is reused and when the
// table goes (at the end of the reply).  A reference passed in the current
// call is never evicted.
//
// Whether texts recur is judged per field (a text parameter of a callback):
// names of nodes and transactions recur, other texts may not.  When fewer
// than kMinHits of a window of kWindow lookups of a field are found, that
// field's texts are made one by one, as if there were no table, for its next
// kPause texts.
class StringCache {
public:
    static constexpr int kSlots = 256;
    static constexpr std::size_t kMaxKey = 48;
    static constexpr int kProbes = 4;
    static constexpr int kWindow = 64;
    static constexpr int kMinHits = 4;
    static constexpr int kPause = 4096;
    static constexpr int kFields = Out::kMaxMethods * Out::kMaxTextArgs;

    explicit StringCache(JNIEnv* env) noexcept : env_(env) {}
    ~StringCache();
    StringCache(const StringCache&) = delete;
    StringCache& operator=(const StringCache&) = delete;

    // Where a text not found would be kept: its hash, the slot, and whether it is ASCII.
    struct Probe {
        std::uint32_t hash;
        int victim;  // -1: every slot probed serves the current call
        bool ascii;
    };

    // Starts a new call: references handed out from now on belong to it.
    void nextCall() noexcept { ++call_; }
    // Whether the text `t` of field `field` (0 to kFields - 1) is looked up in
    // the table; when not, the caller makes its string for the one call.
    // Empty texts are not kept either: each call gets a string of its own.
    VYT_ALWAYS_INLINE bool kept(const TextArg& t, int field) noexcept {
        Field& f = fields_[field];
        if (f.pause > 0) {
            --f.pause;
            return false;
        }
        return t.n != 0 && t.n <= kMaxKey;
    }
    // The table's string for a kept text, or null when it has none yet: the
    // caller then makes the string (see MakeKeptString) and hands it to keep().
    jstring find(const TextArg& t, int field, Probe* probe);
    // Keeps `made`, the string for `t`, where find() said; false when there is
    // no room (the caller then keeps ownership of it).
    bool keep(const TextArg& t, const Probe& probe, jstring made) noexcept;

private:
    struct Slot {
        jstring ref;  // owned by the table
        std::uint32_t hash;
        std::uint32_t len;
        std::uint32_t call;  // the call that last used it
        char key[kMaxKey];
    };
    struct Field {
        std::uint8_t lookups, hits;  // in the current window
        std::int16_t pause;          // texts still to make without the table
    };
    static_assert(kWindow <= 255 && kPause <= 32767);
    bool used(int k) const noexcept { return (used_[k >> 6] >> (k & 63)) & 1; }
    // Deletes the reference slot k holds (used(k)), through its owner type.
    void drop(int k) noexcept { LocalRef<jstring>(env_, slots_[k].ref).reset(); }

    JNIEnv* env_;
    // Which slots hold a reference; the slots themselves are left
    // uninitialised until first used, so a reply starts at little cost.
    std::uint64_t used_[kSlots / 64] = {};
    std::uint32_t call_ = 1;
    Field fields_[kFields] = {};
    Slot slots_[kSlots];
};

// The string for a text the table keeps but does not hold yet.
jstring MakeKeptString(JNIEnv* env, const TextArg& t, const StringCache::Probe& probe);

// Local references one mapData call may hold at once outside a local frame,
// at most: the target's class, the shared strings, the cached strings and the
// strings of one call that the table has no room for.
inline constexpr int kLocalRefsPerReply = 1 + Out::kMaxShared + StringCache::kSlots + Out::kMaxTextArgs;
// Strings made for one call alone are not deleted one by one: they live in a
// local frame that is popped once it holds kFrameRefs of them (one
// PopLocalFrame costs less than that many DeleteLocalRef calls).  The frame
// holds at most the strings of one call more.
inline constexpr int kFrameRefs = 256;
inline constexpr int kFrameCapacity = kFrameRefs + Out::kMaxTextArgs;


// Sends a decoder's calls to a Java target object.  Keeps the number of live
// local references bounded: the class, the shared strings and the cached
// strings are owned by the sink and live until it is destroyed, in the
// caller's frame; every other string of a call lives in a local frame of at
// most kFrameCapacity references, popped when full and whenever a reference
// must be made outside it.
class JniSink final : public Sink {
public:
    JniSink(JNIEnv* env, jobject target) noexcept : env_(env), target_(target), strings_(env), frame_(env) {}
    ~JniSink() override = default;
    JniSink(const JniSink&) = delete;
    JniSink& operator=(const JniSink&) = delete;

    bool tracing() const override { return trace::enabled(); }
    void traceLine(const char* text) override {
        lines_written_ = true;
        trace::msg(text);
    }
    void errorLine(const char* text) override {
        lines_written_ = true;
        trace::error(text);
    }
    bool writesTraceFile() const override { return true; }
    bool lookup(int slot, const char* name, const char* signature) override;
    bool share(int slot, TextArg text) override;
    bool call(int slot, const CallArgs& args) override;

private:
    // Writes the lines gathered so far, before a call into Java.
    void flushLines() {
        if (lines_written_) trace::flush();
        lines_written_ = false;
    }
    // Pops the frame of one-call strings (before a reference that must
    // outlive it is made).
    void leaveFrame() noexcept { frame_.pop(); }

    // Destroyed in reverse order: the gathered lines are written, the frame
    // is popped, then the table's, the shared and the class references go.
    JNIEnv* env_;
    jobject target_;
    LocalRef<jclass> cls_;
    jmethodID ids_[Out::kMaxMethods] = {};
    LocalRef<jstring> shared_[Out::kMaxShared];
    StringCache strings_;
    bool lines_written_ = false;
    LocalFrame frame_;  // the strings of one call alone
    // Not used by name: while it lives, the lines of this thread are gathered
    // (while decoding) and written at flushLines(), before every call into
    // Java, and when it is destroyed, before mapData returns.
    trace::Batch gatherLines_;
};

}  // namespace vyt
