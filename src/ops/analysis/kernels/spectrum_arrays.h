// A native spectrum file reduced to what custom arithmetic and truncation use
// of it: the header, the values and, from version 2 on, the stored reference.
// The files these operations write are exactly that much, so the same
// record serves for reading an operand, reading a file to cut and writing
// every output that keeps its input's version.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "spectrum/records.h"

struct SpectrumArrays {
    SpectrumHeader Header;
    int16_t Version = 0;
    // 512 for legacy Integer data, ChannelCount otherwise.
    std::vector<double> Values;
    bool HasReference = false;  // version 2 and later
    ReferenceHeader Reference;
    // ChannelCount values, as stored.
    std::vector<double> ReferenceValues;
};

// Parses the header, the values and (version 2 on) the reference record and
// reference values; whatever follows them is not looked at. Throws
// spectrum::FileFormatError, worded to follow the file's name, for bytes that
// end early or hold no channels; returns false for an unknown signature, with
// the header filled when the bytes hold one. Every count is checked against
// the bytes left before anything is allocated.
bool ParseSpectrumArrays(const uint8_t* bytes, std::size_t size, SpectrumArrays& file);

// The complete content of a file of the given version: header, then one value
// per entry of values (Singles for version 1, Doubles later), then for
// version 2 on the reference record and as many reference values as there are
// values (0 for any the reference does not hold). The header's ChannelCount is
// set to the number of values, so the file always reads back as written.
std::vector<uint8_t> SpectrumArraysBytes(SpectrumHeader header, int16_t version,
                                         const std::vector<double>& values,
                                         const ReferenceHeader& reference,
                                         const std::vector<double>& referenceValues);
