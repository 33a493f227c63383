// Loads the library file the jar ships (LoadLibrary on Windows, dlopen elsewhere), calls its
// exports through the fake JNIEnv, and checks:
//   - the version it reports is the one of this build (VYT_VERSION);
//   - a decoded reply of each report family and a request record, byte by byte, against the
//     transcript in dll_expected.txt (made under TZ=EST5, so the local-time texts are checked too);
//   - per-thread time texts: several threads decode replies with different times at once and
//     each always gets its own texts;
//   - the trace file logs/VYTjni.trc: opened (emptied) when the library is attached, written while
//     tracing is on, closed with a last line when detached, and never made without logs/.
// Usage: vyt_dll_test LIBRARY EXPECTED_TRANSCRIPT CORPUS_DIR [--write]
// Runs in a folder of its own: it makes and removes logs/ there.
#include <jni.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
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
        if (!getBufLength || !mapData || !buildRequest || !nativeVersion) {
            std::printf("%s lacks one of the four exports\n", path.c_str());
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
        const std::string got = transcript(lib, replies);
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
