// Loads the library file the jar ships (LoadLibrary on Windows, dlopen elsewhere), calls its
// exports through the fake JNIEnv, and checks:
//   - the version it reports is the one of this build (VYT_VERSION);
//   - a decoded reply of each report family and a request record, byte by byte, against the
//     transcript in dll_expected.txt (made under TZ=EST5, so the local-time texts are checked too);
//   - the typed API's natives: each reply through decode0 gives the calls mapData made, a bad
//     reply its failure, offset and message, and request0 the record buildVYTRequest makes, with
//     no JNI call while the reply is held in place and a bounded number of local references;
//   - per-thread time texts: several threads decode replies with different times at once and
//     each always gets its own texts;
//   - the trace file logs/VYTjni.trc: opened (emptied) when the library is attached, written while
//     tracing is on, closed with a last line when detached, and never made without logs/.
// Usage: vyt_dll_test LIBRARY EXPECTED_TRANSCRIPT CORPUS_DIR [--write]
// Runs in a folder of its own: it makes and removes logs/ there.
#include <jni.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "fake_jni.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>

#include <thread>
#endif

namespace fs = std::filesystem;
using vyt::test::FakeJni;

namespace {

using GetBufLength = jint(JNICALL*)(JNIEnv*, jclass, jbyteArray);
using MapData = jint(JNICALL*)(JNIEnv*, jclass, jbyteArray, jobject, jint);
using BuildRequest = jbyteArray(JNICALL*)(JNIEnv*, jclass, jint, jint, jint, jint, jstring, jstring, jint, jint,
                                          jboolean);
using NativeVersion = jstring(JNICALL*)(JNIEnv*, jclass);
using Decode0 = jobjectArray(JNICALL*)(JNIEnv*, jclass, jbyteArray, jint);
using Request0 = jbyteArray(JNICALL*)(JNIEnv*, jclass, jint, jint, jint, jint, jbyteArray, jbyteArray, jint, jint);

int gFailures = 0;
void check(bool ok, const std::string& what) {
    if (!ok) {
        std::printf("FAILED: %s\n", what.c_str());
        ++gFailures;
    }
}

struct Library {
    void* handle = nullptr;
    GetBufLength getBufLength = nullptr;
    MapData mapData = nullptr;
    BuildRequest buildRequest = nullptr;
    NativeVersion nativeVersion = nullptr;
    Decode0 decode0 = nullptr;
    Request0 request0 = nullptr;

