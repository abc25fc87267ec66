// Calibration files: the native spectrum files that hold an instrument's lamp,
// baseline and instrument-response spectra, named after the instrument number,
// the calibration number and the foreoptic. Names and the bounded parser only;
// finding and reading them with the user's questions is calibration_files.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "spectrum/records.h"

enum class CalibrationKind { Lamp, Baseline, Response };

// The instrument-response prefix of a foreoptic: "ni" for none (0) or undefined
// (-1), "cos" for the cosine receptor (180), the field of view and "i" below
// 181 ("8i", "-5i"), and the code less 180 and "C" above 180 ("8C" for 188).
std::string ForeopticPrefix(int16_t ForeopticCode);

// Prefix & I & "_" & C & Extension, or without the "_" for the second try. The
// numbers are plain decimal text with a minus sign when negative.
std::string CalibrationFileName(const std::string& Prefix, int16_t InstrumentNumber,
                                int16_t CalibrationNumber, const std::string& Extension,
                                bool WithUnderscore);

// The prefix and extension of a kind of calibration file for a spectrum header
// ("lmp" ".ill", "bse" ".ref", the foreoptic prefix and ".raw").
std::string CalibrationPrefix(CalibrationKind Kind, const SpectrumHeader& Header);
std::string CalibrationExtension(CalibrationKind Kind);

// What one calibration file holds for the conversion.
struct CalibrationFileContent {
    SpectrumHeader Header;
    int16_t Version = 0;
    // As many values as the file holds: ChannelCount, or 512 for legacy data.
    std::vector<double> Values;
};

// Parses a calibration file from its bytes. Returns false for a signature that
// names no version (Header.Signature then holds it). Throws
// spectrum::FileFormatError, worded to follow the file's name, for a file that
// is cut short or has no channels. Nothing behind the values is read.
bool ParseCalibrationFile(const uint8_t* bytes, std::size_t size, CalibrationFileContent& file);
