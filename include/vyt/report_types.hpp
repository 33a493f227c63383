// Report types (the Java-side number, 1..32) and the collector's reportId.
#pragma once

namespace vyt {

inline constexpr int kMinReportType = 1;
inline constexpr int kMaxReportType = 32;

struct ReportKind {
    int reportId;
    const char* decoder;  // name of the decoder that reads the reply
};

// Indexed by reportType; entry 0 is unused.
inline constexpr ReportKind kReportKinds[kMaxReportType + 1] = {
    {0, nullptr},
    {1, "ProcessAllTransData"},             // 1
    {2, "ProcessTransPathData"},            // 2
    {11, "ProcessCurPerfData"},             // 3
    {12, "ProcessTransRspTimeData"},        // 4
    {13, "ProcessTransNetTimeData"},        // 5
    {14, "ProcessTransSrvTimeData"},        // 6
    {23, "ProcessTransFlowData"},           // 7
    {19, "ProcessTransNetDetailData"},      // 8
    {21, "ProcessTransSrvDetailData"},      // 9
    {17, "ProcessTransRspTimeDetailData"},  // 10
    {24, "ProcessCurrentAlertData"},        // 11
    {15, "ProcessTransWaitTimeData"},       // 12
    {22, "ProcessTransWaitDetailData"},     // 13
    {5, "ProcessSummaryData"},              // 14
    {26, "ProcessEventAlertData"},          // 15
    {25, "ProcessTransPathPortData"},       // 16
    {27, "ProcessThresholdReadData"},       // 17
    {29, "ProcessTransPathTimeData"},       // 18
    {30, "ProcessTransPathTimeDetailData"}, // 19
    {31, "ProcessTransSrvLoadData"},        // 20
    {32, "ProcessServerLoadData"},          // 21
    {33, "ProcessReportabilityData"},       // 22
    {34, "ProcessReportabilityDetailData"}, // 23
    {35, "ProcessSubTranListData"},         // 24
    {36, "ProcessTranInfoData"},            // 25
    {37, "ProcessCurrentURLAlertData"},     // 26
    {38, "ProcessIncludeExcludeRulesData"}, // 27
    {39, "ProcessURLRuleOperation"},        // 28 add rule
    {40, "ProcessURLRuleOperation"},        // 29 remove rule
    {41, "ProcessURLRuleOperation"},        // 30 get rule
    {42, "ProcessURLRuleOperation"},        // 31 edit rule
    {43, "ProcessURLRuleOperation"},        // 32 change list precedence
};

constexpr bool ValidReportType(int t) { return t >= kMinReportType && t <= kMaxReportType; }

}  // namespace vyt
