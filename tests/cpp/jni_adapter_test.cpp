// The exported methods and the JNI adapter, driven through a fake JNIEnv.
#include <gtest/gtest.h>

#include <jni.h>

#include <utility>

#include "fake_jni.hpp"
#include "jni_refs.hpp"
#include "recording_sink.hpp"

extern "C" {
jint Java_VYTconnect_getBufLength(JNIEnv*, jobject, jbyteArray);
jint Java_VYTreport_mapData(JNIEnv*, jobject, jbyteArray, jobject, jint);
jbyteArray Java_VYTservlet_buildVYTRequest(JNIEnv*, jobject, jint, jint, jint, jint, jstring, jstring, jint, jint,
                                           jboolean);
}

namespace vyt::test {
namespace {

const std::vector<std::string> kAllTransMethods = {"setData (II)V", "addEntry (Ljava/lang/String;I)V"};

std::vector<unsigned char> allTrans(int entries, const std::string& name = "t") {
    ReplyBuilder r(28 + 68 * static_cast<std::size_t>(entries));
    r.i32(8, entries).i32(20, 5).i32(24, 6);
    for (int k = 0; k < entries; ++k) r.text(28 + 68 * static_cast<std::size_t>(k), name).i32(28 + 68 * static_cast<std::size_t>(k) + 64, k);
    return r.bytes();
}

TEST(JniAdapter, DecodesIntoJavaCallsAndReleasesWithoutCopyBack) {
    FakeJni f;
    jobject target = f.target(kAllTransMethods);
    EXPECT_EQ(Java_VYTreport_mapData(f.env(), nullptr, f.array(allTrans(2, "orders")), target, 1), 0);
    ASSERT_EQ(f.calls.size(), 3u);
    EXPECT_EQ(f.calls[0].method, "setData (II)V");
    EXPECT_EQ(f.calls[0].args, (std::vector<std::string>{"5", "6"}));
    EXPECT_EQ(f.calls[2].args, (std::vector<std::string>{"\"orders\"", "1"}));
    EXPECT_EQ(f.pins, 0);
    EXPECT_EQ(f.releaseModes, std::vector<jint>{JNI_ABORT});
    EXPECT_EQ(f.liveRefs, 0);
    EXPECT_FALSE(f.pending);
}

TEST(JniAdapter, LocalReferencesStayConstantWhateverTheEntryCount) {
    FakeJni f;
    jobject target = f.target(kAllTransMethods);
    EXPECT_EQ(Java_VYTreport_mapData(f.env(), nullptr, f.array(allTrans(100000)), target, 1), 0);
    EXPECT_EQ(f.calls.size(), 100001u);
    EXPECT_LE(f.maxLiveRefs, 2);  // the class and one entry string
    EXPECT_EQ(f.liveRefs, 0);
}

TEST(JniAdapter, SharedStringIsOneObjectForEveryCall) {
    FakeJni f;
    jobject target = f.target({"addEntry (Ljava/lang/String;Ljava/lang/String;II)V"});
    ReplyBuilder r(92 + 152 * 3);
    r.i32(8, 3).text(20, "tx");
    EXPECT_EQ(Java_VYTreport_mapData(f.env(), nullptr, f.array(r.bytes()), target, 20), 0);
    ASSERT_EQ(f.calls.size(), 3u);
    EXPECT_EQ(f.calls[0].refs[0], f.calls[2].refs[0]);
    EXPECT_NE(f.calls[0].refs[1], f.calls[1].refs[1]);
    EXPECT_EQ(f.liveRefs, 0);
}

TEST(JniAdapter, MissingMethodMeansNoCallAndThePendingErrorIsLeftForJava) {
    FakeJni f;
    jobject target = f.target({"setData (II)V"});  // addEntry is missing
    EXPECT_EQ(Java_VYTreport_mapData(f.env(), nullptr, f.array(allTrans(2)), target, 1), 1);
    EXPECT_TRUE(f.calls.empty());
    EXPECT_TRUE(f.pending);
    EXPECT_EQ(f.pins, 0);
    EXPECT_EQ(f.liveRefs, 0);
}

TEST(JniAdapter, ExceptionFromACallbackStopsAllFurtherJavaCalls) {
    FakeJni f;
    jobject target = f.target(kAllTransMethods);
    f.obj(target)->throwOnCall = 1;  // the first addEntry
    EXPECT_EQ(Java_VYTreport_mapData(f.env(), nullptr, f.array(allTrans(5)), target, 1), 1);
    EXPECT_EQ(f.calls.size(), 2u);
    EXPECT_TRUE(f.pending);
    EXPECT_EQ(f.pins, 0);
    EXPECT_EQ(f.liveRefs, 0);
}

TEST(JniAdapter, JavaNullsAreRefusedBeforeAnyJniFunction) {
    FakeJni f;
    EXPECT_EQ(Java_VYTreport_mapData(f.env(), nullptr, nullptr, f.target(kAllTransMethods), 1), 1);
    EXPECT_EQ(Java_VYTreport_mapData(f.env(), nullptr, f.array(allTrans(1)), nullptr, 1), 1);
    EXPECT_EQ(Java_VYTconnect_getBufLength(f.env(), nullptr, nullptr), 0);
    jstring name = f.string(u"a");
    EXPECT_EQ(Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 1, 0, 0, 0, nullptr, name, 0, 0, JNI_FALSE), nullptr);
    EXPECT_EQ(Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 1, 0, 0, 0, name, nullptr, 0, 0, JNI_FALSE), nullptr);
    EXPECT_EQ(f.nullObjects, 0);
    EXPECT_EQ(f.liveRefs, 0);
}

