// Each callback's JNI signature is derived from its parameter list; these
// pin the derived signatures to the ones the Java classes declare.
#include <gtest/gtest.h>

#include <string>

#include "vyt/catalog.hpp"

namespace vyt {

#define VYT_TEST_PARAMS(P) P(Str, first) P(Int, a) P(Int, b) P(Int, c) P(Str, last)
VYT_CALLBACK(TestCallback, addEntry, VYT_TEST_PARAMS)

namespace {

template <class M>
std::string sigOf() {
    return kSignature<M>;
}

TEST(Signatures, DerivationRules) {
    EXPECT_EQ(sigOf<TestCallback>(), "(Ljava/lang/String;IIILjava/lang/String;)V");
    EXPECT_EQ(kArity<TestCallback>, 5u);
    EXPECT_STREQ(TestCallback::kParams[4].name, "last");
}

TEST(Signatures, TransactionLists) {
    EXPECT_EQ(sigOf<cb::AllTransSetData>(), "(II)V");
    EXPECT_EQ(sigOf<cb::AllTransAddEntry>(), "(Ljava/lang/String;I)V");
    EXPECT_EQ(sigOf<cb::TranInfoSetData>(), "(Ljava/lang/String;II)V");
    EXPECT_EQ(sigOf<cb::TransSrvLoadAddEntry>(), "(Ljava/lang/String;Ljava/lang/String;II)V");
    EXPECT_STREQ(cb::AllTransSetData::kMethod, "setData");
    EXPECT_STREQ(cb::TransSrvLoadAddEntry::kMethod, "addEntry");
}

}  // namespace
}  // namespace vyt
