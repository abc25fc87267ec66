// The calibration of a spectrum for the radiometric conversions: the lamp,
// baseline and instrument-response files found by name in the current folder,
// read and checked with the user's questions, or the calibration a file of
// version 7 or later carries itself; and the check that the conversion is
// defined at all. Three callers use it, and differ only in how they word a
// missing file and what its answer means (CalibrationCaller).
//
// Use, for calibration files:
//   CalibrationSet set;
//   outcome = LoadCalibrationFiles(caller, CurrentHeader, inputName, set);
//   if Ready: outcome = CheckRadiometricCalibration(caller, inputName,
//                           CurrentHeader, CurrentHeader.InstrumentType, set);
//   if Ready: dimension Out and call CalcRadiance or CalcIrradiance with set.
// and for an embedded calibration UseEmbeddedCalibration in place of the first
// step. SkipFile and EndRun mean that a message has been shown and answered;
// the caller skips the input or ends its run (progress bar back to 0) as its
// own rules say. No call leaves a file open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ops/calibration/kernels/calibration_file.h"
#include "spectrum/records.h"

enum class CalibrationCaller {
    // A missing file asks "Skip This File?" with OK and Cancel.
    RadiometricBatch,
    // A missing file is only reported, with the instrument and calibration
    // numbers; every failure is EndRun (the conversion returns false).
    ConvertToRadiometric,
    // Worded and checked as the batch; OK at a missing file means that no
    // NEDL file is written.
    Nedl,
};

enum class CalibrationOutcome {
    Ready,
    SkipFile,  // the user chose OK at "Skip This File?"
    EndRun,    // Cancel, or a failure that ends the run
};

// The first-try name (Prefix & I & "_" & C & Extension) when it exists in the
// current folder, else the second-try name (without "_") when that exists,
// else "" (missing).
std::string FindCalibrationFile(const std::string& Prefix, int16_t InstrumentNumber,
                                int16_t CalibrationNumber, const std::string& Extension);

enum class CalibrationReadResult { Read, Missing, Failed };

// SpectrumChannels for a caller that does not compare channel counts.
inline constexpr int16_t NoChannelCheck = 0;

// Reads one calibration file found by FindCalibrationFile. Missing for the
// empty name (the caller words that message). Failed after the user has seen
// why: "File Error" for a file that cannot be opened or is cut short, the
// signature message, No at the data-type question of a lamp (not irradiance)
// or baseline (not reflectance), or fewer values than SpectrumChannels. A file
// with more channels is accepted. The loaded spectrum and FileVersion are not
// touched.
CalibrationReadResult ReadCalibrationFile(const std::string& Name, CalibrationKind Kind,
                                          int16_t SpectrumChannels, CalibrationFileContent& File);

// The arrays and calibration values the kernels take. The arrays belong to the
// calling operation and never replace the calibration buffers of the loaded
// spectrum.
struct CalibrationSet {
    std::vector<double> Lamp;
    std::vector<double> Baseline;
    std::vector<double> Response;
    // IntegrationTime, Swir1Gain and Swir2Gain of the calibration: the
    // instrument-response file's header, or a fresh record holding the
    // embedded values.
    SpectrumHeader CalHeader;
    // What CalHeader came from, for messages.
    std::string CalibrationName;
};

// Finds the lamp, baseline and instrument-response files of Header (its
// instrument and calibration numbers and foreoptic), all three names before
// any is opened, then reads and checks them in that order. The baseline is
// read also when the conversion will be irradiance. InputName is the file the
// messages name.
CalibrationOutcome LoadCalibrationFiles(CalibrationCaller Caller, const SpectrumHeader& Header,
                                        const std::string& InputName, CalibrationSet& Set);

// The calibration the loaded spectrum (version 7 or later) carries: its
// instrument-response, lamp and baseline buffers, and the values of its third
// calibration record. Every value comes from this file: a buffer it does not
// carry (the baseline only matters for Radiance) is reported like a missing
// calibration file, never taken from another file or left at zero.
CalibrationOutcome UseEmbeddedCalibration(CalibrationCaller Caller, const std::string& InputName,
                                          bool Radiance, CalibrationSet& Set);

// Refuses a conversion the kernels cannot compute (RadiometricProblem): an
// instrument type without radiometric regions, or a zero integration time or
// gain that a region would divide by. Worded and answered like a missing
// calibration file. InstrumentType is the one the kernels will be given.
CalibrationOutcome CheckRadiometricCalibration(CalibrationCaller Caller,
                                               const std::string& InputName,
                                               const SpectrumHeader& Header, uint8_t InstrumentType,
                                               const CalibrationSet& Set);
