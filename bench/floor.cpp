// The floor: the least JNI work the callback contract allows for one reply.
// It reads a flat record of the calls a decode makes (see VytBench.java) and,
// per call, makes only what the contract forces: one NewStringUTF per text,
// CallVoidMethodA, an exception check, DeleteLocalRef per text.  Per reply: one
// copy of the bytes, GetObjectClass and one GetMethodID per callback.
#include <jni.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
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
    auto* bytes = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(n) + 1));
    if (bytes == nullptr) return -1;
    env->GetByteArrayRegion(flat, 0, n, reinterpret_cast<jbyte*>(bytes));
    jclass cls = env->GetObjectClass(target);
    jmethodID ids[8] = {};
    for (std::size_t m = 0; m < plan.methods.size() && m < 8; ++m) {
        ids[m] = env->GetMethodID(cls, plan.methods[m].name.c_str(), plan.methods[m].signature.c_str());
        if (ids[m] == nullptr) {
            std::free(bytes);
            env->DeleteLocalRef(cls);
            return -1;
        }
    }
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

}  // extern "C"
