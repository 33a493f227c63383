// One Java string per distinct text of a reply, through the JNI adapter and a fake JNIEnv.
#include <gtest/gtest.h>

#include <jni.h>

#include <set>
#include <string>

#include "fake_jni.hpp"
#include "jni_sink.hpp"
#include "recording_sink.hpp"

extern "C" jint Java_VYTreport_mapData(JNIEnv*, jobject, jbyteArray, jobject, jint);

namespace vyt::test {
namespace {

// A transaction list whose k-th entry is named name(k).
template <class Name>
std::vector<unsigned char> allTrans(int entries, Name name) {
    ReplyBuilder r(28 + 68 * static_cast<std::size_t>(entries));
    r.i32(8, entries);
    for (int k = 0; k < entries; ++k) r.text(28 + 68 * static_cast<std::size_t>(k), name(k));
    return r.bytes();
}

TEST(StringCache, LocalReferencesStayBoundedAndEqualTextsShareOneObject) {
    struct Case {
        const char* what;
        std::string (*name)(int);
        std::size_t distinct;
    };
    const Case cases[] = {
        {"five names", [](int k) { return "node-" + std::to_string(k % 5); }, 5},
        {"all distinct", [](int k) { return "transaction-" + std::to_string(k); }, 100000},
        // Longer than the table keeps, and not ASCII: made anew for every entry.
        {"long, Latin-1", [](int k) { return std::string(50, 'x') + "\xE9" + std::to_string(k % 3); }, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeJni f;
        jobject target = f.target({"setData (II)V", "addEntry (Ljava/lang/String;I)V"});
        ASSERT_EQ(Java_VYTreport_mapData(f.env(), nullptr, f.array(allTrans(100000, c.name)), target, 1), 0);
        ASSERT_EQ(f.calls.size(), 100001u);
        EXPECT_LE(f.maxLiveRefs, kLocalRefsPerReply + kFrameCapacity);
        EXPECT_EQ(f.liveRefs, 0);
        EXPECT_EQ(f.openFrames, 0);
        std::set<std::string> texts;
        std::map<std::string, jobject> object;
        int sameObject = 0;
        for (std::size_t k = 1; k < f.calls.size(); ++k) {
            const std::string& text = f.calls[k].args[0];
            texts.insert(text);
            auto [it, fresh] = object.emplace(text, f.calls[k].refs[0]);
            if (!fresh && it->second == f.calls[k].refs[0]) ++sameObject;
        }
        EXPECT_EQ(texts.size(), c.distinct);
        if (c.distinct < 16 && c.name(0).size() <= StringCache::kMaxKey) {
            EXPECT_EQ(sameObject, 100000 - static_cast<int>(c.distinct));
        } else if (c.distinct < 16) {
            EXPECT_EQ(sameObject, 0);
        }
    }
}

}  // namespace
}  // namespace vyt::test
