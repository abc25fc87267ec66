// Loading one native spectrum file into the module state, and the reflectance
// of the loaded spectrum against its stored white reference.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "spectrum/bytes.h"
#include "spectrum/records.h"

// Everything one file holds, parsed but not yet made the loaded spectrum.
struct LoadedSpectrum {
    SpectrumHeader Header;
    int16_t Version = 0;
    std::vector<double> Values;
    bool HasReference = false;  // version 2 and later
    ReferenceHeader Reference;
    std::vector<double> ReferenceValues;
    ExtensionHeader Extension;
    ExtensionArrays ExtensionData;
    uint8_t CalibrationCount = 0;
    std::vector<CalibrationHeader> Calibrations;
    std::vector<double> CalAbs, CalBse, CalLmp, CalFo;
};

// The file version a signature names, or 0 when it names none. Case matters.
int16_t VersionFromSignature(const std::array<uint8_t, 3>& signature);

// True for the legacy data that holds 512 Integers whatever ChannelCount says.
bool IsLegacyIntegerData(const SpectrumHeader& header);

// count Doubles, bounded by the bytes left; storage lends its memory.
std::vector<double> ReadDoubles(spectrum::ByteReader& in, std::size_t count,
                                std::vector<double> storage = {});

// The spectrum values as the file format lays them out behind the header: 512
// Integers for legacy data whatever ChannelCount says, otherwise ChannelCount
// Singles in version 1 and Doubles from version 2. The version decides, not
// ValueFormat: reading by ValueFormat would take the Doubles of an
// interpolated file for Singles.
std::vector<double> ReadSpectrumValues(spectrum::ByteReader& in, const SpectrumHeader& header,
                                       int16_t version, std::vector<double> storage = {});

// Parses a whole file from its bytes. Throws spectrum::FileFormatError (worded
// to follow the file's name) for a file that is not complete; returns false for
// an unknown signature, leaving only the header filled when the bytes hold one.
// The value arrays of whatever file was parsed into `file` before lend their
// memory to this one's; arrays this file does not hold come back empty.
bool ParseSpectrumFile(const uint8_t* bytes, std::size_t size, LoadedSpectrum& file);

// ParseSpectrumFile on the bytes of FileName, telling the user why a file
// cannot be taken: false after the message for an unknown signature
// (CheckSpectrumSignature's), a file that is not complete or one too large to
// hold. For an unknown signature *UnknownHeader, when asked for, gets the
// header the bytes hold (if they hold one) before the message is shown. The
// loaded spectrum is not touched.
bool ParseSpectrumFileOrReport(const std::string& FileName, const std::vector<uint8_t>& bytes,
                               LoadedSpectrum& file,
                               std::optional<SpectrumHeader>* UnknownHeader = nullptr);

// Reads FileName into the module state and returns its version (1, 2, 3, 5, 6,
// 7 or 8), or -1: silently for a missing file, after a message otherwise.
int16_t ReadSpectrumFile(const std::string& FileName);

// Sets FileVersion from the signature; false after a message naming the file.
bool CheckSpectrumSignature(const std::string& FileName, const std::array<uint8_t, 3>& Signature);

// ReflectanceData and DisplayData := SpectrumData / ReferenceData. False when
// nothing is loaded, or after a message naming the file when its reference
// cannot give a reflectance; the arrays are then left empty.
bool ComputeReflectance();

// The whole of a file that holds a spectrum (or a calibration, a reference, an
// operand), bounded by MaxSpectrumFileSize. False with an error worded to
// follow the file's name ("cannot be opened: …", "is too large …").
bool LoadSpectrumFileBytes(const std::string& path, std::vector<uint8_t>& bytes,
                           std::string& error);

// The largest file the reader accepts. The largest spectrum there can be
// (32767 channels, reference and four calibration buffers) takes under 1.6 MB;
// the rest leaves room for extension records.
inline constexpr std::size_t MaxSpectrumFileSize = 16u * 1024 * 1024;
