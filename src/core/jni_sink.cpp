#include "jni_sink.hpp"

#include <cstring>
#include <string>

#include "vyt/utf8.hpp"

namespace vyt {

namespace {
constexpr std::size_t kMaxArgs = Out::kMaxArgs;
constexpr std::size_t kScratch = 4096;

constexpr std::uint64_t kHigh = 0x8080808080808080ull;
constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;

// Hashes a short text a word at a time and tells whether it is ASCII.
std::uint32_t HashText(const char* p, std::size_t n, bool* ascii) noexcept {
    std::uint64_t h = n * kMul;
    std::uint64_t any = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        any |= w;
        h = (h ^ w) * kMul;
        h ^= h >> 29;
    }
    if (i < n) {
        std::uint64_t w = 0;
        std::memcpy(&w, p + i, n - i);
        any |= w;
        h = (h ^ w) * kMul;
    }
    *ascii = (any & kHigh) == 0;
    // Mix every byte into the low bits, which pick the slot.
    h ^= h >> 29;
    h *= kMul;
    h ^= h >> 32;
    return static_cast<std::uint32_t>(h);
}

// A string from bytes already known to be ASCII or not.  The bytes are
// followed by a NUL and hold none, so ASCII is already modified UTF-8.
jstring MakeString(JNIEnv* env, TextArg t, bool ascii) {
    if (ascii) return env->NewStringUTF(t.p);
    thread_local char scratch[kScratch];
    if (2 * static_cast<std::size_t>(t.n) + 1 <= kScratch) {
        ToModifiedUtf8(t.p, t.n, scratch);
        return env->NewStringUTF(scratch);
    }
    std::string big(2 * static_cast<std::size_t>(t.n) + 1, '\0');
    ToModifiedUtf8(t.p, t.n, big.data());
    return env->NewStringUTF(big.c_str());
}

}  // namespace

jstring NewJavaString(JNIEnv* env, TextArg t) { return MakeString(env, t, IsAscii(t.p, t.n)); }

jstring StringCache::get(JNIEnv* env, TextArg t, bool* owned) {
    // Empty texts are not kept: each call gets a string of its own.
    if (t.n == 0 || t.n > kMaxKey) {
        *owned = true;
        return NewJavaString(env, t);
    }
    bool ascii = false;
    const std::uint32_t hash = HashText(t.p, t.n, &ascii);
    if (!slots_) slots_.reset(new Slot[kSlots]());
    Slot* victim = nullptr;
    for (int k = 0; k < kProbes; ++k) {
        Slot& s = slots_[(hash + static_cast<std::uint32_t>(k)) & (kSlots - 1)];
        if (s.ref != nullptr && s.hash == hash && s.len == t.n && std::memcmp(s.key, t.p, t.n) == 0) {
            s.call = call_;
            *owned = false;
            return s.ref;
        }
        if (s.ref == nullptr) {  // the text is not further on: take this free slot
            victim = &s;
            break;
        }
        if (victim == nullptr && s.call != call_) victim = &s;
    }
    jstring made = MakeString(env, t, ascii);
    if (made == nullptr || victim == nullptr) {  // every probed slot serves this call
        *owned = true;
        return made;
    }
    if (victim->ref != nullptr) env->DeleteLocalRef(victim->ref);
    victim->ref = made;
    victim->hash = hash;
    victim->len = t.n;
    victim->call = call_;
    std::memcpy(victim->key, t.p, t.n);
    *owned = false;
    return made;
}

void StringCache::clear(JNIEnv* env) noexcept {
    if (!slots_) return;
    for (int k = 0; k < kSlots; ++k) {
        if (slots_[k].ref != nullptr) env->DeleteLocalRef(slots_[k].ref);
        slots_[k].ref = nullptr;
    }
}

JniSink::~JniSink() {
    strings_.clear(env_);
    for (jstring s : shared_)
        if (s != nullptr) env_->DeleteLocalRef(s);
    if (cls_ != nullptr) env_->DeleteLocalRef(cls_);
}

bool JniSink::lookup(int slot, const char* name, const char* signature) {
    trace::flush();  // the lookup may initialise the class, running Java code
    if (cls_ == nullptr) {
        cls_ = env_->GetObjectClass(target_);
        if (cls_ == nullptr) return false;
    }
    jmethodID id = env_->GetMethodID(cls_, name, signature);
    if (id == nullptr) return false;  // NoSuchMethodError stays pending
    ids_[slot] = id;
    return true;
}

bool JniSink::share(int slot, TextArg text) {
    jstring s = NewJavaString(env_, text);
    if (s == nullptr) return false;  // the exception stays pending
    shared_[slot] = s;
    return true;
}

bool JniSink::call(int slot, const Arg* args, std::size_t n) {
    if (n > kMaxArgs) return false;
    jvalue values[kMaxArgs];
    jstring made[kMaxArgs];
    std::size_t nMade = 0;
    bool ok = true;
    strings_.nextCall();
    for (std::size_t i = 0; i < n && ok; ++i) {
        if (!args[i].isText) {
            values[i].i = args[i].i;
        } else if (args[i].t.shared >= 0) {
            values[i].l = shared_[args[i].t.shared];
        } else {
            bool owned = false;
            jstring s = strings_.get(env_, args[i].t, &owned);
            if (s == nullptr) {
                ok = false;  // NewStringUTF failed: its exception is pending
            } else {
                if (owned) made[nMade++] = s;
                values[i].l = s;
            }
        }
    }
    if (ok) {
        trace::flush();
        env_->CallVoidMethodA(target_, ids_[slot], values);
        ok = !env_->ExceptionCheck();
    }
    for (std::size_t i = 0; i < nMade; ++i) env_->DeleteLocalRef(made[i]);
    return ok;
}

}  // namespace vyt