    explicit Library(const std::string& path) {
#ifdef _WIN32
        HMODULE h = LoadLibraryA(path.c_str());
        if (h == nullptr) {
            std::printf("LoadLibrary(%s) failed: error %lu\n", path.c_str(), GetLastError());
            std::exit(1);
        }
        handle = h;
        auto sym = [h](const char* n) { return reinterpret_cast<void*>(GetProcAddress(h, n)); };
#else
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            std::printf("dlopen(%s) failed: %s\n", path.c_str(), dlerror());
            std::exit(1);
        }
        void* h = handle;
        auto sym = [h](const char* n) { return dlsym(h, n); };
#endif
        getBufLength = reinterpret_cast<GetBufLength>(sym("Java_VYTconnect_getBufLength"));
        mapData = reinterpret_cast<MapData>(sym("Java_VYTreport_mapData"));
        buildRequest = reinterpret_cast<BuildRequest>(sym("Java_VYTservlet_buildVYTRequest"));
        nativeVersion = reinterpret_cast<NativeVersion>(sym("Java_VYTjniLoader_nativeVersion"));
        decode0 = reinterpret_cast<Decode0>(sym("Java_org_vytjni_api_NativeCalls_decode0"));
        request0 = reinterpret_cast<Request0>(sym("Java_org_vytjni_api_NativeCalls_request0"));
        if (!getBufLength || !mapData || !buildRequest || !nativeVersion || !decode0 || !request0) {
            std::printf("%s lacks one of the six exports\n", path.c_str());
            std::exit(1);
        }
    }
    ~Library() {
#ifdef _WIN32
        FreeLibrary(static_cast<HMODULE>(handle));
#else
        dlclose(handle);
#endif
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
};

// A corpus file: its first byte is the report type, the rest a reply.
struct Reply {
    std::string name;
    int type;
    std::vector<unsigned char> bytes;
};

Reply readReply(const std::string& dir, const std::string& name) {
    std::ifstream in(dir + "/" + name, std::ios::binary);
    std::vector<unsigned char> all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (all.size() < 2) {
        std::printf("cannot read %s/%s\n", dir.c_str(), name.c_str());
        std::exit(1);
    }
    return {name, all[0], std::vector<unsigned char>(all.begin() + 1, all.end())};
}

// The fake JNIEnv's method IDs live in one list for all environments; threads that decode at once
// get environments whose GetMethodID takes a lock around it.
std::mutex gMethodLock;
jmethodID(JNICALL* gGetMethodID)(JNIEnv*, jclass, const char*, const char*) = nullptr;
jmethodID JNICALL lockedGetMethodID(JNIEnv* env, jclass c, const char* name, const char* sig) {
    std::lock_guard<std::mutex> hold(gMethodLock);
    return gGetMethodID(env, c, name, sig);
}

// One decode: the status and every call, one line each.
std::string decode(const Library& lib, const Reply& r, bool lockedEnv = false) {
    FakeJni f;
    JNINativeInterface_ table = *f.env()->functions;
    JNIEnv locked{};
    JNIEnv* env = f.env();
    if (lockedEnv) {
        table.GetMethodID = lockedGetMethodID;
        locked.functions = &table;
        env = &locked;
    }
    jobject target = f.target({});
    f.obj(target)->anyMethod = true;
    const jint status = lib.mapData(env, nullptr, f.array(r.bytes), target, r.type);
    std::ostringstream out;
    out << "mapData " << r.name << " type " << r.type << ": status " << status << "\n";
    for (const auto& c : f.calls) {
        out << "  " << c.method;
        for (std::size_t i = 0; i < c.args.size(); ++i) out << (i ? ", " : " ") << c.args[i];
        out << "\n";
    }
    return out.str();
}

std::vector<unsigned char> request(const Library& lib, bool trace) {
    FakeJni f;
    jbyteArray rec = lib.buildRequest(f.env(), nullptr, 28, 0x208, 3, 10, f.string(u"checkout"),
                                      f.string(u"/static/caf\u00e9"), 1, 2, trace ? JNI_TRUE : JNI_FALSE);
    if (rec == nullptr) return {};
    const auto& b = f.obj(rec)->bytes;
    return std::vector<unsigned char>(b.begin(), b.end());
}

// A JNIEnv of the functions the typed natives use, over arrays of its own: byte, int and object
// arrays and classes.  It records a breach when a function other than the release is called while
// an array is held in place, and counts the local references handed out and not deleted.
class TypedEnv {
public:
    struct Array {
        char kind;  // 'B' bytes, 'I' ints, 'L' objects, 'C' a class, 'D' a direct buffer
        std::vector<jbyte> bytes;
        std::vector<jint> ints;
        std::vector<jobject> objects;
        void* address = nullptr;  // a direct buffer's memory and size in bytes
        jlong capacity = 0;
    };

