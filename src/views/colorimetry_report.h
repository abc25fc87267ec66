// The text of a colorimetry report (".col"): what the file was, how it was
// weighted, and X, Y, Z, x, y, u', v' for both observers side by side.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "spectrum/records.h"

// The fourteen values a report lists, as the control gives them.
struct ColorimetryValues {
    float x2bar = 0, y2bar = 0, z2bar = 0;
    float x10bar = 0, y10bar = 0, z10bar = 0;
    float nx2 = 0, ny2 = 0, nx10 = 0, ny10 = 0;
    float u_prime_2 = 0, v_prime_2 = 0, u_prime_10 = 0, v_prime_10 = 0;
};

// "##0.0000" after blanks that line up values below 1000 in eight
// characters: two before 0 to 10, one before 10 to 100, none otherwise.
std::string FormatColorValue(float Value);

// The report's name for a data type. The misspellings are the names earlier
// reports carry, and readers of those reports look for them.
std::string ColorimetryTypeName(uint8_t dataType);
// "A", "B", "C", "D65" by illuminant code; "None" otherwise.
std::string IlluminantName(int32_t ill);

// The whole report, in the program's code page with CR LF line ends. `name`
// is the file's path as the report names it (UTF-8); description, date and
// time come from the header.
std::vector<uint8_t> ColorimetryReport(const std::string& name, const SpectrumHeader& header,
                                       const std::string& typeName,
                                       const std::string& illuminantName,
                                       const ColorimetryValues& v);
