// The derived JNI signatures of the path, current performance, reportability
// and URL rule callbacks, pinned to the descriptors the Java targets declare.
#include <gtest/gtest.h>

#include <string>

#include "vyt/callbacks/inventory.hpp"

namespace vyt {
namespace {

template <class M>
std::string sigOf() {
    return M::signature;
}

TEST(InventorySignatures, PathDefinitions) {
    EXPECT_EQ(sigOf<cb::TransPathAddEntry>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "Ljava/lang/String;Ljava/lang/String;IIIIIII)V");
    EXPECT_STREQ(cb::TransPathAddEntry::name, "addEntry");
    EXPECT_EQ(sigOf<cb::TransPathPortSetData>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "Ljava/lang/String;Ljava/lang/String;IIIII)V");
    EXPECT_STREQ(cb::TransPathPortSetData::name, "setData");
    EXPECT_EQ(sigOf<cb::TransPathPortAddEntry>(), "(II)V");
    EXPECT_STREQ(cb::TransPathPortAddEntry::name, "addEntry");
}

TEST(InventorySignatures, CurrentPerformance) {
    EXPECT_EQ(sigOf<cb::CurPerfSetData>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "IIIIIIII)V");
    EXPECT_STREQ(cb::CurPerfSetData::name, "setData");
}

TEST(InventorySignatures, Reportability) {
    EXPECT_EQ(sigOf<cb::ReportabilitySetData>(), "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V");
    EXPECT_EQ(sigOf<cb::ReportabilityAddEntry>(), "(Ljava/lang/String;Ljava/lang/String;III)V");
    EXPECT_EQ(sigOf<cb::ReportabilityDetailSetData>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V");
    EXPECT_EQ(sigOf<cb::ReportabilityDetailAddEntry>(), "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V");
    EXPECT_STREQ(cb::ReportabilitySetData::name, "setData");
    EXPECT_STREQ(cb::ReportabilityAddEntry::name, "addEntry");
    EXPECT_STREQ(cb::ReportabilityDetailSetData::name, "setData");
    EXPECT_STREQ(cb::ReportabilityDetailAddEntry::name, "addEntry");
}

TEST(InventorySignatures, UrlRules) {
    EXPECT_EQ(sigOf<cb::SubTranListSetData>(), "(Ljava/lang/String;IIIII)V");
    EXPECT_EQ(sigOf<cb::SubTranListAddEntry>(), "(Ljava/lang/String;II)V");
    EXPECT_EQ(sigOf<cb::UrlRulesSetData>(), "(Ljava/lang/String;IIII)V");
    EXPECT_EQ(sigOf<cb::UrlRulesAddEntry>(), "(Ljava/lang/String;IIII)V");
    EXPECT_EQ(sigOf<cb::UrlRuleOperationSetData>(), "(Ljava/lang/String;Ljava/lang/String;II)V");
    EXPECT_STREQ(cb::SubTranListSetData::name, "setData");
    EXPECT_STREQ(cb::SubTranListAddEntry::name, "addEntry");
    EXPECT_STREQ(cb::UrlRulesSetData::name, "setData");
    EXPECT_STREQ(cb::UrlRulesAddEntry::name, "addEntry");
    EXPECT_STREQ(cb::UrlRuleOperationSetData::name, "setData");
}

}  // namespace
}  // namespace vyt
