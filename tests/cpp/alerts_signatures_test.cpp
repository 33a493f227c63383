// The derived signatures of the alert, summary and threshold callbacks against
// the ones the Java targets declare.
#include <gtest/gtest.h>

#include <string>

#include "vyt/catalog.hpp"

namespace vyt {
namespace {

template <class M>
std::string sigOf() {
    return std::string(M::kMethod) + " " + kSignature<M>;
}

TEST(AlertSignatures, AlertLists) {
    EXPECT_EQ(sigOf<cb::CurrentAlertSetData>(), "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;II)V");
    EXPECT_EQ(sigOf<cb::CurrentAlertAddEntry>(),
              "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "Ljava/lang/String;IIIIIIIIIIIIIIIIII)V");
    EXPECT_EQ(sigOf<cb::URLAlertSetData>(), "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V");
    EXPECT_EQ(sigOf<cb::URLAlertAddEntry>(),
              "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIIIII)V");
    EXPECT_EQ(sigOf<cb::EventAlertSetData>(), "setData (Ljava/lang/String;II)V");
    EXPECT_EQ(sigOf<cb::EventAlertAddEntry>(),
              "addEntry (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "Ljava/lang/String;IIIIIIIIIIII)V");
}

TEST(AlertSignatures, SummaryAndThresholds) {
    EXPECT_EQ(sigOf<cb::SummarySetData>(),
              "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIII)V");
    EXPECT_EQ(sigOf<cb::SummaryAddEntry>(), "addEntry (Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIII)V");
    EXPECT_EQ(sigOf<cb::ThresholdSetData>(),
              "setData (Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
              "IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII)V");
}

}  // namespace
}  // namespace vyt
