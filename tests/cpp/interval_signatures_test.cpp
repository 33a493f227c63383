// The derived JNI signatures of the interval report callbacks, pinned to the
// ones the Java target classes declare.
#include <gtest/gtest.h>

#include <string>

#include "vyt/catalog.hpp"

namespace vyt {
namespace {

template <class M>
std::string sigOf() {
    return kSignature<M>;
}

TEST(IntervalSignatures, ResponseAndPathTime) {
    EXPECT_EQ(sigOf<cb::TransRspTimeSetData>(), "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V");
    EXPECT_EQ(sigOf<cb::TransRspTimeAddEntry>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIII)V");
    EXPECT_EQ(sigOf<cb::TransPathTimeSetData>(), "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIII)V");
    EXPECT_EQ(sigOf<cb::TransPathTimeAddEntry>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIII)V");
}

TEST(IntervalSignatures, TierTimes) {
    const std::string set = "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V";
    EXPECT_EQ(sigOf<cb::TransNetTimeSetData>(), set);
    EXPECT_EQ(sigOf<cb::TransSrvTimeSetData>(), set);
    EXPECT_EQ(sigOf<cb::TransWaitTimeSetData>(), set);
    EXPECT_EQ(sigOf<cb::TransNetTimeAddEntry>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIII)V");
    EXPECT_EQ(sigOf<cb::TransSrvTimeAddEntry>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIII)V");
    EXPECT_EQ(sigOf<cb::TransWaitTimeAddEntry>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIII)V");
}

TEST(IntervalSignatures, ServerLoadAndFlow) {
    EXPECT_EQ(sigOf<cb::ServerLoadSetData>(), "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;III)V");
    EXPECT_EQ(sigOf<cb::ServerLoadAddEntry>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "Ljava/lang/String;IIIIIIIIIIIII)V");
    EXPECT_EQ(sigOf<cb::TransFlowSetData>(), "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIII)V");
    EXPECT_EQ(sigOf<cb::TransFlowAddEntry>(), "(Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIIIIIIIII)V");
    EXPECT_STREQ(cb::TransFlowSetData::kMethod, "setData");
    EXPECT_STREQ(cb::ServerLoadAddEntry::kMethod, "addEntry");
}

}  // namespace
}  // namespace vyt
