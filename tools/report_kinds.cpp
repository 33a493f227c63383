// Writes the catalogue of report kinds for the Java side, from the one
// declaration in vyt/catalog.hpp:
//
//   kind<TAB><type><TAB><reportId><TAB><name><TAB><selections><TAB><title>
//   setData<TAB><param>...     (when the kind makes that call)
//   addEntry<TAB><param>...    (when the kind makes that call)
//
// per kind in report type order, each <param> "String <name>" or
// "int <name>" in call order, <selections> a comma-separated list in the
// order of kSelectionNames or "-".  Lines starting with '#' are comments.
//
// Usage: vyt_report_kinds_writer OUTPUT_FILE
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

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

void Callback(std::ostream& out, const vyt::CallbackInfo& c) {
    if (c.method == nullptr) return;
    out << c.method;
    for (std::size_t i = 0; i < c.count; ++i)
        out << '\t' << (c.params[i].kind == 'S' ? "String " : "int ") << c.params[i].name;
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
               "# kind\ttype\treportId\tname\tselections\ttitle, then the setData and addEntry parameters in call order.\n";
        for (const vyt::ReportKind& k : vyt::kReportKinds) {
            out << "kind\t" << k.type << '\t' << k.reportId << '\t' << k.name << '\t' << Selections(k.selections) << '\t'
                << k.title << '\n';
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
