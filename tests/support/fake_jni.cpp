#include "fake_jni.hpp"

#include <algorithm>
#include <cstring>

namespace vyt::test {

namespace {

struct Method {
    std::string key;  // "name signature"
};
std::deque<Method> gMethods;  // jmethodIDs point into this

void touch(JNIEnv* env, bool allowedWhilePending = false) {
    FakeJni& f = FakeJni::of(env);
    if (f.pending && !allowedWhilePending) ++f.jniCallsWhilePending;
}

void madeRef(FakeJni& f) {
    ++f.liveRefs;
    f.maxLiveRefs = std::max(f.maxLiveRefs, f.liveRefs);
}

bool isNull(JNIEnv* env, const void* o) {
    if (o == nullptr) ++FakeJni::of(env).nullObjects;
    return o == nullptr;
}

jsize JNICALL GetArrayLength(JNIEnv* env, jarray a) {
    touch(env);
    if (isNull(env, a)) return 0;
    return static_cast<jsize>(FakeJni::of(env).obj(a)->bytes.size());
}

jbyte* JNICALL GetByteArrayElements(JNIEnv* env, jbyteArray a, jboolean* isCopy) {
    touch(env);
    if (isNull(env, a)) return nullptr;
    FakeJni& f = FakeJni::of(env);
    ++f.pins;
    if (isCopy) *isCopy = JNI_TRUE;
    // A copy of exactly the array's size, so that a sanitizer sees overreads.
    auto& b = f.obj(a)->bytes;
    jbyte* copy = new jbyte[b.empty() ? 1 : b.size()];
    std::copy(b.begin(), b.end(), copy);
    return copy;
}

void JNICALL ReleaseByteArrayElements(JNIEnv* env, jbyteArray a, jbyte* p, jint mode) {
    touch(env, true);
    FakeJni& f = FakeJni::of(env);
    --f.pins;
    f.releaseModes.push_back(mode);
    if (mode != JNI_ABORT) std::copy(p, p + f.obj(a)->bytes.size(), f.obj(a)->bytes.begin());
    delete[] p;
}

jclass JNICALL GetObjectClass(JNIEnv* env, jobject o) {
    touch(env);
    if (isNull(env, o)) return nullptr;
    FakeJni& f = FakeJni::of(env);
    madeRef(f);
    // The class shares the target's method list.
    return reinterpret_cast<jclass>(o);
}

jmethodID JNICALL GetMethodID(JNIEnv* env, jclass c, const char* name, const char* sig) {
    touch(env);
    FakeJni& f = FakeJni::of(env);
    const std::string key = std::string(name) + " " + sig;
    const auto& m = f.obj(c)->methods;
    if (!f.obj(c)->anyMethod && std::find(m.begin(), m.end(), key) == m.end()) {
        f.pending = true;  // NoSuchMethodError
        return nullptr;
    }
    gMethods.push_back({key});
    return reinterpret_cast<jmethodID>(&gMethods.back());
}

void JNICALL CallVoidMethodA(JNIEnv* env, jobject o, jmethodID id, const jvalue* args) {
    touch(env);
    FakeJni& f = FakeJni::of(env);
    const std::string key = reinterpret_cast<Method*>(id)->key;
    FakeJni::Call c{key, {}, {}};
    const std::string sig = key.substr(key.find(' ') + 1);
    std::size_t i = 0;
    for (std::size_t at = 1; sig[at] != ')'; ++i) {
        if (sig[at] == 'I') {
            c.args.push_back(std::to_string(args[i].i));
            c.refs.push_back(nullptr);
            ++at;
        } else {
            at = sig.find(';', at) + 1;
            auto* s = f.obj(args[i].l);
            c.args.push_back(s ? "\"" + ToUtf8(s->chars) + "\"" : "null");
            c.refs.push_back(args[i].l);
        }
    }
    const int index = f.callCount++;
    if (f.keepCalls) f.calls.push_back(std::move(c));
    if (index == f.obj(o)->throwOnCall) f.pending = true;
}

jstring JNICALL NewStringUTF(JNIEnv* env, const char* s) {
    touch(env);
    FakeJni& f = FakeJni::of(env);
    std::u16string chars;
    if (!FakeJni::decodeModifiedUtf8(s, &chars)) f.invalidUtf.emplace_back(s);
    madeRef(f);
    return static_cast<jstring>(f.make(FakeJni::Object{FakeJni::Object::String, {}, chars, {}, -1, false}));
}

void JNICALL DeleteLocalRef(JNIEnv* env, jobject) {
    touch(env, true);
    --FakeJni::of(env).liveRefs;
}

jboolean JNICALL ExceptionCheck(JNIEnv* env) {
    touch(env, true);
    return FakeJni::of(env).pending ? JNI_TRUE : JNI_FALSE;
}

jint JNICALL EnsureLocalCapacity(JNIEnv* env, jint) {
    touch(env);
    return 0;
}

jsize JNICALL GetStringLength(JNIEnv* env, jstring s) {
    touch(env);
    if (isNull(env, s)) return 0;
    return static_cast<jsize>(FakeJni::of(env).obj(s)->chars.size());
}

void JNICALL GetStringRegion(JNIEnv* env, jstring s, jsize start, jsize len, jchar* buf) {
    touch(env);
    if (isNull(env, s)) return;
    const auto& c = FakeJni::of(env).obj(s)->chars;
    for (jsize i = 0; i < len; ++i) buf[i] = static_cast<jchar>(c[static_cast<std::size_t>(start + i)]);
}

jbyteArray JNICALL NewByteArray(JNIEnv* env, jsize len) {
    touch(env);
    FakeJni& f = FakeJni::of(env);
    madeRef(f);
    return static_cast<jbyteArray>(
        f.make(FakeJni::Object{FakeJni::Object::Array, std::vector<jbyte>(static_cast<std::size_t>(len)), {}, {}, -1, false}));
}

void JNICALL SetByteArrayRegion(JNIEnv* env, jbyteArray a, jsize start, jsize len, const jbyte* buf) {
    touch(env);
    auto& b = FakeJni::of(env).obj(a)->bytes;
    std::copy(buf, buf + len, b.begin() + start);
}

}  // namespace

FakeJni::FakeJni() {
    table_.reserved0 = this;  // lets the functions find their FakeJni
    table_.GetArrayLength = GetArrayLength;
    table_.GetByteArrayElements = GetByteArrayElements;
    table_.ReleaseByteArrayElements = ReleaseByteArrayElements;
    table_.GetObjectClass = GetObjectClass;
    table_.GetMethodID = GetMethodID;
    table_.CallVoidMethodA = CallVoidMethodA;
    table_.NewStringUTF = NewStringUTF;
    table_.DeleteLocalRef = DeleteLocalRef;
    table_.ExceptionCheck = ExceptionCheck;
    table_.EnsureLocalCapacity = EnsureLocalCapacity;
    table_.GetStringLength = GetStringLength;
    table_.GetStringRegion = GetStringRegion;
    table_.NewByteArray = NewByteArray;
    table_.SetByteArrayRegion = SetByteArrayRegion;
    env_.functions = &table_;
}

FakeJni& FakeJni::of(JNIEnv* env) { return *static_cast<FakeJni*>(env->functions->reserved0); }

jobject FakeJni::make(Object o) {
    objects_.push_back(std::move(o));
    return reinterpret_cast<jobject>(&objects_.back());
}

jbyteArray FakeJni::array(const std::vector<unsigned char>& bytes) {
    return static_cast<jbyteArray>(make(Object{Object::Array, std::vector<jbyte>(bytes.begin(), bytes.end()), {}, {}, -1, false}));
}

jstring FakeJni::string(const std::u16string& chars) {
    return static_cast<jstring>(make(Object{Object::String, {}, chars, {}, -1, false}));
}

jobject FakeJni::target(std::vector<std::string> methods) {
    return make(Object{Object::Target, {}, {}, std::move(methods), -1, false});
}

bool FakeJni::decodeModifiedUtf8(const char* s, std::u16string* out) {
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    while (*p) {
        const unsigned b = *p;
        if (b < 0x80) {
            out->push_back(static_cast<char16_t>(b));
            ++p;
        } else if ((b & 0xE0) == 0xC0) {
            if ((p[1] & 0xC0) != 0x80) return false;
            const unsigned cp = ((b & 0x1F) << 6) | (p[1] & 0x3F);
            if (cp < 0x80 && cp != 0) return false;  // overlong (NUL is C0 80)
            out->push_back(static_cast<char16_t>(cp));
            p += 2;
        } else if ((b & 0xF0) == 0xE0) {
            if ((p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80) return false;
            const unsigned cp = ((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F);
            if (cp < 0x800) return false;
            out->push_back(static_cast<char16_t>(cp));
            p += 3;
        } else {
            return false;  // 4-byte forms are not modified UTF-8
        }
    }
    return true;
}

std::string ToUtf8(const std::u16string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00u);
            ++i;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace vyt::test
