// Scoped owners of JNI local references and local frames.  Nothing else in
// the adapter calls DeleteLocalRef, PushLocalFrame or PopLocalFrame.
//
//   LocalRef<T>      one local reference (jobject, jstring, jclass, ...), deleted
//                    when the owner goes; move-only; release() hands it to Java
//                    as a native method's result.
//   LocalRefs<T, N>  up to N references made one after another, deleted together
//                    when the owner goes (no per-slot construction cost).
//   LocalFrame       a local frame pushed on demand and popped when the owner
//                    goes or at pop(); it counts the references made in it.
//
// A reference made inside a frame belongs to the frame: keep it in no owner
// above, and use it only until the frame is popped.  An owner above must be
// filled outside every frame it could outlive: pop the frame first.
#pragma once

#include <jni.h>

#include <cstddef>
#include <utility>

namespace vyt {

template <class T>
class LocalRef {
public:
    LocalRef() noexcept = default;
    // Adopts `ref` (null is allowed: an empty owner).
    LocalRef(JNIEnv* env, T ref) noexcept : env_(env), ref_(ref) {}
    ~LocalRef() { reset(); }
    LocalRef(LocalRef&& o) noexcept : env_(o.env_), ref_(std::exchange(o.ref_, nullptr)) {}
    LocalRef& operator=(LocalRef&& o) noexcept {
        if (this != &o) {
            reset();
            env_ = o.env_;
            ref_ = std::exchange(o.ref_, nullptr);
        }
        return *this;
    }
    LocalRef(const LocalRef&) = delete;
    LocalRef& operator=(const LocalRef&) = delete;

    T get() const noexcept { return ref_; }
    explicit operator bool() const noexcept { return ref_ != nullptr; }
    // Deletes the reference held, if any, and adopts `ref` (made with `env`).
    void reset(JNIEnv* env, T ref) noexcept {
        reset();
        env_ = env;
        ref_ = ref;
    }
    void reset() noexcept {
        if (ref_ != nullptr) env_->DeleteLocalRef(std::exchange(ref_, nullptr));
    }
    // Gives the reference up undeleted, e.g. as a native method's result.
    [[nodiscard]] T release() noexcept { return std::exchange(ref_, nullptr); }

private:
    JNIEnv* env_ = nullptr;
    T ref_ = nullptr;
};

template <class T, std::size_t N>
class LocalRefs {
public:
    explicit LocalRefs(JNIEnv* env) noexcept : env_(env) {}
    ~LocalRefs() {
        for (std::size_t i = 0; i < n_; ++i) env_->DeleteLocalRef(refs_[i]);
    }
    LocalRefs(const LocalRefs&) = delete;
    LocalRefs& operator=(const LocalRefs&) = delete;

    // Adopts a non-null `ref`; the caller keeps to N of them.
    void add(T ref) noexcept { refs_[n_++] = ref; }
    std::size_t size() const noexcept { return n_; }

private:
    JNIEnv* env_;
    std::size_t n_ = 0;
    T refs_[N];  // the first n_ are held
};

class LocalFrame {
public:
    explicit LocalFrame(JNIEnv* env) noexcept : env_(env) {}
    ~LocalFrame() { pop(); }
    LocalFrame(const LocalFrame&) = delete;
    LocalFrame& operator=(const LocalFrame&) = delete;

    bool pushed() const noexcept { return pushed_; }
    // Pushes a frame with room for `capacity` references, unless one is
    // pushed already; false when the JVM refuses (OutOfMemoryError pending).
    [[nodiscard]] bool enter(jint capacity) noexcept {
        if (pushed_) return true;
        if (env_->PushLocalFrame(capacity) != 0) return false;
        pushed_ = true;
        return true;
    }
    // Counts a reference made in the pushed frame; it lives until pop().
    template <class T>
    T hold(T ref) noexcept {
        ++held_;
        return ref;
    }
    // References counted since the frame was pushed.
    int held() const noexcept { return held_; }
    // Pops the frame, if one is pushed, and with it every reference made in it.
    void pop() noexcept {
        if (pushed_) env_->PopLocalFrame(nullptr);
        pushed_ = false;
        held_ = 0;
    }

private:
    JNIEnv* env_;
    bool pushed_ = false;
    int held_ = 0;
};

}  // namespace vyt
