// The header of a native spectrum file as the calibration readers take it,
// bounded by the bytes the file holds; the values behind it are read with
// ReadSpectrumValues.
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