    TypedEnv() {
        table_.GetArrayLength = [](JNIEnv* e, jarray a) { return static_cast<jsize>(of(e).enter("GetArrayLength").size(a)); };
        table_.GetByteArrayRegion = [](JNIEnv* e, jbyteArray a, jsize at, jsize n, jbyte* to) {
            const Array& x = of(e).enter("GetByteArrayRegion").get(a);
            std::memcpy(to, x.bytes.data() + at, static_cast<std::size_t>(n));
        };
        table_.GetPrimitiveArrayCritical = [](JNIEnv* e, jarray a, jboolean* copy) -> void* {
            TypedEnv& t = of(e).enter("GetPrimitiveArrayCritical");
            if (copy != nullptr) *copy = JNI_FALSE;
            ++t.held_;
            return t.get(a).bytes.data();
        };
        table_.ReleasePrimitiveArrayCritical = [](JNIEnv* e, jarray, void*, jint mode) {
            TypedEnv& t = of(e);
            if (t.held_ == 0 || mode != JNI_ABORT) t.breach = "ReleasePrimitiveArrayCritical without a hold or with copy-back";
            --t.held_;
        };
        table_.NewIntArray = [](JNIEnv* e, jsize n) {
            return static_cast<jintArray>(of(e).enter("NewIntArray").make({'I', {}, std::vector<jint>(static_cast<std::size_t>(n)), {}}));
        };
        table_.SetIntArrayRegion = [](JNIEnv* e, jintArray a, jsize at, jsize n, const jint* from) {
            std::memcpy(of(e).enter("SetIntArrayRegion").get(a).ints.data() + at, from, static_cast<std::size_t>(n) * sizeof(jint));
        };
        table_.NewByteArray = [](JNIEnv* e, jsize n) {
            return static_cast<jbyteArray>(of(e).enter("NewByteArray").make({'B', std::vector<jbyte>(static_cast<std::size_t>(n)), {}, {}}));
        };
        table_.SetByteArrayRegion = [](JNIEnv* e, jbyteArray a, jsize at, jsize n, const jbyte* from) {
            std::memcpy(of(e).enter("SetByteArrayRegion").get(a).bytes.data() + at, from, static_cast<std::size_t>(n));
        };
        table_.NewDirectByteBuffer = [](JNIEnv* e, void* at, jlong size) {
            Array a{'D', {}, {}, {}};
            a.address = at;
            a.capacity = size;
            return of(e).enter("NewDirectByteBuffer").make(std::move(a));
        };
        table_.FindClass = [](JNIEnv* e, const char*) { return static_cast<jclass>(of(e).enter("FindClass").make({'C', {}, {}, {}})); };
        table_.NewObjectArray = [](JNIEnv* e, jsize n, jclass, jobject) {
            return static_cast<jobjectArray>(of(e).enter("NewObjectArray").make({'L', {}, {}, std::vector<jobject>(static_cast<std::size_t>(n))}));
        };
        table_.SetObjectArrayElement = [](JNIEnv* e, jobjectArray a, jsize i, jobject v) {
            of(e).enter("SetObjectArrayElement").get(a).objects.at(static_cast<std::size_t>(i)) = v;
        };
        table_.ExceptionCheck = [](JNIEnv* e) -> jboolean { return of(e).enter("ExceptionCheck"), JNI_FALSE; };
        table_.DeleteLocalRef = [](JNIEnv* e, jobject) { --of(e).enter("DeleteLocalRef").live; };
        holder_.env.functions = &table_;
        holder_.self = this;
    }
    TypedEnv(const TypedEnv&) = delete;
    TypedEnv& operator=(const TypedEnv&) = delete;

    JNIEnv* env() { return &holder_.env; }
    jbyteArray bytes(const std::vector<unsigned char>& b) {
        const jobject a = make({'B', std::vector<jbyte>(b.begin(), b.end()), {}, {}});
        --live;  // the caller's array, not a local reference the library made
        return static_cast<jbyteArray>(a);
    }
    Array& get(jobject a) { return *static_cast<Array*>(static_cast<void*>(a)); }

    int live = 0;       // local references made and not deleted
    int most = 0;       // the most at once
    std::string breach; // the first misuse seen

private:
    struct Holder {
        JNIEnv env;
        TypedEnv* self;
    };
    static TypedEnv& of(JNIEnv* e) { return *reinterpret_cast<Holder*>(e)->self; }
    TypedEnv& enter(const char* what) {
        if (held_ != 0 && breach.empty()) breach = std::string(what) + " called while an array is held in place";
        return *this;
    }
    std::size_t size(jobject a) {
        const Array& x = get(a);
        return x.kind == 'B' ? x.bytes.size() : x.kind == 'I' ? x.ints.size() : x.objects.size();
    }
    jobject make(Array a) {
        arrays_.push_back(std::move(a));
        most = std::max(most, ++live);
        return static_cast<jobject>(static_cast<void*>(&arrays_.back()));
    }

