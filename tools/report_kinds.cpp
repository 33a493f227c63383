// Writes the catalogue of report kinds for the Java side, from the one
// declaration in vyt/catalog.hpp:
//
//   kind<TAB><type><TAB><reportId><TAB><name><TAB><selections><TAB><changes><TAB><title>
//   setData<TAB><param>...     (when the kind makes that call)
//   addEntry<TAB><param>...    (when the kind makes that call)
//
// per kind in report type order.  <selections> is a comma-separated list in
// the order of kSelectionNames or "-"; <changes> is "rules" when the request
// changes the collector's URL rules, else "-".  Each <param>, in call order,
// is "TYPE NAME ROLE UNIT LABEL" separated by single spaces: TYPE "String" or
// "int", ROLE one of kRoleNames, UNIT "-" when the value has none, and LABEL
// the rest of the field (words for people, never a tab).  Lines starting with
// '#' are comments.
//
// Usage: vyt_report_kinds_writer OUTPUT_FILE
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "vyt/catalog.hpp"

namespace {

std::string Selections(unsigned bits) {
    std::string out;
    for (std::size_t i = 0; i < std::size(vyt::kSelectionNames); ++i) {
        if ((bits & (1u << i)) == 0) continue;
        if (!out.empty()) out += ',';
        out += vyt::kSelectionNames[i];
    }
    return out.empty() ? "-" : out;
}

// The words of a parameter name's abbreviations.
constexpr std::pair<std::string_view, std::string_view> kWords[] = {
    {"Tot", "total"},      {"Resp", "response"}, {"Net", "network"},      {"Srv", "server"},
    {"App", "application"}, {"Avg", "average"},  {"Ct", "count"},         {"Src", "source"},
    {"Dst", "destination"}, {"Min", "minimum"},  {"Max", "maximum"},      {"Dis", "dispatch"},
    {"Ret", "return"},     {"Idx", "index"},     {"Pct", "percent"},      {"Sec", "second"},
    {"Secs", "seconds"},   {"Tran", "transaction"}, {"Crit", "critical"}, {"Warn", "warning"},
    {"Len", "length"},     {"Num", "number"},    {"Col", "column"},       {"Imp", "impacting"},
    {"Own", "owning"},     {"Aux", "auxiliary"}, {"KBytes", "kilobytes"}, {"Id", "number"},
    {"Url", "URL"},        {"Cur", "current"},   {"Sub", "sub-"},
};

// Labels where the words of the name read badly.
constexpr std::pair<std::string_view, std::string_view> kLabels[] = {
    {"totalServerRespTimeDataCtSumt", "total server response time data count sum"},
    {"pathIPSrc", "path source address as a number"},
    {"usePort", "use port (0 when the entry sums a client's ports)"},
    {"tranTime", "transaction time"},
    {"msrvTime", "msrv server time"},
    {"sumDataUTCStart", "start of the summarised data"},
    {"sumDataUTCNow", "end of the summarised data"},
    {"sumIntervalSecs", "interval length"},
    {"pathTranPerMinute", "path transactions per minute"},
    {"msrvCtTotal", "msrv servers"},
    {"msrvCtOnline", "msrv servers online"},
};

// Splits a lowerCamelCase name into words and spells out its abbreviations:
// "pathTotRespTimeAvgState" -> "path total response time average state".
std::string Label(std::string_view name) {
    for (const auto& [n, label] : kLabels)
        if (n == name) return std::string(label);
    std::string out;
    std::size_t i = 0;
    while (i < name.size()) {
        std::size_t j = i + 1;
        const auto up = [&](std::size_t k) { return k < name.size() && std::isupper(static_cast<unsigned char>(name[k])); };
        const auto digit = [&](std::size_t k) { return k < name.size() && std::isdigit(static_cast<unsigned char>(name[k])); };
        if (name.substr(i, 6) == "KBytes") {
            j = i + 6;
        } else if (digit(i)) {
            while (digit(j)) ++j;
        } else if (up(i) && up(j)) {  // an acronym: "IP", "UTC", up to the next word
            while (up(j) && !(j + 1 < name.size() && std::islower(static_cast<unsigned char>(name[j + 1])))) ++j;
        } else {
            while (j < name.size() && !up(j) && !digit(j)) ++j;
        }
        std::string word(name.substr(i, j - i));
        if (word == "IP") {  // "pathIPSrcPort": the path's source port
            i = j;
            continue;
        }
        std::string spelt;
        std::string key = word;
        key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
        for (const auto& [abbr, full] : kWords)
            if (abbr == key) spelt = full;
        if (spelt.empty()) {
            spelt = word;
            if (!(up(i) && up(i + 1)))  // keep acronyms as they are
                spelt[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(spelt[0])));
        }
        if (!out.empty() && out.back() != '-') out += ' ';
        out += spelt;
        i = j;
    }
    return out;
}

void Callback(std::ostream& out, const vyt::CallbackInfo& c) {
    if (c.method == nullptr) return;
    out << c.method;
    for (std::size_t i = 0; i < c.count; ++i) {
        const vyt::Meaning& m = c.meanings[i];
        const char* unit = m.unit();
        out << '\t' << (c.params[i].kind == 'S' ? "String " : "int ") << c.params[i].name << ' '
            << vyt::kRoleNames[static_cast<std::size_t>(m.role)] << ' ' << (unit != nullptr ? unit : "-") << ' '
            << Label(c.params[i].name);
    }
    out << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " OUTPUT_FILE\n";
        return 2;
    }
    const std::filesystem::path file = argv[1];
    const std::filesystem::path temp = file.string() + ".tmp";
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << "# The report kinds of VYTjni, written at build time from include/vyt/catalog.hpp; do not edit.\n"
               "# kind\ttype\treportId\tname\tselections\tchanges\ttitle, then the setData and addEntry parameters\n"
               "# in call order, each \"TYPE NAME ROLE UNIT LABEL\".\n";
        for (const vyt::ReportKind& k : vyt::kReportKinds) {
            out << "kind\t" << k.type << '\t' << k.reportId << '\t' << k.name << '\t' << Selections(k.selections) << '\t'
                << (k.changesRules ? "rules" : "-") << '\t' << k.title << '\n';
            Callback(out, k.setData);
            Callback(out, k.addEntry);
        }
        out.close();
        if (!out) {
            std::cerr << "vyt_report_kinds_writer: cannot write " << temp << "; check that the build directory is "
                      << "writable\n";
            return 1;
        }
    }
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::cerr << "vyt_report_kinds_writer: cannot move " << temp << " to " << file << ": " << ec.message() << "\n";
        return 1;
    }
    return 0;
}
