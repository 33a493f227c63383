// Faults the library must make loud: C++ exceptions at the JNI boundary,
// reads outside a checked record, and breaches of the JNI rules that the
// strict fake JNIEnv catches.
#include <gtest/gtest.h>

#include <jni.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fake_jni.hpp"
#include "recording_sink.hpp"
#include "vyt/decoder.hpp"
#include "vyt/layout/common.hpp"
#include "vyt/trace.hpp"

extern "C" {
jint Java_VYTconnect_getBufLength(JNIEnv*, jobject, jbyteArray);
jint Java_VYTreport_mapData(JNIEnv*, jobject, jbyteArray, jobject, jint);
jbyteArray Java_VYTservlet_buildVYTRequest(JNIEnv*, jobject, jint, jint, jint, jint, jstring, jstring, jint, jint,
                                           jboolean);
}

namespace vyt::test {
namespace {

// The error lines written to the trace file while `run` runs.
template <class F>
std::string ErrorLinesOf(F&& run) {
    const auto path = std::filesystem::temp_directory_path() / "vyt_boundary_faults.trc";
    trace::open(path.string().c_str());
    run();
    trace::close();
    std::stringstream text;
    {
        std::ifstream in(path);  // closed before the remove: Windows refuses to remove an open file
        text << in.rdbuf();
    }
    std::filesystem::remove(path);
    return text.str();
}

TEST(BoundaryFaults, EveryExceptionThatReachesANativeMethodIsNamedInAnErrorLine) {
    struct Case {
        const char* method;
        const char* failIn;
        FakeJni::Throw kind;
        const char* named;
    };
    const Case cases[] = {
        {"Java_VYTreport_mapData", "NewStringUTF", FakeJni::Throw::BadAlloc, "out of memory (std::bad_alloc"},
        {"Java_VYTreport_mapData", "CallVoidMethodA", FakeJni::Throw::RuntimeError,
         "C++ exception: injected fault in CallVoidMethodA"},
        {"Java_VYTconnect_getBufLength", "GetByteArrayElements", FakeJni::Throw::BadAlloc,
         "out of memory (std::bad_alloc"},
        {"Java_VYTservlet_buildVYTRequest", "NewByteArray", FakeJni::Throw::RuntimeError,
         "C++ exception: injected fault in NewByteArray"},
    };
    for (const Case& c : cases) {
        FakeJni f;
        jobject target = f.target({"setData (II)V", "addEntry (Ljava/lang/String;I)V"});
        ReplyBuilder r(28 + 68);
        r.i32(8, 1).text(28, "t");
        jbyteArray reply = f.array(r.bytes());
        f.failIn = c.failIn;
        f.failWith = c.kind;
        const std::string method = c.method;
        long result = -1;
        const std::string errors = ErrorLinesOf([&] {
            if (method == "Java_VYTreport_mapData")
                result = Java_VYTreport_mapData(f.env(), nullptr, reply, target, 1);
            else if (method == "Java_VYTconnect_getBufLength")
                result = Java_VYTconnect_getBufLength(f.env(), nullptr, reply);
            else
                result = Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 1, 0, 0, 0, f.string(u"t"),
                                                         f.string(u"NOTRANSNAME"), 0, 0, JNI_FALSE) == nullptr;
        });
        EXPECT_TRUE(f.failIn.empty()) << c.failIn << " was never called";
        EXPECT_EQ(result, method == "Java_VYTreport_mapData" ? 1 : method == "Java_VYTconnect_getBufLength" ? 0 : 1)
            << method;
        EXPECT_NE(errors.find(method + ": " + c.named), std::string::npos) << errors;
        EXPECT_EQ(f.pins, 0) << method;
    }
}

// A decoder whose header size is wrong for what it reads.
void DecodeBeyondHeader(Bytes reply, Out& out) {
    const auto h = at<layout::ReplyPrefix>(reply, 0);
    out.trace("reportEntryCt=%d\n", VYT_FIELD(h, reportEntryCt));
}
const Decoder kBroken{"ProcessBrokenData", 4, DecodeBeyondHeader};

TEST(DecodingFaults, AReadOutsideTheCheckedRecordStopsTheDecodeWithStatusOne) {
    const std::vector<unsigned char> reply = {12, 0, 0, 0, 1, 0, 0, 0};
    RecordingSink s;
    {
        ExpectDecodeFaults expected;
        EXPECT_EQ(RunDecoder(kBroken, Bytes(reply.data(), reply.size()), s), 1);
    }
    ASSERT_EQ(s.errors.size(), 1u);
    EXPECT_EQ(s.errors[0],
              "ProcessBrokenData: decoding fault: 4-byte read at offset 8 outside a checked record of 0 bytes\n");
    EXPECT_FALSE(s.hasLine("reportEntryCt=0\n"));
    // Test builds assert instead, so that no test passes over a fault.
    EXPECT_DEATH(RunDecoder(kBroken, Bytes(reply.data(), reply.size()), s), "decoding fault");
}

TEST(StrictFakeJni, BreachesOfTheJniRulesAbort) {
    EXPECT_DEATH(
        {
            FakeJni f;
            JNIEnv* env = f.env();
            jstring s = env->NewStringUTF("x");
            env->DeleteLocalRef(s);
            env->DeleteLocalRef(s);
        },
        "DeleteLocalRef of a reference that is not a live local reference");
    EXPECT_DEATH(
        {
            FakeJni f;
            f.env()->DeleteLocalRef(f.string(u"not made by the library"));
        },
        "not a live local reference");
    EXPECT_DEATH(
        {
            FakeJni f;
            JNIEnv* env = f.env();
            jbyteArray a = f.array({1, 2});
            jbyte* p = env->GetByteArrayElements(a, nullptr);
            env->ReleaseByteArrayElements(a, p, JNI_ABORT);
            env->ReleaseByteArrayElements(a, p, JNI_ABORT);
        },
        "not pinned");
    EXPECT_DEATH(
        {
            FakeJni f;
            f.pending = true;
            f.env()->NewStringUTF("x");
        },
        "NewStringUTF called while an exception is pending");
    EXPECT_DEATH(
        {
            FakeJni f;
            JNIEnv* env = f.env();
            env->PushLocalFrame(4);
            jstring s = env->NewStringUTF("x");
            env->PopLocalFrame(nullptr);
            env->GetStringLength(s);
        },
        "GetStringLength: a local reference used after its frame was popped");
    EXPECT_DEATH(
        {
            FakeJni f;
            f.env()->PushLocalFrame(4);
        },
        "1 local frame\\(s\\) pushed and never popped");
}

}  // namespace
}  // namespace vyt::test
