// Writes native spectrum files of any version from field values, so that tests
// never depend on a file copied from anywhere.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "spectrum/records.h"

struct SpectrumFileBuilder {
    int Version = 1;
    // The three signature bytes; by default those of Version.
    std::optional<std::array<uint8_t, 3>> Signature;
    SpectrumHeader Header;
    // ChannelCount of the header; by default the number of values.
    std::optional<int16_t> ChannelCount;
    // Written as Singles (version 1), Doubles (later versions) or, for legacy
    // data (ValueFormat 1 with InstrumentType 0 or 1), as 16-bit Integers.
    std::vector<double> Values;
    ReferenceHeader Reference;
    std::vector<double> ReferenceValues;
    // Version 6 and later: the extension records, unless left out as the
    // program's own rewriting does.
    bool WithExtension = true;
    ExtensionHeader Extension;
    ExtensionArrays ExtensionData;
    // Version 7 and later: the calibration section, unless left out.
    bool WithCalibration = true;
    std::vector<CalibrationHeader> Calibrations;
    std::vector<std::vector<double>> CalibrationBuffers;

    std::vector<uint8_t> Bytes() const;
    // Writes the file and returns its path.
    std::string WriteTo(const std::string& path) const;
};

// A plausible file: 350 nm start, 1 nm step, the given values, and for version 2
// and later a usable reference of the same length (all 100 unless given).
SpectrumFileBuilder MakeSpectrum(int version, std::vector<double> values,
                                 std::vector<double> reference = {});

// As MakeSpectrum, with every optional section filled: a reference
// description, extension records with entries and arrays, and for version 7 on
// the ABS, LMP and FO calibrations with their buffers (1, 2 and 3 everywhere).
SpectrumFileBuilder MakeCompleteSpectrum(int version, std::vector<double> values);

CalibrationHeader MakeCalibration(uint8_t type, const std::string& name);

std::array<uint8_t, 3> SignatureOf(int version);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);
