// The three native methods the Java classes declare.  No C++ exception leaves
// them: each one that reaches the boundary is named in an error line; Java
// nulls are refused before any JNI function sees them.
#include <jni.h>

#include <cstring>
#include <exception>
#include <new>

#include "jni_refs.hpp"
#include "jni_sink.hpp"
#include "vyt/dispatch.hpp"
#include "vyt/platform.hpp"
#include "vyt/request.hpp"
#include "vyt/trace.hpp"
#include "vyt/utf8.hpp"

namespace vyt {

void OnProcessAttach() noexcept { trace::open(platform::kTracePath); }
void OnProcessDetach() noexcept { trace::close(); }

namespace {

// A pinned, read-only view of a Java byte array, released without copy-back.
class PinnedBytes {
public:
    PinnedBytes(JNIEnv* env, jbyteArray a) : env_(env), a_(a) {
        n_ = env->GetArrayLength(a);
        if (!env->ExceptionCheck()) p_ = env->GetByteArrayElements(a, nullptr);
    }
    ~PinnedBytes() {
        if (p_ != nullptr) env_->ReleaseByteArrayElements(a_, p_, JNI_ABORT);
    }
    PinnedBytes(const PinnedBytes&) = delete;
    PinnedBytes& operator=(const PinnedBytes&) = delete;
    bool ok() const { return p_ != nullptr; }
    Bytes bytes() const {
        return Bytes(reinterpret_cast<const unsigned char*>(p_), n_ > 0 ? static_cast<std::size_t>(n_) : 0);
    }

private:
    JNIEnv* env_;
    jbyteArray a_;
    jbyte* p_ = nullptr;
    jsize n_ = 0;
};

// A Java string as UTF-8, refused when it cannot fit a field of `width` bytes.
class NameChars {
public:
    static constexpr std::size_t kMaxChars = 1024;
    NameChars(JNIEnv* env, jstring s) {
        if (s == nullptr) return;
        const jsize len = env->GetStringLength(s);
        arg_.chars = static_cast<int>(len);
        if (len < 0 || static_cast<std::size_t>(len) > kMaxChars) {
            arg_.state = NameArg::TooLong;  // every character takes a byte at least
            return;
        }
        jchar units[kMaxChars];
        env->GetStringRegion(s, 0, len, units);
        if (env->ExceptionCheck()) return;
        static_assert(sizeof(jchar) == sizeof(std::uint16_t));
        std::size_t bytes = 0;
        if (!Utf16ToUtf8(reinterpret_cast<const std::uint16_t*>(units), static_cast<std::size_t>(len), utf8_,
                         sizeof utf8_, &bytes)) {
            arg_.state = NameArg::Invalid;
            return;
        }
        arg_.state = NameArg::Text;
        arg_.utf8 = utf8_;
        arg_.bytes = bytes;
    }
    const NameArg& arg() const { return arg_; }

private:
    NameArg arg_;
    char utf8_[kMaxChars * 3 + 1];
};

}  // namespace

// Builds the request record and returns it as a new Java byte array; null
// (with an error line, or a pending exception) on failure.
jbyteArray NewRequestArray(JNIEnv* env, Tracer& t, const RequestArgs& a, const NameArg& tranName,
                           const NameArg& subTranName) {
    unsigned char record[kRequestLen];
    int reportId = 0;
    if (!BuildRequest(t, a, tranName, subTranName, record, &reportId)) return nullptr;
    LocalRef<jbyteArray> out(env, env->NewByteArray(static_cast<jsize>(kRequestLen)));
    if (!out) return nullptr;  // OutOfMemoryError is pending
    env->SetByteArrayRegion(out.get(), 0, static_cast<jsize>(kRequestLen), reinterpret_cast<const jbyte*>(record));
    if (env->ExceptionCheck()) return nullptr;
    return out.release();
}

// Writes the error line for a C++ exception that reached a native method.
// Called inside the method's catch handler.
void ReportException(const char* method) noexcept {
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

}  // namespace vyt

extern "C" {

JNIEXPORT jint JNICALL Java_VYTconnect_getBufLength(JNIEnv* env, jobject, jbyteArray report) {
    try {
        vyt::FileTracer t;
        if (report == nullptr) {
            vyt::tracef(t, "\nJava_VYTconnect_getBufLength Entry:\n");
            vyt::errorf(t, "getBufLength: the reply array is null\n");
            return 0;
        }
        vyt::PinnedBytes pin(env, report);
        if (!pin.ok()) return 0;
        return vyt::BufLength(pin.bytes(), t);
    } catch (...) {
        vyt::ReportException("Java_VYTconnect_getBufLength");
        return 0;
    }
}

JNIEXPORT jint JNICALL Java_VYTreport_mapData(JNIEnv* env, jobject, jbyteArray report, jobject target,
                                              jint reportType) {
    try {
        vyt::FileTracer t;
        if (report == nullptr || target == nullptr) {
            vyt::tracef(t, "\nJava_VYTreport_mapData Entry: rep_type<%d>\n", static_cast<int>(reportType));
            vyt::errorf(t, "mapData: the %s is null\n", report == nullptr ? "reply array" : "target object");
            return vyt::kStatusFailed;
        }
        // Room for the class, the shared strings and the strings of the widest call.
        if (env->EnsureLocalCapacity(vyt::kLocalRefsPerReply) != 0) return vyt::kStatusFailed;
        vyt::PinnedBytes pin(env, report);
        if (!pin.ok()) return vyt::kStatusFailed;
        vyt::JniSink sink(env, target);
        return vyt::MapReply(pin.bytes(), static_cast<int>(reportType), sink);
    } catch (...) {
        vyt::ReportException("Java_VYTreport_mapData");
        return vyt::kStatusFailed;
    }
}

JNIEXPORT jbyteArray JNICALL Java_VYTservlet_buildVYTRequest(JNIEnv* env, jobject, jint type, jint view,
                                                             jint continueIdx, jint scrollAmount, jstring transName,
                                                             jstring subTransName, jint pathId, jint IPaddr,
                                                             jboolean trace) {
    try {
        vyt::FileTracer t;
        if (trace) vyt::trace::enable();
        const vyt::RequestArgs a{.type = type, .view = view, .continueIdx = continueIdx, .scrollAmount = scrollAmount,
                                 .pathId = pathId, .IPaddr = IPaddr, .trace = trace != JNI_FALSE};
        vyt::NameChars tran(env, transName);
        if (env->ExceptionCheck()) return nullptr;
        vyt::NameChars sub(env, subTransName);
        if (env->ExceptionCheck()) return nullptr;
        return vyt::NewRequestArray(env, t, a, tran.arg(), sub.arg());
    } catch (...) {
        vyt::ReportException("Java_VYTservlet_buildVYTRequest");
        return nullptr;
    }
}

}  // extern "C"