TEST(JniAdapter, ReplyTextsReachJavaAsValidStrings) {
    FakeJni f;
    jobject target = f.target(kAllTransMethods);
    // Latin-1 byte, valid two-byte and four-byte UTF-8, a cut sequence at the end.
    const std::string name = "caf\xE9|\xC3\xA9|\xF0\x9F\x98\x80|\xE2\x82";
    EXPECT_EQ(Java_VYTreport_mapData(f.env(), nullptr, f.array(allTrans(1, name)), target, 1), 0);
    EXPECT_TRUE(f.invalidUtf.empty());
    ASSERT_EQ(f.calls.size(), 2u);
    EXPECT_EQ(f.calls[1].args[0], "\"caf\xC3\xA9|\xC3\xA9|\xF0\x9F\x98\x80|\xC3\xA2\xC2\x82\"");
}

// The fake aborts on a reference deleted twice or a frame popped twice.
TEST(JniOwners, EachReferenceIsDeletedOnceAndEachFramePoppedOnce) {
    FakeJni f;
    JNIEnv* env = f.env();
    jstring handedOut = nullptr;
    {
        LocalRef<jstring> a(env, env->NewStringUTF("a"));
        LocalRef<jstring> b = std::move(a);
        a = std::move(b);
        LocalRefs<jstring, 2> list(env);
        list.add(env->NewStringUTF("b"));
        LocalRef<jstring> out(env, env->NewStringUTF("out"));
        handedOut = out.release();
        LocalFrame frame(env);
        ASSERT_TRUE(frame.enter(4));
        ASSERT_TRUE(frame.enter(4));  // already pushed: no second frame
        frame.hold(env->NewStringUTF("c"));
        EXPECT_EQ(f.openFrames, 1);
        EXPECT_EQ(f.liveRefs, 4);
    }
    EXPECT_EQ(f.openFrames, 0);
    EXPECT_EQ(f.liveRefs, 1);
    EXPECT_EQ(env->GetStringLength(handedOut), 3);
}

TEST(JniAdapter, GetBufLengthReadsWordZeroOrRefusesShortArrays) {
    FakeJni f;
    EXPECT_EQ(Java_VYTconnect_getBufLength(f.env(), nullptr, f.array({0x6C, 0x04, 0x00, 0x00})), 1132);
    EXPECT_EQ(Java_VYTconnect_getBufLength(f.env(), nullptr, f.array({0x6C, 0x04})), 0);
    EXPECT_EQ(f.pins, 0);
}

