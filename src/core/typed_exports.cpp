// The natives of the typed Java API (class org.vytjni.api.NativeCalls): one
// call per reply and one per request.  No C++ exception leaves them; Java
// nulls are refused before any JNI function sees them.
#include <jni.h>

#include <cstring>
#include <exception>
#include <new>

#include "jni_refs.hpp"
#include "jni_sink.hpp"
#include "typed_sink.hpp"
#include "vyt/catalog.hpp"
#include "vyt/request.hpp"
#include "vyt/trace.hpp"

namespace vyt {

namespace {

thread_local TypedBuffers tBuffers;
thread_local GrowArray<unsigned char> tReply;  // the reply being decoded

// The one place where a typed decode's result becomes Java objects:
// Object[]{ByteBuffer words, byte[] texts}, laid out as typed_sink.hpp says; on
// failure the one text is the message.  The words are not copied: the buffer
// is a direct ByteBuffer over this thread's buffer of words, valid until the
// thread's next typed decode (Java reads it before it returns from the decode).
// Three local references, whatever the size of the reply: Java makes the Strings.
jobjectArray ToJava(JNIEnv* env, TypedBuffers& b) {
    if (b.failed()) {
        FileTracer t;
        errorf(t, "decodeTyped: out of memory while handing the reply to Java\n");
        return nullptr;
    }
    LocalRef<jobject> ints(env, env->NewDirectByteBuffer(b.ints.data(), static_cast<jlong>(b.ints.size() * sizeof(std::int32_t))));
    if (!ints) {
        if (!env->ExceptionCheck()) {
            FileTracer t;
            errorf(t, "decodeTyped: this JVM does not give direct buffers to native code\n");
        }
        return nullptr;
    }
    LocalRef<jbyteArray> bytes(env, env->NewByteArray(static_cast<jsize>(b.bytes.size())));
    if (!bytes) return nullptr;
    env->SetByteArrayRegion(bytes.get(), 0, static_cast<jsize>(b.bytes.size()),
                            reinterpret_cast<const jbyte*>(b.bytes.data()));
    if (env->ExceptionCheck()) return nullptr;
    LocalRef<jclass> objectClass(env, env->FindClass("java/lang/Object"));
    if (!objectClass) return nullptr;
    LocalRef<jobjectArray> out(env, env->NewObjectArray(2, objectClass.get(), nullptr));
    if (!out) return nullptr;
    // Objects into an Object[] at indexes inside it: these stores cannot throw.
    env->SetObjectArrayElement(out.get(), 0, ints.get());
    env->SetObjectArrayElement(out.get(), 1, bytes.get());
    if (env->ExceptionCheck()) return nullptr;
    return out.release();
}

// A byte array held in place (GetPrimitiveArrayCritical) for as long as this lives, released
// without copy-back: between the two, no JNI function may be called.
class CriticalBytes {
public:
    CriticalBytes(JNIEnv* env, jbyteArray a) noexcept
        : env_(env), a_(a), p_(static_cast<const unsigned char*>(env->GetPrimitiveArrayCritical(a, nullptr))) {}
    ~CriticalBytes() {
        if (p_ != nullptr) env_->ReleasePrimitiveArrayCritical(a_, const_cast<unsigned char*>(p_), JNI_ABORT);
    }
    CriticalBytes(const CriticalBytes&) = delete;
    CriticalBytes& operator=(const CriticalBytes&) = delete;
    const unsigned char* data() const noexcept { return p_; }

private:
    JNIEnv* env_;
    jbyteArray a_;
    const unsigned char* p_;
};

// A name's UTF-8 bytes from a Java byte array; too long when it cannot fit the widest field.
class NameBytes {
public:
    static constexpr std::size_t kMaxBytes = sizeof(layout::RequestRecord::subTranName);
    NameBytes(JNIEnv* env, jbyteArray a) {
        if (a == nullptr) return;  // Missing
        const jsize n = env->GetArrayLength(a);
        if (n < 0 || static_cast<std::size_t>(n) > kMaxBytes) {
            arg_.state = NameArg::TooLong;
            arg_.chars = static_cast<int>(n);
            return;
        }
        env->GetByteArrayRegion(a, 0, n, reinterpret_cast<jbyte*>(bytes_));
        if (env->ExceptionCheck()) return;
        bytes_[n] = '\0';
        arg_.state = NameArg::Text;
        arg_.utf8 = bytes_;
        arg_.bytes = static_cast<std::size_t>(n);
        arg_.chars = static_cast<int>(n);
    }
    const NameArg& arg() const { return arg_; }

private:
    NameArg arg_;
    char bytes_[kMaxBytes + 1];
};

}  // namespace

}  // namespace vyt

