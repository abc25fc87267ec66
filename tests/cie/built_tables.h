// The eight tables exactly as the build made them for the control.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "cie/table_files.h"

inline std::vector<unsigned char> BuiltTableBytes(const char* name) {
    std::ifstream in(std::filesystem::path(CIE_TABLES_DIR) / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline const CieTables& BuiltTables() {
    static const CieTables tables = [] {
        CieTables t{};
        for (int i = 0; i < CieTableCount; ++i) {
            DecodeTable(BuiltTableBytes(CieTableNames[static_cast<std::size_t>(i)]),
                        t[static_cast<std::size_t>(i)]);
        }
        return t;
    }();
    return tables;
}
