// The floor: the least JNI work the callback contract allows for one reply.
// It reads a flat record of the calls a decode makes (see VytBench.java) and,
// per call, makes only what the contract forces: one NewStringUTF per text,
// CallVoidMethodA, an exception check, DeleteLocalRef per text.  Per reply: one
// copy of the bytes, GetObjectClass and one GetMethodID per callback.
//
// Two bounds beside it, for what no decoder can go under:
// - decodeShared makes each distinct text of the reply once, before the first
//   call, and then only calls: the least any table of repeated texts can do.
// - writes replays the bytes of a traced reply in the fewest writes the trace
//   writer can make (the reply and its dump in one go, then one write per call
//   into Java, since a call's lines must be in the file before it): the
//   kernel's part of tracing alone.
#include <jni.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Method {
    std::string name, signature;
    std::vector<int> widths;  // per argument: 0 for an int, the slot width for a text
};

struct Plan {
    std::vector<Method> methods;
};

std::string Chars(JNIEnv* env, jstring s) {
    const char* c = env->GetStringUTFChars(s, nullptr);
    std::string r = c != nullptr ? c : "";
    if (c != nullptr) env->ReleaseStringUTFChars(s, c);
    return r;
}

// The reply is copied whole, as a decoder must; ids gets one method id per callback.
unsigned char* CopyAndLookUp(JNIEnv* env, const Plan& plan, jbyteArray flat, jsize n, jobject target, jclass* cls,
                             jmethodID (&ids)[8]) {
    auto* bytes = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(n) + 1));
    if (bytes == nullptr) return nullptr;
    env->GetByteArrayRegion(flat, 0, n, reinterpret_cast<jbyte*>(bytes));
    *cls = env->GetObjectClass(target);
    for (std::size_t m = 0; m < plan.methods.size() && m < 8; ++m) {
        ids[m] = env->GetMethodID(*cls, plan.methods[m].name.c_str(), plan.methods[m].signature.c_str());
        if (ids[m] == nullptr) {
            std::free(bytes);
            env->DeleteLocalRef(*cls);
            return nullptr;
        }
    }
    return bytes;
}

struct Writes {
    int fd = -1;
    std::vector<unsigned char> bytes;
    std::vector<std::size_t> ends;
};

}  // namespace