    JNINativeInterface_ table_{};
    Holder holder_{};
    std::deque<Array> arrays_;
    int held_ = 0;
};

// decode0 of one reply, as one transcript line: its entries and distinct texts when its calls,
// texts resolved, are those mapData makes (in the fake JNIEnv's form), else where they differ; or
// its failure, offset and message.
std::string typedDecode(const Library& lib, const Reply& r) {
    TypedEnv t;
    const jobjectArray out = lib.decode0(t.env(), nullptr, t.bytes(r.bytes), r.type);
    check(t.breach.empty(), r.name + ": decode0: " + t.breach);
    check(t.most <= 4 && t.live == 1, r.name + ": decode0 left " + std::to_string(t.live) +
                                          " local references (" + std::to_string(t.most) + " at most)");
    const std::string head = "decode0 " + r.name + " type " + std::to_string(r.type) + ": ";
    if (out == nullptr) return head + "null\n";
    // The words: a direct buffer over the library's memory, read before any other decode.
    const TypedEnv::Array& words = t.get(t.get(out).objects.at(0));
    if (words.kind != 'D' || words.capacity % 4 != 0) return head + "the words are not a direct buffer of ints\n";
    std::vector<jint> w(static_cast<std::size_t>(words.capacity / 4));
    std::memcpy(w.data(), words.address, static_cast<std::size_t>(words.capacity));
    const std::vector<jbyte>& kept = t.get(t.get(out).objects.at(1)).bytes;
    const auto callsEnd = static_cast<std::size_t>(w.at(2));
    std::vector<std::string> texts;  // each: where it starts, then its length and where it lies
    for (std::size_t i = callsEnd; i + 1 < w.size(); i += 2) {
        const bool inKept = (static_cast<std::uint32_t>(w[i + 1]) & 0x80000000u) != 0;
        const auto at = static_cast<std::size_t>(w[i]), len = static_cast<std::size_t>(w[i + 1] & 0x3FFFFFFF);
        const std::size_t size = inKept ? kept.size() : r.bytes.size();
        if (at > size || len > size - at) return head + "text " + std::to_string(texts.size()) + " lies outside its array\n";
        texts.emplace_back(inKept ? reinterpret_cast<const char*>(kept.data()) + at
                                  : reinterpret_cast<const char*>(r.bytes.data()) + at,
                           len);
    }
    if (w.at(0) != 0)
        return head + "failure " + std::to_string(w[0]) + " at offset " + std::to_string(w[1]) + ": " +
               (texts.empty() ? "(no message)" : texts[0]) + "\n";
    // The calls mapData makes on the same reply give each call's method and argument kinds.
    FakeJni f;
    jobject target = f.target({});
    f.obj(target)->anyMethod = true;
    lib.mapData(f.env(), nullptr, f.array(r.bytes), target, r.type);
    std::size_t p = 4;
    int entries = 0;
    for (std::size_t k = 0; k < f.calls.size(); ++k) {
        const FakeJni::Call& c = f.calls[k];
        const std::string name = c.method.substr(0, c.method.find(' '));
        std::string want = name, got = p < callsEnd ? (w[p] == 0 ? "setData" : "addEntry") : "(no call)";
        entries += got == "addEntry";
        std::size_t i = 0;
        for (std::size_t at = c.method.find('(') + 1; c.method[at] != ')' && p + 1 + i < callsEnd; ++i) {
            const jint v = w[p + 1 + i];
            want += (i ? ", " : " ") + c.args[i];
            if (c.method[at] == 'I') {
                got += (i ? ", " : " ") + std::to_string(v);
                ++at;
            } else {
                got += (i ? ", " : " ") + (v >= 0 && static_cast<std::size_t>(v) < texts.size()
                                                ? "\"" + texts[static_cast<std::size_t>(v)] + "\""
                                                : "(text " + std::to_string(v) + ")");
                at = c.method.find(';', at) + 1;
            }
        }
        if (got != want) return head + "call " + std::to_string(k) + " is " + got + ", mapData's " + want + "\n";
        p += 1 + i;
    }
    if (p != callsEnd) return head + "more calls than mapData's\n";
    check(w.at(3) == entries, r.name + ": decode0's entry count");
    return head + std::to_string(entries) + " entries, " + std::to_string(texts.size()) +
           " distinct texts, the calls of mapData\n";
}

// request0 of report type 28 with the names as Java hands them (UTF-8 bytes).
std::vector<unsigned char> typedRequest(const Library& lib) {
    TypedEnv t;
    const std::string tran = "checkout", sub = "/static/caf\xc3\xa9";
    const jbyteArray rec = lib.request0(t.env(), nullptr, 28, 0x208, 3, 10,
                                        t.bytes(std::vector<unsigned char>(tran.begin(), tran.end())),
                                        t.bytes(std::vector<unsigned char>(sub.begin(), sub.end())), 1, 2);
    check(t.breach.empty() && t.live <= 1, "request0: " + t.breach);
    if (rec == nullptr) return {};
    const auto& b = t.get(rec).bytes;
    return std::vector<unsigned char>(b.begin(), b.end());
}

std::string transcript(const Library& lib, const std::vector<Reply>& replies) {
    std::ostringstream out;
    {
        FakeJni f;
        const jstring v = lib.nativeVersion(f.env(), nullptr);
        const std::string want = VYT_VERSION;
        const bool same = v != nullptr && f.obj(v)->chars == std::u16string(want.begin(), want.end());
        out << "nativeVersion: " << (same ? "the build's version" : "not the build's version " + want) << "\n";
    }
    const std::vector<unsigned char> rec = request(lib, false);
    out << "buildVYTRequest 28: " << rec.size() << " bytes\n";
    for (std::size_t at = 0; at < rec.size(); at += 16) {
        char line[80];
        int n = std::snprintf(line, sizeof line, "  %04zx", at);
        for (std::size_t i = at; i < at + 16 && i < rec.size(); ++i)
            n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), " %02x", rec[i]);
        out << line << "\n";
    }
    for (const Reply& r : replies) {
        FakeJni f;
        out << "getBufLength " << r.name << ": " << lib.getBufLength(f.env(), nullptr, f.array(r.bytes)) << "\n";
        out << decode(lib, r);
    }
    return out.str();
}

