#include "jni_sink.hpp"

#include <bit>
#include <cstring>
#include <string>

#include "vyt/utf8.hpp"

namespace vyt {

namespace {
constexpr std::size_t kMaxArgs = Out::kMaxArgs;
constexpr std::size_t kScratch = 4096;

constexpr std::uint64_t kHigh = 0x8080808080808080ull;
constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;

std::uint64_t Load32(const char* p) noexcept {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// Hashes a short text a word at a time and tells whether it is ASCII.  The
// last 1 to 7 bytes are read as (possibly overlapping) loads inside the text.
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
    const std::size_t r = n - i;
    if (r != 0) {
        const char* q = p + i;
        std::uint64_t w;
        if (r >= 4) {
            w = Load32(q) | Load32(q + r - 4) << 32;
        } else {
            w = static_cast<unsigned char>(q[0]) | static_cast<std::uint64_t>(static_cast<unsigned char>(q[r / 2])) << 8 |
                static_cast<std::uint64_t>(static_cast<unsigned char>(q[r - 1])) << 16;
        }
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
    if (t.n == 0 || t.n > kMaxKey || pause_ > 0) {
        if (pause_ > 0) --pause_;
        *owned = true;
        return NewJavaString(env, t);
    }
    if (++lookups_ == kWindow) {
        if (hits_ < kMinHits) {
            // Texts do not recur: give back the references and make strings
            // one by one for a while, as if there were no table.
            pause_ = kPause;
            release(env);
        }
        lookups_ = 0;
        hits_ = 0;
    }
    bool ascii = false;
    const std::uint32_t hash = HashText(t.p, t.n, &ascii);
    int victim = -1;
    for (int k = 0; k < kProbes; ++k) {
        const int at = static_cast<int>((hash + static_cast<std::uint32_t>(k)) & (kSlots - 1));
        if (!used(at)) {  // the text is not further on: take this free slot
            victim = at;
            break;
        }
        Slot& s = slots_[at];
        if (s.hash == hash && s.len == t.n && std::memcmp(s.key, t.p, t.n) == 0) {
            s.call = call_;
            ++hits_;
            *owned = false;
            return s.ref;
        }
        if (victim < 0 && s.call != call_) victim = at;
    }
    jstring made = MakeString(env, t, ascii);
    if (made == nullptr || victim < 0) {  // every probed slot serves this call
        *owned = true;
        return made;
    }
    Slot& v = slots_[victim];
    if (used(victim)) env->DeleteLocalRef(v.ref);
    used_[victim >> 6] |= std::uint64_t{1} << (victim & 63);
    v.ref = made;
    v.hash = hash;
    v.len = t.n;
    v.call = call_;
    std::memcpy(v.key, t.p, t.n);
    *owned = false;
    return made;
}

void StringCache::release(JNIEnv* env) noexcept {
    for (int k = 0; k < kSlots; ++k) {
        if (!used(k) || slots_[k].call == call_) continue;  // the current call still passes these
        env->DeleteLocalRef(slots_[k].ref);
        used_[k >> 6] &= ~(std::uint64_t{1} << (k & 63));
    }
}

void StringCache::clear(JNIEnv* env) noexcept {
    for (int w = 0; w < kSlots / 64; ++w) {
        for (std::uint64_t bits = used_[w]; bits != 0; bits &= bits - 1)
            env->DeleteLocalRef(slots_[w * 64 + std::countr_zero(bits)].ref);
        used_[w] = 0;
    }
}

JniSink::~JniSink() {
    strings_.clear(env_);
    for (jstring s : shared_)
        if (s != nullptr) env_->DeleteLocalRef(s);
    if (cls_ != nullptr) env_->DeleteLocalRef(cls_);
}

bool JniSink::lookup(int slot, const char* name, const char* signature) {
    flushLines();  // the lookup may initialise the class, running Java code
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
        flushLines();
        env_->CallVoidMethodA(target_, ids_[slot], values);
        ok = !env_->ExceptionCheck();
    }
    for (std::size_t i = 0; i < nMade; ++i) env_->DeleteLocalRef(made[i]);
    return ok;
}

}  // namespace vyt