std::vector<unsigned char> bytesOf(FakeJni& f, jbyteArray a) {
    const auto& b = f.obj(a)->bytes;
    return std::vector<unsigned char>(b.begin(), b.end());
}

std::int32_t word(const std::vector<unsigned char>& b, std::size_t off) {
    return static_cast<std::int32_t>(b[off] | b[off + 1] << 8 | b[off + 2] << 16 | static_cast<unsigned>(b[off + 3]) << 24);
}

TEST(JniAdapter, RequestNamesAreSentWholeAsUtf8OrRefused) {
    FakeJni f;
    jstring none = f.string(u"NOTRANSNAME");
    // Non-ASCII: the UTF-8 bytes, whole.
    jbyteArray a = Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 1, 0, 0, 0, f.string(u"caf\u00E9\U0001F600"), none,
                                                   0, 0, JNI_FALSE);
    ASSERT_NE(a, nullptr);
    auto rec = bytesOf(f, a);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&rec[40])), "caf\xC3\xA9\xF0\x9F\x98\x80");
    // Exactly 64 bytes: stored without a NUL.
    a = Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 1, 0, 0, 0, f.string(std::u16string(64, u'n')), none, 0, 0,
                                        JNI_FALSE);
    ASSERT_NE(a, nullptr);
    rec = bytesOf(f, a);
    EXPECT_EQ(std::string(rec.begin() + 40, rec.begin() + 104), std::string(64, 'n'));
    EXPECT_EQ(rec[104], 0);
    // 65 bytes, or 63 characters that need 66 bytes: refused, never cut.
    EXPECT_EQ(Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 1, 0, 0, 0, f.string(std::u16string(65, u'n')), none, 0,
                                              0, JNI_FALSE),
              nullptr);
    EXPECT_EQ(Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 1, 0, 0, 0,
                                              f.string(std::u16string(60, u'n') + u"\u00E9\u00E9\u00E9"), none, 0, 0,
                                              JNI_FALSE),
              nullptr);
    // A sub-transaction name of 1024 bytes fits; 1025 does not; nor an unpaired surrogate.
    EXPECT_NE(Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 24, 0, 0, 0, none, f.string(std::u16string(1024, u'u')),
                                              0, 0, JNI_FALSE),
              nullptr);
    EXPECT_EQ(Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 24, 0, 0, 0, none, f.string(std::u16string(1025, u'u')),
                                              0, 0, JNI_FALSE),
              nullptr);
    EXPECT_EQ(Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 24, 0, 0, 0, none, f.string(u"a\xD800"), 0, 0,
                                              JNI_FALSE),
              nullptr);
}

TEST(JniAdapter, RequestRecordWordsPerReportType) {
    FakeJni f;
    jstring tran = f.string(u"abc");
    jstring none = f.string(u"NOTRANSNAME");
    jbyteArray a = Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 31, 0x2000104, 12, 3, tran, f.string(u"/x"), 4, 7,
                                                   JNI_FALSE);
    ASSERT_NE(a, nullptr);
    auto r = bytesOf(f, a);
    ASSERT_EQ(r.size(), 1132u);
    EXPECT_EQ(word(r, 0), 1132);
    EXPECT_EQ(word(r, 4), 42);
    EXPECT_EQ(word(r, 8), 3);
    EXPECT_EQ(word(r, 12), 12);
    EXPECT_EQ(word(r, 16), 0);
    EXPECT_EQ(word(r, 20), 7);
    EXPECT_EQ(word(r, 24), 4);
    EXPECT_EQ(word(r, 28), 12);
    EXPECT_EQ(word(r, 1128), 0x2000104);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&r[104])), "/x");
    EXPECT_EQ(Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 33, 0, 0, 0, tran, none, 0, 0, JNI_FALSE), nullptr);
    EXPECT_EQ(Java_VYTservlet_buildVYTRequest(f.env(), nullptr, 0, 0, 0, 0, tran, none, 0, 0, JNI_FALSE), nullptr);
    EXPECT_EQ(f.liveRefs, 1);  // the one array handed back to Java
}

}  // namespace
}  // namespace vyt::test
