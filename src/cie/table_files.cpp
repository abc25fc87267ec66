#include "cie/table_files.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "platform/text/convert.h"

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Calls `line` with each line of the text (without its end) and its number.
template <typename F>
void ForEachLine(std::string_view text, F&& line) {
    int number = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        ++number;
        if (!line(text.substr(0, end), number)) {
            return;
        }
        if (end == std::string_view::npos) {
            return;
        }
        text.remove_prefix(end + 1);
    }
}

std::vector<std::string_view> SplitCommas(std::string_view line) {
    std::vector<std::string_view> items;
    while (true) {
        const auto comma = line.find(',');
        items.push_back(Trim(line.substr(0, comma)));
        if (comma == std::string_view::npos) {
            return items;
        }
        line.remove_prefix(comma + 1);
    }
}

// The nearest Single of a text, or nothing when the text is no number a
// Single can hold.
std::optional<float> ReadSingle(std::string_view item) {
    const auto value = ParseDouble(item);
    if (!value) {
        return std::nullopt;
    }
    const float single = static_cast<float>(*value);
    if (!std::isfinite(single)) {
        return std::nullopt;
    }
    return single;
}

}  // namespace

std::array<unsigned char, CieTableBytes> EncodeTable(const CieTableValues& table) {
    std::array<unsigned char, CieTableBytes> bytes{};
    for (int i = 0; i < CieTableLength; ++i) {
        const auto bits = std::bit_cast<std::uint32_t>(table[i]);
        for (int b = 0; b < 4; ++b) {
            bytes[4 * i + b] = static_cast<unsigned char>(bits >> (8 * b));
        }
    }
    return bytes;
}

bool DecodeTable(std::span<const unsigned char> bytes, CieTableValues& table) {
    if (bytes.size() != static_cast<std::size_t>(CieTableBytes)) {
        return false;
    }
    for (int i = 0; i < CieTableLength; ++i) {
        std::uint32_t bits = 0;
        for (int b = 0; b < 4; ++b) {
            bits |= static_cast<std::uint32_t>(bytes[4 * i + b]) << (8 * b);
        }
        table[i] = std::bit_cast<float>(bits);
    }
    return true;
}

std::vector<CieTableValues> ReadReferenceCsv(std::string_view text, int columns,
                                             std::string& problem) {
    std::vector<CieTableValues> tables(static_cast<std::size_t>(columns));
    int expected = CieFirstWavelength;
    problem.clear();
    ForEachLine(text, [&](std::string_view line, int number) {
        const auto where = "line " + std::to_string(number) + ": ";
        if (number == 1) {
            if (SplitCommas(line).size() != static_cast<std::size_t>(columns) + 1) {
                problem =
                    where + "the header does not name " + std::to_string(columns + 1) + " columns";
            }
            return problem.empty();
        }
        if (Trim(line).empty()) {
            return true;
        }
        const auto items = SplitCommas(line);
        if (items.size() != static_cast<std::size_t>(columns) + 1) {
            problem = where + "expected " + std::to_string(columns + 1) + " values";
            return false;
        }
        const auto wavelength = ParseInt32(items[0]);
        if (!wavelength || *wavelength != expected || expected > CieLastWavelength) {
            problem = where + "expected the row for " + std::to_string(expected) + " nm";
            if (expected > CieLastWavelength) {
                problem = where + "a row beyond 830 nm";
            }
            return false;
        }
        for (int c = 0; c < columns; ++c) {
            const auto value = ReadSingle(items[static_cast<std::size_t>(c) + 1]);
            if (!value) {
                problem = where + "'" + std::string(items[static_cast<std::size_t>(c) + 1]) +
                          "' is not a number";
                return false;
            }
            tables[static_cast<std::size_t>(c)]
                  [static_cast<std::size_t>(expected - CieFirstWavelength)] = *value;
        }
        ++expected;
        return true;
    });
    if (problem.empty() && expected != CieLastWavelength + 1) {
        problem = "the rows end before 830 nm (next expected " + std::to_string(expected) + " nm)";
    }
    if (!problem.empty()) {
        tables.clear();
    }
    return tables;
}

void ParseTableText(std::string_view text, const std::string& name, CieTableValues& table) {
    std::size_t next = 0;
    ForEachLine(text, [&](std::string_view line, int) {
        if (Trim(line).empty()) {
            return true;
        }
        for (const std::string_view item : SplitCommas(line)) {
            const auto value = ReadSingle(item);
            if (!value) {
                throw CieError(CieFault::TypeMismatch,
                               "the table file " + name + " holds an item that is not a number");
            }
            if (next >= table.size()) {
                throw CieError(CieFault::TooManyValues,
                               "the table file " + name + " holds more than " +
                                   std::to_string(CieTableLength) + " values");
            }
            table[next++] = *value;
        }
        return true;
    });
}

void LoadTablesFromFolder(CieState& state, const std::filesystem::path& folder) {
    if (state.TablesLoaded) {
        return;
    }
    for (int t = 0; t < CieTableCount; ++t) {
        CieTableValues& table = state.Tables[static_cast<std::size_t>(t)];
        table.fill(0);
        const auto path = folder / CieTableNames[static_cast<std::size_t>(t)];
        // Only a plain file is a table: opening a pipe would wait for a
        // writer, and a device (a link to /dev/zero) would never end.
        std::error_code code;
        if (!std::filesystem::is_regular_file(path, code)) {
            throw CieError(CieFault::FileNotFound,
                           "the table file " + path.string() + " cannot be found");
        }
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            throw CieError(CieFault::FileNotFound,
                           "the table file " + path.string() + " cannot be found");
        }
        // One byte more than a table file may hold, so a longer one is caught
        // without reading it all.
        std::string text(CieTableFileMaxBytes + 1, '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
        if (text.size() > CieTableFileMaxBytes) {
            throw CieError(CieFault::TooManyValues,
                           "the table file " + path.string() + " is too large to be a table");
        }
        ParseTableText(text, path.string(), table);
    }
    state.TablesLoaded = true;
}
