// The one place where decoded calls become JNI calls.
#pragma once

#include <jni.h>

#include "vyt/emit.hpp"
#include "vyt/trace.hpp"

namespace vyt {

// Local references one mapData call may hold at once, at most: the target's
// class, the shared strings and the strings of one call.
inline constexpr int kLocalRefsPerReply = 1 + Out::kMaxShared + Out::kMaxTextArgs;

// Makes a Java string from reply bytes (any bytes: invalid UTF-8 is mapped,
// see ToModifiedUtf8).  Null with a pending exception on failure.
jstring NewJavaString(JNIEnv* env, TextArg t);

// Sends a decoder's calls to a Java target object.  Keeps the number of live
// local references constant per call: the class and the shared strings live
// until the sink is destroyed, each call's own strings are deleted after it.
class JniSink final : public Sink {
public:
    JniSink(JNIEnv* env, jobject target) noexcept : env_(env), target_(target) {}
    ~JniSink() override;
    JniSink(const JniSink&) = delete;
    JniSink& operator=(const JniSink&) = delete;

    bool tracing() const override { return trace::enabled(); }
    void traceLine(const char* text) override { trace::msg(text); }
    void errorLine(const char* text) override { trace::error(text); }
    bool lookup(int slot, const char* name, const char* signature) override;
    bool share(int slot, TextArg text) override;
    bool call(int slot, const Arg* args, std::size_t n) override;

private:
    JNIEnv* env_;
    jobject target_;
    jclass cls_ = nullptr;
    jmethodID ids_[Out::kMaxMethods] = {};
    jstring shared_[Out::kMaxShared] = {};
};

}  // namespace vyt
