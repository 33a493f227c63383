// Reads the generated catalogue of report kinds the way the Java side must
// (every line a comment, a kind or a callback of the kind before it) and
// checks that it says what vyt/catalog.hpp declares.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "vyt/catalog.hpp"

namespace vyt {
namespace {

std::vector<std::string> Split(const std::string& line, char sep) {
    std::vector<std::string> out;
    std::stringstream in(line);
    std::string f;
    while (std::getline(in, f, sep)) out.push_back(f);
    return out;
}

std::string Selections(unsigned bits) {
    std::string out;
    for (std::size_t i = 0; i < std::size(kSelectionNames); ++i)
        if ((bits & (1u << i)) != 0) out += (out.empty() ? "" : ",") + std::string(kSelectionNames[i]);
    return out.empty() ? "-" : out;
}

// One callback line against its declaration: "TYPE NAME ROLE UNIT LABEL" per parameter.
void ExpectCallback(const std::vector<std::string>& f, const CallbackInfo& c, const std::string& where) {
    ASSERT_NE(c.method, nullptr) << where << ": the kind makes no " << f[0] << " call";
    EXPECT_EQ(f[0], c.method) << where;
    ASSERT_EQ(f.size(), c.count + 1) << where << ": parameter count";
    for (std::size_t i = 0; i < c.count; ++i) {
        const std::string& field = f[i + 1];
        const auto words = Split(field, ' ');
        ASSERT_GE(words.size(), 5u) << where << ": " << field;
        EXPECT_EQ(words[0], c.params[i].kind == 'S' ? "String" : "int") << where << ": " << field;
        EXPECT_EQ(words[1], c.params[i].name) << where;
        EXPECT_EQ(words[2], kRoleNames[static_cast<std::size_t>(c.meanings[i].role)]) << where << ": " << field;
        const char* unit = c.meanings[i].unit();
        EXPECT_EQ(words[3], unit != nullptr ? unit : "-") << where << ": " << field;
        const std::string label = field.substr(words[0].size() + words[1].size() + words[2].size() + words[3].size() + 4);
        EXPECT_FALSE(label.empty() || label.front() == ' ' || label.back() == ' ') << where << ": " << field;
    }
}

TEST(ReportKindsFile, SaysWhatTheCatalogueDeclares) {
    std::ifstream in(VYT_REPORT_KINDS_FILE, std::ios::binary);
    ASSERT_TRUE(in) << "missing " << VYT_REPORT_KINDS_FILE << "; build the target vyt_report_kinds";
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');

    std::size_t kinds = 0;
    std::string last;  // "kind", "setData" or "addEntry"
    std::stringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        ASSERT_FALSE(line.empty()) << "blank line after kind " << kinds;
        if (line[0] == '#') continue;
        const auto f = Split(line, '\t');
        if (f[0] == "kind") {
            ASSERT_LT(kinds, std::size(kReportKinds)) << line;
            const ReportKind& k = kReportKinds[kinds++];
            const std::vector<std::string> want = {"kind",
                                                   std::to_string(k.type),
                                                   std::to_string(k.reportId),
                                                   k.name,
                                                   Selections(k.selections),
                                                   k.changesRules ? "rules" : "-",
                                                   k.title};
            EXPECT_EQ(f, want);
        } else {
            ASSERT_TRUE(f[0] == "setData" || f[0] == "addEntry") << line;
            ASSERT_GT(kinds, 0u) << line;
            ASSERT_TRUE(last == "kind" || (last == "setData" && f[0] == "addEntry")) << line;
            const ReportKind& k = kReportKinds[kinds - 1];
            ExpectCallback(f, f[0] == "setData" ? k.setData : k.addEntry, std::string(k.name) + " " + f[0]);
        }
        last = f[0];
    }
    EXPECT_EQ(kinds, std::size(kReportKinds));
    // Every call the catalogue declares has its line: a kind's calls are counted once each.
    std::size_t calls = 0, declared = 0;
    for (const ReportKind& k : kReportKinds) declared += (k.setData.method != nullptr) + (k.addEntry.method != nullptr);
    for (std::size_t at = 0; (at = text.find("\nsetData\t", at)) != std::string::npos; ++at) ++calls;
    for (std::size_t at = 0; (at = text.find("\naddEntry\t", at)) != std::string::npos; ++at) ++calls;
    EXPECT_EQ(calls, declared);
}

}  // namespace
}  // namespace vyt
