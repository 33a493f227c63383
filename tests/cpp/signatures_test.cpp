// Each callback's JNI signature is derived from its parameter list; these
// pin the derived signatures to the ones the Java classes declare.
#include <gtest/gtest.h>

#include <string>

#include "vyt/callbacks/inventory.hpp"

namespace vyt {
namespace {

template <class M>
std::string sigOf() {
    return M::signature;
}

TEST(Signatures, DerivationRules) {
    EXPECT_EQ((sigOf<Method<"f", Int, Int>>()), "(II)V");
    EXPECT_EQ((sigOf<Method<"f", Str, Ints<3>, Str>>()), "(Ljava/lang/String;IIILjava/lang/String;)V");
    EXPECT_EQ((Method<"f", Str, Ints<25>>::arity), 26u);
    EXPECT_STREQ((Method<"f", Str, Int, Str>::kinds), "SIS");
}

TEST(Signatures, TransactionLists) {
    EXPECT_EQ(sigOf<cb::AllTransSetData>(), "(II)V");
    EXPECT_EQ(sigOf<cb::AllTransAddEntry>(), "(Ljava/lang/String;I)V");
    EXPECT_EQ(sigOf<cb::TranInfoSetData>(), "(Ljava/lang/String;II)V");
    EXPECT_EQ(sigOf<cb::TransSrvLoadAddEntry>(), "(Ljava/lang/String;Ljava/lang/String;II)V");
    EXPECT_STREQ(cb::AllTransSetData::name, "setData");
    EXPECT_STREQ(cb::TransSrvLoadAddEntry::name, "addEntry");
}

}  // namespace
}  // namespace vyt
