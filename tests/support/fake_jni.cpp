#include "fake_jni.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace vyt::test {

namespace {

FakeJni& F(JNIEnv* env) { return FakeJni::of(env); }

// Whether a function `function` was handed a null object (counted); a
// reference that is no longer valid breaches.
bool isNull(JNIEnv* env, const char* function, jobject o) {
    if (o == nullptr) ++F(env).nullObjects;
    F(env).use(function, o);
    return o == nullptr;
}

jsize JNICALL GetArrayLength(JNIEnv* env, jarray a) {
    F(env).enter("GetArrayLength", false);
    if (isNull(env, "GetArrayLength", a)) return 0;
    return static_cast<jsize>(F(env).obj(a)->bytes.size());
}

jbyte* JNICALL GetByteArrayElements(JNIEnv* env, jbyteArray a, jboolean* isCopy) {
    F(env).enter("GetByteArrayElements", false);
    if (isNull(env, "GetByteArrayElements", a)) return nullptr;
    if (isCopy) *isCopy = JNI_TRUE;
    return F(env).pin(a);
}

void JNICALL ReleaseByteArrayElements(JNIEnv* env, jbyteArray a, jbyte* p, jint mode) {
    F(env).enter("ReleaseByteArrayElements", true);
    F(env).use("ReleaseByteArrayElements", a);
    F(env).release(a, p, mode);
}

jclass JNICALL GetObjectClass(JNIEnv* env, jobject o) {
    FakeJni& f = F(env);
    f.enter("GetObjectClass", false);
    if (isNull(env, "GetObjectClass", o)) return nullptr;
    // A class object of its own that knows the target's methods.
    FakeJni::Object c{FakeJni::Object::Class, {}, {}, f.obj(o)->methods, -1, f.obj(o)->anyMethod, nullptr};
    return static_cast<jclass>(f.madeLocal(f.make(std::move(c))));
}

jmethodID JNICALL GetMethodID(JNIEnv* env, jclass c, const char* name, const char* sig) {
    FakeJni& f = F(env);
    f.enter("GetMethodID", false);
    f.use("GetMethodID", c);
    const std::string key = std::string(name) + " " + sig;
    const auto& m = f.obj(c)->methods;
    if (!f.obj(c)->anyMethod && std::find(m.begin(), m.end(), key) == m.end()) {
        f.pending = true;  // NoSuchMethodError
        return nullptr;
    }
    return f.methodId(key);
}

void JNICALL CallVoidMethodA(JNIEnv* env, jobject o, jmethodID id, const jvalue* args) {
    FakeJni& f = F(env);
    f.enter("CallVoidMethodA", false);
    f.use("CallVoidMethodA", o);
    const int index = f.callCount++;
    const std::string& key = f.methodKey(id);
    FakeJni::Call c{key, {}, {}};
    const std::size_t open = key.find('(');
    std::size_t i = 0;
    for (std::size_t at = open + 1; key[at] != ')'; ++i) {
        if (key[at] == 'I') {
            if (f.keepCalls) {
                c.args.push_back(std::to_string(args[i].i));
                c.refs.push_back(nullptr);
            }
            ++at;
        } else {
            at = key.find(';', at) + 1;
            f.use("CallVoidMethodA", args[i].l);
            if (f.keepCalls) {
                auto* s = f.obj(args[i].l);
                c.args.push_back(s ? "\"" + ToUtf8(s->chars) + "\"" : "null");
                c.refs.push_back(args[i].l);
            }
        }
    }
    if (f.keepCalls) f.calls.push_back(std::move(c));
    if (index == f.obj(o)->throwOnCall) f.pending = true;
}

jstring JNICALL NewStringUTF(JNIEnv* env, const char* s) {
    FakeJni& f = F(env);
    f.enter("NewStringUTF", false);
    std::u16string chars;
    if (!FakeJni::decodeModifiedUtf8(s, &chars)) f.invalidUtf.emplace_back(s);
    return static_cast<jstring>(f.madeLocal(f.make(FakeJni::Object{FakeJni::Object::String, {}, chars, {}, -1, false, nullptr})));
}

void JNICALL DeleteLocalRef(JNIEnv* env, jobject o) {
    F(env).enter("DeleteLocalRef", true);
    F(env).deleteLocal(o);
}

jboolean JNICALL ExceptionCheck(JNIEnv* env) {
    F(env).enter("ExceptionCheck", true);
    return F(env).pending ? JNI_TRUE : JNI_FALSE;
}

jint JNICALL PushLocalFrame(JNIEnv* env, jint capacity) {
    F(env).enter("PushLocalFrame", true);
    F(env).pushFrame(capacity);
    return 0;
}

jobject JNICALL PopLocalFrame(JNIEnv* env, jobject result) {
    F(env).enter("PopLocalFrame", true);
    if (result != nullptr) FakeJni::breach("PopLocalFrame with a result: not modelled by the fake");
    F(env).popFrame();
    return nullptr;
}

jint JNICALL EnsureLocalCapacity(JNIEnv* env, jint) {
    F(env).enter("EnsureLocalCapacity", false);
    return 0;
}

jsize JNICALL GetStringLength(JNIEnv* env, jstring s) {
    F(env).enter("GetStringLength", false);
    if (isNull(env, "GetStringLength", s)) return 0;
    return static_cast<jsize>(F(env).obj(s)->chars.size());
}

void JNICALL GetStringRegion(JNIEnv* env, jstring s, jsize start, jsize len, jchar* buf) {
    F(env).enter("GetStringRegion", false);
    if (isNull(env, "GetStringRegion", s)) return;
    const auto& c = F(env).obj(s)->chars;
    for (jsize i = 0; i < len; ++i) buf[i] = static_cast<jchar>(c[static_cast<std::size_t>(start + i)]);
}

jbyteArray JNICALL NewByteArray(JNIEnv* env, jsize len) {
    FakeJni& f = F(env);
    f.enter("NewByteArray", false);
    return static_cast<jbyteArray>(f.madeLocal(f.make(
        FakeJni::Object{FakeJni::Object::Array, std::vector<jbyte>(static_cast<std::size_t>(len)), {}, {}, -1, false, nullptr})));
}

void JNICALL SetByteArrayRegion(JNIEnv* env, jbyteArray a, jsize start, jsize len, const jbyte* buf) {
    F(env).enter("SetByteArrayRegion", false);
    F(env).use("SetByteArrayRegion", a);
    auto& b = F(env).obj(a)->bytes;
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
    table_.PushLocalFrame = PushLocalFrame;
    table_.PopLocalFrame = PopLocalFrame;
    table_.GetStringLength = GetStringLength;
    table_.GetStringRegion = GetStringRegion;
    table_.NewByteArray = NewByteArray;
    table_.SetByteArrayRegion = SetByteArrayRegion;
    env_.functions = &table_;
}

FakeJni::~FakeJni() {
    for (jbyte* p : pinned_) delete[] p;
    if (!frames_.empty())
        breach(std::to_string(frames_.size()) + " local frame(s) pushed and never popped (PushLocalFrame without PopLocalFrame)");
}

FakeJni& FakeJni::of(JNIEnv* env) { return *static_cast<FakeJni*>(env->functions->reserved0); }

void FakeJni::breach(const std::string& what) {
    std::fprintf(stderr, "fake JNIEnv: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

void FakeJni::enter(const char* function, bool allowedWhilePending) {
    if (pending && !allowedWhilePending) breach(std::string(function) + " called while an exception is pending");
    if (!failIn.empty() && failIn == function) {
        failIn.clear();
        if (failWith == Throw::BadAlloc) throw std::bad_alloc();
        throw std::runtime_error(std::string("injected fault in ") + function);
    }
}

jobject FakeJni::madeLocal(jobject o) {
    locals_.insert(o);
    if (!frames_.empty()) {
        Frame& top = frames_.back();
        top.refs.push_back(o);
        if (static_cast<jint>(top.refs.size()) > top.capacity)
            breach("more local references made in a frame than PushLocalFrame made room for");
    }
    liveRefs = static_cast<int>(locals_.size());
    maxLiveRefs = std::max(maxLiveRefs, liveRefs);
    return o;
}

void FakeJni::pushFrame(jint capacity) {
    frames_.push_back(Frame{{}, capacity});
    openFrames = static_cast<int>(frames_.size());
}

void FakeJni::use(const char* function, jobject o) {
    if (o != nullptr && obj(o)->gone != nullptr)
        breach(std::string(function) + ": a local reference used after " + obj(o)->gone);
}

void FakeJni::popFrame() {
    if (frames_.empty()) breach("PopLocalFrame without a frame");
    for (jobject o : frames_.back().refs)
        if (locals_.erase(o) != 0) obj(o)->gone = "its frame was popped";  // those deleted already are gone
    frames_.pop_back();
    openFrames = static_cast<int>(frames_.size());
    liveRefs = static_cast<int>(locals_.size());
}

void FakeJni::deleteLocal(jobject o) {
    if (o == nullptr) return;  // allowed by JNI, and harmless
    if (locals_.erase(o) == 0) breach("DeleteLocalRef of a reference that is not a live local reference");
    obj(o)->gone = "it was deleted";
    liveRefs = static_cast<int>(locals_.size());
}

jbyte* FakeJni::pin(jbyteArray a) {
    // A copy of exactly the array's size, so that a sanitizer sees overreads.
    auto& b = obj(a)->bytes;
    jbyte* copy = new jbyte[b.empty() ? 1 : b.size()];
    std::copy(b.begin(), b.end(), copy);
    pinned_.insert(copy);
    pins = static_cast<int>(pinned_.size());
    return copy;
}

void FakeJni::release(jbyteArray a, jbyte* p, jint mode) {
    if (pinned_.erase(p) == 0) breach("ReleaseByteArrayElements of elements that are not pinned (released twice?)");
    pins = static_cast<int>(pinned_.size());
    releaseModes.push_back(mode);
    if (mode != JNI_ABORT) std::copy(p, p + obj(a)->bytes.size(), obj(a)->bytes.begin());
    delete[] p;
}

jmethodID FakeJni::methodId(const std::string& key) {
    for (std::string& m : methods_)
        if (m == key) return reinterpret_cast<jmethodID>(&m);
    methods_.push_back(key);
    return reinterpret_cast<jmethodID>(&methods_.back());
}

const std::string& FakeJni::methodKey(jmethodID id) {
    for (std::string& m : methods_)
        if (reinterpret_cast<jmethodID>(&m) == id) return m;
    breach("a jmethodID this environment did not hand out");
}

jobject FakeJni::make(Object o) {
    objects_.push_back(std::move(o));
    return reinterpret_cast<jobject>(&objects_.back());
}

jbyteArray FakeJni::array(const std::vector<unsigned char>& bytes) {
    return static_cast<jbyteArray>(make(Object{Object::Array, std::vector<jbyte>(bytes.begin(), bytes.end()), {}, {}, -1, false, nullptr}));
}

jstring FakeJni::string(const std::u16string& chars) {
    return static_cast<jstring>(make(Object{Object::String, {}, chars, {}, -1, false, nullptr}));
}

jobject FakeJni::target(std::vector<std::string> methods) {
    return make(Object{Object::Target, {}, {}, std::move(methods), -1, false, nullptr});
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
