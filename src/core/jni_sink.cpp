#include "jni_sink.hpp"

#include <string>

#include "vyt/utf8.hpp"

namespace vyt {

namespace {
constexpr std::size_t kMaxArgs = Out::kMaxArgs;
constexpr std::size_t kScratch = 4096;
}  // namespace

jstring NewJavaString(JNIEnv* env, TextArg t) {
    // Fast path: ASCII is already modified UTF-8 (the bytes are followed by a NUL).
    if (IsAscii(t.p, t.n)) return env->NewStringUTF(t.p);
    thread_local char scratch[kScratch];
    if (2 * static_cast<std::size_t>(t.n) + 1 <= kScratch) {
        ToModifiedUtf8(t.p, t.n, scratch);
        return env->NewStringUTF(scratch);
    }
    std::string big(2 * static_cast<std::size_t>(t.n) + 1, '\0');
    ToModifiedUtf8(t.p, t.n, big.data());
    return env->NewStringUTF(big.c_str());
}

JniSink::~JniSink() {
    for (jstring s : shared_)
        if (s != nullptr) env_->DeleteLocalRef(s);
    if (cls_ != nullptr) env_->DeleteLocalRef(cls_);
}

bool JniSink::lookup(int slot, const char* name, const char* signature) {
    if (cls_ == nullptr) {
        cls_ = env_->GetObjectClass(target_);
        if (cls_ == nullptr || env_->ExceptionCheck()) return false;
    }
    jmethodID id = env_->GetMethodID(cls_, name, signature);
    if (id == nullptr || env_->ExceptionCheck()) return false;  // NoSuchMethodError stays pending
    ids_[slot] = id;
    return true;
}

bool JniSink::share(int slot, TextArg text) {
    jstring s = NewJavaString(env_, text);
    if (s == nullptr || env_->ExceptionCheck()) return false;
    shared_[slot] = s;
    return true;
}

bool JniSink::call(int slot, const Arg* args, std::size_t n) {
    if (n > kMaxArgs) return false;
    jvalue values[kMaxArgs];
    jstring made[kMaxArgs];
    std::size_t nMade = 0;
    bool ok = true;
    for (std::size_t i = 0; i < n && ok; ++i) {
        if (!args[i].isText) {
            values[i].i = args[i].i;
        } else if (args[i].t.shared >= 0) {
            values[i].l = shared_[args[i].t.shared];
        } else {
            jstring s = NewJavaString(env_, args[i].t);
            if (s == nullptr || env_->ExceptionCheck()) {
                ok = false;
            } else {
                made[nMade++] = s;
                values[i].l = s;
            }
        }
    }
    if (ok) {
        env_->CallVoidMethodA(target_, ids_[slot], values);
        ok = !env_->ExceptionCheck();
    }
    for (std::size_t i = 0; i < nMade; ++i) env_->DeleteLocalRef(made[i]);
    return ok;
}

}  // namespace vyt
