// The fuzzer's seed corpus: a valid reply of every report kind, decoded with
// exactly the callbacks the catalogue declares for the kind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "recording_sink.hpp"
#include "vyt/catalog.hpp"

namespace vyt::test {
namespace {

TEST(SeedCorpus, EveryReportKindHasAReplyThatDecodesInFull) {
    std::set<int> types;
    for (const auto& f : std::filesystem::directory_iterator(VYT_CORPUS_DIR)) {
        if (f.path().filename().string().rfind("reply-", 0) != 0) continue;
        std::ifstream in(f.path(), std::ios::binary);
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GE(bytes.size(), 2u) << f.path();
        const int type = bytes[0];
        std::vector<unsigned char> reply(bytes.begin() + 1, bytes.end());
        RecordingSink s;
        EXPECT_EQ(Map(reply, type, s), 0) << f.path();
        EXPECT_TRUE(s.errors.empty()) << f.path();
        EXPECT_FALSE(s.calls.empty()) << f.path();
        std::vector<std::string> declared;
        for (const CallbackInfo& c : {FindReportKind(type)->setData, FindReportKind(type)->addEntry})
            if (c.method != nullptr) declared.push_back(std::string(c.method) + " " + c.signature);
        EXPECT_EQ(s.lookups, declared) << f.path();
        types.insert(type);
    }
    for (int t = 1; t <= 32; ++t) EXPECT_TRUE(types.count(t)) << "no seed for report type " << t;
}

}  // namespace
}  // namespace vyt::test
