// The derived JNI signatures of the path, current performance, reportability
// and URL rule callbacks, pinned to the descriptors the Java targets declare.
#include <gtest/gtest.h>

#include <string>

#include "vyt/catalog.hpp"

namespace vyt {
namespace {

template <class M>
std::string sigOf() {
    return kSignature<M>;
}

TEST(InventorySignatures, PathDefinitions) {
    EXPECT_EQ(sigOf<cb::TransPathAddEntry>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "Ljava/lang/String;Ljava/lang/String;IIIIIII)V");
    EXPECT_STREQ(cb::TransPathAddEntry::kMethod, "addEntry");
    EXPECT_EQ(sigOf<cb::TransPathPortSetData>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "Ljava/lang/String;Ljava/lang/String;IIIII)V");
    EXPECT_STREQ(cb::TransPathPortSetData::kMethod, "setData");
    EXPECT_EQ(sigOf<cb::TransPathPortAddEntry>(), "(II)V");
    EXPECT_STREQ(cb::TransPathPortAddEntry::kMethod, "addEntry");
}

TEST(InventorySignatures, CurrentPerformance) {
    EXPECT_EQ(sigOf<cb::CurPerfSetData>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "IIIIIIII)V");
    EXPECT_STREQ(cb::CurPerfSetData::kMethod, "setData");
}

TEST(InventorySignatures, Reportability) {
    EXPECT_EQ(sigOf<cb::ReportabilitySetData>(), "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V");
    EXPECT_EQ(sigOf<cb::ReportabilityAddEntry>(), "(Ljava/lang/String;Ljava/lang/String;III)V");
    EXPECT_EQ(sigOf<cb::ReportabilityDetailSetData>(),
              "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V");
    EXPECT_EQ(sigOf<cb::ReportabilityDetailAddEntry>(), "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V");
    EXPECT_STREQ(cb::ReportabilitySetData::kMethod, "setData");
    EXPECT_STREQ(cb::ReportabilityAddEntry::kMethod, "addEntry");
    EXPECT_STREQ(cb::ReportabilityDetailSetData::kMethod, "setData");
    EXPECT_STREQ(cb::ReportabilityDetailAddEntry::kMethod, "addEntry");
}

TEST(InventorySignatures, UrlRules) {
    EXPECT_EQ(sigOf<cb::SubTranListSetData>(), "(Ljava/lang/String;IIIII)V");
    EXPECT_EQ(sigOf<cb::SubTranListAddEntry>(), "(Ljava/lang/String;II)V");
    EXPECT_EQ(sigOf<cb::UrlRulesSetData>(), "(Ljava/lang/String;IIII)V");
    EXPECT_EQ(sigOf<cb::UrlRulesAddEntry>(), "(Ljava/lang/String;IIII)V");
    EXPECT_EQ(sigOf<cb::UrlRuleOperationSetData>(), "(Ljava/lang/String;Ljava/lang/String;II)V");
    EXPECT_STREQ(cb::SubTranListSetData::kMethod, "setData");
    EXPECT_STREQ(cb::SubTranListAddEntry::kMethod, "addEntry");
    EXPECT_STREQ(cb::UrlRulesSetData::kMethod, "setData");
    EXPECT_STREQ(cb::UrlRulesAddEntry::kMethod, "addEntry");
    EXPECT_STREQ(cb::UrlRuleOperationSetData::kMethod, "setData");
}

}  // namespace
}  // namespace vyt
