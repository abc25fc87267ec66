// The part of a native spectrum file that the calibration readers need: the
// header and the values right behind it, bounded by the bytes the file holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "spectrum/bytes.h"
#include "spectrum/records.h"

// Reads the header; returns its version, or 0 for a signature that names none
// (the header is then filled when the bytes hold one). Throws
// spectrum::FileFormatError for a header that is cut short or has no channels.
int16_t ReadLeadingHeader(spectrum::ByteReader& in, SpectrumHeader& header);

// The values as the file format lays them out: 512 Integers for legacy data
// whatever ChannelCount says, otherwise ChannelCount Singles in version 1 and
// Doubles from version 2. The version decides, not ValueFormat: reading by
// ValueFormat would take the Doubles of an interpolated file for Singles.
std::vector<double> ReadLeadingValues(spectrum::ByteReader& in, const SpectrumHeader& header,
                                      int16_t version);