extern "C" {

// plan: for each method, its argument count and then one width per argument.
JNIEXPORT jlong JNICALL Java_BenchFloor_prepare(JNIEnv* env, jclass, jobjectArray names, jobjectArray signatures,
                                                jintArray plan) {
    auto* p = new Plan();
    const jsize nMethods = env->GetArrayLength(names);
    std::vector<jint> words(static_cast<std::size_t>(env->GetArrayLength(plan)));
    env->GetIntArrayRegion(plan, 0, static_cast<jsize>(words.size()), words.data());
    std::size_t at = 0;
    for (jsize m = 0; m < nMethods; ++m) {
        Method method;
        auto name = static_cast<jstring>(env->GetObjectArrayElement(names, m));
        auto sig = static_cast<jstring>(env->GetObjectArrayElement(signatures, m));
        method.name = Chars(env, name);
        method.signature = Chars(env, sig);
        env->DeleteLocalRef(name);
        env->DeleteLocalRef(sig);
        const int nArgs = words[at++];
        for (int i = 0; i < nArgs; ++i) method.widths.push_back(words[at++]);
        p->methods.push_back(std::move(method));
    }
    return reinterpret_cast<jlong>(p);
}

JNIEXPORT void JNICALL Java_BenchFloor_release(JNIEnv*, jclass, jlong plan) { delete reinterpret_cast<Plan*>(plan); }

// Returns the number of calls made, or -1 when something failed.
// `flat` holds the reply and then, from `start` on, the flat record of its calls:
// the whole reply is copied, as a decoder must, and the calls read from the copy.
JNIEXPORT jint JNICALL Java_BenchFloor_decode(JNIEnv* env, jclass, jlong handle, jbyteArray flat, jint start,
                                              jobject target) {
    const Plan& plan = *reinterpret_cast<const Plan*>(handle);
    const jsize n = env->GetArrayLength(flat);
    jclass cls = nullptr;
    jmethodID ids[8] = {};
    unsigned char* bytes = CopyAndLookUp(env, plan, flat, n, target, &cls, ids);
    if (bytes == nullptr) return -1;
    int calls = 0;
    std::size_t at = static_cast<std::size_t>(start);
    jvalue values[64];
    jstring made[64];
    while (at + 4 <= static_cast<std::size_t>(n)) {
        std::uint32_t tag;
        std::memcpy(&tag, bytes + at, 4);
        at += 4;
        const Method& m = plan.methods[tag];
        int nMade = 0;
        bool ok = true;
        for (std::size_t i = 0; i < m.widths.size(); ++i) {
            if (m.widths[i] == 0) {
                std::int32_t v;
                std::memcpy(&v, bytes + at, 4);
                values[i].i = v;
                at += 4;
            } else {
                jstring s = env->NewStringUTF(reinterpret_cast<const char*>(bytes + at));
                at += static_cast<std::size_t>(m.widths[i]);
                if (s == nullptr) {
                    ok = false;
                    break;
                }
                made[nMade++] = s;
                values[i].l = s;
            }
        }
        if (ok) env->CallVoidMethodA(target, ids[tag], values);
        for (int i = 0; i < nMade; ++i) env->DeleteLocalRef(made[i]);
        if (!ok || env->ExceptionCheck()) {
            calls = -1;
            break;
        }
        ++calls;
    }
    env->DeleteLocalRef(cls);
    std::free(bytes);
    return calls;
}

// Like decode, but `flat` holds, from `start` on, a count of distinct texts, the
// texts (each NUL-terminated), and then the calls, where a text argument is the
// index of its text.  Every text is made once, before the first call.
JNIEXPORT jint JNICALL Java_BenchFloor_decodeShared(JNIEnv* env, jclass, jlong handle, jbyteArray flat, jint start,
                                                    jobject target) {
    const Plan& plan = *reinterpret_cast<const Plan*>(handle);
    const jsize n = env->GetArrayLength(flat);
    jclass cls = nullptr;
    jmethodID ids[8] = {};
    unsigned char* bytes = CopyAndLookUp(env, plan, flat, n, target, &cls, ids);
    if (bytes == nullptr) return -1;
    std::size_t at = static_cast<std::size_t>(start);
    std::int32_t nTexts;
    std::memcpy(&nTexts, bytes + at, 4);
    at += 4;
    if (env->PushLocalFrame(nTexts + 16) != 0) {
        std::free(bytes);
        return -1;
    }
    std::vector<jstring> texts(static_cast<std::size_t>(nTexts));
    for (auto& t : texts) {
        const char* c = reinterpret_cast<const char*>(bytes + at);
        t = env->NewStringUTF(c);
        at += std::strlen(c) + 1;
    }
    int calls = 0;
    jvalue values[64];
    while (at + 4 <= static_cast<std::size_t>(n)) {
        std::uint32_t tag;
        std::memcpy(&tag, bytes + at, 4);
        at += 4;
        const Method& m = plan.methods[tag];
        for (std::size_t i = 0; i < m.widths.size(); ++i, at += 4) {
            std::int32_t v;
            std::memcpy(&v, bytes + at, 4);
            if (m.widths[i] == 0)
                values[i].i = v;
            else
                values[i].l = texts[static_cast<std::size_t>(v)];
        }
        env->CallVoidMethodA(target, ids[tag], values);
        if (env->ExceptionCheck()) {
            calls = -1;
            break;
        }
        ++calls;
    }
    env->PopLocalFrame(nullptr);
    env->DeleteLocalRef(cls);
    std::free(bytes);
    return calls;
}

// The writes of a traced reply: `ends` are the ends of the pieces of `bytes`,
// each written with one write to a file of its own at `path`.
JNIEXPORT jlong JNICALL Java_BenchFloor_prepareWrites(JNIEnv* env, jclass, jstring path, jbyteArray bytes,
                                                      jintArray ends) {
    auto* w = new Writes();
    w->fd = ::open(Chars(env, path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    w->bytes.resize(static_cast<std::size_t>(env->GetArrayLength(bytes)));
    env->GetByteArrayRegion(bytes, 0, static_cast<jsize>(w->bytes.size()), reinterpret_cast<jbyte*>(w->bytes.data()));
    std::vector<jint> e(static_cast<std::size_t>(env->GetArrayLength(ends)));
    env->GetIntArrayRegion(ends, 0, static_cast<jsize>(e.size()), e.data());
    for (jint x : e) w->ends.push_back(static_cast<std::size_t>(x));
    if (w->fd < 0) {
        delete w;
        return 0;
    }
    return reinterpret_cast<jlong>(w);
}

// Returns false when a write failed.
JNIEXPORT jboolean JNICALL Java_BenchFloor_writes(JNIEnv*, jclass, jlong handle) {
    const Writes& w = *reinterpret_cast<const Writes*>(handle);
    std::size_t from = 0;
    for (std::size_t end : w.ends) {
        if (::write(w.fd, w.bytes.data() + from, end - from) != static_cast<ssize_t>(end - from)) return JNI_FALSE;
        from = end;
    }
    return JNI_TRUE;
}

JNIEXPORT void JNICALL Java_BenchFloor_emptyWrites(JNIEnv*, jclass, jlong handle) {
    const Writes& w = *reinterpret_cast<const Writes*>(handle);
    if (::ftruncate(w.fd, 0) == 0) ::lseek(w.fd, 0, SEEK_SET);
}

JNIEXPORT void JNICALL Java_BenchFloor_releaseWrites(JNIEnv*, jclass, jlong handle) {
    auto* w = reinterpret_cast<Writes*>(handle);
    if (w == nullptr) return;
    ::close(w->fd);
    delete w;
}

}  // extern "C"
