// A JNIEnv of our own: a function table with just the functions the library
// may use, fake objects, and counters for local references, pins and
// exceptions.  Any other JNI function is a null pointer and crashes a test
// that reaches it.
//
// The fake is strict: deleting a local reference it did not hand out or that
// is already deleted, releasing an array that is not pinned (or twice), or
// calling any function but ExceptionCheck, ReleaseByteArrayElements,
// DeleteLocalRef and the local frame functions while an exception is pending,
// popping a frame that was not pushed, making more references in a frame
// than it was pushed with room for, passing a local reference to any function
// after it was deleted or its frame popped, or leaving a frame pushed when the
// FakeJni goes breaks the JNI rules; the fake then writes what happened to
// stderr and aborts the process, so the test or the fuzz run fails at the
// point of the fault.  All state belongs to one FakeJni; construct one and
// pass env() to the exported functions.
#pragma once

#include <jni.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vyt::test {

class FakeJni {
public:
    struct Object {
        enum Kind { Array, String, Target, Class } kind;
        std::vector<jbyte> bytes;       // Array
        std::u16string chars;           // String
        std::vector<std::string> methods;  // Target/Class: "name signature" that exist
        int throwOnCall = -1;           // Target: the call (0-based) that throws
        bool anyMethod = false;         // Target/Class: every lookup succeeds
        const char* gone = nullptr;     // a local reference to it was deleted ("...") or its frame popped
    };
    // What a fault injected with `failIn` throws.
    enum class Throw { BadAlloc, RuntimeError };
    struct Call {
        std::string method;  // "name signature"
        std::vector<std::string> args;  // ints in decimal, strings quoted "..."
        std::vector<jobject> refs;      // the string objects passed (null for ints)
    };

    FakeJni();
    ~FakeJni();
    FakeJni(const FakeJni&) = delete;
    FakeJni& operator=(const FakeJni&) = delete;
    JNIEnv* env() { return &env_; }

    jbyteArray array(const std::vector<unsigned char>& bytes);
    jstring string(const std::u16string& chars);
    jobject target(std::vector<std::string> methods);

    // Local references made by the library and not deleted, now and at most.
    int liveRefs = 0;
    int maxLiveRefs = 0;
    int openFrames = 0;           // local frames pushed and not popped
    int pins = 0;                 // arrays pinned and not released
    std::vector<jint> releaseModes;
    bool pending = false;         // a Java exception is pending
    bool keepCalls = true;        // record the calls (off for fuzzing)
    int nullObjects = 0;          // functions that were handed a null object
    // Fault injection: the JNI function of this name (e.g. "NewStringUTF")
    // throws a C++ exception of kind `failWith` when it is next called.
    std::string failIn;
    Throw failWith = Throw::BadAlloc;
    std::vector<std::string> invalidUtf;  // NewStringUTF texts that were not modified UTF-8
    std::vector<Call> calls;
    int callCount = 0;

    Object* obj(jobject o) { return reinterpret_cast<Object*>(o); }
    static FakeJni& of(JNIEnv* env);

    // Decodes modified UTF-8 into UTF-16; false if it is not valid modified UTF-8.
    static bool decodeModifiedUtf8(const char* s, std::u16string* out);

    jobject make(Object o);

    // Bookkeeping of the JNI functions; a breach of the JNI rules aborts.
    void enter(const char* function, bool allowedWhilePending);
    jobject madeLocal(jobject o);
    // Breaches when `o` is a local reference that was deleted or whose frame was popped.
    void use(const char* function, jobject o);
    void deleteLocal(jobject o);
    void pushFrame(jint capacity);
    void popFrame();
    jbyte* pin(jbyteArray a);
    void release(jbyteArray a, jbyte* p, jint mode);
    jmethodID methodId(const std::string& key);
    const std::string& methodKey(jmethodID id);
    [[noreturn]] static void breach(const std::string& what);

private:
    struct Frame {
        std::vector<jobject> refs;  // made while it was the top frame
        jint capacity;
    };
    std::set<jobject> locals_;                         // local references handed out and not deleted
    std::vector<Frame> frames_;                        // local frames pushed and not popped
    std::set<jbyte*> pinned_;                          // elements handed out and not released
    std::deque<std::string> methods_;                  // jmethodIDs point into this

    JNINativeInterface_ table_{};
    JNIEnv env_{};
    std::deque<Object> objects_;
};

std::string ToUtf8(const std::u16string& s);

}  // namespace vyt::test
