// A JNIEnv of our own: a function table with just the functions the library
// may use, fake objects, and counters for local references, pins and
// exceptions.  Any other JNI function is a null pointer and crashes a test
// that reaches it.
#pragma once

#include <jni.h>

#include <cstdint>
#include <deque>
#include <memory>
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
        bool anyMethod = false;         // Target: every lookup succeeds
    };
    struct Call {
        std::string method;  // "name signature"
        std::vector<std::string> args;  // ints in decimal, strings quoted "..."
        std::vector<jobject> refs;      // the string objects passed (null for ints)
    };

    FakeJni();
    JNIEnv* env() { return &env_; }

    jbyteArray array(const std::vector<unsigned char>& bytes);
    jstring string(const std::u16string& chars);
    jobject target(std::vector<std::string> methods);

    // Local references made by the library and not deleted, now and at most.
    int liveRefs = 0;
    int maxLiveRefs = 0;
    int pins = 0;                 // arrays pinned and not released
    std::vector<jint> releaseModes;
    bool pending = false;         // a Java exception is pending
    bool keepCalls = true;        // record the calls (off for fuzzing)
    int jniCallsWhilePending = 0; // functions other than the allowed few called while pending
    int nullObjects = 0;          // functions that were handed a null object
    std::vector<std::string> invalidUtf;  // NewStringUTF texts that were not modified UTF-8
    std::vector<Call> calls;
    int callCount = 0;

    Object* obj(jobject o) { return reinterpret_cast<Object*>(o); }
    static FakeJni& of(JNIEnv* env);

    // Decodes modified UTF-8 into UTF-16; false if it is not valid modified UTF-8.
    static bool decodeModifiedUtf8(const char* s, std::u16string* out);

    jobject make(Object o);

private:

    JNINativeInterface_ table_{};
    JNIEnv env_{};
    std::deque<Object> objects_;
};

std::string ToUtf8(const std::u16string& s);

}  // namespace vyt::test