// The typed natives' part of the transcript.  It runs on a thread of its own that ends before the
// library is closed: the typed natives keep per-thread buffers, whose destructors (registered on
// the thread's first typed call) keep a POSIX library loaded until that thread exits.
struct TypedJob {
    const Library* lib;
    const std::vector<Reply>* replies;
    std::vector<unsigned char> record;  // buildVYTRequest's
    std::string out;
};
void runTyped(TypedJob* j) {
    const Library& lib = *j->lib;
    std::string& out = j->out;
    out += std::string("request0 28: ") +
           (typedRequest(lib) == j->record ? "the record of buildVYTRequest" : "another record") + "\n";
    for (const Reply& r : *j->replies) out += typedDecode(lib, r);
    // Bad replies: a length word that is not the reply's, and a reply cut inside its entries
    // (its length word made to agree).
    Reply mismatch = (*j->replies)[0];
    mismatch.name += " less its last byte";
    mismatch.bytes.pop_back();
    out += typedDecode(lib, mismatch);
    Reply cut = (*j->replies)[1];
    cut.name += " cut by 100 bytes";
    cut.bytes.resize(cut.bytes.size() - 100);
    const auto n = static_cast<std::uint32_t>(cut.bytes.size());
    for (int i = 0; i < 4; ++i) cut.bytes[static_cast<std::size_t>(i)] = static_cast<unsigned char>(n >> (8 * i));
    out += typedDecode(lib, cut);
}
#ifdef _WIN32
DWORD WINAPI typedMain(LPVOID job) {
    runTyped(static_cast<TypedJob*>(job));
    return 0;
}
#endif
std::string typedTranscript(const Library& lib, const std::vector<Reply>& replies) {
    TypedJob j{&lib, &replies, request(lib, false), {}};
#ifdef _WIN32
    HANDLE h = CreateThread(nullptr, 0, typedMain, &j, 0, nullptr);
    WaitForSingleObject(h, INFINITE);
    CloseHandle(h);
#else
    std::thread t(runTyped, &j);
    t.join();
#endif
    return j.out;
}

