// Absolute-reference files: the calibrated reflectance of a white reference
// panel, stored as a native spectrum file named after the instrument and
// calibration numbers, and the name an absolute-reflectance file keeps of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "spectrum/records.h"

// "abs" & I & "_" & C & ".ref", or without the "_" for the second try.
std::string AbsoluteReferenceFileName(int16_t InstrumentNumber, int16_t CalibrationNumber,
                                      bool WithUnderscore);

// Where an absolute-reflectance file (application code 6) keeps the name of its
// reference: bytes 32 to 63 of the first application-data block, ANSI text
// padded with NUL bytes.
inline constexpr std::size_t AbsoluteReferenceNameOffset = 32;
inline constexpr std::size_t AbsoluteReferenceNameLength = 32;

// The stored name, cut before the first NUL byte.
std::string StoredAbsoluteReferenceName(const SpectrumHeader& Header);
// Stores Name, cut to 32 bytes and padded with NUL bytes; the rest of the
// application data is left as it is.
void StoreAbsoluteReferenceName(SpectrumHeader& Header, const std::string& Name);

// What an absolute-reference file yields: one factor per channel. From version
// 2 on the stored values are divided by the file's own stored reference first
// (reference 0 gives 0, -9999 gives -9999); legacy data and version-1 files
// are taken as they are.
struct AbsoluteReferenceContent {
    SpectrumHeader Header;
    int16_t Version = 0;
    std::vector<double> Values;
};

// Parses an absolute-reference file from its bytes. Returns false for a
// signature that names no version (Header.Signature then holds it). Throws
// spectrum::FileFormatError, worded to follow the file's name, for a file that
// is cut short or has no channels.
bool ParseAbsoluteReference(const uint8_t* bytes, std::size_t size, AbsoluteReferenceContent& file);

// Out(i) := Reflectance(i) x Factors(i) for every channel of Reflectance.
// False, with Out emptied, when there are fewer factors than channels: no
// channel is ever left uncalibrated or calibrated by a stand-in factor.
bool ApplyAbsoluteFactors(const std::vector<double>& Reflectance,
                          const std::vector<double>& Factors, std::vector<double>& Out);