extern "C" {

JNIEXPORT jobjectArray JNICALL Java_org_vytjni_api_NativeCalls_decode0(JNIEnv* env, jclass, jbyteArray reply,
                                                                      jint reportType) {
    try {
        if (reply == nullptr) {
            vyt::FileTracer t;
            vyt::errorf(t, "decodeTyped: the reply array is null\n");
            return nullptr;
        }
        const jsize n = env->GetArrayLength(reply);
        // While the array is held in place the JVM cannot collect garbage: only replies small
        // enough to decode in about a millisecond are held; larger ones are copied.
        constexpr jsize kHoldLimit = 1 << 20;
        if (n > 0 && n <= kHoldLimit && !vyt::trace::enabled()) {
            // Read in place: the decode makes no JNI call and writes no file while it holds the
            // array (its lines, if any, are gathered and written after the release).
            vyt::trace::Batch lines;
            const vyt::CriticalBytes pinned(env, reply);
            if (pinned.data() == nullptr) return nullptr;  // OutOfMemoryError is pending
            vyt::DecodeTyped(vyt::Bytes(pinned.data(), static_cast<std::size_t>(n)), static_cast<int>(reportType),
                             vyt::tBuffers);
        } else {
            // A large reply, or tracing (which writes the reply's dump while decoding): the decode
            // reads a copy, in this thread's buffer (no allocation once the thread has seen a reply
            // as large).
            unsigned char* p = vyt::tReply.room(static_cast<std::size_t>(n));
            if (p == nullptr && n != 0) {
                vyt::FileTracer t;
                vyt::errorf(t, "decodeTyped: out of memory for a copy of the %d-byte reply\n", static_cast<int>(n));
                return nullptr;
            }
            env->GetByteArrayRegion(reply, 0, n, reinterpret_cast<jbyte*>(p));
            if (env->ExceptionCheck()) return nullptr;
            vyt::trace::Batch lines;
            vyt::DecodeTyped(vyt::Bytes(p, static_cast<std::size_t>(n)), static_cast<int>(reportType), vyt::tBuffers);
        }
        return vyt::ToJava(env, vyt::tBuffers);
    } catch (...) {
        vyt::ReportException("Java_org_vytjni_api_NativeCalls_decode0");
        return nullptr;
    }
}

JNIEXPORT jbyteArray JNICALL Java_org_vytjni_api_NativeCalls_request0(JNIEnv* env, jclass, jint type, jint view,
                                                                     jint continueIdx, jint scrollAmount,
                                                                     jbyteArray tranName, jbyteArray subTranName,
                                                                     jint pathId, jint IPaddr) {
    try {
        vyt::FileTracer t;
        const vyt::RequestArgs a{.type = type, .view = view, .continueIdx = continueIdx, .scrollAmount = scrollAmount,
                                 .pathId = pathId, .IPaddr = IPaddr, .trace = vyt::trace::enabled()};
        vyt::NameBytes tran(env, tranName);
        if (env->ExceptionCheck()) return nullptr;
        vyt::NameBytes sub(env, subTranName);
        if (env->ExceptionCheck()) return nullptr;
        return vyt::NewRequestArray(env, t, a, tran.arg(), sub.arg());
    } catch (...) {
        vyt::ReportException("Java_org_vytjni_api_NativeCalls_request0");
        return nullptr;
    }
}

}  // extern "C"
