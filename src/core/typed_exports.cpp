// The natives of the typed Java API (class org.vytjni.api.NativeCalls): one
// call per reply and one per request.  No C++ exception leaves them; Java
// nulls are refused before any JNI function sees them.
#include <jni.h>

#include <cstring>
#include <exception>
#include <new>

#include "jni_sink.hpp"
#include "typed_sink.hpp"
#include "vyt/catalog.hpp"
#include "vyt/request.hpp"
#include "vyt/trace.hpp"

namespace vyt {

namespace {

thread_local TypedBuffers tBuffers;

// The one place where a typed decode's result becomes Java objects:
// Object[]{int[] calls, String[] texts}.  calls[0] is the failure number
// (0: none) and calls[1] the offset; on failure texts holds the message.
// Each String's local reference is deleted as soon as the array holds it.
jobjectArray ToJava(JNIEnv* env, TypedBuffers& b, const TypedResult& r) {
    b.ints[0] = static_cast<std::int32_t>(r.failure);
    b.ints[1] = static_cast<std::int32_t>(r.offset);
    if (r.failure != TypedFailure::None) b.ints.shrink(2);
    jclass stringClass = env->FindClass("java/lang/String");
    if (stringClass == nullptr) return nullptr;
    const std::size_t nTexts = r.failure != TypedFailure::None ? 1 : b.texts.size();
    jobjectArray texts = env->NewObjectArray(static_cast<jsize>(nTexts), stringClass, nullptr);
    env->DeleteLocalRef(stringClass);
    if (texts == nullptr) return nullptr;
    for (std::size_t i = 0; i < nTexts; ++i) {
        TextArg t;
        if (r.failure != TypedFailure::None) {
            t = TextArg{r.message, static_cast<std::uint32_t>(std::strlen(r.message)), -1, true, false};
        } else {
            const TypedBuffers::Text& s = b.texts[i];
            t = TextArg{b.bytes.data() + s.at, s.len, -1, true, s.ascii};
        }
        jstring s = NewJavaString(env, t);
        if (s == nullptr) return nullptr;  // the exception stays pending
        // A String into a String[] at an index inside it: this store cannot throw.
        env->SetObjectArrayElement(texts, static_cast<jsize>(i), s);
        env->DeleteLocalRef(s);
    }
    if (env->ExceptionCheck()) return nullptr;
    jintArray ints = env->NewIntArray(static_cast<jsize>(b.ints.size()));
    if (ints == nullptr) return nullptr;
    env->SetIntArrayRegion(ints, 0, static_cast<jsize>(b.ints.size()), reinterpret_cast<const jint*>(b.ints.data()));
    if (env->ExceptionCheck()) return nullptr;
    jclass objectClass = env->FindClass("java/lang/Object");
    if (objectClass == nullptr) return nullptr;
    jobjectArray out = env->NewObjectArray(2, objectClass, nullptr);
    env->DeleteLocalRef(objectClass);
    if (out == nullptr) return nullptr;
    env->SetObjectArrayElement(out, 0, ints);
    env->SetObjectArrayElement(out, 1, texts);
    env->DeleteLocalRef(ints);
    env->DeleteLocalRef(texts);
    if (env->ExceptionCheck()) return nullptr;
    return out;
}

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

void ReportTypedException(const char* method) noexcept {
    FileTracer t;
    try {
        throw;
    } catch (const std::bad_alloc& e) {
        errorf(t, "%s: out of memory (std::bad_alloc: %s)\n", method, e.what());
    } catch (const std::exception& e) {
        errorf(t, "%s: C++ exception: %s\n", method, e.what());
    } catch (...) {
        errorf(t, "%s: C++ exception of unknown type\n", method);
    }
}

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
        jbyte* p = env->GetByteArrayElements(reply, nullptr);
        if (p == nullptr) return nullptr;  // OutOfMemoryError is pending
        vyt::TypedResult r;
        try {
            vyt::trace::Batch lines;
            r = vyt::DecodeTyped(vyt::Bytes(reinterpret_cast<const unsigned char*>(p), static_cast<std::size_t>(n)),
                                 static_cast<int>(reportType), vyt::tBuffers);
        } catch (...) {
            env->ReleaseByteArrayElements(reply, p, JNI_ABORT);
            throw;
        }
        env->ReleaseByteArrayElements(reply, p, JNI_ABORT);
        return vyt::ToJava(env, vyt::tBuffers, r);
    } catch (...) {
        vyt::ReportTypedException("Java_org_vytjni_api_NativeCalls_decode0");
        return nullptr;
    }
}

JNIEXPORT jbyteArray JNICALL Java_org_vytjni_api_NativeCalls_request0(JNIEnv* env, jclass, jint type, jint view,
                                                                     jint continueIdx, jint scrollAmount,
                                                                     jbyteArray tranName, jbyteArray subTranName,
                                                                     jint pathId, jint IPaddr) {
    try {
        vyt::FileTracer t;
        vyt::RequestArgs a;
        a.type = type;
        a.view = view;
        a.continueIdx = continueIdx;
        a.scrollAmount = scrollAmount;
        a.pathId = pathId;
        a.IPaddr = IPaddr;
        a.trace = vyt::trace::enabled();
        vyt::NameBytes tran(env, tranName);
        if (env->ExceptionCheck()) return nullptr;
        vyt::NameBytes sub(env, subTranName);
        if (env->ExceptionCheck()) return nullptr;
        unsigned char record[vyt::kRequestLen];
        int reportId = 0;
        if (!vyt::BuildRequest(t, a, tran.arg(), sub.arg(), record, &reportId)) return nullptr;
        jbyteArray out = env->NewByteArray(static_cast<jsize>(vyt::kRequestLen));
        if (out == nullptr) return nullptr;
        env->SetByteArrayRegion(out, 0, static_cast<jsize>(vyt::kRequestLen), reinterpret_cast<const jbyte*>(record));
        if (env->ExceptionCheck()) {
            env->DeleteLocalRef(out);
            return nullptr;
        }
        return out;
    } catch (...) {
        vyt::ReportTypedException("Java_org_vytjni_api_NativeCalls_request0");
        return nullptr;
    }
}

}  // extern "C"