// One thread's work: decode its reply again and again, counting texts that are not its own.
struct Job {
    const Library* lib;
    const Reply* reply;
    const std::string* want;
    std::atomic<int>* wrong;
};
void runJob(Job* j) {
    for (int i = 0; i < 150; ++i)
        if (decode(*j->lib, *j->reply, true) != *j->want) ++*j->wrong;
}
#ifdef _WIN32
DWORD WINAPI threadMain(LPVOID job) {
    runJob(static_cast<Job*>(job));
    return 0;
}
#endif

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void setTimeZone(const char* tz) {
#ifdef _WIN32
    _putenv_s("TZ", tz);
    _tzset();
#else
    setenv("TZ", tz, 1);
    tzset();
#endif
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf("usage: %s LIBRARY EXPECTED_TRANSCRIPT CORPUS_DIR [--write]\n", argv[0]);
        return 2;
    }
    const std::string libPath = argv[1], expectedPath = argv[2], corpus = argv[3];
    const bool write = argc > 4 && std::strcmp(argv[4], "--write") == 0;
    setTimeZone("EST5");  // five hours behind UTC, no daylight saving time

    // One reply of each report family; the alert replies carry local-time texts.
    const std::vector<Reply> replies = {
        readReply(corpus, "reply-01-all-transactions.bin"), readReply(corpus, "reply-04-rsp-time.bin"),
        readReply(corpus, "reply-08-net-detail.bin"),       readReply(corpus, "reply-11-current-alerts.bin"),
        readReply(corpus, "reply-15-event-alerts.bin"),     readReply(corpus, "reply-26-url-alerts.bin")};

    std::error_code ec;
    fs::remove_all("logs", ec);
    fs::create_directory("logs");
    {
        Library lib(libPath);

        // The transcript, byte by byte.
        const std::string got = transcript(lib, replies) + typedTranscript(lib, replies);
        if (write) {
            std::ofstream(expectedPath, std::ios::binary) << got;
            std::printf("wrote %s\n", expectedPath.c_str());
        } else {
            const std::string want = readText(expectedPath);
            if (got != want) {
                std::size_t at = 0;
                while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
                const std::size_t from = got.rfind('\n', at) == std::string::npos ? 0 : got.rfind('\n', at) + 1;
                check(false, "the transcript differs from " + expectedPath + " at byte " + std::to_string(at) +
                                 ", in the line\n  got:  " + got.substr(from, got.find('\n', at) - from) +
                                 "\n  want: " + want.substr(from, want.find('\n', at) - from));
            }
        }

        // Per-thread time texts: each thread decodes its own alert reply over and over.
        const std::vector<const Reply*> mine = {&replies[3], &replies[4], &replies[5], &replies[3]};
        std::vector<std::string> want;
        for (const Reply* r : mine) want.push_back(decode(lib, *r));
        gGetMethodID = FakeJni().env()->functions->GetMethodID;
        std::atomic<int> wrong{0};
        std::vector<Job> jobs;
        for (std::size_t i = 0; i < mine.size(); ++i) jobs.push_back({&lib, mine[i], &want[i], &wrong});
#ifdef _WIN32
        std::vector<HANDLE> threads;
        for (Job& j : jobs) threads.push_back(CreateThread(nullptr, 0, threadMain, &j, 0, nullptr));
        WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
        for (HANDLE h : threads) CloseHandle(h);
#else
        std::vector<std::thread> threads;
        for (Job& j : jobs) threads.emplace_back(runJob, &j);
        for (auto& t : threads) t.join();
#endif
        check(wrong.load() == 0, std::to_string(wrong.load()) + " decodes on " + std::to_string(jobs.size()) +
                                     " threads at once got another thread's texts");

        // Tracing on: the request and a decode are traced.
        check(request(lib, true).size() == 1132, "a traced request record");
        decode(lib, replies[3]);
    }
    // Detached: the trace file ends with the detach line.
    const std::string trace = readText("logs/VYTjni.trc");
    check(trace.find("buildVYTRequest Entry: type<28>") != std::string::npos &&
              trace.find("Java_VYTreport_mapData Entry: rep_type<11>") != std::string::npos,
          "the trace file holds the traced calls:\n" + trace.substr(0, 400));
    const std::string last = "DLL_PROCESS_DETACH: closing trace file.";
    check(trace.size() >= last.size() && trace.compare(trace.size() - last.size(), last.size(), last) == 0 &&
              trace.find("] " + last) != std::string::npos,
          "the trace file ends with the detach line:\n" + trace.substr(trace.size() > 200 ? trace.size() - 200 : 0));
    {
        // Attached again: the file starts empty, and tracing is off until a call switches it on.
        Library lib(libPath);
        check(fs::file_size("logs/VYTjni.trc") == 0, "attaching empties the trace file");
        decode(lib, replies[0]);
    }
    check(fs::file_size("logs/VYTjni.trc") == 0, "nothing is traced while tracing is off");
    fs::remove_all("logs", ec);
    {
        // Without logs/ the library works and writes nothing.
        Library lib(libPath);
        check(request(lib, true).size() == 1132, "a request record without logs/");
    }
    check(!fs::exists("logs"), "no logs/ is made");

    std::printf("%s: %s\n", libPath.c_str(), gFailures == 0 ? "all checks passed" : "FAILED");
    return gFailures == 0 ? 0 : 1;
}
