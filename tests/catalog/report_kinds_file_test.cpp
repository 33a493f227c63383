// Reads the generated catalogue of report kinds the way the Java side must:
// every line a comment, a kind or a callback of the kind before it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    std::string f;
    while (std::getline(in, f, '\t')) out.push_back(f);
    return out;
}

bool IsNumber(const std::string& s) { return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos; }

bool IsName(const std::string& s) {
    return !s.empty() && s.find_first_of(" \t,") == std::string::npos;
}

TEST(ReportKindsFile, ParsesIntoThirtyTwoKindsInTypeOrder) {
    std::ifstream in(VYT_REPORT_KINDS_FILE, std::ios::binary);
    ASSERT_TRUE(in) << "missing " << VYT_REPORT_KINDS_FILE << "; build the target vyt_report_kinds";
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');

    const std::vector<std::string> order = {"tran", "sub", "path", "server", "view", "continue", "continue2", "scroll"};
    std::set<std::string> names;
    int kinds = 0;
    std::string last;  // "kind", "setData" or "addEntry"
    std::stringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        ASSERT_FALSE(line.empty()) << "blank line after kind " << kinds;
        if (line[0] == '#') continue;
        const auto f = Fields(line);
        if (f[0] == "kind") {
            ASSERT_EQ(f.size(), 6u) << line;
            ++kinds;
            EXPECT_EQ(f[1], std::to_string(kinds)) << line;
            EXPECT_TRUE(IsNumber(f[2])) << line;
            EXPECT_TRUE(IsName(f[3]) && names.insert(f[3]).second) << "bad or repeated name: " << line;
            if (f[4] != "-") {
                std::size_t at = 0;
                std::stringstream sels(f[4]);
                std::string sel;
                while (std::getline(sels, sel, ',')) {
                    std::size_t i = at;
                    while (i < order.size() && order[i] != sel) ++i;
                    ASSERT_LT(i, order.size()) << "unknown or out-of-order selection " << sel << ": " << line;
                    at = i + 1;
                }
            }
            EXPECT_FALSE(f[5].empty()) << line;
        } else {
            ASSERT_TRUE(f[0] == "setData" || f[0] == "addEntry") << line;
            ASSERT_GT(kinds, 0) << line;
            EXPECT_TRUE(last == "kind" || (last == "setData" && f[0] == "addEntry")) << line;
            ASSERT_GE(f.size(), 2u) << line;
            for (std::size_t i = 1; i < f.size(); ++i) {
                const bool typed = f[i].rfind("String ", 0) == 0 || f[i].rfind("int ", 0) == 0;
                EXPECT_TRUE(typed && IsName(f[i].substr(f[i].find(' ') + 1))) << f[i];
            }
        }
        last = f[0];
    }
    EXPECT_EQ(kinds, 32);
}

}  // namespace
