#include "jni_sink.hpp"
#include "text_hash.hpp"

#include <bit>
#include <cstring>

#include "vyt/utf8.hpp"

namespace vyt {

namespace {
constexpr std::size_t kMaxArgs = Out::kMaxArgs;
constexpr std::size_t kScratch = 4096;

// ASCII bytes are only NUL-terminated; other bytes are converted.
jstring MakeString(JNIEnv* env, const TextArg& t, bool ascii) {
    if (ascii && t.terminated) return env->NewStringUTF(t.p);
    // Texts are reply fields, so their converted form always fits.
    static_assert(2 * kMaxTextWidth + 1 <= kScratch);
    thread_local char scratch[kScratch];
    const std::size_t n = t.n <= kMaxTextWidth ? t.n : kMaxTextWidth;
    if (ascii) {
        std::memcpy(scratch, t.p, n);
        scratch[n] = '\0';
    } else {
        ToModifiedUtf8(t.p, n, scratch);
    }
    return env->NewStringUTF(scratch);
}

}  // namespace

jstring NewConvertedString(JNIEnv* env, const TextArg& t) { return MakeString(env, t, t.ascii || IsAscii(t.p, t.n)); }

jstring MakeKeptString(JNIEnv* env, const TextArg& t, const StringCache::Probe& probe) {
    return MakeString(env, t, probe.ascii);
}

jstring StringCache::find(const TextArg& t, int field, Probe* probe) {
    Field& f = fields_[field];
    if (++f.lookups == kWindow) {
        if (f.hits < kMinHits) f.pause = kPause;  // this field's texts do not recur
        f.lookups = 0;
        f.hits = 0;
    }
    bool ascii = false;
    const std::uint32_t hash = HashText(t.p, t.n, &ascii);
    probe->hash = hash;
    probe->ascii = ascii || t.ascii;
    probe->victim = -1;
    for (int k = 0; k < kProbes; ++k) {
        const int at = static_cast<int>((hash + static_cast<std::uint32_t>(k)) & (kSlots - 1));
        if (!used(at)) {  // the text is not further on: take this free slot
            probe->victim = at;
            return nullptr;
        }
        Slot& s = slots_[at];
        if (s.hash == hash && s.len == t.n && std::memcmp(s.key, t.p, t.n) == 0) {
            s.call = call_;
            ++f.hits;
            return s.ref;
        }
        if (probe->victim < 0 && s.call != call_) probe->victim = at;
    }
    return nullptr;
}

bool StringCache::keep(const TextArg& t, const Probe& probe, jstring made) noexcept {
    if (probe.victim < 0) return false;  // every probed slot serves this call
    Slot* v = &slots_[probe.victim];
    if (used(probe.victim)) drop(probe.victim);  // the evicted string
    used_[probe.victim >> 6] |= std::uint64_t{1} << (probe.victim & 63);
    v->ref = made;
    v->hash = probe.hash;
    v->len = t.n;
    v->call = call_;
    std::memcpy(v->key, t.p, t.n);
    return true;
}

StringCache::~StringCache() {
    for (int w = 0; w < kSlots / 64; ++w)
        for (std::uint64_t bits = used_[w]; bits != 0; bits &= bits - 1)
            drop(w * 64 + std::countr_zero(bits));
}

bool JniSink::lookup(int slot, const char* name, const char* signature) {
    flushLines();  // the lookup may initialise the class, running Java code
    if (!cls_) {
        leaveFrame();  // the class outlives the frame
        cls_.reset(env_, env_->GetObjectClass(target_));
        if (!cls_) return false;
    }
    jmethodID id = env_->GetMethodID(cls_.get(), name, signature);
    if (id == nullptr) return false;  // NoSuchMethodError stays pending
    ids_[slot] = id;
    return true;
}

bool JniSink::share(int slot, TextArg text) {
    leaveFrame();  // a shared string outlives the frame
    jstring s = NewJavaString(env_, text);
    if (s == nullptr) return false;  // the exception stays pending
    shared_[slot].reset(env_, s);
    return true;
}

bool JniSink::call(int slot, const CallArgs& a) {
    if (a.n > kMaxArgs || a.nTexts > static_cast<std::size_t>(Out::kMaxTextArgs)) return false;
    // A Slot is laid out as a jvalue: an int and a reference each at its start.
    static_assert(sizeof(Slot) == sizeof(jvalue) && alignof(Slot) == alignof(jvalue));
    bool ok = true;
    {
        // Strings the table has no room for: deleted after the call, at the end of this block.
        LocalRefs<jstring, Out::kMaxTextArgs> made(env_);
        static_assert(Out::kMaxTextArgs <= 16);
        std::uint16_t once = 0;  // texts whose strings serve this call alone, one bit each
        strings_.nextCall();
        // First the strings that outlive the frame: shared ones and the table's.
        for (std::size_t k = 0; k < a.nTexts && ok; ++k) {
            const TextArg& t = a.texts[k];
            const int field = slot * Out::kMaxTextArgs + static_cast<int>(k);
            jstring s;
            if (t.shared >= 0) {
                s = shared_[t.shared].get();
            } else if (strings_.kept(t, field)) {
                StringCache::Probe probe;
                s = strings_.find(t, field, &probe);
                if (s == nullptr) {
                    leaveFrame();
                    s = MakeKeptString(env_, t, probe);
                    if (s == nullptr) {
                        ok = false;  // NewStringUTF failed: its exception is pending
                        break;
                    }
                    if (!strings_.keep(t, probe, s)) made.add(s);
                }
            } else {
                once = static_cast<std::uint16_t>(once | 1u << k);
                continue;
            }
            a.slots[a.textAt[k]].ref = s;
        }
        // Then the strings of this call alone, in the frame.
        for (std::size_t k = 0; once != 0 && ok; ++k) {
            if ((once >> k & 1u) == 0) continue;
            once = static_cast<std::uint16_t>(once & ~(1u << k));
            if (!frame_.enter(kFrameCapacity)) {
                ok = false;  // OutOfMemoryError is pending
                break;
            }
            jstring s = NewJavaString(env_, a.texts[k]);
            if (s == nullptr) {
                ok = false;
                break;
            }
            a.slots[a.textAt[k]].ref = frame_.hold(s);
        }
        if (ok) {
            flushLines();
            env_->CallVoidMethodA(target_, ids_[slot], reinterpret_cast<const jvalue*>(a.slots));
            ok = !env_->ExceptionCheck();
        }
    }
    if (frame_.held() >= kFrameRefs) leaveFrame();
    return ok;
}

}  // namespace vyt
