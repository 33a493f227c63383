// The one place where decoded calls become JNI calls.
#pragma once

#include <jni.h>

#include <cstdint>

#include "vyt/emit.hpp"
#include "vyt/trace.hpp"
#include "trace_batch.hpp"

namespace vyt {

// One Java string per distinct text of a reply.  Texts of 1 to kMaxKey bytes
// are kept as local references in a table of kSlots; a text seen again in the
// same reply is passed as the same String object.  The table is bounded, so
// the local references it holds are too; it deletes them all when the reply
// is done.  A reference passed in the current call is never evicted.  When
// texts do not recur (fewer than kMinHits of a window of kWindow lookups
// found), the table gives back its references and is left alone for the
// next kPause texts.
class StringCache {
public:
    static constexpr int kSlots = 256;
    static constexpr std::size_t kMaxKey = 48;
    static constexpr int kProbes = 4;
    static constexpr int kWindow = 256;
    static constexpr int kMinHits = 16;
    static constexpr int kPause = 4096;

    StringCache() noexcept = default;
    StringCache(const StringCache&) = delete;
    StringCache& operator=(const StringCache&) = delete;

    // Starts a new call: references handed out from now on belong to it.
    void nextCall() noexcept { ++call_; }
    // The string for `t`.  *owned is true when the caller must delete it after
    // the call (a text the table does not keep).  Null with a pending
    // exception when the string could not be made.
    jstring get(JNIEnv* env, TextArg t, bool* owned);
    // Deletes every reference the table holds.
    void clear(JNIEnv* env) noexcept;

private:
    struct Slot {
        jstring ref;
        std::uint32_t hash;
        std::uint32_t len;
        std::uint32_t call;  // the call that last used it
        char key[kMaxKey];
    };
    bool used(int k) const noexcept { return (used_[k >> 6] >> (k & 63)) & 1; }
    // Deletes the references the current call does not pass.
    void release(JNIEnv* env) noexcept;
    // Which slots hold a reference; the slots themselves are left
    // uninitialised until first used, so a reply starts at no cost.
    std::uint64_t used_[kSlots / 64] = {};
    std::uint32_t call_ = 1;
    int lookups_ = 0, hits_ = 0;  // in the current window
    int pause_ = 0;               // texts still to make without the table
    Slot slots_[kSlots];
};

// Local references one mapData call may hold at once, at most: the target's
// class, the shared strings, the cached strings and the strings of one call.
inline constexpr int kLocalRefsPerReply = 1 + Out::kMaxShared + StringCache::kSlots + Out::kMaxTextArgs;

// Makes a Java string from reply bytes (any bytes: invalid UTF-8 is mapped,
// see ToModifiedUtf8).  Null with a pending exception on failure.
jstring NewJavaString(JNIEnv* env, TextArg t);

// Sends a decoder's calls to a Java target object.  Keeps the number of live
// local references bounded: the class, the shared strings and the cached
// strings live until the sink is destroyed, every other string of a call is
// deleted after it.
class JniSink final : public Sink {
public:
    JniSink(JNIEnv* env, jobject target) noexcept : env_(env), target_(target) {}
    ~JniSink() override;
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
    bool lookup(int slot, const char* name, const char* signature) override;
    bool share(int slot, TextArg text) override;
    bool call(int slot, const Arg* args, std::size_t n) override;

private:
    // Writes the lines gathered so far, before a call into Java.
    void flushLines() {
        if (lines_written_) trace::flush();
        lines_written_ = false;
    }

    JNIEnv* env_;
    jobject target_;
    jclass cls_ = nullptr;
    jmethodID ids_[Out::kMaxMethods] = {};
    jstring shared_[Out::kMaxShared] = {};
    StringCache strings_;
    bool lines_written_ = false;
    // Lines are gathered while decoding and written before every call into
    // Java and before mapData returns.
    trace::Batch lines_;
};

}  // namespace vyt
