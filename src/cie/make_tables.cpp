// Build step: turns the published CSV tables into the eight 1884-byte tables
// the control carries. A table that does not hold exactly the rows 360 to
// 830 nm stops the build here rather than shipping a control that weighs
// spectra with shifted or missing values.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "cie/table_files.h"

namespace {

struct Source {
    const char* file;
    int columns;
    CieTable first;
};

constexpr Source Sources[] = {
    {"cie1931_2deg.csv", 3, CIE_X2},
    {"cie1964_10deg.csv", 3, CIE_X10},
    {"illuminant_d65.csv", 1, CIE_D65},
    {"illuminant_a.csv", 1, CIE_A},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: cie_make_tables <csv folder> <output folder>\n");
        return 2;
    }
    const std::filesystem::path from(argv[1]);
    const std::filesystem::path to(argv[2]);
    std::filesystem::create_directories(to);
    for (const Source& source : Sources) {
        const auto path = from / source.file;
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
            return 1;
        }
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        std::string problem;
        const auto tables = ReadReferenceCsv(text, source.columns, problem);
        if (!problem.empty()) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), problem.c_str());
            return 1;
        }
        for (int c = 0; c < source.columns; ++c) {
            const auto name = CieTableNames[static_cast<std::size_t>(source.first + c)];
            const auto bytes = EncodeTable(tables[static_cast<std::size_t>(c)]);
            std::ofstream out(to / name, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                std::fprintf(stderr, "%s: cannot be written\n", (to / name).c_str());
                return 1;
            }
        }
    }
    return 0;
}
