// The operand reader of custom arithmetic: the values and stored reference of
// one spectrum file, without touching the loaded spectrum.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads FileName's values into Data and, from version 2 on, its reference
// values into Reference (emptied for version 1). Returns 0, or -1 after a
// message naming the file when it cannot be opened, is not a native spectrum
// file or ends before its values do. Sets OperandHasZero and
// OperandUpperBound; the loaded spectrum and FileVersion stay as they were.
int16_t ReadSpectrumArrays(const std::string& FileName, std::vector<double>& Data,
                           std::vector<double>& Reference);
